#!/usr/bin/env bash
# The save files through the simulator: a quit whose save is refused (the save folder
# read-only) keeps the game running with the error in the trace, and the files untouched; the
# same quit with the folder writable again saves and ends the run; a damaged table at start-up
# is set aside, the player told (in words the trace shows as they are), and the game starts.
set -euo pipefail
sim=$(readlink -f "$1")
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
chmod 755 "$work"
cd "$work"
mkdir -p Data/Save && ln -s "$(dirname "$sim")/Data/Res" Data/Res
fail() { echo "FAIL: $*" >&2; exit 1; }

# Root writes through any mode bits: the read-only runs go as an ordinary user then.
as_player=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody:nogroup "$work"
  as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
run() { "${as_player[@]}" "$sim" "$@"; }

# Escape on the main menu after its fade-in, then Y in the quit question.
printf '150 down 27\n152 up 27\n160 down 89\n162 up 89\n' > quit.txt
chmod 555 Data/Save
run --frames 300 --input quit.txt --trace ro.jsonl > /dev/null 2> ro.err
[ "$(wc -l < ro.jsonl)" -eq 300 ] || fail "a refused save ended the run"
grep -q '"errors":\["File access denied: [^"]*/Data/Save/options\\u000a' ro.jsonl ||
  fail "the refusal is not in the trace: $(cat ro.err)"
[ -z "$(ls Data/Save)" ] || fail "a refused save left files: $(ls Data/Save)"

# The second quit after a refused save leaves without saving, and says so.
printf '200 down 27\n202 up 27\n210 down 89\n212 up 89\n' >> quit.txt
run --frames 300 --input quit.txt --trace ro2.jsonl > /dev/null 2> ro2.err
[ "$(wc -l < ro2.jsonl)" -lt 300 ] || fail "the second quit did not end the run"
grep -q "leaving without saving" ro2.err || fail "the unsaved leave was not told: $(cat ro2.err)"
[ -z "$(ls Data/Save)" ] || fail "a refused save left files: $(ls Data/Save)"

chmod 755 Data/Save
run --frames 300 --input quit.txt --trace rw.jsonl > /dev/null
[ "$(wc -l < rw.jsonl)" -lt 300 ] || fail "the saved quit did not end the run"
[ -s Data/Save/options ] && [ -s Data/Save/hs ] || fail "the quit did not write both files"
[ -z "$(ls Data/Save | grep -v -x -e options -e hs)" ] || fail "leftovers: $(ls Data/Save)"

printf 'Ann\r\nlots\r\n' > Data/Save/hs
run --frames 20 --trace damaged.jsonl > /dev/null 2>&1
# The notice reads in the trace as the player reads it in the box.
head -n 1 damaged.jsonl | grep -q '"errors":\["Файл рекордов повреждён и отложен в сторону: .*/Data/Save/hs.damaged' ||
  fail "the player is not told of the damaged table: $(head -c 600 damaged.jsonl)"
[ "$(wc -l < damaged.jsonl)" -eq 20 ] || fail "the game did not start"
[ "$(cat Data/Save/hs.damaged)" = "$(printf 'Ann\r\nlots\r\n')" ] || fail "the damaged table was lost"
[ ! -e Data/Save/hs ] || fail "the damaged table is still in its place"
echo "save files through the simulator: ok"
