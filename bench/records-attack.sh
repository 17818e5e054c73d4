#!/usr/bin/env bash
# The records server attacked on loopback as one person could from one machine, each attack
# against a fresh server on SQLite; one line per attack with its figure, its bound and PASS or
# FAIL, and the status 1 when any fails:
#   slow clients   SLOW_TRICKLING connections trickle a header byte every 2 s and SLOW_IDLE send
#                  nothing, 100 to a loopback address (the per-address cap is not what is
#                  tested), each coming back when closed, while a visitor asks for the page
#                  over and over for SLOW_SECONDS, each time on a new connection: its 99th
#                  percentile at most 200 ms;
#   header flood   FLOOD_CONNECTIONS connections send endless small headers for FLOOD_SECONDS:
#                  the server's resident memory at most 64 MB above idle (the flood stops once
#                  the server has grown by 1 GB);
#   prefix flood   PREFIX_ADDRESSES clients, ten to a /24, named by a trusted proxy on 127.0.0.1
#                  in X-Forwarded-For, each send PREFIX_EACH records (within their limits at
#                  --rate 10): afterwards a new client's record is still taken, and no more was
#                  taken than the limits allow. PREFIX_ROUTE=source connects each client from
#                  a loopback address of its own instead (for servers without --trusted-proxy).
#   records-attack.sh BUILD        (RECORDS=PATH attacks another perolet-records;
#                                   ATTACKS="slow_clients header_flood prefix_flood" chooses)
set -euo pipefail
build=${1:-build}
source "$(dirname "$0")/records-bench-lib.sh"
# An attack program that fails leaves its figures out, and its line fails.
attack="$build/perolet-records-attack"

slow_clients() {
  bench_database sqlite slow
  start_records --db "$db"
  local figures
  figures=$("$attack" slow "${base##*:}" "${SLOW_TRICKLING:-5000}" "${SLOW_IDLE:-5000}" \
    "${SLOW_SECONDS:-20}") || true
  stop_records
  bound "slow clients" "the visitor's 99th percentile" "$(field p99_ms "$figures")" "<=" 200 ms \
    "$(field requests "$figures") requests, $(field failed "$figures") unanswered within 5 s, median $(field median_ms "$figures") ms; attackers held $(field held_mean "$figures") of $(field attackers "$figures") on average"
}

header_flood() {
  bench_database sqlite headers
  start_records --db "$db"
  sleep 1  # idle: whatever start-up took is done
  local figures growth
  figures=$("$attack" headers "${base##*:}" "$records_pid" "${FLOOD_CONNECTIONS:-256}" \
    "${FLOOD_SECONDS:-15}" 1024) || true
  growth=$(awk -v p="$(field peak_rss_mb "$figures")" -v i="$(field idle_rss_mb "$figures")" \
    'BEGIN { printf "%.1f", p - i }')
  # A server that died or stopped answering has no figure.
  curl -s -m 5 -o /dev/null "$base/healthz" || growth="none (the server no longer answers)"
  stop_records
  bound "header flood" "the server's memory at its most above idle" "$growth" "<=" 64 MB \
    "idle $(field idle_rss_mb "$figures") MB, peak $(field peak_rss_mb "$figures") MB, $(field after_rss_mb "$figures") MB after; $(field sent_mb "$figures") MB of headers sent in $(field flood_s "$figures") s, $(field answers_431 "$figures") answered 431"
}

prefix_flood() {
  local route=${PREFIX_ROUTE:-forwarded} proxy=() figures ok=no
  [ "$route" = source ] || proxy=(--trusted-proxy 127.0.0.1)
  bench_database sqlite prefixes
  start_records --db "$db" --rate 10 "${proxy[@]}"
  figures=$("$attack" prefixes "${base##*:}" "${PREFIX_ADDRESSES:-20000}" "${PREFIX_EACH:-10}" 10 \
    "$route") || true
  stop_records
  [ "$(field newcomer "$figures")" = taken ] &&
    [ "$(field taken "$figures")" -le "$(field allowed "$figures")" ] && ok=yes
  verdict "prefix flood" "$ok" \
    "a new client's record $(field newcomer "$figures"), bound taken; $(field taken "$figures") of the flood's records taken, bound at most the $(field allowed "$figures") its limits allow" \
    "$(field sent "$figures") sent in $(field flood_s "$figures") s, $(field too_many "$figures") refused 429, $(field other "$figures") otherwise; $(sqlite3 "$db" 'SELECT count(*) FROM records') rows stored, the new client's with them"
}

print_machine
for each in ${ATTACKS:-slow_clients header_flood prefix_flood}; do
  "$each"
done
exit $bench_status
