#!/usr/bin/env bash
# Installs the Debian packages Kalido needs that are not there yet: "run" for playing, "test" for the
# suite, "bench" for the benchmarks and bench/startup.py, "package" for building the .deb, "fuzz"
# for the fuzz target.
set -euo pipefail

packages=(cmake g++ make qt6-base-dev qt6-multimedia-dev qt6-svg-dev fonts-dejavu-core)
case "${1:-run}" in
  run) ;;
  test) packages+=(libgtest-dev libbenchmark-dev python3 librsvg2-bin desktop-file-utils appstream) ;;
  package) packages+=(librsvg2-bin desktop-file-utils appstream dpkg-dev file lintian man-db) ;;
  fuzz) packages+=(clang libclang-rt-dev libgtest-dev) ;;
  screen) packages+=(xvfb xdotool imagemagick x11-utils openbox) ;;
  bench) packages+=(libbenchmark-dev xvfb) ;;
  sounds) packages+=(sox) ;;
  *) echo "usage: $0 run|test|bench|package|fuzz|screen|sounds" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
