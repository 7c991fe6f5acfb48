#!/usr/bin/env bash
# Installs a build into a scratch root and checks what a Linux desktop expects of it: the files in
# their places (a game's places on Debian), the licence, changelog and manual page, a valid menu
# entry and metainfo, and a launcher that prepares the player's game folder without overwriting the
# player's own files and starts the program there, or says why it cannot.
# Usage: tools/check_install.sh BUILD_DIR
set -euo pipefail
build="$(cd "$1" && pwd)"
id=org.kalido.Kalido
tmp="$(mktemp -d)"
pid=""
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true; rm -rf "$tmp"' EXIT
fail() { echo "check_install: $*" >&2; exit 1; }

DESTDIR="$tmp/root" cmake --install "$build" --prefix /usr >/dev/null
usr="$tmp/root/usr"
program="$usr/lib/games/kalido/kalido"
for f in games/kalido lib/games/kalido/kalido; do [ -x "$usr/$f" ] || fail "$f is not an installed program"; done
[ -f "$usr/lib/games/kalido/libkalido_sound.so" ] || fail "the sound module is not installed beside the program"
for f in games/kalido/KALIDO.kal games/kalido/kalido.html games/kalido/clap4.wav applications/$id.desktop \
  metainfo/$id.metainfo.xml icons/hicolor/scalable/apps/$id.svg doc/kalido/copyright; do
  [ -s "$usr/share/$f" ] || fail "share/$f is missing"
done
for f in "$(dirname "$0")"/../data/*; do
  cmp -s "$f" "$usr/share/games/kalido/${f##*/}" || fail "data file ${f##*/} is not installed as it is"
done
head -n 1 "$usr/share/doc/kalido/copyright" | grep -q '^Format: .*copyright-format/1.0/' ||
  fail "the copyright file is not in Debian's machine-readable format"
for f in doc/kalido/changelog.gz man/man6/kalido.6.gz; do
  gzip -t "$usr/share/$f" 2>/dev/null || fail "share/$f is not a gzip file"
done
release="$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$usr/share/metainfo/$id.metainfo.xml")"
zcat "$usr/share/doc/kalido/changelog.gz" | head -n 1 | grep -q "^kalido ($release) " ||
  fail "the changelog's latest entry is not for version $release"
for size in 16 32 48 256; do
  png="$usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
  [ "$(head -c 8 "$png" 2>/dev/null | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "no $size px PNG icon"
done

desktop-file-validate "$usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" >"$tmp/appstream.log" ||
  { cat "$tmp/appstream.log"; fail "the metainfo does not validate"; }
exec_cmd="$(sed -n 's/^Exec=//p' "$usr/share/applications/$id.desktop")"
[ "$exec_cmd" = kalido ] || fail "the menu entry runs '$exec_cmd', not the launcher"

# The player has changed the collection; the help is missing from the game folder.
game_dir="$tmp/data/kalido"
mkdir -p "$game_dir"
head -n 67 "$usr/share/games/kalido/KALIDO.kal" >"$game_dir/KALIDO.kal"
cp "$game_dir/KALIDO.kal" "$tmp/players-own.kal"
XDG_DATA_HOME="$tmp/data" QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$tmp" "$usr/games/$exec_cmd" >"$tmp/out.log" 2>&1 &
pid=$!
for _ in $(seq 50); do
  [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$program" ] && break
  sleep 0.1
done
[ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$program" ] || { cat "$tmp/out.log"; fail "the launcher did not start the program"; }
[ "$(readlink "/proc/$pid/cwd")" = "$game_dir" ] || fail "the program does not run in the player's game folder"
cmp -s "$game_dir/KALIDO.kal" "$tmp/players-own.kal" || fail "the player's own collection was overwritten"
cmp -s "$game_dir/kalido.html" "$usr/share/games/kalido/kalido.html" || fail "the missing help was not copied in"
[ "$(ls "$game_dir" | wc -l)" -eq "$(ls "$usr/share/games/kalido" | wc -l)" ] || fail "not every bundled file is in the game folder"

# No HOME, and an XDG_DATA_HOME that is not absolute (and so does not count): there is no place for
# the game folder, and the launcher says so instead of making one somewhere else.
status=0
(cd "$tmp" && env -i PATH="$PATH" XDG_DATA_HOME=relative QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$tmp" \
  timeout 10 "$usr/games/$exec_cmd") >"$tmp/nohome.log" 2>&1 || status=$?
[ "$status" -eq 1 ] && [ ! -e "$tmp/relative" ] && grep -q "neither HOME nor XDG_DATA_HOME is set" "$tmp/nohome.log" ||
  { cat "$tmp/nohome.log"; fail "without HOME the launcher did not stop with its message (status $status)"; }
echo "check_install: the installed layout, menu entry, metainfo and launcher are right"
