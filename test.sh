#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole test suite headless.
set -euo pipefail
src="$(cd "$(dirname "$0")" && pwd)"
"$src/tools/install-deps.sh" test

# Formatting is checked where clang-format is at hand.
if command -v clang-format >/dev/null && git -C "$src" rev-parse --git-dir >/dev/null 2>&1; then
  (cd "$src" && git ls-files -- '*.cpp' '*.h' | xargs clang-format --dry-run -Werror)
fi
build="$src/build/test"
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DKALIDO_WERROR=ON -DKALIDO_SANITIZE=ON \
  -DBUILD_TESTING=ON -DKALIDO_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
XDG_RUNTIME_DIR="$(mktemp -d)"
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"
cd "$build"
ctest --output-on-failure -j"$(nproc)"

# A minute of fuzzing the shapes-file reading and one of playing whole games, where clang and its
# libFuzzer are at hand.
if command -v clang++ >/dev/null &&
  echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
  clang++ -fsanitize=fuzzer -x c++ - -o /dev/null 2>/dev/null; then
  if ! "$src/fuzz/run.sh" 60 >"$src/build/fuzz.log" 2>&1; then
    tail -n 60 "$src/build/fuzz.log"
    exit 1
  fi
  grep -E '^#[0-9]+[[:space:]]+DONE|^corpus:' "$src/build/fuzz.log"
  if ! KALIDO_FUZZ_TARGET=game "$src/fuzz/run.sh" 60 >"$src/build/fuzz-game.log" 2>&1; then
    tail -n 60 "$src/build/fuzz-game.log"
    exit 1
  fi
  grep -E '^#[0-9]+[[:space:]]+DONE|^corpus-game:' "$src/build/fuzz-game.log"
fi
