#!/usr/bin/env bash
# The records server under load, on each store: CLIENTS clients on loopback for SECONDS,
# each sending a new result and reading the page in turn. Prints submissions a second, the
# page's median and 99th-percentile time, and the machine; fails when the database does not
# hold exactly the submissions the server said it took.
#   records-load.sh BUILD [CLIENTS] [SECONDS]
set -euo pipefail
build=$(readlink -f "${1:-build}")
clients=${2:-32}
seconds=${3:-30}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
records_bin="$build/perolet-records"
pg_started=""
cleanup() {
  stop_records
  [ -z "$pg_started" ] || "$source_dir/scripts/pg-scratch" stop "$PG_SCRATCH"
  rm -rf "$work"
}
trap cleanup EXIT
source "$source_dir/tests/integration/records_server_lib.sh"

echo "machine: $(nproc) cores ($(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n 1)), $(free -g | awk '/^Mem:/ {print $2}') GB memory; load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "clients=$clients seconds=$seconds; each client: a new result, then the page, in turn"
status=0
for store in sqlite postgresql; do
  if [ "$store" = sqlite ]; then
    db="$work/records.sqlite"
  else
    if [ -z "${PEROLET_TEST_PG:-}" ]; then
      eval "$("$source_dir/scripts/pg-scratch" start)"
      pg_started=yes
    fi
    pg_database perolet_bench
    db=$pg_url
  fi
  # The one address of every client must not be limited; the log goes to a file.
  start_records --db "$db" --rate 0 --threads $((clients * 2))
  port=${base##*:}
  result=$("$build/perolet-records-load" 127.0.0.1 "$port" "$clients" "$seconds") || status=1
  stored=$(sed -n 's/^stored=\([0-9]*\) .*/\1/p' <<< "$result")
  total=$(curl -sf "$base/api/records?limit=0" | sed -n 's/^{"total":\([0-9]*\),.*/\1/p')
  stop_records
  echo "$store: $result database_total=$total"
  [ "$stored" = "$total" ] || { echo "$store: LOST: the server took $stored, the database holds $total"; status=1; }
done
exit $status
