# Shared by the records server's tests: start_records ARGS... starts perolet-records on a
# free loopback port and sets $records_pid and $base; the caller's EXIT trap calls stop_records.
# It waits $records_start_seconds (10) for the server: longer where start-up brings a big
# table up to date.
# PostgreSQL tests get a database of their own: pg_database NAME sets $pg_url.
records_bin=${records_bin:?}

start_records() {
  "$records_bin" --listen 127.0.0.1:0 "$@" 2> "$work/records.log" &
  records_pid=$!
  local port=""
  for _ in $(seq $((${records_start_seconds:-10} * 10))); do
    port=$(sed -n 's/.*serving on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$work/records.log" 2> /dev/null || true)
    [ -n "$port" ] && break
    kill -0 "$records_pid" 2> /dev/null || break
    sleep 0.1
  done
  [ -n "$port" ] || { cat "$work/records.log" >&2; echo "FAIL: the server did not start" >&2; exit 1; }
  base="http://127.0.0.1:$port"
}

# Sets $records_status to the server's exit status.
stop_records() {
  [ -n "${records_pid:-}" ] || return 0
  kill -TERM "$records_pid" 2> /dev/null || true
  records_status=0
  wait "$records_pid" 2> /dev/null || records_status=$?
  records_pid=""
}

pg_database() {
  local name=$1
  psql "$PEROLET_TEST_PG" -qc "DROP DATABASE IF EXISTS $name" -c "CREATE DATABASE $name" > /dev/null
  case "$PEROLET_TEST_PG" in
    *\?*) pg_url="$PEROLET_TEST_PG&dbname=$name" ;;
    *) pg_url="$PEROLET_TEST_PG?dbname=$name" ;;
  esac
}

# The symbols of a record as the game sends it: code page 1251, in the score alphabet.
#   record_symbols NAME SCORE [COUNTRY]
record_symbols() {
  python3 - "$1" "$2" "${3:-RU}" << 'PY'
import sys
alphabet = "KM7RTX2BQWE9FHJ4NPSU3CVYZ8GLDA56"
name, score, country = sys.argv[1:4]
record = ("type=0|name=" + name + "|score=" + score + "|key=P|p=|add=" + country + "|z=")
record = record.encode("cp1251")
record += b"0" * (-len(record) % 5)
bits = "".join(format(b, "08b") for b in record)
print("".join(alphabet[int(bits[i:i + 5], 2)] for i in range(0, len(bits), 5)))
PY
}

# The HTTP status of sending a record: send_record NAME SCORE (a multiple of 5)
send_record() {
  curl -s -o /dev/null -m 10 -w '%{http_code}' \
    "$base/cgi/version.pl?hs&prg=Featherstrike&inf=$(record_symbols "$1" "$2")"
}
