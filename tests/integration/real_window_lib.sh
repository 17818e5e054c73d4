#!/usr/bin/env bash
# The game in a real window, for the tests that drive it: a virtual X display with a window
# manager, the game copied beside its data in a folder of its own, and the helpers that press
# keys, take screenshots and watch for the screens the game shows. Sourced with the game's
# path; the caller sets `set -euo pipefail`.

game=$(readlink -f "$1")
work=$(mktemp -d)
fail() {
  echo "FAIL: $*" >&2
  if [ -n "${window:-}" ]; then
    xprop -id "$window" WM_STATE _NET_WM_STATE 2>&1 | tr '\n' ' ' >&2
    echo >&2
  fi
  if [ -n "${REAL_WINDOW_DEBUG:-}" ]; then
    import -window root "$REAL_WINDOW_DEBUG/screen-at-failure.png"
    cp "$work/game.log" "$REAL_WINDOW_DEBUG/" 2> /dev/null || true
  fi
  exit 1
}

for tool in Xvfb openbox xdotool xprop import identify compare display xmessage cmp; do
  command -v "$tool" > /dev/null || fail "$tool is not installed (scripts/install-deps installs it)"
done

# shellcheck source=virtual_display_lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/virtual_display_lib.sh"
game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2> /dev/null || true
  stop_virtual_display
  rm -rf "$work"
}
trap cleanup EXIT
# The screen is 1024 x 768 unless the caller sets REAL_WINDOW_SCREEN.
start_virtual_display "${REAL_WINDOW_SCREEN:-1024x768}" "$work" || fail "no virtual display"
# The sound the game makes is written to a file at the pace of a sound card.
export SDL_AUDIODRIVER=disk
export SDL_DISKAUDIOFILE=audio.raw
start_window_manager "$work/wm.log"

cd "$work"
# A copy of the game beside its own data folder: it runs there and keeps its saves there.
mkdir -p Data && ln -s "$(dirname "$game")/Data/Res" Data/Res
ln -s "$(dirname "$game")/Data/Music" Data/Music
cp "$game" ./perolet
game=$work/perolet

start_game() {  # the game's arguments, if any
  # With REAL_WINDOW_DEBUG set, SDL logs every event it delivers into game.log.
  SDL_EVENT_LOGGING=${REAL_WINDOW_DEBUG:+1} "$game" "$@" > game.log 2>&1 &
  game_pid=$!
  window=
  for _ in $(seq 100); do
    window=$(xdotool search --pid "$game_pid" 2> /dev/null | head -n1 || true)
    [ -n "$window" ] && xprop -id "$window" _NET_WM_NAME 2> /dev/null | grep -q '"' && break
    sleep 0.1
  done
  [ -n "$window" ] || fail "no window appeared: $(cat game.log)"
  for _ in $(seq 100); do
    viewable 2> /dev/null && break
    # SDL may replace the window it made first when its renderer comes up: the game's shown
    # window is looked for again.
    local shown
    shown=$(xdotool search --onlyvisible --pid "$game_pid" 2> /dev/null | head -n1 || true)
    [ -n "$shown" ] && window=$shown
    sleep 0.1
  done
  viewable || fail "the window was never shown"
}
viewable() { xwininfo -id "$window" | grep -q IsViewable; }
# Keys are pressed on the server's keyboard (the game's window has the focus), never sent to
# the window: xdotool sends a release to a window that has lost the focus by an event the
# server does not see, so a key that minimises the window stayed held in the server, repeated,
# and minimised the window again whenever it came back.
# The game reads most keys once a frame: a key is held long enough for frames to see it, even
# when the other tests beside this one leave the game few frames a second.
# The keys go where the focus is, so the window is given it first.
focus() { timeout 5 xdotool windowactivate --sync "$window" 2> /dev/null || true; }
key() {
  focus
  xdotool keydown "$1"
  sleep 0.3
  xdotool keyup "$1"
  sleep 0.4
}
# The window itself is read first, twice; should the server refuse that, the screen is read
# and cut to the window's place on it. Every refusal is kept for the failure message.
shot() {
  for _ in $(seq 2); do
    timeout 10 import -window "$window" "$1" 2>> shot.log && return 0
    sleep 0.2
  done
  # The screen shows the window only while it is mapped.
  viewable || fail "no screenshot: the window is not on the screen"
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

geometry() { xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p'; }
position() { xdotool getwindowgeometry "$window" | sed -n 's/.*Position: \([0-9]*,[0-9]*\).*/\1/p'; }

# From here the game is watched through screenshots: each step waits for the screen it
# expects, so frames slowed by a loaded machine (the level banner counts frames) only make the
# test wait. What it looks for, in the game's own pictures:
menu_pixel=                           # the menu's picture where a game shows its panel strip
remember_menu() { menu_pixel=$(pixel "$1" 400,20); }
backdrop="srgb(255,246,220)"          # inside a question window's backdrop, at 270,240
caption="srgb(247,173,50)"            # the options screen's caption, at 300,195
looks=0
look() {
  shot now.png
  looks=$((looks + 1))
  [ -n "${REAL_WINDOW_DEBUG:-}" ] && cp now.png "$REAL_WINDOW_DEBUG/look-$looks.png"
  true
}
red_in_middle() {  # the level banner's and the pause's red text, in pixels
  convert now.png -crop 300x70+250+250 +repage -fx '(r>0.95&&g<0.05&&b<0.05)?1:0' \
    -format '%[fx:round(mean*w*h)]' info:
}
# A picture pixel of the last look: in full screen the picture lies centred in the window.
# Where the game's pixel x,y shows: the picture's offset and its scale as a fraction; a
# pixel is read where the scaled block of the game pixel begins, which it fills whole.
ox=0
oy=0
scale_num=1
scale_den=1
at() {
  pixel now.png "$((ox + ($1 * scale_num + scale_den - 1) / scale_den)),$((oy + ($2 * scale_num + scale_den - 1) / scale_den))"
}
in_game() { look && [ "$(at 400 20)" != "$menu_pixel" ]; }
red_text() { look && [ "$(red_in_middle)" -gt 400 ]; }  # a red aeroplane is far smaller
no_red_text() { look && [ "$(red_in_middle)" -le 50 ]; }
asking() { look && [ "$(at 270 240)" = "$backdrop" ]; }
on_options() { look && [ "$(at 300 195)" = "$caption" ]; }
on_menu() {
  look && [ "$(at 400 20)" = "$menu_pixel" ] && [ "$(at 270 240)" != "$backdrop" ] &&
    [ "$(at 300 195)" != "$caption" ]
}
wait_until() {
  local what=$1
  shift
  for _ in $(seq 75); do "$@" && return 0; sleep 0.2; done
  [ -n "${REAL_WINDOW_DEBUG:-}" ] && cp now.png "$REAL_WINDOW_DEBUG/stuck.png"
  fail "$what"
}

