#!/usr/bin/env bash
# Hostile lists, well formed but asking for gigabytes or holding sizes near 2^31, are read by
# `perolet-res list` under a 512 MiB address-space limit: each is refused with its format's
# own message, or read, and never fails for want of memory.
#   hostile_files_test.sh PEROLET_RES FUZZ_DIR SANITIZED
# A sanitized build reserves terabytes of address space, so it runs without the limit.
set -euo pipefail
res=$(readlink -f "$1")
regressions=$(readlink -f "$2")/regressions
sanitized=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
limit_kib=$((512 * 1024))

# Runs the tool on a file; sets status and output (standard output and error together).
list() {
  set +e
  if [ "$sanitized" = 1 ]; then
    output=$("$res" list "$1" 2>&1)
  else
    output=$(ulimit -v "$limit_kib"; "$res" list "$1" 2>&1)
  fi
  status=$?
  set -e
}

expect_refusal() {
  list "$1"
  [ "$status" -eq 1 ] || fail "$1: exit $status, $output"
  [ "$output" = "perolet-res: $2" ] || fail "$1: $output"
}

# One RLE picture of 8192 × 8192 in 202 bytes: past the pixels a list may hold.
expect_refusal "$regressions/dxg/rle-8192-square" "DIB is invalid"
# A 2048 × 2048 picture cut into 1 × 1 patterns: four million pattern records.
expect_refusal "$regressions/dxg/many-1x1-patterns" \
  "Error reading PatternWidth: Invalid property value"
# Twenty pictures of 2048 × 2048 in 2.5 KB: the fifth passes the list's pixels.
expect_refusal "$regressions/dxg/twenty-pictures" "DIB is invalid"
# A property holding 70,000 one-byte values: past the elements a stream may hold.
expect_refusal "$regressions/dxw/many-elements" "Invalid stream format"

# Pattern sizes near 2^31: larger than any picture, so never a pattern.
expect_refusal "$regressions/dxg/near-2g-pattern-sizes" \
  "Error reading PatternHeight: Invalid property value"
# Gaps near ±2^31 are read; the cells are wider than the picture or swallowed by the gaps.
list "$regressions/dxg/near-2g-gaps"
[ "$status" -eq 0 ] || fail "near-2g-gaps: exit $status, $output"
[[ $output == "Far  picture 64x32  pattern 10x8  patterns 0 "* ]] || fail "near-2g-gaps: $output"

# A sound list of one 4000 Hz 8-bit mono sound of the given bytes. Each byte becomes 48 for
# the mixer, so 720,000 of them are 34 MB, more than a list may hold; made here, as such a
# file is too large to keep.
le32() {
  printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)) \
    $((($1 >> 16) & 255)) $((($1 >> 24) & 255))
}
sound_list() {
  local samples=$1
  printf '\xff\x0a\x00TWAVECOLLECTIONCOMPONENT\x00\x30\x10\x00\x00\x00\x00'
  printf 'TPF0\x18TWaveCollectionComponent\x00\x04List\x0e\x01'
  printf '\x04Name\x06\x04Roar\x09Wave.WAVE\x0a'
  printf "$(le32 $((44 + samples)))RIFF$(le32 $((36 + samples)))WAVEfmt $(le32 16)"
  printf "\\x01\\x00\\x01\\x00$(le32 4000)$(le32 4000)\\x01\\x00\\x08\\x00data$(le32 "$samples")"
  head -c "$samples" /dev/zero
  printf '\x00\x00\x00\x00'  # the item, the list, the properties, the children
}
sound_list 720000 > "$work/huge-sound.dxw"
expect_refusal "$work/huge-sound.dxw" "Wave is invalid"
# Two thirds of it fit, so the refusal above is the budget's and not the file's.
sound_list 480000 > "$work/long-sound.dxw"
list "$work/long-sound.dxw"
[ "$status" -eq 0 ] || fail "long-sound: exit $status, $output"
[[ $output == "Roar  format 4000 Hz 8-bit 1 ch  samples 480000 "* ]] || fail "long-sound: $output"
