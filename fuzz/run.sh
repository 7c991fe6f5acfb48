#!/usr/bin/env bash
# Builds the shapes-file fuzz target with clang and runs it for a bounded time.
# Usage: fuzz/run.sh [seconds] [more libFuzzer options]   (default 60 seconds)
# The corpus grows in build/fuzz/corpus across runs; a failing input is kept as build/fuzz/crash-*.
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
cmake --build "$build" -j"$(nproc)" --target kalido_fuzz_shapes

rm -rf "$build/seeds"
"$src/fuzz/seeds.sh" "$build/seeds"
mkdir -p "$build/corpus"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
cd "$build"
# A fixed seed replays the same mutations, so a short run on a fresh corpus does not vary by chance.
./fuzz/kalido_fuzz_shapes -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
  -seed="${KALIDO_FUZZ_SEED:-1}" -dict="$src/fuzz/shapes.dict" -artifact_prefix="$build/" \
  -print_final_stats=1 "$@" corpus seeds
echo "corpus: $(find corpus -type f | wc -l) files, $(du -sk corpus | cut -f1) KiB"
