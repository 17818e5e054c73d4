#!/usr/bin/env bash
# Replays checked. An honest replay of a few minutes' play is made once by perolet-sim (the
# longest game of a monkey's run at 60 frames a second, and the record it proves); then
#  - perolet-verify checks it again and again on one core for SECONDS: replays checked a
#    second a core, and how many times faster than the game was played (bound: 200);
#  - on each store, the server (one worker a core) is sent records with that replay by CLIENTS
#    clients for SECONDS, at 80 % of what its workers check: replays checked a second a core,
#    and the queue's delay from a replay's acceptance to its verdict (median and 99th
#    percentile, from the server's log). Every replay must be taken and verified;
#  - then, on SQLite, twice what the workers check with a queue of 64: it fills, the rest is
#    turned away with 503, and every replay taken is still verified.
#   records-verify.sh BUILD [CLIENTS] [SECONDS]
set -euo pipefail
build=${1:-build}
clients=${2:-32}
seconds=${3:-20}
source "$(dirname "$0")/records-bench-lib.sh"
verify=$build/perolet-verify
fps=60
cores=$(nproc)

# The honest replay: the game of the monkey's run with the most frames.
game=$work/game
mkdir -p "$game/Data"
ln -s "$build/Data/Res" "$game/Data/Res"
ln -s "$build/Data/Music" "$game/Data/Music"
(cd "$game" && "$build/perolet-sim" --fps $fps --seed 3 --monkey 3 --frames 60000 > /dev/null)
replay="" frames=0
for file in "$game"/Data/Save/replays/*.perolet-replay; do
  claims=$("$verify" --data "$build" < "$file")
  n=$(sed -n 's/^frames //p' <<< "$claims")
  [ "${n:-0}" -gt "$frames" ] && { replay=$file; frames=$n; played=$claims; }
done
[ -n "$replay" ] || { echo "FAIL: the monkey left no replay"; exit 1; }
# The record it proves: its score, name and country as the checker read them.
symbols=$(python3 - "$played" << 'PY'
import sys
lines = dict(line.split(" ", 1) for line in sys.argv[1].splitlines() if " " in line)
text = lambda key: "" if lines[key] == "-" else bytes.fromhex(lines[key]).decode("cp1251")
alphabet = "KM7RTX2BQWE9FHJ4NPSU3CVYZ8GLDA56"
record = ("type=0|name=" + text("name") + "|score=" + lines["score"] + "|key=P|p=|add=" +
          text("country") + "|z=").encode("cp1251")
record += b"0" * (-len(record) % 5)
bits = "".join(format(b, "08b") for b in record)
print("".join(alphabet[int(bits[i:i + 5], 2)] for i in range(0, len(bits), 5)))
PY
)
play_seconds=$(echo "scale=1; $frames / $fps" | bc)

print_machine
echo "replay: $(stat -c %s "$replay") bytes, $frames frames ($play_seconds s of play at $fps frames a second)"

# One core, one check after another.
started=$(date +%s.%N)
checks=0
until [ "$(echo "$(date +%s.%N) - $started >= $seconds" | bc)" = 1 ]; do
  taskset -c 0 "$verify" --data "$build" < "$replay" > /dev/null
  checks=$((checks + 1))
done
took=$(echo "$(date +%s.%N) - $started" | bc)
per_core=$(echo "scale=2; $checks / $took" | bc)
echo "one core: $per_core replays checked a second ($checks in $took s)"
bound "one core" "times real time" "$(echo "scale=0; $per_core * $play_seconds / 1" | bc)" ">=" 200

# load LABEL STORE RATE: the server on STORE sent RATE records with their replay a second by
# the clients; every replay taken must be verified, and with BUSY=no none turned away.
load() {
  local label=$1 store=$2 rate=$3 result taken verdicts verified delays median p99 busy began took
  bench_database "$store" perolet_verify_bench
  start_records --db "$db" --rate 0 --trusted-proxy 127.0.0.1 --threads $((clients * 2)) \
    --verify-workers "$cores" --verify-queue "${QUEUE:-256}" --verify-data "$build"
  began=$(date +%s.%N)
  result=$("$build/perolet-records-replay-load" 127.0.0.1 "${base##*:}" "$clients" "$seconds" \
    "$rate" "$symbols" "$replay") || bench_status=1
  taken=$(field replays_taken "$result")
  busy=$(field replays_busy "$result")
  # The queue drains: every replay taken gets its verdict.
  for _ in $(seq 1200); do
    [ "$(grep -c ' replay [0-9]*: [a-z]* in ' "$work/records.log")" -ge "${taken:-0}" ] && break
    sleep 0.1
  done
  took=$(echo "$(date +%s.%N) - $began" | bc)
  stop_records
  verdicts=$(sed -n 's/.* replay [0-9]*: \([a-z]*\) in \([0-9]*\) ms .*/\1 \2/p' "$work/records.log")
  verified=$(grep -c '^verified ' <<< "$verdicts" || true)
  delays=$(awk '{print $2}' <<< "$verdicts" | sort -n)
  median=$(awk '{t[NR] = $1} END {print NR ? t[int((NR + 1) / 2)] : "none"}' <<< "$delays")
  p99=$(awk '{t[NR] = $1} END {i = int(NR * 0.99 + 0.999); print NR ? t[i < 1 ? 1 : i] : "none"}' <<< "$delays")
  echo "$label: $result verified=$verified"
  echo "$label: replays checked a second a core: $(echo "scale=2; $verified / $took / $cores" | bc) (all checked in $took s)"
  echo "$label: queue delay (accepted to verdict): median $median ms, 99th percentile $p99 ms"
  verdict "$label" "$([ "$verified" = "$taken" ] && { [ "${BUSY:-no}" = yes ] || [ "$busy" = 0 ]; } && echo yes)" \
    "every replay taken verified" "$verified of $taken, $busy turned away"
}

# At 80 % of what the workers check, on each store.
rate=$(echo "scale=2; $per_core * $cores * 0.8" | bc)
echo "clients=$clients seconds=$seconds; $rate records with their replay a second, $cores workers"
for store in ${STORES:-sqlite postgresql}; do load "$store" "$store" "$rate"; done
# Twice what they check, on SQLite with a queue of 64: it fills and the rest are turned away
# with 503, but every replay taken is verified.
rate=$(echo "scale=2; $per_core * $cores * 2" | bc)
echo "overload: $rate records with their replay a second, a queue of 64"
QUEUE=64 BUSY=yes load "sqlite, overloaded" sqlite "$rate"
exit $bench_status
