#!/usr/bin/env bash
# The game in a real window under a virtual X display with a window manager: the window's size
# and title, real key events (Alt+Enter switches to full screen and back to the same place,
# Alt+F9 minimises), a screenshot of presented frames, and a clean exit on SIGTERM.
set -euo pipefail
game=$(readlink -f "$1")
work=$(mktemp -d)
fail() { echo "FAIL: $*" >&2; exit 1; }

for tool in Xvfb openbox xdotool xprop import identify; do
  command -v "$tool" > /dev/null || fail "$tool is not installed (scripts/install-deps installs it)"
done

exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
xvfb=$!
game_pid=
wm=
cleanup() {
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2> /dev/null || true
  [ -n "$wm" ] && kill "$wm" 2> /dev/null || true
  kill "$xvfb" 2> /dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
export SDL_AUDIODRIVER=dummy
openbox > "$work/wm.log" 2>&1 &
wm=$!
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q window && break; sleep 0.1; done
sleep 0.5  # the manager announces itself before it is ready to take windows

cd "$work"
# The game reads its pictures and sounds from Data/Res relative to where it runs.
mkdir -p Data && ln -s "$(dirname "$game")/Data/Res" Data/Res
"$game" > game.log 2>&1 &
game_pid=$!

window=
for _ in $(seq 100); do
  window=$(xdotool search --pid "$game_pid" 2> /dev/null | head -n1 || true)
  [ -n "$window" ] && xprop -id "$window" _NET_WM_NAME 2> /dev/null | grep -q '"' && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window appeared: $(cat game.log)"
viewable() { xwininfo -id "$window" | grep -q IsViewable; }
for _ in $(seq 100); do viewable && break; sleep 0.1; done
viewable || fail "the window was never shown"

title=$(xprop -id "$window" _NET_WM_NAME)
[[ $title == *'"Перолёт"'* ]] || fail "title: $title"
geometry() { xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p'; }
position() { xdotool getwindowgeometry "$window" | sed -n 's/.*Position: \([0-9]*,[0-9]*\).*/\1/p'; }
[ "$(geometry)" = 800x600 ] || fail "window size $(geometry)"

sleep 1
cpu_ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
before=$(cpu_ticks)
sleep 4
after=$(cpu_ticks)
hz=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$hz" 'BEGIN { printf "idle main menu CPU use: %.1f%% of one core over 4 s\n", t * 100 / (hz * 4) }'

# The X server can be busy for a moment; a screenshot is tried a few times.
for _ in $(seq 5); do import -window "$window" shot.png 2> /dev/null && break; sleep 0.3; done
[ "$(identify -format '%wx%h' shot.png)" = 800x600 ] || fail "screenshot size"

xdotool windowmove "$window" 150 100
sleep 0.5
placed=$(position)
xdotool key --window "$window" alt+Return
for _ in $(seq 100); do [ "$(geometry)" = 1024x768 ] && break; sleep 0.1; done
[ "$(geometry)" = 1024x768 ] || fail "Alt+Enter did not go full screen: $(geometry)"
xdotool key --window "$window" alt+Return
for _ in $(seq 100); do [ "$(geometry)" = 800x600 ] && break; sleep 0.1; done
[ "$(geometry)" = 800x600 ] || fail "Alt+Enter did not come back to the window: $(geometry)"
for _ in $(seq 100); do [ "$(position)" = "$placed" ] && break; sleep 0.1; done
[ "$(position)" = "$placed" ] || fail "window came back at $(position), not at $placed"

xdotool key --window "$window" alt+F9
for _ in $(seq 100); do xprop -id "$window" WM_STATE | grep -q Iconic && break; sleep 0.1; done
xprop -id "$window" WM_STATE | grep -q Iconic || fail "the boss key did not minimise the window"
xdotool windowactivate "$window" 2> /dev/null || true

kill -TERM "$game_pid"
status=0
wait "$game_pid" || status=$?
game_pid=
[ $status -eq 0 ] || fail "exit status $status after SIGTERM: $(cat game.log)"
echo "real window: ok"
