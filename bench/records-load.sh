#!/usr/bin/env bash
# The records server under load, on each store: CLIENTS clients on loopback for SECONDS,
# each sending a new result and reading the page in turn. Prints submissions a second, the
# page's median and 99th-percentile time, and the machine; fails when the database does not
# hold exactly the submissions the server said it took.
#   records-load.sh BUILD [CLIENTS] [SECONDS]
set -euo pipefail
build=${1:-build}
clients=${2:-32}
seconds=${3:-30}
source "$(dirname "$0")/records-bench-lib.sh"

print_machine
echo "clients=$clients seconds=$seconds; each client: a new result, then the page, in turn"
for store in sqlite postgresql; do
  bench_database "$store" perolet_bench
  # The one address of every client must not be limited; the log goes to a file.
  start_records --db "$db" --rate 0 --threads $((clients * 2))
  port=${base##*:}
  result=$("$build/perolet-records-load" 127.0.0.1 "$port" "$clients" "$seconds") || bench_status=1
  stored=$(field stored "$result")
  total=$(curl -sf "$base/api/records?limit=0" | sed -n 's/^{"total":\([0-9]*\),.*/\1/p')
  stop_records
  echo "$store: $result database_total=$total"
  [ "$stored" = "$total" ] || { echo "$store: LOST: the server took $stored, the database holds $total"; bench_status=1; }
done
exit $bench_status
