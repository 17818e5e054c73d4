#!/usr/bin/env bash
# The window on a small screen (1024 x 600, a netbook's): the window and its frame fit on the
# desktop with the whole picture in it, its shape kept, however large a --window-scale asks
# for; the window manager resizes it, the picture fills the new size with its shape kept and
# bars beside it, and a click lands on the button under the pointer.
set -euo pipefail
REAL_WINDOW_SCREEN=1024x600
# shellcheck source=real_window_lib.sh
. "$(dirname "$0")/real_window_lib.sh" "$1"

# The client's place and size, and the frame's extents (left right top bottom).
client() {
  xwininfo -id "$window" | sed -n 's/.*\(Absolute upper-left [XY]\|Width\|Height\): *//p' | tr '\n' ' '
  echo
}
extents() { xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g'; }
# The window with its frame lies on the 1024 x 600 screen, and as large as it can be there
# with the picture's shape: its frame takes the screen's whole height.
fits_on_screen() {
  local x y w h left right top bottom
  read -r x y w h < <(client)
  read -r left right top bottom < <(extents)
  [ $((x - left)) -ge 0 ] && [ $((y - top)) -ge 0 ] && [ $((x + w + right)) -le 1024 ] &&
    [ $((y + h + bottom)) -eq 600 ] && [ $((w * 3 / 4 - h)) -ge -1 ] && [ $((w * 3 / 4 - h)) -le 1 ]
}
stop_game() {
  kill -KILL "$game_pid"
  wait "$game_pid" 2> /dev/null || true
  game_pid=
}
# The picture's box in a shot of the window: what is not the black of the bars (a black
# border is added first, so a picture without bars is trimmed of black only).
picture_box() {
  local w h x y
  read -r w h x y < <(convert "$1" -bordercolor black -border 1 -fuzz 2% -trim \
    -format '%w %h %X %Y\n' info: | tr -d '+')
  echo "$w $h $((x - 1)) $((y - 1))"
}
# Whether a box is the expected one give or take the pixel a rounding leaves.
about() {
  local a b
  read -r -a a <<< "$1"
  read -r -a b <<< "$2"
  for i in 0 1 2 3; do
    [ "$(( a[i] - b[i] ))" -ge -1 ] && [ "$(( a[i] - b[i] ))" -le 1 ] || return 1
  done
}

for scale in auto 2; do
  start_game --window-scale "$scale"
  for _ in $(seq 50); do fits_on_screen && break; sleep 0.1; done
  fits_on_screen || fail "--window-scale $scale: the window $(client) with its frame ($(extents)) does not fit the 1024x600 screen as large as it can"
  sleep 1
  shot fitted.png
  [ -n "${REAL_WINDOW_DEBUG:-}" ] && cp fitted.png "$REAL_WINDOW_DEBUG/fitted-$scale.png"
  read -r _ _ w h < <(client)
  about "$(picture_box fitted.png)" "$w $h 0 0" ||
    fail "--window-scale $scale: the picture is $(picture_box fitted.png) in a ${w}x${h} window"
  [ "$scale" = 2 ] || stop_game
done

# Resized to 1000 x 450: the picture 600 x 450 in the middle, three quarters of its size.
focus
xdotool windowsize "$window" 1000 450
for _ in $(seq 50); do [ "$(geometry)" = 1000x450 ] && break; sleep 0.1; done
[ "$(geometry)" = 1000x450 ] || fail "the window manager could not resize the window: $(geometry)"
sleep 1
shot resized.png
[ -n "${REAL_WINDOW_DEBUG:-}" ] && cp resized.png "$REAL_WINDOW_DEBUG/resized.png"
about "$(picture_box resized.png)" "600 450 200 0" ||
  fail "resized to 1000x450, the picture is $(picture_box resized.png) (w h x y)"
ox=200
scale_num=3
scale_den=4
xdotool mousemove --window "$window" $((200 + 600 * 3 / 4)) $((220 * 3 / 4))
sleep 0.5
xdotool click 1
# The reduced picture blends neighbouring pixels: the caption's colour is matched loosely.
caption_near() {
  local r g b
  IFS='(,)' read -r _ r g b <<< "$(at 300 195)"
  [ $((r - 247)) -ge -8 ] && [ $((r - 247)) -le 8 ] && [ $((g - 173)) -ge -8 ] &&
    [ $((g - 173)) -le 8 ] && [ $((b - 50)) -ge -8 ] && [ $((b - 50)) -le 8 ]
}
wait_until "a click on Настройки in the resized window did not open the options" eval 'look && caption_near'

echo "window size: ok"
