#!/usr/bin/env bash
# The simulator's command line: exit statuses, the summary line, byte-identical traces for
# the same seed and script, early stop on the session's end, and screenshots.
set -euo pipefail
sim=$(readlink -f "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# The game reads its pictures and sounds from Data/Res relative to where it runs.
mkdir -p Data && ln -s "$(dirname "$sim")/Data/Res" Data/Res && ln -s "$(dirname "$sim")/Data/Music" Data/Music
fail() { echo "FAIL: $*" >&2; exit 1; }

out=$("$sim" --frames 300 --fps 60 --trace t1.jsonl)
[[ $out =~ ^frames=300\ compose_us_median=[0-9]+\ compose_us_p99=[0-9]+\ compose_us_max=[0-9]+\ sprites_max=[0-9]+$ ]] ||
  fail "summary line: $out"
[ "$(wc -l < t1.jsonl)" -eq 300 ] || fail "trace rows"
grep -q '"frame":0,"ms":16,"lag":16,' t1.jsonl || fail "first row"
[ "$(grep -c '"speedFactor":1.4166666666666667,"frameMs":16,' t1.jsonl)" -eq 300 ] || fail "timing"

# Each run from no save files: a setting the monkey changes is saved at once.
rm -rf Data/Save
"$sim" --frames 2000 --monkey 5 --seed 3 --trace a.jsonl > /dev/null
rm -rf Data/Save
"$sim" --frames 2000 --monkey 5 --seed 3 --trace b.jsonl > /dev/null
rm -rf Data/Save
cmp -s a.jsonl b.jsonl || fail "same seed and monkey gave different traces"

printf '0 down 38\n3 up 38\n# the session ends\n10 close\n' > input.txt
"$sim" --frames 20 --input input.txt --shot 5:shot.png --trace c.jsonl > /dev/null
[ "$(wc -l < c.jsonl)" -eq 20 ] || fail "a close request must not end the run"
grep -q '"frame":10,.*"window":1,' c.jsonl || fail "close request opens the quit question"
[ "$(identify -format "%m %wx%h" shot.png)" = "PNG 800x600" ] || fail "screenshot"

# Enter on the first button starts a game: the level banner, then the craft reborn over the
# scrolling ground, with its music; --level starts it further on.
printf '70 char 13\n' > start.txt
"$sim" --frames 400 --input start.txt --level 3 --trace g.jsonl > /dev/null
grep -q '"screen":5,"window":6,.*"level":3,.*"lives":3,"enemiesLeft":30,"player":{"x":30,"y":221,"state":0,"visible":true}' g.jsonl ||
  fail "a game starts at level 3 with its banner"
grep -q '"screen":5,"window":0,.*"music":"Data/Music/Race.xm"' g.jsonl || fail "the game runs with its music"
"$sim" --frames 400 --input start.txt --crowd --trace h.jsonl > /dev/null
grep -q '"shots":50,"monsters":10,"hunters":5,"bonuses":5' h.jsonl || fail "--crowd fills the tables"

set +e
"$sim" --frames 5 --fps 0 > /dev/null 2> err.txt; status=$?
set -e
[ $status -eq 2 ] || fail "bad option exit status $status"
grep -q -- '--fps' err.txt || fail "bad option message"
printf '1 warp 3\n' > bad.txt
set +e
"$sim" --input bad.txt > /dev/null 2> err.txt; status=$?
set -e
[ $status -eq 2 ] && grep -q 'input line 1' err.txt || fail "bad script: $status $(cat err.txt)"
"$sim" --help > help.txt || fail "--help exit status $?"
grep -q '^usage: perolet-sim' help.txt || fail "--help prints the usage: $(cat help.txt)"
echo "sim command line: ok"
