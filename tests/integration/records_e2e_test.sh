#!/usr/bin/env bash
# A player's result reaches the world records: the server on loopback with a database of its
# own, the game (perolet-sim) plays a scripted game with the crowd of enemies that scores
# enough for the table, types a Cyrillic name and sends; the page then shows the name in
# UTF-8, the JSON lists it, and the server stops cleanly on SIGTERM.
#   records_e2e_test.sh RECORDS SIM sqlite|postgresql
set -euo pipefail
records_bin=$(readlink -f "$1")
sim=$(readlink -f "$2")
store=$3
here=$(dirname "$(readlink -f "$0")")
work=$(mktemp -d)
trap 'stop_records; rm -rf "$work"' EXIT
source "$here/records_server_lib.sh"
fail() { echo "FAIL: $*" >&2; [ -f "$work/records.log" ] && tail -n 20 "$work/records.log" >&2; exit 1; }

case "$store" in
  sqlite) db="$work/records.sqlite" ;;
  postgresql)
    if [ -z "${PEROLET_TEST_PG:-}" ]; then
      echo "SKIP: PEROLET_TEST_PG is not set (.ci/run starts a PostgreSQL for this test)"
      exit 77
    fi
    pg_database perolet_e2e
    db=$pg_url
    ;;
  *) fail "store must be sqlite or postgresql" ;;
esac
# As behind a proxy on this host; one result a minute from an address tells them apart. The
# crowd moves the game from outside, so its replay cannot prove the record: this server has no
# checker and leaves the replay checking (records_verify_test.sh checks replays).
start_records --db "$db" --trusted-proxy 127.0.0.1 --rate 1 --verify-program "$work/no-checker"

cd "$work"
mkdir -p Data && ln -s "$(dirname "$sim")/Data/Res" Data/Res && ln -s "$(dirname "$sim")/Data/Music" Data/Music
# Start, fire through a crowd of enemies, leave to the menu (Escape, Y), clear the offered
# name, type "Вася" in code page 1251, Enter, and Y to send.
{
  printf '70 char 13\n300 down 32\n2000 up 32\n2010 down 27\n2012 up 27\n2030 down 89\n2032 up 89\n'
  for f in $(seq 2060 2069); do echo "$f char 8"; done
  printf '2070 char 194\n2071 char 224\n2072 char 241\n2073 char 255\n2080 char 13\n'
  printf '2100 down 89\n2102 up 89\n'
} > play.txt
"$sim" --frames 2200 --seed 1 --crowd --input play.txt --score-url "$base" --trace t.jsonl > /dev/null
sent=$(grep -c '"requests":\["http://127.0.0.1:[0-9]*/cgi/version.pl?hs&prg=Featherstrike&inf=' t.jsonl) ||
  fail "no frame of the trace lists the request"
[ "$sent" -eq 1 ] || fail "the request was listed $sent times"
score=$(grep '"requests":\["' t.jsonl | sed -n 's/.*"score":\([0-9]*\),.*/\1/p')

page=$(curl -sf "$base/cgi/version.pl?prg=Featherstrike&type=0&show") || fail "the page"
grep -q "<td>Вася</td>" <<< "$page" || fail "the page does not show the name in UTF-8"
# The page sets thousands apart with narrow no-break spaces (U+202F); the JSON keeps digits.
shown=$score
while [[ $shown =~ ^([0-9]+)([0-9]{3})(.*)$ ]]; do
  shown="${BASH_REMATCH[1]}"$'\xe2\x80\xaf'"${BASH_REMATCH[2]}${BASH_REMATCH[3]}"
done
grep -q "<td class=\"n\">$shown</td>" <<< "$page" || fail "the page does not show the score $shown"
api=$(curl -sf "$base/api/records") || fail "the JSON"
grep -q "\"name\":\"Вася\",\"country\":\"[^\"]*\",\"score\":$score," <<< "$api" || fail "the JSON: $api"
grep -q '"total":1,' <<< "$api" || fail "one game, one record: $api"
curl -sf "$base/healthz" > /dev/null || fail "health check"

# The proxy names the client: each address has its own rate, and a header that names none
# leaves the proxy's (which sent the game's result). A browser may not submit at all.
url=$(grep -o '"requests":\["[^"]*' t.jsonl | head -n 1 | cut -d'"' -f4)
status_as() { curl -s -o /dev/null -w '%{http_code}' -H "$1" "$url"; }
[ "$(status_as 'X-Forwarded-For: 6.6.6.6, 203.0.113.5')" = 200 ] || fail "a forwarded client"
[ "$(status_as 'X-Forwarded-For: 203.0.113.5')" = 429 ] || fail "the forwarded client's rate"
[ "$(status_as 'X-Forwarded-For: 198.51.100.5')" = 200 ] || fail "another forwarded client"
[ "$(status_as 'X-Forwarded-For: unknown')" = 429 ] || fail "a malformed header: not the proxy's rate"
[ "$(curl -s -w ' %{http_code}' -H 'Origin: https://example.org' "$url")" = \
  "results come from the game, not from web pages
 403" ] || fail "a submission from a web page"
[ "$(curl -s -o /dev/null -w '%{http_code}' -H 'Sec-Fetch-Site: cross-site' "$base/")" = 200 ] ||
  fail "the page is closed to browsers"
grep -q '"total":3,' <<< "$(curl -sf "$base/api/records?limit=0")" || fail "three stored"

# The operator's commands on the same database while the server runs: the newest records, one
# hidden from the page and the JSON and shown again, a network and a name banned (their later
# results refused) and let in again, and a backup that holds the same rows.
admin() { "$records_bin" admin --db "$db" "$@"; }
total() { curl -sf "$base/api/records?limit=0" | sed -n 's/^{"total":\([0-9]*\),.*/\1/p'; }
listed=$(admin list --limit 10) || fail "admin list"
[ "$(wc -l <<< "$listed")" -eq 4 ] || fail "admin list, a header and three records: $listed"
grep -qP "^[0-9]+\tВася\t[^\t]*\t$score\t[-0-9]{10} [:0-9]{8}\tshown\t[a-z]+\t[^\t]*\$" <<< "$listed" ||
  fail "admin list: $listed"
# The three are the game's one result, sent from three addresses.
ids=$(admin find Вас | awk -F'\t' 'NR > 1 { print $1 }')
[ "$(wc -w <<< "$ids")" -eq 3 ] || fail "admin find: $ids"
for id in $ids; do
  [ "$(admin hide "$id")" = "record $id hidden" ] || fail "admin hide $id"
done
[ "$(total)" = 0 ] || fail "hidden records are counted"
! curl -sf "$base/api/records?all=1" | grep -q 'Вася' || fail "a hidden record in the JSON"
! curl -sf "$base/" | grep -q 'Вася' || fail "a hidden record on the page"
for id in $ids; do
  [ "$(admin unhide "$id")" = "record $id shown" ] || fail "admin unhide $id"
done
[ "$(total)" = 3 ] && curl -sf "$base/" | grep -q 'Вася' || fail "records shown again"
[ "$(admin ban prefix 203.0.113.77/24)" = "ban of the prefix 203.0.113.0/24 made" ] ||
  fail "admin ban prefix"
[ "$(status_as 'X-Forwarded-For: 203.0.113.9')" = 403 ] || fail "a banned network's record"
admin unban prefix 203.0.113.0/24 > /dev/null || fail "admin unban prefix"
[ "$(status_as 'X-Forwarded-For: 203.0.113.9')" = 200 ] || fail "a record once the ban is lifted"
admin ban name Вася > /dev/null || fail "admin ban name"
[ "$(status_as 'X-Forwarded-For: 192.0.2.50')" = 403 ] || fail "a banned name's record"
[ "$(admin bans | cut -f 1,2)" = $'kind\tvalue\nname\tВася' ] || fail "admin bans"
[ "$(total)" = 4 ] || fail "a refused record was stored"
if [ "$store" = sqlite ]; then
  admin backup "$work/copy.sqlite" > /dev/null || fail "admin backup"
  [ "$("$records_bin" admin --db "$work/copy.sqlite" list)" = "$(admin list)" ] ||
    fail "the backup holds other rows"
else
  # pg_dump, as backup and the README say, into a database of its own.
  ! admin backup "$work/copy.dump" 2> "$work/backup.txt" && grep -q pg_dump "$work/backup.txt" ||
    fail "backup on PostgreSQL does not point to pg_dump"
  pg_dump --format=custom --file="$work/copy.dump" "$db" || fail "pg_dump"
  pg_database perolet_e2e_copy
  pg_restore --dbname="$pg_url" "$work/copy.dump" || fail "pg_restore"
  [ "$("$records_bin" admin --db "$pg_url" list)" = "$(admin list)" ] ||
    fail "the restored copy holds other rows"
fi

# A request line past what the HTTP layer reads is refused like any URL over 8 KB.
long=$(head -c 9000 /dev/zero | tr '\0' K)
[ "$(curl -s -w ' %{http_code}' "$base/cgi/version.pl?hs&prg=Featherstrike&inf=$long")" = \
  "URL over 8 KB
 400" ] || fail "a URL over 8 KB"
"$records_bin" --help | grep -q -- '--rate N' || fail "--help"
set +e
"$records_bin" --rate many 2> "$work/usage.txt"; usage_status=$?
set -e
[ $usage_status -eq 2 ] && grep -q -- '--rate' "$work/usage.txt" || fail "a bad option: $usage_status"

# No query string, so no name, ever reaches the log.
grep -q ' GET /cgi/version.pl 200 ' "$work/records.log" || fail "no log line for the submission"
! grep -q 'inf=\|Featherstrike\|Вася' "$work/records.log" || fail "the log holds a query"
stop_records
[ "$records_status" -eq 0 ] || fail "the server ended with status $records_status on SIGTERM"
grep -q 'perolet-records: stopped' "$work/records.log" || fail "no clean stop"
if [ "$store" = sqlite ]; then
  [ ! -e "$db-wal" ] || fail "the write-ahead log was not folded back at the stop"
fi
echo "records end to end ($store): ok"
