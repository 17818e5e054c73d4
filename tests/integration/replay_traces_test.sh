#!/usr/bin/env bash
# Replays: each golden run leaves the replays of its games beside its saves, and each of them
# played back through `perolet-sim --replay` reaches the result it claims, row for row the
# trace the run itself wrote from the game's start (drawing or not). Hostile replay files are
# refused with a message, in little memory. Given a second simulator (another compiler's
# build), every replay plays to the same line on both, and a run recorded by it plays on the
# first.
#
#   replay_traces_test.sh SIM [OTHER_SIM]
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 PEROLET_SIM [OTHER_SIM]" >&2; exit 2; }
sim=$(readlink -f "$1")
other=${2:+$(readlink -f "$2")}
golden=$(cd "$(dirname "$0")/golden" && pwd)
data=$(dirname "$sim")/Data
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A folder of its own for each run, as the golden test gives it.
folder() {
  mkdir -p "$1/Data"
  ln -s "$data/Res" "$1/Data/Res"
  ln -s "$data/Music" "$1/Data/Music"
}

# The rows of a trace that the game's replay must give again: frame numbers and the clock
# count from another start, and a replay never sends a request. The first row's sounds may
# hold one more, started in that frame before the game began (a button's, by the pointer).
# shellcheck disable=SC2016  # jq's own variables
same_rows='
def s: del(.frame, .ms, .requests);
def first: .[0] |= del(.sounds);
($t | map(s)) as $T | ($p | map(s)) as $P | ($P | length) as $n
| [range(1; $T | length) | select($T[.].screen == 5 and $T[. - 1].screen != 5)]
| any(. as $f | ($T[$f:$f + $n] | first) == ($P | first) and $T[$f:$f + $n][1:] == $P[1:])'

check_run() {
  local simulator=$1 name=$2 script=$3
  shift 3
  local dir=$work/$name input=()
  folder "$dir"
  [ "$script" = - ] || input=(--input "$golden/$script")
  (cd "$dir" && "$simulator" "${input[@]}" "$@" --trace run.jsonl > /dev/null)
  local replays=("$dir"/Data/Save/replays/*.perolet-replay)
  [ -f "${replays[0]}" ] || fail "run $name kept no replay"
  for replay in "${replays[@]}"; do
    local base=${replay%.perolet-replay}
    (cd "$dir" && "$sim" --replay "$replay" --trace "$base.jsonl" > "$base.json") ||
      fail "$name: $(basename "$replay") did not reach its claim: $(cat "$base.json")"
    jq -e -n --slurpfile t "$dir/run.jsonl" --slurpfile p "$base.jsonl" "$same_rows" > /dev/null ||
      fail "$name: $(basename "$replay") plays back to other rows than the run's"
    if [ -n "$other" ]; then
      (cd "$dir" && "$other" --replay "$replay" > "$base.other.json") || true
      cmp -s "$base.json" "$base.other.json" ||
        fail "$name: $(basename "$replay") plays differently on the other build: $(cat "$base.other.json")"
    fi
  done
  # Drawing changes nothing that happens.
  (cd "$dir" && "$sim" --replay "${replays[0]}" --draw --trace drawn.jsonl > /dev/null)
  cmp -s "${replays[0]%.perolet-replay}.jsonl" "$dir/drawn.jsonl" ||
    fail "$name: the trace drawn differs from the trace not drawn"
  echo "$name: ${#replays[@]} replay(s) as played"
}

while read -r name script options; do
  [[ -z $name || $name == \#* ]] && continue
  # --crowd fills the game's tables from outside the game, which no replay can hold.
  [[ " $options " == *" --crowd "* ]] && continue
  # shellcheck disable=SC2086  # the options are words
  check_run "$sim" "$name" "$script" $options
done < "$golden/runs.txt"
if [ -n "$other" ]; then
  check_run "$other" other-game85 game85.txt --fps 85 --seed 1 --frames 7000
fi

# Hostile files: each refused with a message and status 2, within 64 MB.
hostile=$work/hostile
folder "$hostile"
good=$work/game60/Data/Save/replays/last.perolet-replay
python3 - "$good" "$hostile" << 'PY'
import struct, sys, random
good = open(sys.argv[1], 'rb').read()
out = sys.argv[2]
# The header: magic 8, format 2, version, rules 32, name, country, then the numbers.
at = 10 + 1 + good[10] + 32
at += 1 + good[at]
at += 1 + good[at]
frames = at + 12
sizes = frames + 9
def put(name, data):
    open(f"{out}/{name}.perolet-replay", 'wb').write(bytes(data))
put("truncated", good[:len(good) // 2])
b = bytearray(good); b[frames:frames + 8] = struct.pack('<Q', 1 << 40); put("frames-2p40", b)
b = bytearray(good); b[8:10] = struct.pack('<H', 9); put("format-9", b)
b = bytearray(good); b[sizes + 4:sizes + 8] = struct.pack('<I', 1 << 30); put("claims-1gb", b)
random.seed(7)
for i in range(4):
    b = bytearray(good)
    for _ in range(3):
        p = random.randrange(sizes + 12, len(b)); b[p] ^= 1 << random.randrange(8)
    put(f"flipped-{i}", b)
open(f"{out}/huge.perolet-replay", 'wb').truncate(1 << 30)
PY
for file in "$hostile"/*.perolet-replay; do
  status=0
  /usr/bin/time -f %M -o "$file.rss" "$sim" --data "$hostile" --replay "$file" > "$file.json" || status=$?
  [ "$status" -eq 2 ] || fail "$(basename "$file"): status $status, $(cat "$file.json")"
  jq -e '.refused | length > 0' "$file.json" > /dev/null || fail "$(basename "$file"): no message"
  rss=$(tail -n1 "$file.rss")
  [ "${REPLAY_TEST_SANITIZED:-0}" = 1 ] || [ "$rss" -le 65536 ] || fail "$(basename "$file"): $rss KB"
  echo "$(basename "$file"): $(jq -r .refused "$file.json") ($rss KB)"
done
