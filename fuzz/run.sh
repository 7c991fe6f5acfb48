#!/usr/bin/env bash
# Builds a fuzz target with clang and runs it for a bounded time: the shapes-file reading, or with
# KALIDO_FUZZ_TARGET=game a whole game played by events.
# Usage: fuzz/run.sh [seconds] [more libFuzzer options]   (default 60 seconds)
# The corpus grows in build/fuzz/corpus (corpus-game) across runs; a failing input is kept as
# build/fuzz/crash-* (game-crash-*).
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
build="$src/build/fuzz"
if ! command -v clang++ >/dev/null; then
  echo "fuzz/run.sh: clang++ is not installed (apt-get install clang)" >&2
  exit 2
fi
cmake -S "$src" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALIDO_FUZZ=ON \
  -DKALIDO_WERROR=ON -DBUILD_TESTING=OFF -DKALIDO_BENCH=OFF >/dev/null
target="${KALIDO_FUZZ_TARGET:-shapes}"
cmake --build "$build" -j"$(nproc)" --target "kalido_fuzz_$target"

export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
cd "$build"
if [ "$target" = game ]; then
  # Short inputs: a few dozen events each, every one of them checked. The seeds are the inputs
  # that once found a fault.
  mkdir -p corpus-game
  ./fuzz/kalido_fuzz_game -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=64 \
    -seed="${KALIDO_FUZZ_SEED:-1}" -artifact_prefix="$build/game-" -print_final_stats=1 "$@" \
    corpus-game "$src/fuzz/game-seeds"
  echo "corpus-game: $(find corpus-game -type f | wc -l) files"
  exit 0
fi
rm -rf "$build/seeds"
"$src/fuzz/seeds.sh" "$build/seeds"
mkdir -p "$build/corpus"
# A fixed seed replays the same mutations, so a short run on a fresh corpus does not vary by chance.
./fuzz/kalido_fuzz_shapes -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
  -seed="${KALIDO_FUZZ_SEED:-1}" -dict="$src/fuzz/shapes.dict" -artifact_prefix="$build/" \
  -print_final_stats=1 "$@" corpus seeds
echo "corpus: $(find corpus -type f | wc -l) files, $(du -sk corpus | cut -f1) KiB"
