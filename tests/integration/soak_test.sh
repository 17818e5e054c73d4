#!/usr/bin/env bash
# Long unattended play: the monkey plays several seeded runs and one crowded late level; every
# run must end without an error, and the sprite count must stay bounded.
set -euo pipefail
sim=$(readlink -f "$1")
data=$(readlink -f "$2")
frames=${SOAK_FRAMES:-20000}
largest_sprite_count=150
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir -p Data
ln -s "$data/Res" Data/Res
ln -s "$data/Music" Data/Music
fail() { echo "FAIL: $*" >&2; exit 1; }

run() {
  local summary
  summary=$("$sim" "$@") || fail "perolet-sim $* exited with $?"
  echo "$* -> $summary"
  local sprites=${summary##*sprites_max=}
  [ "$sprites" -le "$largest_sprite_count" ] || fail "$sprites sprites at once with $*"
}

for seed in 3 17 29; do run --frames "$frames" --monkey "$seed" --seed "$seed"; done
run --frames $((frames / 4)) --monkey 5 --level 20 --crowd
echo "soak: ok"
