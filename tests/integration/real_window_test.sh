#!/usr/bin/env bash
# The game in a real window under a virtual X display with a window manager: the window's size
# and title, real key events (Alt+Enter switches to full screen and back to the same place,
# Alt+F9 minimises), a screenshot of presented frames; then a game started, paused and left,
# the options and back, the program left through its quit question with the save files
# written; and once more, a clean exit on SIGTERM.
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
# A copy of the game beside its own data folder: it runs there and keeps its saves there.
mkdir -p Data && ln -s "$(dirname "$game")/Data/Res" Data/Res
ln -s "$(dirname "$game")/Data/Music" Data/Music
cp "$game" ./perolet
game=$work/perolet

start_game() {
  "$game" > game.log 2>&1 &
  game_pid=$!
  window=
  for _ in $(seq 100); do
    window=$(xdotool search --pid "$game_pid" 2> /dev/null | head -n1 || true)
    [ -n "$window" ] && xprop -id "$window" _NET_WM_NAME 2> /dev/null | grep -q '"' && break
    sleep 0.1
  done
  [ -n "$window" ] || fail "no window appeared: $(cat game.log)"
  for _ in $(seq 100); do viewable && break; sleep 0.1; done
  viewable || fail "the window was never shown"
}
viewable() { xwininfo -id "$window" | grep -q IsViewable; }
# The game reads most keys once a frame: a key is held long enough for frames to see it, even
# when the other tests beside this one leave the game few frames a second.
key() {
  xdotool keydown --window "$window" "$1"
  sleep 0.3
  xdotool keyup --window "$window" "$1" 2> /dev/null || true  # the window may be gone
  sleep 0.4
}
# The window itself is read first; should the server refuse that, the screen is read and cut
# to the window's place on it. Every refusal is kept for the failure message.
shot() {
  for _ in $(seq 10); do
    timeout 10 import -window "$window" "$1" 2>> shot.log && return 0
    sleep 0.3
  done
  local x y
  x=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left X: *//p')
  y=$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left Y: *//p')
  for _ in $(seq 10); do
    timeout 10 import -window root -crop "$(geometry)+$x+$y" +repage "$1" 2>> shot.log && return 0
    sleep 0.3
  done
  fail "no screenshot of the window could be taken: $(tail -n 5 shot.log)
$(xwininfo -id "$window")"
}
pixel() { convert "$1" -format "%[pixel:p{$2}]" info:; }
wait_exit() {
  for _ in $(seq 100); do kill -0 "$game_pid" 2> /dev/null || break; sleep 0.1; done
  kill -0 "$game_pid" 2> /dev/null && return 124
  local status=0
  wait "$game_pid" || status=$?
  game_pid=
  return $status
}

start_game


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
shot shot.png
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
for _ in $(seq 100); do xprop -id "$window" WM_STATE | grep -q Iconic || break; sleep 0.1; done
sleep 1

# A game from the first button: the panel strip stands where the menu showed its picture.
menu_pixel=$(pixel shot.png 400,20)
key Return
sleep 3  # the level banner
shot game.png
[ -n "${REAL_WINDOW_DEBUG:-}" ] && cp game.png "$REAL_WINDOW_DEBUG/"
[ "$(pixel game.png 400,20)" != "$menu_pixel" ] || fail "Enter on the main menu did not start a game"
key p
key p
key Escape
key y  # "Выйти в меню?": no score for the table, back to the main menu
sleep 0.5
key Down
key Return  # the options
key Escape  # and back
key Escape  # "Выйти из игры?"
[ -n "${REAL_WINDOW_DEBUG:-}" ] && shot "$REAL_WINDOW_DEBUG/before-quit.png"
key y
wait_exit || fail "exit status $? after leaving through the quit question: $(cat game.log)"
for file in options hs; do
  [ -s "Data/Save/$file" ] || fail "Data/Save/$file was not written on the way out"
done

start_game
sleep 1
kill -TERM "$game_pid"
wait_exit || fail "exit status $? after SIGTERM: $(cat game.log)"
echo "real window: ok"
