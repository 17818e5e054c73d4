#!/usr/bin/env bash
# Reads of the records server on a big table, on each store: fills ROWS results straight into
# the database (no HTTP), starts the server on it and times with curl the first page, deep
# pages (every game a tenth, half and all the way down; the players' bests half-way down), the
# JSON and the health check (median and worst of TRIES), then has 32 clients read those pages
# for 10 s. The fill is made before the server first opens the database, so its
# start-up also brings an older table up to date. Bounds: the first page's median at most
# 5 ms, every deep page at most 20 ms, and on SQLite at least 1000 pages a second.
#   records-reads.sh BUILD [ROWS] [TRIES]     (RECORDS=PATH reads another perolet-records)
# STORES="sqlite" (or "postgresql") reads one store only. With OFFSET_PAGES=1 the deep page
# is asked for as ?page=N (servers from before cursors).
set -euo pipefail
build=${1:-build}
rows=${2:-1000000}
tries=${3:-20}
source "$(dirname "$0")/records-bench-lib.sh"
readers=32
read_seconds=10
records_start_seconds=900  # start-up indexes a table filled the old way

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
# sql STORE QUERY: one row, its columns joined by dots (a row's key as ?after= takes it).
sql() {
  if [ "$1" = sqlite ]; then sqlite3 -separator . "$db" "$2"; else psql "$db" -At -F . -c "$2"; fi
}
# The query of the page whose first row is the one at RANK in TABLE (records: every game;
# players: each player's best).
page_at() {
  local store=$1 table=$2 rank=$3 view="" key
  [ "$table" = records ] && view="&all=1"
  if [ "${OFFSET_PAGES:-}" = 1 ]; then
    echo "$page$view&page=$((rank / 100 + 1))"
    return
  fi
  key=$(sql "$store" "SELECT score, submitted, id FROM $table
    ORDER BY score DESC, submitted, id LIMIT 1 OFFSET $((rank - 1))")
  echo "$page$view&after=$key&rank=$rank"
}
# Each time of a URL in milliseconds, one a line, sorted; no answer in 10 s counts as 10 s.
times_of() {
  local took
  for _ in $(seq "$tries"); do
    took=$(curl -sf -m 10 -o /dev/null -w '%{time_total}' "$1") || took=10
    awk -v s="$took" 'BEGIN {print s * 1000}'
  done | sort -n
}
# "median M ms, worst W ms" of sorted times.
summary() {
  awk '{t[NR] = $1} END {printf "median %.1f ms, worst %.1f ms", t[int((NR + 1) / 2)], t[NR]}' <<< "$1"
}

echo "rows=$rows tries=$tries"
print_machine
page="/cgi/version.pl?prg=Featherstrike&type=0&show"
for store in ${STORES:-sqlite postgresql}; do
  bench_database "$store" "perolet_reads"
  started=$(date +%s.%N)
  if [ "$store" = sqlite ]; then fill_sqlite "$db"; else fill_pg "$db"; fi
  echo "$store: filled $rows rows in $(echo "$(date +%s.%N) - $started" | bc) s"
  started=$(date +%s.%N)
  start_records --db "$db" --rate 0
  echo "$store: start-up $(echo "$(date +%s.%N) - $started" | bc) s"

  players=$(sql "$store" "SELECT count(*) FROM players" 2> /dev/null || echo 100000)
  deep_pages=("$(page_at "$store" records $((rows / 10)))" "$(page_at "$store" records $((rows / 2)))"
    "$(page_at "$store" records $((rows - 99)))" "$(page_at "$store" players $((players / 2)))")
  first=$(times_of "$base$page")
  echo "$store: first page: $(summary "$first")"
  deep=""
  for url in "${deep_pages[@]}"; do
    times=$(times_of "$base$url")
    echo "$store: ${url#"$page"}: $(summary "$times")"
    deep+="$times"$'\n'
  done
  echo "$store: /api/records: $(summary "$(times_of "$base/api/records")")"
  echo "$store: /healthz: $(summary "$(times_of "$base/healthz")")"
  load=$("$build/perolet-records-load" 127.0.0.1 "${base##*:}" "$readers" "$read_seconds" \
    "$page" "${deep_pages[@]}") || true
  stop_records

  bound "$store $rows rows" "the first page's median" \
    "$(awk '{t[NR] = $1} END {printf "%.1f", t[int((NR + 1) / 2)]}' <<< "$first")" "<=" 5 ms
  bound "$store $rows rows" "the slowest deep page" \
    "$(sort -n <<< "${deep%$'\n'}" | awk 'END {printf "%.1f", $1}')" "<=" 20 ms
  more="median $(field page_median_ms "$load") ms, 99th percentile $(field page_p99_ms "$load") ms, $(field refused "$load") failed"
  if [ "$store" = sqlite ]; then
    bound "$store $rows rows" "pages a second with $readers clients" \
      "$(field pages_per_s "$load")" ">=" 1000 "" "$more"
  else
    echo "$store $rows rows: pages a second with $readers clients $(field pages_per_s "$load") ($more)"
  fi
done
exit $bench_status
