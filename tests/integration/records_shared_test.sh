#!/usr/bin/env bash
# Two records servers on one PostgreSQL database, as behind one proxy, share the limits: a
# client's results sent to both in turn count against one rate, and the same result sent to
# both is stored once.
#   records_shared_test.sh RECORDS
set -euo pipefail
records_bin=$(readlink -f "$1")
here=$(dirname "$(readlink -f "$0")")
if [ -z "${PEROLET_TEST_PG:-}" ]; then
  echo "SKIP: PEROLET_TEST_PG is not set (.ci/run starts a PostgreSQL for this test)"
  exit 77
fi
top=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -TERM "$pid" 2> /dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2> /dev/null || true; done
  rm -rf "$top"
}
trap cleanup EXIT
source "$here/records_server_lib.sh"
fail() { echo "FAIL: $*" >&2; tail -n 5 "$top"/*/records.log >&2; exit 1; }

# The records as the game sends them: code page 1251, in the score alphabet.
encode() {
  python3 - "$@" << 'PY'
import sys
alphabet = "KM7RTX2BQWE9FHJ4NPSU3CVYZ8GLDA56"
name, score = sys.argv[1], sys.argv[2]
record = ("type=0|name=" + name + "|score=" + score + "|key=P|p=|add=RU|z=").encode("cp1251")
record += b"0" * (-len(record) % 5)
bits = "".join(format(b, "08b") for b in record)
print("".join(alphabet[int(bits[i:i + 5], 2)] for i in range(0, len(bits), 5)))
PY
}

pg_database perolet_shared
bases=()
for server in a b; do
  work=$top/$server
  mkdir "$work"
  start_records --db "$pg_url" --rate 3
  pids+=("$records_pid")
  bases+=("$base")
done
records_pid=""  # stopped by cleanup, not by the library

# Sends a result to server 0 or 1 from a loopback address, and prints the answer's status.
send() {
  local server=$1 from=$2 name=$3 score=$4
  curl -s -o /dev/null -w '%{http_code}' --interface "$from" \
    "${bases[$server]}/cgi/version.pl?hs&prg=Featherstrike&inf=$(encode "$name" "$score")"
}
total() { curl -sf "${bases[$1]}/api/records?limit=0" | sed -n 's/.*"total":\([0-9]*\).*/\1/p'; }

# One address, three a minute in all: the fourth and fifth are refused by either server.
statuses=""
for i in 1 2 3 4 5; do statuses+="$(send $((i % 2)) 127.0.0.1 "Rate$i" $((i * 5))) "; done
[ "$statuses" = "200 200 200 429 429 " ] || fail "one rate across both servers: $statuses"

# Another address's result sent to both servers, and again to the first: stored once.
statuses=""
for server in 0 1 0; do statuses+="$(send $server 127.0.0.2 Twice 500) "; done
[ "$statuses" = "200 200 200 " ] || fail "a repeat is answered as taken: $statuses"
[ "$(total 0)" = 4 ] || fail "the repeat was stored again: $(total 0) games, not 4"
[ "$(total 1)" = 4 ] || fail "the servers do not see one table"
echo "records shared by two servers: ok"
