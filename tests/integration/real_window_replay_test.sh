#!/usr/bin/env bash
# A game played in the real window (keys, mouse steering and fire for about a minute, to game
# over and, when the score makes the table, the name) leaves a replay that the simulator plays
# back to the very result the game came to, the table's row when it entered one; then the
# replay watched in the window: played, paused, four times faster, left by Escape.
#
#   real_window_replay_test.sh PEROLET PEROLET_SIM
set -euo pipefail
sim=$(readlink -f "$2")
# shellcheck source=real_window_lib.sh
. "$(dirname "$0")/real_window_lib.sh" "$1"

start_game
sleep 1
shot shot.png
remember_menu shot.png
key Return
wait_until "Enter on the main menu did not start a game" in_game

# About a minute of play: fire held, the craft swept up and down by the keys and by the
# mouse, until the lives are gone (the game-over banner, then the name entry or the menu).
focus
xdotool keydown space
eval "$(xdotool getwindowgeometry --shell "$window")"
ended=false
for turn in $(seq 120); do
  if [ $((turn % 2)) = 0 ]; then
    xdotool keydown Up; sleep 0.35; xdotool keyup Up
  else
    xdotool keydown Down; sleep 0.35; xdotool keyup Down
  fi
  xdotool mousemove $((X + 200)) $((Y + 150 + (turn % 5) * 60))
  sleep 0.15
  if [ $((turn % 10)) = 0 ] && look && { asking || on_menu; }; then
    ended=true
    break
  fi
done
xdotool keyup space
$ended || { key Escape; key y; }  # still alive after two minutes: leave by the question
wait_until "the game did not end" eval 'asking || on_menu'
named=false
if asking; then  # the name entry: a score for the table
  focus
  xdotool type --delay 150 Bot
  key Return
  wait_until "the name did not lead to the send question" asking
  key n
  named=true
  sleep 1
  key Escape  # the records screen, back to the main menu
fi
wait_until "the game did not come back to the main menu" on_menu
key Escape
wait_until "Escape on the main menu did not ask to leave the program" asking
key y
wait_exit || fail "exit status $? on the way out: $(cat game.log)"

replay=Data/Save/replays/last.perolet-replay
[ -s "$replay" ] || fail "the game left no replay"
"$sim" --replay "$replay" > check.json || fail "the replay did not reach its claim: $(cat check.json)"
echo "replay of the game played: $(jq -c '{score, level, frames, name, reached}' check.json), $(stat -c %s "$replay") bytes"
[ "$(jq .frames check.json)" -gt 1000 ] || fail "the game recorded was too short: $(cat check.json)"
if $named; then
  [ "$(jq -r .name check.json)" = Bot ] || fail "the replay does not name the player: $(cat check.json)"
  grep -qx "$(jq .score check.json)" Data/Save/hs || fail "the replay's score is not on the table"
  ls Data/Save/replays/"$(jq .score check.json)"-*.perolet-replay > /dev/null ||
    fail "the table's game has no replay of its own"
fi

# Watching it: frames go by, Space holds them, Right plays faster, Escape leaves.
start_game --replay "$replay"
# Past the level banner, which holds the world still, the pictures change (a slow build may
# take a while to get there).
look && cp now.png playing-1.png
moving() {
  sleep 0.5
  look
  local changed
  changed=$(compare -metric AE playing-1.png now.png null: 2>&1 || true)
  cp now.png playing-1.png
  [ "$changed" -gt 500 ]
}
wait_until "the replay does not move" moving
key space
look && cp now.png paused-1.png
sleep 1
look
[ "$(compare -metric AE paused-1.png now.png null: 2>&1 || true)" -lt 50 ] || fail "Space did not pause"
key space
key Right
sleep 1
look
[ -n "${REAL_WINDOW_DEBUG:-}" ] && cp playing-1.png paused-1.png now.png "$REAL_WINDOW_DEBUG/"
key Escape
wait_exit || fail "the replay window did not leave on Escape: $(cat game.log)"
echo "real window replay: ok"
