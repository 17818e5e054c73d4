#!/usr/bin/env bash
# The screensaver and the game: in front, the game keeps the screensaver away (SDL resets the
# X server's idle timer every 30 seconds); behind another window it lets it come, so the idle
# timer runs on undisturbed for more than those 30 seconds. No key or pointer event is sent
# meanwhile: those would reset the timer themselves.
set -euo pipefail
# shellcheck source=real_window_lib.sh
. "$(dirname "$0")/real_window_lib.sh" "$1"
command -v python3 > /dev/null || fail "python3 is not installed (scripts/install-deps installs it)"

# Milliseconds since the last input as the screen saver extension counts them (libXss comes
# with SDL's X11 support).
idle_ms() {
  python3 - << 'PY'
import ctypes
x11 = ctypes.CDLL("libX11.so.6")
xss = ctypes.CDLL("libXss.so.1")
class Info(ctypes.Structure):
    _fields_ = [("window", ctypes.c_ulong), ("state", ctypes.c_int), ("kind", ctypes.c_int),
                ("til_or_since", ctypes.c_ulong), ("idle", ctypes.c_ulong),
                ("event_mask", ctypes.c_ulong)]
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
xss.XScreenSaverQueryInfo.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(Info)]
display = x11.XOpenDisplay(None)
info = Info()
if not display or not xss.XScreenSaverQueryInfo(display, x11.XDefaultRootWindow(display), ctypes.byref(info)):
    raise SystemExit("no screen saver extension")
print(info.idle)
PY
}
idle_ms > /dev/null || fail "the idle timer cannot be read"

start_game
focus
xmessage -geometry +0+0 "in front of the game" > /dev/null 2>&1 &
holder=$!
for _ in $(seq 50); do
  [ "$(xdotool getactivewindow 2> /dev/null)" != "$window" ] && break
  timeout 5 xdotool search --sync --pid "$holder" windowactivate --sync > /dev/null 2>&1 || true
  sleep 0.1
done
[ "$(xdotool getactivewindow 2> /dev/null)" != "$window" ] || fail "no other window took the focus"

# Behind another window for 40 seconds: the timer only grows.
start=$(idle_ms)
last=$start
for _ in $(seq 20); do
  sleep 2
  now=$(idle_ms)
  [ "$now" -gt "$last" ] || fail "the idle timer was reset after $(( last / 1000 )) s while the game was behind another window"
  last=$now
done
echo "idle timer behind another window: from $(( start / 1000 )) s to $(( last / 1000 )) s, never reset"

# In front again, the game resets it at once (its last reset is more than 30 s old).
timeout 5 xdotool windowactivate --sync "$window" 2> /dev/null || true
reset=false
for _ in $(seq 25); do
  [ "$(idle_ms)" -lt 5000 ] && reset=true && break
  sleep 0.2
done
$reset || fail "the game in front did not keep the screensaver away (idle $(idle_ms) ms)"
kill "$holder"
echo "screensaver: ok"
