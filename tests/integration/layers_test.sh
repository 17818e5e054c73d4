#!/usr/bin/env bash
# The layers of src/ and the one way their arrows point: each folder includes only itself and
# the folders listed for it below. score/ and text/ are small libraries that depend on nothing
# and that the records server shares. Nothing below app/ names the form, and nothing below the
# screens names a screen: a screen asks the program through its host (screens/screen_host.h),
# which the form answers, and never sees the form itself.
#
#   layers_test.sh SRC_DIR
set -euo pipefail

[ $# -eq 1 ] || { echo "usage: $0 SRC_DIR" >&2; exit 2; }
src=$1
[ -d "$src/app" ] || { echo "no source tree at $src" >&2; exit 2; }

declare -A allowed=(
  [app]="screens gameplay objects persist engine platform score text"
  [screens]="gameplay objects persist engine platform score text"
  [gameplay]="objects engine platform text"
  [objects]="engine platform text"
  [persist]="engine platform score text"
  [engine]="platform text"
  [platform]="text"
  [score]=""
  [text]=""
)

failures=0
for layer in "${!allowed[@]}"; do
  [ -d "$src/$layer" ] || { echo "missing folder src/$layer"; failures=$((failures + 1)); continue; }
  # Every quoted include that names a folder of src/, as "file: folder".
  while IFS=: read -r file target; do
    [ "$target" = "$layer" ] && continue
    case " ${allowed[$layer]} " in
      *" $target "*) ;;
      *) echo "$file includes $target/: $layer/ may include only: ${allowed[$layer]:-nothing}"
         failures=$((failures + 1)) ;;
    esac
  done < <(grep -rEo '^#include "[a-z_]+/' "$src/$layer" --include='*.h' --include='*.cpp' |
           sed -E 's|^([^:]+):#include "([a-z_]+)/$|\1:\2|' | sed "s|^$src/||")
done

# The form is made by main and the simulator and handed on; below app/ nothing names it.
while IFS=: read -r file count; do
  [ "$count" -gt 0 ] || continue
  echo "${file#"$src"/} names the form below app/ ($count lines)"
  failures=$((failures + 1))
done < <(grep -rcwE 'TMForm|MForm' "$src/gameplay" "$src/objects" "$src/persist" "$src/engine" \
           "$src/platform" "$src/score" "$src/text" || true)

# The screens know the host they are handed, not the form that answers it.
while IFS=: read -r file count; do
  [ "$count" -gt 0 ] || continue
  echo "${file#"$src"/} names the form in the screens ($count lines): a screen asks its host"
  failures=$((failures + 1))
done < <(grep -rcwE 'TMForm|MForm' "$src/screens" || true)

# The screens, their stack and their host are the screens' and the form's business alone: no
# type that screens/ declares is named below it.
screen_types=$(grep -hE '^(class|struct) T[A-Za-z0-9]+[^;]*$' "$src"/screens/*.h | awk '{print $2}' |
               sort -u | paste -sd'|')
while IFS=: read -r file count; do
  [ "$count" -gt 0 ] || continue
  echo "${file#"$src"/} names a screen's type below the screens ($count lines)"
  failures=$((failures + 1))
done < <(grep -rcwE "${screen_types:-TScreen}" "$src/gameplay" "$src/objects" "$src/persist" \
           "$src/engine" "$src/platform" "$src/score" "$src/text" || true)

# A new folder takes its place in the table above before it holds code.
for folder in "$src"/*/; do
  name=$(basename "$folder")
  [ -n "${allowed[$name]+set}" ] || { echo "src/$name/ is in no layer"; failures=$((failures + 1)); }
done

if [ "$failures" -gt 0 ]; then
  echo "layers: $failures arrow(s) against the layers"
  exit 1
fi
echo "layers: ${#allowed[@]} folders, every include within its layer"
