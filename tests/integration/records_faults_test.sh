#!/usr/bin/env bash
# The records server when its database fails under it: SQLite on a disk that fills up and
# locked by another program (the server says so on /healthz and answers 503, never crashes,
# and recovers), a database on a read-only file system at start (refused with a reason); PostgreSQL
# stopped, hung (SIGSTOP) and restarted while a client sends (503 at once while it is gone,
# every acknowledged record kept, no failed request once it is back). Needs root for the
# small file system (skipped otherwise); PostgreSQL runs in a throw-away cluster of its own.
#   records_faults_test.sh RECORDS
set -euo pipefail
records_bin=$(readlink -f "$1")
here=$(dirname "$(readlink -f "$0")")
work=$(mktemp -d)
mnt=$work/disk
pg_dir=""
cleanup() {
  stop_records
  mountpoint -q "$mnt" && umount "$mnt"
  if [ -n "$pg_dir" ]; then
    pg_signal CONT 2> /dev/null || true
    "$here/../../scripts/pg-scratch" stop "$pg_dir"
  fi
  rm -rf "$work"
}
trap cleanup EXIT
source "$here/records_server_lib.sh"
fail() { echo "FAIL: $*" >&2; tail -n 20 "$work/records.log" >&2; exit 1; }
status_of() { curl -s -o /dev/null -m 10 -w '%{http_code}' "$base$1"; }
alive() { kill -0 "$records_pid" 2> /dev/null || fail "the server died ($1)"; }

mkdir -p "$mnt"
if ! mount -t tmpfs -o size=4m none "$mnt" 2> /dev/null; then
  echo "SKIP: cannot mount a small file system here (needs root)"
  exit 77
fi

# --- SQLite: a full disk, a locked database, a read-only file system -------------------------------------
start_records --db "$mnt/r.sqlite" --rate 0
[ "$(send_record first 100)" = 200 ] || fail "a record before the disk filled"
dd if=/dev/zero of="$mnt/fill" bs=64k 2> /dev/null || true
sleep 1.1  # the health probe is kept a second
[ "$(status_of /healthz)" = 503 ] || fail "/healthz is not 503 on a full disk"
curl -s -m 10 "$base/healthz" | grep -q "no room" || fail "/healthz does not say the disk is full"
for i in $(seq 20); do
  code=$(send_record "full$i" $((200 + 5 * i)))
  [ "$code" = 200 ] || [ "$code" = 503 ] || fail "a record on a full disk got $code"
done
alive "a full disk"
rm "$mnt/fill"
sleep 1.1
[ "$(status_of /healthz)" = 200 ] || fail "/healthz is not 200 once there is room again"
[ "$(send_record after 300)" = 200 ] || fail "a record once there is room again"

# Another program holding the write lock: the probe and the records wait 2 s, then 503.
python3 -c 'import sqlite3, sys, time
c = sqlite3.connect(sys.argv[1], isolation_level=None)
c.execute("BEGIN EXCLUSIVE"); open(sys.argv[2], "w").close(); time.sleep(8)' \
  "$mnt/r.sqlite" "$work/locked" &
locker=$!
while [ ! -f "$work/locked" ]; do sleep 0.1; done
sleep 1.1
[ "$(status_of /healthz)" = 503 ] || fail "/healthz is not 503 on a locked database"
[ "$(send_record locked 400)" = 503 ] || fail "a record on a locked database is not 503"
[ "$(status_of /)" = 200 ] || fail "the page is not read from a locked database"
alive "a locked database"
wait "$locker"
sleep 1.1
[ "$(status_of /healthz)" = 200 ] || fail "/healthz is not 200 once the lock is gone"
stop_records
[ "$records_status" = 0 ] || fail "the server ended with $records_status"

mount -o remount,ro "$mnt"
if "$records_bin" --listen 127.0.0.1:0 --db "$mnt/r.sqlite" 2> "$work/start.log"; then
  fail "the server started on a read-only database"
fi
grep -q "read-only" "$work/start.log" || { cat "$work/start.log" >&2; fail "no reason given"; }
mount -o remount,rw "$mnt"
echo "ok: SQLite on a full disk, locked, and on a read-only file system"

# --- PostgreSQL: stopped, hung and restarted under a client --------------------------------
eval "$("$here/../../scripts/pg-scratch" start)"
pg_dir=$PG_SCRATCH
pg_bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
pg_owner=$(stat -c %U "$pg_dir/data")
# The cluster's server and every process it started (its backends among them).
pg_signal() {
  local main
  main=$(head -n 1 "$pg_dir/data/postmaster.pid")
  kill "-$1" "$main" $(pgrep -P "$main")
}
pg_ctl() { setpriv --reuid="$pg_owner" --regid="$(id -g "$pg_owner")" --clear-groups "$pg_bin/pg_ctl" -D "$pg_dir/data" "$@" > /dev/null; }
start_records --db "$PEROLET_TEST_PG" --rate 0

# Sends records one after another, writing each's status; the acknowledged ones must stay.
sender() {
  local i=0
  while [ ! -f "$work/stop-sending" ]; do
    i=$((i + 1))
    echo "$i $(send_record "p$i" $((5 * i)))" >> "$work/sent"
  done
}
sender &
sender_pid=$!
sleep 1

pg_signal STOP || fail "cannot stop PostgreSQL"
sleep 1
started=$(date +%s%N)
code=$(status_of /healthz)
took=$(( ($(date +%s%N) - started) / 1000000 ))
[ "$code" = 503 ] || fail "/healthz is $code while PostgreSQL hangs"
# The hung call is cut after 2.5 s; a second of slack for a loaded or sanitised build.
[ "$took" -le 3500 ] || fail "/healthz took $took ms while PostgreSQL hangs"
[ "$(status_of /healthz?live)" = 200 ] || fail "/healthz?live waits on a hung database"
[ "$(status_of /nowhere)" = 404 ] || fail "a 404 waits on a hung database"
pg_signal CONT
sleep 2

pg_ctl -m fast stop
sleep 1
[ "$(status_of /healthz)" = 503 ] || fail "/healthz is not 503 while PostgreSQL is stopped"
pg_ctl -w -l "$pg_dir/server.log" -o "-c listen_addresses='' -k $pg_dir -c fsync=off" start
sleep 2
: > "$work/after"
for i in $(seq 20); do send_record "back$i" $((5000 + 5 * i)) >> "$work/after"; echo >> "$work/after"; done
touch "$work/stop-sending"
wait "$sender_pid"
bad=$(grep -vc '^200$' "$work/after" || true)
[ "$bad" = 0 ] || fail "$bad of 20 records failed after PostgreSQL came back: $(sort "$work/after" | uniq -c | tr '\n' ' ')"

acknowledged=$(awk '$2 == 200' "$work/sent" | wc -l)
refused=$(awk '$2 != 200' "$work/sent" | wc -l)
stored=$(psql "$PEROLET_TEST_PG" -Atc "SELECT count(*) FROM records WHERE name LIKE 'p%'")
[ "$stored" -ge "$acknowledged" ] || fail "$acknowledged records acknowledged, $stored stored"
echo "ok: PostgreSQL hung (/healthz 503 in $took ms), stopped and restarted: $acknowledged records acknowledged, $stored stored, $refused refused while it was away"
