#!/usr/bin/env bash
# The error box in the real window: a damaged records file at start-up is told in the game's
# own box, over the game's window, in the game's sans face with its Cyrillic letters (the
# first line is as wide as that face sets it, not the window system's core font's letters or
# nothing); Enter closes it and the game goes on to its main menu.
set -euo pipefail
# shellcheck source=real_window_lib.sh
. "$(dirname "$0")/real_window_lib.sh" "$1"
for tool in fc-match convert; do
  command -v "$tool" > /dev/null || fail "$tool is not installed (scripts/install-deps installs it)"
done

mkdir -p Data/Save
printf 'Ann\r\nlots\r\n' > Data/Save/hs
"$game" > game.log 2>&1 &
game_pid=$!
box=
for _ in $(seq 100); do
  # The box is the window named as the game that stands over another.
  for id in $(xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "Перолёт".*/\1/p'); do
    xprop -id "$id" WM_TRANSIENT_FOR 2> /dev/null | grep -q 'window id' && box=$id
  done
  [ -n "$box" ] && xwininfo -id "$box" | grep -q IsViewable && break
  sleep 0.1
done
[ -n "$box" ] || fail "no error box appeared: $(cat game.log)"
window=$box
game_window=$(xprop -id "$box" WM_TRANSIENT_FOR | sed -n 's/.*window id # //p')
[ "$(xprop -id "$game_window" _NET_WM_PID | sed 's/.* = //')" = "$game_pid" ] ||
  fail "the box stands over $game_window ($(xprop -id "$game_window" _NET_WM_PID)), not the game's window"
grep -q 'Файл рекордов повреждён и отложен в сторону: .*/Data/Save/hs.damaged' game.log ||
  fail "the notice is not on standard error: $(cat game.log)"

sleep 0.5
shot box.png
[ -n "${REAL_WINDOW_DEBUG:-}" ] && cp box.png "$REAL_WINDOW_DEBUG/error-box.png"
face=$(fc-match 'PT Sans' file | sed 's/^:file=//')
line="Файл рекордов повреждён и отложен в сторону:"
expected=$(convert -font "$face" -density 96 -pointsize 11 label:"$line" -trim -format '%w' info:)
# The first line's band: the box's margin, then one line of text.
width=$(identify -format '%w' box.png)
drawn=$(convert box.png -crop "${width}x20+0+18" +repage -threshold 50% -negate -trim \
  -format '%w' info: 2> /dev/null || echo 0)
[ "${drawn:-0}" -ge $((expected - 6)) ] && [ "${drawn:-0}" -le $((expected + 6)) ] ||
  fail "the box's first line is ${drawn} pixels wide, not the ${expected} of \"$line\""

focus
xdotool key Return
for _ in $(seq 50); do xwininfo -id "$box" > /dev/null 2>&1 || break; sleep 0.1; done
xwininfo -id "$box" > /dev/null 2>&1 && fail "Enter did not close the error box"
kill -0 "$game_pid" 2> /dev/null || fail "the game ended with the box: $(cat game.log)"
window=$game_window
sleep 2
look
[ "$(at 400 20)" != "srgb(0,0,0)" ] || fail "the main menu did not come after the box"
echo "error box: ok"
