#!/usr/bin/env bash
# Golden traces: the runs of golden/runs.txt through perolet-sim, each trace's SHA-256 against
# golden/traces.sha256, and each run still covering what golden/covers.txt says it does. The
# game is deterministic, so a change that alters what happens shows here; it re-records the
# reference on purpose and says why in its commit.
#
#   golden_traces_test.sh SIM             compare (the ctest golden_traces)
#   golden_traces_test.sh --record SIM    rewrite golden/traces.sha256 from this build
#
# The reference also names the rules version (kRulesVersion in src/gameplay/game_rules.h) the
# traces were recorded under: replays say which rules they were played by, so a change of what
# happens bumps it, and a record that changes a trace under the same version is refused.
#
# The traces of the last passing or recording run stay in golden-traces/ beside SIM. A
# mismatch shows its first differing row against them when they are there (run the test once
# before a change to have them); otherwise it names the new trace to look into.
set -euo pipefail

record=false
if [ "${1:-}" = --record ]; then
  record=true
  shift
fi
[ $# -eq 1 ] || { echo "usage: $0 [--record] PEROLET_SIM" >&2; exit 2; }
sim=$(readlink -f "$1")
[ -x "$sim" ] || { echo "no simulator at $1" >&2; exit 2; }
golden=$(cd "$(dirname "$0")/golden" && pwd)
reference=$golden/traces.sha256
rules_header=$(dirname "$0")/../../src/gameplay/game_rules.h
rules=$(sed -n 's/^constexpr int kRulesVersion = \([0-9]*\);.*/\1/p' "$rules_header")
[ -n "$rules" ] || { echo "no kRulesVersion in $rules_header" >&2; exit 2; }
recorded_rules=$(sed -n 's/^# rules \([0-9]*\)$/\1/p' "$reference")
kept=$(dirname "$sim")/golden-traces
data=$(dirname "$sim")/Data
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One run in a folder of its own: the game reads Data/ from where it runs and saves there.
run() {
  local name=$1 script=$2
  shift 2
  local dir=$work/$name input=()
  mkdir -p "$dir/Data"
  ln -s "$data/Res" "$dir/Data/Res"
  ln -s "$data/Music" "$dir/Data/Music"
  [ "$script" = - ] || input=(--input "$golden/$script")
  local status=0 began=$SECONDS
  (cd "$dir" && "$sim" "${input[@]}" "$@" --trace "$work/$name.jsonl" > "$work/$name.out" \
    2> "$work/$name.err") || status=$?
  echo "$status" > "$work/$name.status"
  echo "$name $((SECONDS - began)) s" > "$work/$name.time"
}

names=()
jobs_max=$(nproc 2> /dev/null || echo 2)
start=$SECONDS
while read -r name script options; do
  [[ -z $name || $name == \#* ]] && continue
  names+=("$name")
  # shellcheck disable=SC2086  # the options are words
  run "$name" "$script" $options < /dev/null &
  while [ "$(jobs -rp | wc -l)" -ge "$jobs_max" ]; do wait -n || true; done
done < "$golden/runs.txt"
wait
broken=0
for name in "${names[@]}"; do
  if [ "$(cat "$work/$name.status")" != 0 ]; then
    echo "FAIL: run $name ended with status $(cat "$work/$name.status"): $(cat "$work/$name.err")" >&2
    broken=1
  fi
done
[ $broken -eq 0 ] || exit 1
echo "${#names[@]} runs in $((SECONDS - start)) s ($(cd "$work" && cat ./*.time | paste -sd, - | sed 's/,/, /g'))"

# Helpers of the conditions in golden/covers.txt, over the array of a trace's rows.
# shellcheck disable=SC2016  # the dollars are jq's own variables
helpers='
def top(f): map(f) | max;
def top_level: top(.level);
def top_score: top(.score);
def rose: . as $r | any(range(1; length);
  $r[.].screen == 5 and $r[. - 1].screen == 5 and $r[.].level > $r[. - 1].level);
def kills: . as $r | [range(1; length)
  | select($r[.].level == $r[. - 1].level and $r[.].enemiesLeft < $r[. - 1].enemiesLeft)] | length;
def sounds(name): [.[].sounds[] | select(. == name)] | length;
def pickups: sounds("Bonus");
def fired: sounds("Laser") > 0;
def requests: map(.requests | length) | add;
def visited(screens): (screens - map(.screen)) == [];
def opened(windows): (windows - map(.window)) == [];
'
uncovered=0
while read -r name condition; do
  [[ -z $name || $name == \#* ]] && continue
  [ -f "$work/$name.jsonl" ] || continue
  if [ "$(jq -s "$helpers $condition" "$work/$name.jsonl")" != true ]; then
    echo "FAIL: run $name no longer covers its part: $condition" >&2
    uncovered=1
  fi
done < "$golden/covers.txt"
for name in "${names[@]}"; do
  grep -q "^$name " "$golden/covers.txt" || { echo "FAIL: run $name has no line in covers.txt" >&2; uncovered=1; }
done
if [ $uncovered -ne 0 ]; then
  echo "A run that lost its part needs its script remade (or its condition changed on purpose)." >&2
  exit 1
fi

hashes=$work/traces.sha256
{
  echo "# SHA-256 of each golden run's trace; rewritten by golden_traces_test.sh --record."
  echo "# rules $rules"
  for name in "${names[@]}"; do
    echo "$(sha256sum < "$work/$name.jsonl" | cut -d' ' -f1)  $name"
  done
} > "$hashes"

keep_traces() {
  rm -rf "$kept"
  mkdir -p "$kept"
  for name in "${names[@]}"; do cp "$work/$name.jsonl" "$kept/"; done
  cp "$hashes" "$kept/traces.sha256"
}

hash_of() { awk -v n="$2" '$2 == n { print $1 }' "$1"; }

if $record; then
  if [ "$rules" = "$recorded_rules" ]; then
    for name in "${names[@]}"; do
      if [ "$(hash_of "$reference" "$name")" != "$(hash_of "$hashes" "$name")" ]; then
        echo "FAIL: run $name changes under rules $rules: what happens changed, so bump" \
          "kRulesVersion in src/gameplay/game_rules.h, then record" >&2
        exit 1
      fi
    done
  fi
  cp "$hashes" "$reference"
  keep_traces
  echo "recorded $reference"
  exit 0
fi

# The first row where the kept trace of the reference and the new one part.
first_difference() {
  local name=$1 old=$kept/$1.jsonl new=$work/$1.jsonl line
  if [ ! -f "$old" ] || [ "$(hash_of "$kept/traces.sha256" "$name")" != "$(hash_of "$reference" "$name")" ]; then
    echo "  (no kept trace of the reference to compare with: the new one is $kept/$name.new.jsonl)"
    mkdir -p "$kept"
    cp "$new" "$kept/$name.new.jsonl"
    return
  fi
  line=$(cmp "$old" "$new" 2> /dev/null | sed -n 's/.* line \([0-9]*\).*/\1/p' || true)
  if [ -z "$line" ]; then
    echo "  one trace ends where the other goes on: $(wc -l < "$old") rows before, $(wc -l < "$new") now"
    return
  fi
  echo "  first differing row, $line (frame $((line - 1))):"
  echo "  before: $(sed -n "${line}p" "$old")"
  echo "  now:    $(sed -n "${line}p" "$new")"
}

status=0
if [ "$rules" != "$recorded_rules" ]; then
  echo "FAIL: the traces were recorded under rules ${recorded_rules:-(none)}, the game's are $rules" >&2
  status=1
fi
for name in "${names[@]}"; do
  expected=$(hash_of "$reference" "$name")
  actual=$(hash_of "$hashes" "$name")
  if [ -z "$expected" ]; then
    echo "FAIL: run $name has no reference hash; record it with $0 --record $1" >&2
    status=1
  elif [ "$expected" != "$actual" ]; then
    echo "FAIL: run $name differs from the reference ($expected, now $actual)" >&2
    first_difference "$name" >&2
    status=1
  fi
done
while read -r _ name; do
  [[ " ${names[*]} " == *" $name "* ]] || { echo "FAIL: reference run $name is not in runs.txt" >&2; status=1; }
done < <(grep -v '^#' "$reference")
if [ $status -ne 0 ]; then
  echo "A change that alters what happens re-records on purpose: $0 --record $1" >&2
  exit $status
fi
keep_traces
echo "golden traces: ${#names[@]} runs as recorded"
