#!/usr/bin/env bash
# Installing into a temporary DESTDIR: every file in its place, the launcher and the
# metadata pass their validators, and the installed game starts from another folder, finds
# its data and writes its save files on the way out.
set -euo pipefail
build=$(readlink -f "$1")
source_dir=$(readlink -f "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$work/root" cmake --install "$build" --prefix /usr > "$work/install.log"
root="$work/root/usr"
for file in bin/perolet share/perolet/Data/Res/Res1.dxg share/perolet/Data/Res/Res2.dxg \
    share/perolet/Data/Res/Sounds.dxw share/perolet/Data/Music/Menu.xm \
    share/perolet/Data/Music/Race.xm share/perolet/moregames.url share/applications/io.perolet.Perolet.desktop \
    share/metainfo/io.perolet.Perolet.metainfo.xml share/man/man6/perolet.6 \
    share/mime/packages/io.perolet.Perolet.xml \
    share/icons/hicolor/16x16/apps/io.perolet.Perolet.png \
    share/icons/hicolor/48x48/apps/io.perolet.Perolet.png \
    share/icons/hicolor/256x256/apps/io.perolet.Perolet.png \
    bin/perolet-records share/man/man8/perolet-records.8 lib/systemd/system/perolet-records.service \
    share/doc/perolet-records/nginx/perolet-records.conf; do
  [ -f "$root/$file" ] || fail "not installed: $file"
done
[ "$(grep -c . "$build/install_manifest.txt")" -eq "$(find "$work/root" -type f | wc -l)" ] ||
  fail "the install manifest does not list every installed file"

for tool in desktop-file-validate appstreamcli update-mime-database; do
  command -v "$tool" > /dev/null || fail "$tool is not installed (scripts/install-deps installs it)"
done
desktop-file-validate "$source_dir/dist/io.perolet.Perolet.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$source_dir/dist/io.perolet.Perolet.metainfo.xml" > "$work/as.log" ||
  fail "metainfo: $(cat "$work/as.log")"

# The replay type is read by the desktop's MIME database: by its extension and its magic.
mkdir -p "$work/mime-check/packages"
cp "$root/share/mime/packages/io.perolet.Perolet.xml" "$work/mime-check/packages/"
update-mime-database "$work/mime-check" > "$work/mime.log" 2>&1 ||
  fail "the MIME type does not load: $(cat "$work/mime.log")"
grep -q '^application/x-perolet-replay:\*\.perolet-replay$' "$work/mime-check/globs" ||
  fail "the MIME type's pattern"
grep -q 'MimeType=application/x-perolet-replay;' "$root/share/applications/io.perolet.Perolet.desktop" ||
  fail "the launcher does not open replays"

# The records server's unit starts the program where it was installed.
grep -q '^ExecStart=/usr/bin/perolet-records ' "$root/lib/systemd/system/perolet-records.service" ||
  fail "the unit does not start the installed server"
"$root/bin/perolet-records" --help | grep -q -- '--listen' || fail "perolet-records --help"

mkdir "$work/elsewhere"
cd "$work/elsewhere"
HOME="$work/elsewhere" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$root/bin/perolet" \
  > game.log 2>&1 &
pid=$!
for _ in $(seq 50); do kill -0 "$pid" 2> /dev/null || break; sleep 0.1; done
kill -0 "$pid" 2> /dev/null || fail "the installed game stopped: $(cat game.log)"
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status: $(cat game.log)"
saves=0
for folder in "$root/share/perolet/Data/Save" "$work/elsewhere/.local/share/perolet/Save"; do
  [ -f "$folder/options" ] && saves=$((saves + 1))
done
[ "$saves" -eq 1 ] || fail "the orderly exit wrote no options file"
echo "install: ok"
