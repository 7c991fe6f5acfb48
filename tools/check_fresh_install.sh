#!/usr/bin/env bash
# Installs the Debian package on a fresh Debian 12 (a minimal debootstrap chroot) and checks that
# apt pulls in everything the game needs: a player who types "kalido" gets the game folder
# prepared and a game that keeps running (on Qt's offscreen platform, as there is no display).
# Needs root, debootstrap and the network to Debian's archive, so it is not part of test.sh.
# Usage: sudo tools/check_fresh_install.sh [DEB]   (default: the newest build/package/kalido_*.deb)
# KALIDO_MIRROR names another Debian mirror; KEEP_CHROOT=1 leaves the chroot for a look inside.
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
deb="${1:-$(ls -t "$src"/build/package/kalido_*.deb 2>/dev/null | head -n 1)}"
[ -f "$deb" ] || { echo "check_fresh_install: no package; build one with tools/package.sh" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "check_fresh_install: needs root (debootstrap and chroot)" >&2; exit 2; }
command -v debootstrap >/dev/null || { echo "check_fresh_install: needs debootstrap (apt-get install debootstrap)" >&2; exit 2; }
mirror="${KALIDO_MIRROR:-http://deb.debian.org/debian}"

root="$(mktemp -d /var/tmp/kalido-fresh.XXXXXX)"
chmod 755 "$root" # the root of the fresh system, which its users must be able to enter
pid=""
mounts_inside() { awk -v r="$root" '$2 == r || index($2, r "/") == 1 { print $2 }' /proc/mounts | sort -r; }
cleanup() {
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  sleep 1
  for m in $(mounts_inside); do umount "$m" 2>/dev/null || umount -l "$m" || true; done
  rm -f "$root.debootstrap.log"
  if [ "${KEEP_CHROOT:-0}" = 1 ]; then
    echo "check_fresh_install: the chroot stays in $root"
  elif [ -n "$(mounts_inside)" ]; then
    echo "check_fresh_install: something is still mounted in $root: left in place" >&2
  else
    rm -rf --one-file-system "$root"
  fi
}
trap cleanup EXIT
fail() { echo "check_fresh_install: $*" >&2; exit 1; }
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }

echo "check_fresh_install: debootstrap --variant=minbase bookworm into $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
  { tail -n 20 "$root.debootstrap.log"; fail "debootstrap failed"; }
cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
EOF
mount -t proc proc "$root/proc"
cp "$deb" "$root/tmp/"
in_root apt-get update -qq
# Without recommended packages: what the package depends on must be enough.
in_root DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "/tmp/${deb##*/}" \
  >"$root/tmp/install.log" 2>&1 || { tail -n 30 "$root/tmp/install.log"; fail "apt-get install failed"; }
grep -c '^Setting up' "$root/tmp/install.log" | sed 's/^/check_fresh_install: packages set up: /'

# With no HOME the launcher says so and stops.
status=0
in_root /usr/games/kalido >"$root/tmp/nohome.log" 2>&1 || status=$?
[ "$status" -eq 1 ] && grep -q "neither HOME nor XDG_DATA_HOME" "$root/tmp/nohome.log" && [ ! -e "$root/.local" ] ||
  { cat "$root/tmp/nohome.log"; fail "without HOME the launcher did not stop with its message"; }

# A player with a home of their own starts the game from a login shell, where /usr/games is on the PATH.
in_root useradd --create-home --shell /bin/sh player
in_root su - player -c 'mkdir -m 700 -p /tmp/player-runtime &&
  QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/tmp/player-runtime exec kalido' >"$root/tmp/game.log" 2>&1 &
program="$root/usr/lib/games/kalido/kalido"
for _ in $(seq 100); do
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/exe" 2>/dev/null)" = "$program" ] && pid="${p#/proc/}" && break 2
  done
  sleep 0.1
done
[ -n "$pid" ] || { cat "$root/tmp/game.log"; fail "kalido did not start the program"; }
game_dir="$root/home/player/.local/share/kalido"
sleep 5
kill -0 "$pid" 2>/dev/null || { cat "$root/tmp/game.log"; fail "the game ended within 5 seconds"; }
[ "$(readlink "/proc/$pid/cwd")" = "$game_dir" ] || fail "the game does not run in the player's game folder"
for f in "$root"/usr/share/games/kalido/*; do
  cmp -s "$f" "$game_dir/${f##*/}" || fail "${f##*/} is not in the game folder"
done
[ "$(stat -c %u "$game_dir/KALIDO.kal")" = "$(in_root id -u player)" ] || fail "the game folder does not belong to the player"
sed 's/^/check_fresh_install: game says: /' "$root/tmp/game.log"
echo "check_fresh_install: installed on a fresh Debian 12; the game prepared $(ls "$game_dir" | wc -l) files" \
  "in ~player/.local/share/kalido and kept running"
