#!/usr/bin/env bash
# Full screen and the window on today's screens, under virtual X displays of their sizes: the
# picture fills the screen's height with its shape kept and centred (Alt+Enter at 1920 x 1080,
# --fullscreen elsewhere), a click on a main-menu button lands on it, --scale integer keeps
# whole factors, --window-scale 2 makes a 1600 x 1200 window. The idle main menu's processor
# use in full screen is printed for each size (a figure to watch, not a test of speed).
set -euo pipefail
game=$(readlink -f "$1")
work=$(mktemp -d)
# shellcheck source=virtual_display_lib.sh
. "$(dirname "$0")/virtual_display_lib.sh"
game_pid=
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
stop_all() {
  if [ -n "$game_pid" ]; then
    kill -KILL "$game_pid" 2> /dev/null || true
    wait "$game_pid" 2> /dev/null || true
  fi
  stop_virtual_display
  game_pid=
}
trap 'stop_all; rm -rf "$work"' EXIT
for tool in Xvfb openbox xdotool import compare; do
  command -v "$tool" > /dev/null || fail "$tool is not installed (scripts/install-deps installs it)"
done
cd "$work"
mkdir -p Data && ln -s "$(dirname "$game")/Data/Res" Data/Res
cp "$game" ./perolet
export SDL_AUDIODRIVER=dummy

start_display() {
  start_virtual_display "$1" "$work" || fail "no virtual display at $1"
  start_window_manager "$work/wm.log"
}
start_game() {
  rm -rf Data/Save
  ./perolet "$@" > game.log 2>&1 &
  game_pid=$!
  window=
  for _ in $(seq 100); do
    window=$(xdotool search --pid "$game_pid" 2> /dev/null | head -n1 || true)
    [ -n "$window" ] && xwininfo -id "$window" | grep -q IsViewable && break
    sleep 0.1
  done
  [ -n "$window" ] || fail "no window appeared: $(cat game.log)"
  timeout 5 xdotool windowactivate --sync "$window" 2> /dev/null || true
  sleep 3  # the main menu fades in
}
geometry() { xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p'; }
screen_shot() { timeout 10 import -window root "$1"; }
# The picture's box on the screen: what is not the black of the bars.
box() { convert "$1" -fuzz 2% -trim -format '%w %h %X %Y\n' info: | tr -d '+'; }
# The shot $1 is taken again while the picture is not yet where it belongs: on a loaded
# machine the menu may still be fading in (dark, so mostly trimmed away) after the 3 s.
expect_box() {
  local w h x y tries=0
  while true; do
    read -r w h x y < <(box "$1")
    local dw=$(($2 - w)) dh=$(($3 - h)) dx=$(($4 - x)) dy=$(($5 - y)) off=0
    for d in $dw $dh $dx $dy; do [ "${d#-}" -le 2 ] || off=1; done
    [ $off = 0 ] && return 0
    tries=$((tries + 1))
    [ $tries -lt 20 ] || fail "$6: the picture is ${w}x${h} at $x,$y, not $2x$3 at $4,$5"
    sleep 0.5
    screen_shot "$1"
  done
}
cpu_percent() {
  local before after
  before=$(awk '{print $14 + $15}' "/proc/$game_pid/stat")
  sleep 10
  after=$(awk '{print $14 + $15}' "/proc/$game_pid/stat")
  awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.1f", t * 100 / (hz * 10) }'
}
# The main menu's buttons stand still at 498..748 x 150..440 of the picture while the sky
# behind them moves. Pointing at Настройки (the second, at 600,220) lights it up, and a click
# on it opens the options, which take the buttons away. $1: the picture's left edge on the
# screen; $2/$3: the scale as a fraction.
button_pixel() { # the picture's x y → "r g b" on the screen shot $3
  convert "$3" -format "%[fx:int(255*p{$1,$2}.r)] %[fx:int(255*p{$1,$2}.b)]\n" info:
}
click_lands() {
  local left=$1 num=$2 den=$3
  at() { echo $((left + $1 * num / den)) $(($2 * num / den)); }
  local crop="$((250 * num / den))x$((290 * num / den))+$((left + 498 * num / den))+$((150 * num / den))"
  local r b
  screen_shot before.png
  read -r r b < <(button_pixel $(at 520 232) before.png)
  [ "$r" -lt "$b" ] || fail "$4: Настройки is lit before the pointer is on it ($r,$b)"
  xdotool mousemove $(at 600 220)
  sleep 1
  screen_shot pointed.png
  read -r r b < <(button_pixel $(at 520 232) pointed.png)
  [ "$r" -gt "$b" ] || fail "$4: the pointer at Настройки did not light it ($r,$b)"
  xdotool click 1
  sleep 1.5
  screen_shot clicked.png
  local changed
  convert pointed.png -crop "$crop" +repage pointed-buttons.png
  convert clicked.png -crop "$crop" +repage clicked-buttons.png
  changed=$(compare -metric AE -fuzz 5% pointed-buttons.png clicked-buttons.png null: 2>&1 || true)
  [ "${changed%.*}" -gt $((250 * 290 * num * num / den / den / 3)) ] ||
    fail "$4: a click on Настройки did not take the menu away ($changed pixels changed)"
}

# 1920 x 1080: Alt+Enter fills the height, 1440 x 1080 centred; the pointer goes through the
# same scaling; whole factors on request.
start_display 1920x1080
start_game
timeout 5 xdotool windowactivate --sync "$window" 2> /dev/null || true
xdotool key alt+Return
for _ in $(seq 100); do [ "$(geometry)" = 1920x1080 ] && break; sleep 0.1; done
[ "$(geometry)" = 1920x1080 ] || fail "Alt+Enter did not go full screen: $(geometry)"
sleep 1
screen_shot full-1080.png
expect_box full-1080.png 1440 1080 240 0 "1920x1080 sharp"
echo "idle main menu, full screen 1920x1080: $(cpu_percent)% of one core"
click_lands 240 18 10 "1920x1080"
stop_all

start_display 1920x1080
start_game --fullscreen --scale integer
screen_shot integer-1080.png
expect_box integer-1080.png 800 600 560 240 "1920x1080 integer"
stop_all

start_display 1280x720
start_game --fullscreen
screen_shot full-720.png
expect_box full-720.png 960 720 160 0 "1280x720 sharp"
click_lands 160 12 10 "1280x720"
stop_all

start_display 3840x2160
start_game --fullscreen
screen_shot full-2160.png
expect_box full-2160.png 2880 2160 480 0 "3840x2160 sharp"
echo "idle main menu, full screen 3840x2160: $(cpu_percent)% of one core"
stop_all

start_display 2560x1440
start_game --window --window-scale 2
[ "$(geometry)" = 1600x1200 ] || fail "--window-scale 2 made a $(geometry) window"
echo "full screen and window scales: ok"
