#!/usr/bin/env bash
# Records that cannot be faked: the server plays each replay it is sent with perolet-verify
# (beside it in the build) and ranks the record only when the replay plays to it. The game
# (perolet-sim) sends a qualifying record and its replay: verified within seconds, and the
# replay downloaded from the page is the game's. That replay proves no copy of its record
# (409); a player's honest replay behind a forged score is refused (gone from the table,
# listed by admin refused); a replay with bytes changed is
# refused or, if it still plays to the score, verified; a replay of other rules is unchecked;
# hostile replays (bit flips, 2^40 frames claimed) each end within the limits while the
# server goes on serving; a replay taken by a server without a checker is checked by the next
# one.
#   records_verify_test.sh RECORDS SIM sqlite|postgresql
set -euo pipefail
records_bin=$(readlink -f "$1")
sim=$(readlink -f "$2")
store=$3
here=$(dirname "$(readlink -f "$0")")
corpus=$(readlink -f "$here/../../fuzz/corpus/replay")
work=$(mktemp -d)
trap 'stop_records; rm -rf "$work"' EXIT
source "$here/records_server_lib.sh"
fail() { echo "FAIL: $*" >&2; [ -f "$work/records.log" ] && tail -n 30 "$work/records.log" >&2; admin list >&2 || true; exit 1; }

[ -x "$(dirname "$records_bin")/perolet-verify" ] || fail "no perolet-verify beside $records_bin"
case "$store" in
  sqlite) db="$work/records.sqlite" ;;
  postgresql)
    if [ -z "${PEROLET_TEST_PG:-}" ]; then
      echo "SKIP: PEROLET_TEST_PG is not set (.ci/run starts a PostgreSQL for this test)"
      exit 77
    fi
    pg_database perolet_verify
    db=$pg_url
    ;;
  *) fail "store must be sqlite or postgresql" ;;
esac
# Each record by hand comes from an address of its own behind the proxy, unlimited.
start_records --db "$db" --trusted-proxy 127.0.0.1 --rate 0 --verify-workers 2 \
  --verify-seconds 10 --verify-data "$(dirname "$sim")"
grep -q 'replays are checked by .*perolet-verify' "$work/records.log" || fail "no checker found"

admin() { "$records_bin" admin --db "$db" "$@"; }
# state ID: the record's state as the operator sees it.
state() { admin list --limit 1000 | awk -F'\t' -v id="$1" '$1 == id { print $7 }'; }
newest() { admin list --limit 1 | awk -F'\t' 'NR == 2 { print $1 }'; }
# checked ID: waits (30 s at most) until the record's replay is no longer waiting; its state.
checked() {
  local now
  for _ in $(seq 300); do
    now=$(state "$1")
    [ "$now" != checking ] && { echo "$now"; return; }
    sleep 0.1
  done
  echo checking
}
address=0
# send NAME SCORE COUNTRY REPLAYFILE: the record from a fresh address, then its replay; sets
# $sent to the record's id and $answer to the replay's HTTP status.
send() {
  local symbols
  symbols=$(record_symbols "$1" "$2" "$3")
  address=$((address + 1))
  curl -sf -o /dev/null -H "X-Forwarded-For: 198.51.100.$address" \
    "$base/cgi/version.pl?hs&prg=Featherstrike&inf=$symbols" || fail "the record $1 $2"
  sent=$(newest)
  answer=$(curl -s -o /dev/null -w '%{http_code}' -H "X-Forwarded-For: 198.51.100.$address" \
    --data-binary "@$4" -H 'Content-Type: application/octet-stream' \
    "$base/api/replays?inf=$symbols")
}

# The game: the golden run "screens" (options, a game played to its end, the name entry and
# the send question answered yes), with the country "РФ" and the name "Вася" typed in code
# page 1251 instead of its own.
cd "$work"
mkdir -p Data && ln -s "$(dirname "$sim")/Data/Res" Data/Res && ln -s "$(dirname "$sim")/Data/Music" Data/Music
sed -e 's/^126 char 75$/126 char 208/' -e 's/^150 char 89$/150 char 212/' \
  -e 's/^6043 char 65$/6043 char 194/' -e 's/^6051 char 99$/6051 char 224/' \
  -e 's/^6059 char 101$/6059 char 241/' -e 's/^6067 char 120$/6067 char 255/' -e '/^607[57] /d' \
  "$here/golden/screens.txt" > play.txt
"$sim" --fps 85 --seed 2 --frames 6500 --input play.txt --score-url "$base" --trace t.jsonl > /dev/null
grep -q '"requests":\["http://127.0.0.1:[0-9]*/cgi/version.pl?hs&prg=Featherstrike&inf=' t.jsonl ||
  fail "no frame of the trace lists the record"
grep -q '"requests":\[[^]]*"POST http://127.0.0.1:[0-9]*/api/replays?inf=[^"]* ([0-9]* bytes)"' t.jsonl ||
  fail "no frame of the trace lists the replay"
game=$(newest)
[ "$(checked "$game")" = verified ] || fail "the game's record is $(state "$game"), not verified"
api=$(curl -sf "$base/api/records?all=1") || fail "the JSON"
jq -e '.records[0] | .name == "Вася" and .country == "РФ" and .state == "verified"' <<< "$api" > /dev/null ||
  fail "the JSON does not say verified: $api"
score=$(jq -r '.records[0].score' <<< "$api")
country=$(jq -r '.records[0].country' <<< "$api")
curl -sf -o honest.perolet-replay "$base/replays/$game.perolet-replay" || fail "the replay's download"
uploaded=$(grep -o '"POST [^"]* (\([0-9]*\) bytes)"' t.jsonl | grep -o '[0-9]* bytes' | cut -d' ' -f1)
[ "$(stat -c %s honest.perolet-replay)" = "$uploaded" ] || fail "the download is not the upload"
cmp -s honest.perolet-replay Data/Save/replays/last.perolet-replay ||
  fail "the download is not the game's replay"
grep -q "replay $game: verified in [0-9]* ms" "$work/records.log" || fail "no log line of the verdict"

# another_game FILE A B C D: the same game, from fresh saves, with the name typed as these
# four code page 1251 bytes instead of Вася's, its replay kept as FILE: one no record has yet.
another_game() {
  rm -rf Data/Save
  sed -e "s/^6043 char 194\$/6043 char $2/" -e "s/^6051 char 224\$/6051 char $3/" \
    -e "s/^6059 char 241\$/6059 char $4/" -e "s/^6067 char 255\$/6067 char $5/" play.txt > another.txt
  "$sim" --fps 85 --seed 2 --frames 6500 --input another.txt > /dev/null
  cp Data/Save/replays/last.perolet-replay "$1"
}

# The downloaded replay behind a copy of its record: not taken, the copy stays unverified.
send Вася "$score" "$country" honest.perolet-replay
[ "$answer" = 409 ] || fail "a downloaded replay behind a copy of its record: $answer"
[ "$(state "$sent")" = unverified ] || fail "the copy is $(state "$sent")"

# Петя's honest replay behind his forged score: refused, out of the table, kept for the operator.
another_game petya.perolet-replay 207 229 242 255
send Петя 10000000 "$country" petya.perolet-replay
[ "$answer" = 202 ] || fail "the forged record's replay: $answer"
forged=$sent
[ "$(checked "$forged")" = refused ] || fail "a forged score is $(state "$forged")"
! curl -sf "$base/api/records?all=1" | grep -q '"score":10000000' || fail "a refused record in the JSON"
admin refused | grep -qP "^$forged\tПетя\t.*\tplays to $score, not 10000000\$" ||
  fail "admin refused: $(admin refused)"
# A repeat of the upload finds no record waiting for it.
[ "$(curl -s -o /dev/null -w '%{http_code}' --data-binary @petya.perolet-replay \
  "$base/api/replays?inf=$(record_symbols Петя 10000000 "$country")")" = 404 ] ||
  fail "a repeated upload was taken"

# A byte of the packed game changed: the rule is the score, so either verdict will do.
python3 - honest.perolet-replay changed.perolet-replay << 'PY'
import sys
data = bytearray(open(sys.argv[1], "rb").read())
data[-20] ^= 0x01
open(sys.argv[2], "wb").write(data)
PY
send Вася "$score" "$country" changed.perolet-replay
[ "$answer" = 202 ] || fail "a changed replay: $answer"
verdict=$(checked "$sent")
[ "$verdict" = refused ] || [ "$verdict" = verified ] || fail "a changed replay is $verdict"

# Other rules: the header's version and rules fingerprint changed (nothing checks them but the
# checker), so the checker names the version and no operator's checker plays it.
python3 - honest.perolet-replay other.perolet-replay << 'PY'
import sys
data = bytearray(open(sys.argv[1], "rb").read())
length = data[10]
data[11:11 + length] = b"0" * (length - 1) + b"9"
data[11 + length] ^= 0xFF
open(sys.argv[2], "wb").write(data)
PY
send Вася "$score" "$country" other.perolet-replay
[ "$answer" = 202 ] || fail "another version's replay: $answer"
[ "$(checked "$sent")" = unchecked ] || fail "another version's replay is $(state "$sent")"
admin list --limit 1 | grep -qP "\tunchecked\t0*9\$" || fail "the version: $(admin list --limit 1)"

# Hostile replays: bit flips of the honest one and of the fuzz corpus, and one that claims
# 2^40 frames. Each is answered, checked within the limits, and the server keeps serving.
python3 - honest.perolet-replay "$corpus" << 'PY'
import os, random, sys
sources = [sys.argv[1]] + sorted(os.path.join(sys.argv[2], f) for f in os.listdir(sys.argv[2]))
rng = random.Random(24)
for n, source in enumerate(sources):
    base = open(source, "rb").read()
    for k in range(4):
        data = bytearray(base)
        for _ in range(1 + k):
            at = rng.randrange(len(data) * 8)
            data[at // 8] ^= 1 << (at % 8)
        open(f"flip{n}-{k}.perolet-replay", "wb").write(data)
data = bytearray(base := open(sys.argv[1], "rb").read())
at = 11 + data[10] + 32
for _ in range(2):  # name and country
    at += 1 + data[at]
at += 12  # score, level, lives
data[at:at + 8] = (1 << 40).to_bytes(8, "little")
open("frames.perolet-replay", "wb").write(data)
PY
hostile=()
for file in flip*.perolet-replay frames.perolet-replay; do
  send Вася "$score" "$country" "$file"
  [ "$answer" = 202 ] || fail "$file was not taken: $answer"
  hostile+=("$sent")
done
for id in "${hostile[@]}"; do
  verdict=$(checked "$id")
  [ "$verdict" != checking ] || fail "record $id's check did not end"
  curl -sf "$base/healthz" > /dev/null || fail "the server stopped serving"
done
[ "$(state "$game")" = verified ] || fail "the game's record changed"

! grep -qE 'Вася|Петя|Коля' "$work/records.log" || fail "a name reached the log"

# Nothing accepted is lost: a server without a checker takes a replay and leaves it checking,
# and the next server to start with one finds it in the database and checks it.
stop_records
[ "$records_status" -eq 0 ] || fail "the server ended with status $records_status on SIGTERM"
start_records --db "$db" --trusted-proxy 127.0.0.1 --rate 0 --verify-program "$work/none"
grep -q "no checker: $work/none does not answer" "$work/records.log" || fail "no word of no checker"
another_game kolya.perolet-replay 202 238 235 255
send Коля "$score" "$country" kolya.perolet-replay
[ "$answer" = 202 ] && [ "$(state "$sent")" = checking ] || fail "without a checker: $answer"
stop_records
start_records --db "$db" --verify-data "$(dirname "$sim")"
[ "$(checked "$sent")" = verified ] || fail "the replay left checking is $(state "$sent")"
stop_records
[ "$records_status" -eq 0 ] || fail "the server ended with status $records_status on SIGTERM"
echo "records verify ($store): ok"
