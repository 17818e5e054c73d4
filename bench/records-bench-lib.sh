# shellcheck shell=bash
# Shared by the records benchmarks (records-load.sh, records-attack.sh, records-reads.sh):
# the server to measure, a work folder removed at exit with the server and any scratch
# PostgreSQL cluster it started, the machine line, an empty database of either store, and the
# PASS/FAIL lines. The caller sets $build to the build folder; RECORDS=PATH measures another
# perolet-records binary (an older one, say) with this build's load and attack programs.
build=$(readlink -f "${build:?the build folder}")
records_bin=$(readlink -f "${RECORDS:-$build/perolet-records}")
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$(mktemp -d)
pg_started=""
bench_status=0
bench_cleanup() {
  stop_records
  [ -z "$pg_started" ] || "$source_dir/scripts/pg-scratch" stop "$PG_SCRATCH"
  rm -rf "$work"
}
trap bench_cleanup EXIT
source "$source_dir/tests/integration/records_server_lib.sh"
export PGOPTIONS="-c client_min_messages=warning"  # no notices of databases dropped

print_machine() {
  echo "machine: $(nproc) cores ($(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n 1)), $(free -g | awk '/^Mem:/ {print $2}') GB memory; load average $(cut -d' ' -f1-3 /proc/loadavg)"
  echo "server: $records_bin"
}

# bench_database STORE NAME: sets $db to an empty database NAME on STORE (sqlite or
# postgresql); the first PostgreSQL one starts a scratch cluster unless PEROLET_TEST_PG names one.
bench_database() {
  if [ "$1" = sqlite ]; then
    db="$work/$2.sqlite"
    rm -f "$db" "$db-wal" "$db-shm"
    return
  fi
  if [ -z "${PEROLET_TEST_PG:-}" ]; then
    eval "$("$source_dir/scripts/pg-scratch" start)"
    pg_started=yes
  fi
  pg_database "$2"
  db=$pg_url
}

# field NAME LINE: the value of NAME=value in a line of figures.
field() {
  sed -n "s/.*\\b$1=\\([^ ]*\\).*/\\1/p" <<< "$2"
}

# verdict LABEL OK TEXT [MORE]: "LABEL: TEXT: PASS (MORE)" when OK is yes, else FAIL (and
# the script's status becomes 1).
verdict() {
  local result=PASS
  [ "$2" = yes ] || { result=FAIL; bench_status=1; }
  echo "$1: $3: $result${4:+ ($4)}"
}

# bound LABEL WHAT FIGURE <=|>= LIMIT UNIT [MORE]: the figure against its limit; a figure that
# is not a number (no answer, a crashed server) fails.
bound() {
  local ok
  ok=$(awk -v f="$3" -v op="$4" -v b="$5" 'BEGIN {
    print (f ~ /^-?[0-9]+(\.[0-9]+)?$/ && (op == "<=" ? f + 0 <= b + 0 : f + 0 >= b + 0)) ? "yes" : "no" }')
  verdict "$1" "$ok" "$2 $3${6:+ $6}, bound $4 $5${6:+ $6}" "${7:-}"
}
