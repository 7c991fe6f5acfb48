#!/usr/bin/env bash
# Builds the Debian package (build/package/kalido_<version>_<arch>.deb), checks the installed
# layout first and the package with lintian after, and shows what the package declares.
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
"$src/tools/install-deps.sh" package
build="$src/build/package"
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DBUILD_TESTING=OFF -DKALIDO_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
"$src/tools/check_install.sh" "$build"
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls -t "$build"/kalido_*.deb | head -n 1)"
lintian --fail-on error,warning "$deb"
dpkg-deb --field "$deb" Package Version Architecture Depends Installed-Size
echo "$deb"
