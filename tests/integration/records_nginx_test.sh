#!/usr/bin/env bash
# HTTPS in front of the records servers, as dist/nginx/perolet-records.conf ships it: Debian's
# nginx with a throw-away CA and certificate, in front of two perolet-records on one database
# (PostgreSQL with PEROLET_TEST_PG, else one SQLite file). The game (perolet-sim) sends a
# result over HTTPS trusting the test's CA, Chromium shows it on the page over HTTPS, and the
# servers count the address nginx saw, whatever X-Forwarded-For the client sends.
#   records_nginx_test.sh RECORDS SIM
set -euo pipefail
records_bin=$(readlink -f "$1")
sim=$(readlink -f "$2")
here=$(dirname "$(readlink -f "$0")")
shipped="$here/../../dist/nginx/perolet-records.conf"
nginx=$(command -v nginx || ls /usr/sbin/nginx 2> /dev/null || true)
if [ -z "$nginx" ]; then
  echo "SKIP: nginx is not installed (scripts/install-deps installs nginx-light)"
  exit 77
fi
browser=$(command -v chromium || command -v chromium-browser) ||
  { echo "FAIL: chromium is not installed (scripts/install-deps installs it)" >&2; exit 1; }
work=$(mktemp -d)
top=$work  # start_records below sees a folder of its own as $work
server_pids=()
# nginx is started by its own pid, so that this stops it: one left running would keep the
# files (and locks) this test inherited open.
stop_all() {
  if [ -n "${nginx_pid:-}" ]; then
    kill -TERM "$nginx_pid" 2> /dev/null || true
    wait "$nginx_pid" 2> /dev/null || true
  fi
  for pid in "${server_pids[@]}"; do
    kill -TERM "$pid" 2> /dev/null || true
    wait "$pid" 2> /dev/null || true
  done
  rm -rf "$top"
}
trap stop_all EXIT
source "$here/records_server_lib.sh"
fail() {
  echo "FAIL: $*" >&2
  tail -n 5 "$top"/server*/records.log "$top/nginx/error.log" >&2 2> /dev/null || true
  exit 1
}

if [ -n "${PEROLET_TEST_PG:-}" ]; then
  pg_database perolet_nginx
  db=$pg_url
else
  db="$work/records.sqlite"
fi
# Two servers on one database, as behind the proxy on a host; one result a minute from an
# address tells the addresses they count apart. The second starts once the first has set the
# database up.
upstream_ports=()
for n in 1 2; do
  mkdir "$work/server$n"
  # The crowd's game cannot be proved by its replay (the crowd moves it from outside): no
  # checker, so its record is shown while its replay waits.
  work="$work/server$n" start_records --db "$db" --trusted-proxy 127.0.0.1 --rate 1 \
    --verify-program "$top/no-checker"
  server_pids+=("$records_pid")
  upstream_ports+=("${base##*:}")
done

# A CA of the test's own and a certificate from it for the loopback addresses.
tls="$work/tls"
mkdir "$tls"
make_key() {
  openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256 -out "$1" 2> /dev/null
}
make_key "$tls/ca.key"
make_key "$tls/privkey.pem"
openssl req -x509 -new -key "$tls/ca.key" -subj /CN=perolet-test-ca -days 1 -out "$tls/ca.pem" \
  -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign
printf 'subjectAltName=IP:127.0.0.1,IP:::1\nextendedKeyUsage=serverAuth\n' > "$tls/server.ext"
openssl req -new -key "$tls/privkey.pem" -subj /CN=127.0.0.1 |
  openssl x509 -req -CA "$tls/ca.pem" -CAkey "$tls/ca.key" -days 1 -out "$tls/fullchain.pem" \
    -extfile "$tls/server.ext" 2> /dev/null

# The shipped server block with only its ports and certificate paths changed, inside the
# little nginx.conf a user (not root) can run: everything nginx writes stays in $work.
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0))
print(s.getsockname()[1])')
mkdir -p "$work/nginx"
# Each placeholder once: the two listen lines, the two upstream servers, the two certificate
# paths (a host without IPv6 drops the IPv6 listen line instead).
ipv6_listen="s/listen \[::\]:443 /listen [::1]:$port /"
substituted=6
if ! grep -q '^0\{31\}1 ' /proc/net/if_inet6 2> /dev/null; then
  ipv6_listen='/listen \[::\]:443 /d'
  substituted=5
fi
sed -e "s/listen 443 /listen 127.0.0.1:$port /" -e "$ipv6_listen" \
  -e "s/server 127\.0\.0\.1:8080;/server 127.0.0.1:${upstream_ports[0]};/" \
  -e "s/server 127\.0\.0\.1:8081;/server 127.0.0.1:${upstream_ports[1]};/" \
  -e "s|/etc/letsencrypt/live/records\.example\.org/|$tls/|" \
  "$shipped" > "$work/nginx/records.conf"
[ "$(diff "$shipped" "$work/nginx/records.conf" | grep -c '^>')" -eq $substituted ] ||
  fail "the shipped file's ports or certificate paths are not where this test substitutes them"
{
  echo "daemon off;"
  # As root the workers would become nobody, who may not write in $work.
  [ "$(id -u)" -ne 0 ] || echo "user root root;"
  echo "worker_processes 1;"
  echo "pid $work/nginx/nginx.pid;"
  echo "error_log $work/nginx/error.log;"
  echo "events { worker_connections 64; }"
  echo "http {"
  echo "  access_log $work/nginx/access.log;"
  for temp in client_body proxy fastcgi uwsgi scgi; do
    echo "  ${temp}_temp_path $work/nginx/$temp;"
  done
  echo "  include $work/nginx/records.conf;"
  echo "}"
} > "$work/nginx/nginx.conf"
nginx_args=(-p "$work/nginx/" -c "$work/nginx/nginx.conf" -e "$work/nginx/error.log")
"$nginx" "${nginx_args[@]}" -t -q || fail "nginx does not take the configuration"
"$nginx" "${nginx_args[@]}" < /dev/null > /dev/null 2>&1 &
nginx_pid=$!
https="https://127.0.0.1:$port"
ask() { curl -s --cacert "$tls/ca.pem" "$@"; }
for _ in $(seq 50); do
  ask -o /dev/null "$https/healthz" && break
  kill -0 "$nginx_pid" 2> /dev/null || fail "nginx did not start"
  sleep 0.1
done
[ "$(ask -o /dev/null -w '%{http_version} %{http_code}' "$https/healthz")" = "2 200" ] ||
  fail "no HTTP/2 answer from the servers through nginx"

# 1. The game sends a result over HTTPS, trusting the test's CA as an operator's players would
# trust theirs: a scripted game that scores enough for the table, the name "Вася", Y to send.
cd "$work"
mkdir -p Data
ln -s "$(dirname "$sim")/Data/Res" Data/Res
ln -s "$(dirname "$sim")/Data/Music" Data/Music
{
  printf '70 char 13\n300 down 32\n2000 up 32\n2010 down 27\n2012 up 27\n2030 down 89\n2032 up 89\n'
  for f in $(seq 2060 2069); do echo "$f char 8"; done
  printf '2070 char 194\n2071 char 224\n2072 char 241\n2073 char 255\n2080 char 13\n'
  printf '2100 down 89\n2102 up 89\n'
} > play.txt
CURL_CA_BUNDLE="$tls/ca.pem" "$sim" --frames 2200 --seed 1 --crowd --input play.txt \
  --score-url "$https" --trace t.jsonl > /dev/null
url=$(grep -o '"requests":\["[^"]*' t.jsonl | head -n 1 | cut -d'"' -f4)
[[ "$url" == "$https/cgi/version.pl?hs&"* ]] || fail "the game sent no result: '$url'"
score=$(grep '"requests":\["' t.jsonl | sed -n 's/.*"score":\([0-9]*\),.*/\1/p')
page="$https/cgi/version.pl?prg=Featherstrike&type=0&show"
# A score's digits, however the page groups them.
shows_result() {
  grep -q "<td>Вася</td>" "$1" &&
    grep -o '<td class="n">[^<]*</td>' "$1" | tr -cd '0-9\n' | grep -x "$score" > /dev/null
}
ask "$page" > page.html || fail "the page over HTTPS"
shows_result page.html || fail "the page does not show the game's result (Вася, $score)"

# 2. Chromium loads the page over HTTPS, trusting the certificate by its key's hash.
spki=$(openssl x509 -in "$tls/fullchain.pem" -pubkey -noout | openssl pkey -pubin -outform der |
  openssl dgst -sha256 -binary | base64)
"$browser" --headless --no-sandbox --disable-gpu --disable-background-networking \
  --disable-component-update --disable-sync --no-first-run --user-data-dir="$work/profile" \
  --ignore-certificate-errors-spki-list="$spki" --dump-dom "$page" > dom.html 2> chromium.log ||
  fail "chromium could not load the page"
shows_result dom.html || fail "chromium does not show the result over HTTPS"

# 3. The servers count the address nginx saw, never one the client wrote: four results from
# 127.0.0.2, each naming another X-Forwarded-For, are taken at most once by each server;
# 127.0.0.3 is then taken at once, so the address nginx passed is not nginx's own.
send_from() {
  ask -o /dev/null -w '%{http_code}\n' --interface "$1" -H "X-Forwarded-For: $2" "$url"
}
taken=0
for forged in 203.0.113.5 198.51.100.6 192.0.2.7 203.0.113.8; do
  if [ "$(send_from 127.0.0.2 "$forged")" = 200 ]; then taken=$((taken + 1)); fi
done
if [ "$taken" -lt 1 ] || [ "$taken" -gt 2 ]; then
  fail "a client's own X-Forwarded-For chose the address: $taken of 4 taken"
fi
[ "$(send_from 127.0.0.3 203.0.113.5)" = 200 ] || fail "another client was counted as the first"
echo "records behind nginx: ok (HTTPS, HTTP/2, two servers, $taken of 4 forged taken)"
