#!/usr/bin/env bash
# The game in a real window under a virtual X display with a window manager: the window's size
# and title, real key events (Alt+Enter switches to full screen and back to the same place and
# leaves the main menu as it was, Alt+F9 minimises and silences the game), a screenshot of
# presented frames, the picture shown again when the window is uncovered while inactive; then
# a game started, paused and left, the options and back, the program left through its quit
# question with the save files written; and once more, a clean exit on SIGTERM.
set -euo pipefail
# shellcheck source=real_window_lib.sh
. "$(dirname "$0")/real_window_lib.sh" "$1"

start_game


title=$(xprop -id "$window" _NET_WM_NAME)
[[ $title == *'"Перолёт"'* ]] || fail "title: $title"
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
remember_menu shot.png

xdotool windowmove "$window" 150 100
sleep 0.5
placed=$(position)
focus
xdotool key alt+Return
for _ in $(seq 100); do [ "$(geometry)" = 1024x768 ] && break; sleep 0.1; done
[ "$(geometry)" = 1024x768 ] || fail "Alt+Enter did not go full screen: $(geometry)"
# Alt+Enter only switches the display: the menu stays, its first button not pressed. The
# 1024 x 768 screen shows the picture 1.28 times, sharp.
scale_num=128
scale_den=100
wait_until "Alt+Enter left the main menu in full screen" on_menu
scale_num=1
scale_den=1
focus
xdotool key alt+Return
for _ in $(seq 100); do [ "$(geometry)" = 800x600 ] && break; sleep 0.1; done
[ "$(geometry)" = 800x600 ] || fail "Alt+Enter did not come back to the window: $(geometry)"
for _ in $(seq 100); do [ "$(position)" = "$placed" ] && break; sleep 0.1; done
[ "$(position)" = "$placed" ] || fail "window came back at $(position), not at $placed"
wait_until "Alt+Enter left the main menu" on_menu

# Uncovered while another window has the focus, the game shows its last frame again though
# no frame runs. One window takes the focus, a second covers the game and goes, and the focus
# falls back to the first.
look
cp now.png before-cover.png
xmessage -geometry +0+0 focus > /dev/null 2>&1 &
holder=$!
sleep 1
display -size 1000x740 -geometry +0+0 xc:navy > /dev/null 2>&1 &
cover=$!
sleep 1.5
kill "$cover"
wait "$cover" 2> /dev/null || true
sleep 1
[ "$(xdotool getactivewindow 2> /dev/null)" != "$window" ] || fail "the game took the focus back"
changed() {
  compare -metric AE before-cover.png now.png null: 2>&1 || true
}
look
[ "$(changed)" -lt 2000 ] || fail "the uncovered window lost its picture ($(changed) pixels)"
kill "$holder"
wait "$holder" 2> /dev/null || true

focus
xdotool key alt+F9
for _ in $(seq 100); do xprop -id "$window" WM_STATE | grep -q Iconic && break; sleep 0.1; done
xprop -id "$window" WM_STATE | grep -q Iconic || fail "the boss key did not minimise the window"
# The music stops with the boss key and stays stopped while the window is hidden: the
# samples the game sends meanwhile are silence.
bytes() { stat -c %s audio.raw; }
sleep 0.5
hidden_from=$(bytes)
sleep 2
hidden_to=$(bytes)
[ "$hidden_to" -gt "$hidden_from" ] || fail "no sound was captured while hidden"
cmp -s -i "$hidden_from" -n "$((hidden_to - hidden_from))" audio.raw /dev/zero ||
  fail "the music plays while the boss key hides the game"
[ "$(head -c "$hidden_from" audio.raw | tr -d '\0' | wc -c)" -gt 0 ] ||
  fail "no music was captured before the boss key"
# The manager may still be busy minimising and let an activation pass: the window is asked
# back until it is on the screen.
restored() { ! xprop -id "$window" WM_STATE | grep -q Iconic && viewable; }
for _ in $(seq 20); do
  xdotool windowactivate "$window" 2> /dev/null || true
  for _ in $(seq 5); do restored && break; sleep 0.1; done
  restored && break
done
restored || fail "the minimised window could not be brought back"
sleep 1

key Return
wait_until "Enter on the main menu did not start a game" in_game
wait_until "the level banner did not end" no_red_text
[ -n "${REAL_WINDOW_DEBUG:-}" ] && cp now.png "$REAL_WINDOW_DEBUG/game.png"
key p
wait_until "P did not pause the game" red_text
key p
wait_until "P did not end the pause" no_red_text
key Escape
wait_until "Escape did not ask to leave the game" asking
key y  # "Выйти в меню?": no score for the table, back to the main menu
wait_until "Yes did not lead back to the main menu" on_menu
key Down
key Return
wait_until "the second button did not open the options" on_options
key Escape
wait_until "Escape did not leave the options" on_menu
key Escape
wait_until "Escape on the main menu did not ask to leave the program" asking
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
