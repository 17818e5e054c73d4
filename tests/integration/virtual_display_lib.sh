#!/usr/bin/env bash
# A virtual X display for the scripts that run the game in a real window, set up one way:
# Xvfb on a display it picks itself (-displayfd, so never one another server holds), waited
# for until it answers, and openbox on it, waited for until it manages windows. Sourced; the
# caller stops both from its own EXIT trap with stop_virtual_display.
#
#   start_virtual_display WIDTHxHEIGHT LOG_DIR  (after stopping the one before) exports
#                                               DISPLAY; returns 1, the server's log on
#                                               stderr, when no display came up
#   start_window_manager LOG_FILE               openbox on that display
#   stop_virtual_display                        the manager and the server, when running

virtual_display_pid=
window_manager_pid=

start_virtual_display() {
  local size=$1 logs=$2 number=''
  stop_virtual_display  # one display at a time
  rm -f "$logs/display"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3> "$logs/display" \
    > "$logs/xvfb.log" 2>&1 &
  virtual_display_pid=$!
  # The number is written once the server takes connections; it is asked once to be sure.
  for _ in $(seq 100); do
    number=$(head -n1 "$logs/display" 2> /dev/null || true)
    [ -n "$number" ] && xprop -display ":$number" -root > /dev/null 2>&1 && break
    number=
    sleep 0.1
  done
  if [ -z "$number" ]; then
    echo "Xvfb did not start at $size: $(cat "$logs/xvfb.log")" >&2
    stop_virtual_display
    return 1
  fi
  export DISPLAY=":$number"
}

start_window_manager() {
  openbox > "$1" 2>&1 &
  window_manager_pid=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q window && break
    sleep 0.1
  done
  sleep 0.5  # the manager announces itself before it is ready to take windows
}

stop_virtual_display() {
  if [ -n "$window_manager_pid" ]; then kill "$window_manager_pid" 2> /dev/null || true; fi
  if [ -n "$virtual_display_pid" ]; then
    kill "$virtual_display_pid" 2> /dev/null || true
    wait "$virtual_display_pid" 2> /dev/null || true
  fi
  window_manager_pid=''
  virtual_display_pid=''
}
