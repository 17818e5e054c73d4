#!/usr/bin/env bash
# Reads of the records server on a big table, on each store: fills ROWS results straight into
# the database (no HTTP), starts the server on it and times with curl the first page, a page
# half-way down, the JSON and the health check (median and worst of TRIES). The fill is made
# before the server first opens the database, so its start-up also brings an older table up
# to date.
#   records-reads.sh BINARY [ROWS] [TRIES]
# With OFFSET_PAGES=1 the deep page is asked for as ?page=N (servers from before cursors).
set -euo pipefail
records_bin=$(readlink -f "${1:?the perolet-records binary}")
rows=${2:-1000000}
tries=${3:-20}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
pg_started=""
cleanup() {
  stop_records
  [ -z "$pg_started" ] || "$source_dir/scripts/pg-scratch" stop "$PG_SCRATCH"
  rm -rf "$work"
}
trap cleanup EXIT
source "$source_dir/tests/integration/records_server_lib.sh"

# The table as the first server made it; players are named p0…p99999, so most played often.
schema="CREATE TABLE records (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT NOT NULL,
  country TEXT NOT NULL, score INTEGER NOT NULL, submitted INTEGER NOT NULL);"
fill_sqlite() {
  sqlite3 "$1" "$schema" "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n
    WHERE i < $rows) INSERT INTO records (name, country, score, submitted)
    SELECT 'p' || (i % 100000), 'RU', abs(random() % 200000) * 5, 1780000000 + i FROM n;"
}
fill_pg() {
  psql "$1" -q -c "${schema/INTEGER PRIMARY KEY AUTOINCREMENT/BIGSERIAL PRIMARY KEY}" \
    -c "INSERT INTO records (name, country, score, submitted)
        SELECT 'p' || (i % 100000), 'RU', (random() * 200000)::bigint * 5, 1780000000 + i
        FROM generate_series(1, $rows) AS i" -c "ANALYZE records"
}
# Median and worst time of a URL, in milliseconds.
time_url() {
  for _ in $(seq "$tries"); do
    curl -sf -o /dev/null -w '%{time_total}\n' "$1" || echo FAILED
  done | sort -n | awk '{t[NR] = $1} END {printf "median %.1f ms, worst %.1f ms", t[int((NR + 1) / 2)] * 1000, t[NR] * 1000}'
}

echo "rows=$rows tries=$tries binary=$records_bin"
deep=$((rows / 2))
for store in sqlite postgresql; do
  if [ "$store" = sqlite ]; then
    db="$work/records.sqlite"
    fill_sqlite "$db"
    key=$(sqlite3 -separator . "$db" "SELECT score, submitted, id FROM records
      ORDER BY score DESC, submitted, id LIMIT 1 OFFSET $((deep - 1))")
  else
    if [ -z "${PEROLET_TEST_PG:-}" ]; then
      eval "$("$source_dir/scripts/pg-scratch" start)"
      pg_started=yes
    fi
    pg_database perolet_reads
    db=$pg_url
    fill_pg "$db"
    key=$(psql "$db" -At -F . -c "SELECT score, submitted, id FROM records
      ORDER BY score DESC, submitted, id LIMIT 1 OFFSET $((deep - 1))")
  fi
  started=$(date +%s.%N)
  start_records --db "$db" --rate 0
  echo "$store: start-up $(echo "$(date +%s.%N) - $started" | bc) s"
  page="$base/cgi/version.pl?prg=Featherstrike&type=0&show"
  if [ "${OFFSET_PAGES:-}" = 1 ]; then
    deep_page="$page&page=$((deep / 100 + 1))"
  else
    deep_page="$page&all=1&after=$key&rank=$deep"
  fi
  echo "$store: first page: $(time_url "$page")"
  echo "$store: page at rank $deep: $(time_url "$deep_page")"
  echo "$store: /api/records: $(time_url "$base/api/records")"
  echo "$store: /healthz: $(time_url "$base/healthz")"
  stop_records
done
