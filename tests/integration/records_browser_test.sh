#!/usr/bin/env bash
# The world-records page in a real browser: headless Chromium loads the page with a few dozen
# records, hostile names among them. Its DOM must hold every row, each name as text (no
# element made from a name, no script run), and its screenshot at a phone's width must not
# be blank.
#   records_browser_test.sh RECORDS
set -euo pipefail
records_bin=$(readlink -f "$1")
here=$(dirname "$(readlink -f "$0")")
browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
  echo "SKIP: chromium is not installed (scripts/install-deps installs it)"
  exit 77
fi
work=$(mktemp -d)
trap 'stop_records; rm -rf "$work"' EXIT
source "$here/records_server_lib.sh"
fail() { echo "FAIL: $*" >&2; exit 1; }

# The records as the game sends them: code page 1251, in the score alphabet.
encode() {
  python3 - "$@" << 'PY'
import sys
alphabet = "KM7RTX2BQWE9FHJ4NPSU3CVYZ8GLDA56"
name, score, country = sys.argv[1], sys.argv[2], sys.argv[3]
record = ("type=0|name=" + name + "|score=" + score + "|key=P|p=|add=" + country + "|z=")
record = record.encode("cp1251")
record += b"0" * (-len(record) % 5)
bits = "".join(format(b, "08b") for b in record)
print("".join(alphabet[int(bits[i:i + 5], 2)] for i in range(0, len(bits), 5)))
PY
}

start_records --db "$work/r.sqlite" --rate 0
rows=36
for i in $(seq 1 $rows); do
  case $i in
    1) name='<script>' ;;  # names are at most 12 characters
    2) name='<img src=x>' ;;
    3) name='Ёжик & "Ко"' ;;
    *) name="Пилот $i" ;;
  esac
  symbols=$(encode "$name" $((i * 5)) "Россия")
  [ "$(curl -s -o /dev/null -w '%{http_code}' "$base/cgi/version.pl?hs&prg=Featherstrike&inf=$symbols")" = 200 ] ||
    fail "record $i was not taken"
done

page="$base/cgi/version.pl?prg=Featherstrike&type=0&show"
chrome() {
  "$browser" --headless --no-sandbox --disable-gpu --disable-background-networking \
    --disable-component-update --disable-sync --no-first-run --user-data-dir="$work/profile" \
    "$@" 2> "$work/chromium.log"
}
chrome --dump-dom "$page" > "$work/dom.html" || fail "chromium could not load the page"
[ "$(grep -o '<tr><td' "$work/dom.html" | wc -l)" -eq $rows ] ||
  fail "the DOM holds $(grep -o '<tr><td' "$work/dom.html" | wc -l) rows, not $rows"
grep -q '<td>&lt;script&gt;</td>' "$work/dom.html" || fail "the script name is not text"
grep -q '<td>&lt;img src=x&gt;</td>' "$work/dom.html" || fail "the image name is not text"
grep -q '<td>Ёжик &amp; "Ко"</td>' "$work/dom.html" || fail "the Cyrillic name"
! grep -q '<script\|<img' "$work/dom.html" || fail "a name became an element"
grep -q 'Перолёт — мировые рекорды' "$work/dom.html" || fail "the title"

chrome --screenshot="$work/page.png" --window-size=412,915 --hide-scrollbars "$page" ||
  fail "chromium could not take the screenshot"
[ -s "$work/page.png" ] || fail "no screenshot"
colours=$(identify -format '%k' "$work/page.png")
[ "$colours" -gt 50 ] || fail "the screenshot is blank ($colours colours)"
[ -z "${PEROLET_KEEP_SHOT:-}" ] || cp "$work/page.png" "$PEROLET_KEEP_SHOT"
echo "records page in the browser: ok ($rows rows, $colours colours)"
