#!/usr/bin/env bash
# Installs what is missing, builds, prepares the player's game folder and starts Kalido there.
set -euo pipefail
src="$(cd "$(dirname "$0")" && pwd)"
"$src/tools/install-deps.sh" run
cmake -S "$src" -B "$src/build/release" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DKALIDO_BENCH=OFF >/dev/null
cmake --build "$src/build/release" -j"$(nproc)"

# The game reads and writes its files in its working directory: the player's game folder.
# Bundled files are copied only where missing, so a player's own collection is never overwritten.
game_dir="${XDG_DATA_HOME:-$HOME/.local/share}/kalido"
mkdir -p "$game_dir"
for f in "$src"/data/*; do
  [ -e "$game_dir/$(basename "$f")" ] || cp "$f" "$game_dir/"
done
cd "$game_dir"
exec "$src/build/release/kalido"
