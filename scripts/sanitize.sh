#!/usr/bin/env bash
# Builds the game library, the tests, the driver and the fuzz-corpus replays with AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs the whole test suite (unit tests, driver scripts, corpora).
#   bash scripts/sanitize.sh             - in build-asan beside the sources
#   KVB_ASAN_BUILD_DIR=/some/dir bash scripts/sanitize.sh
# Needs the packages that scripts/setup.sh installs. A leak (see real_display below), an out-of-bounds
# access or any undefined behaviour fails the run.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KVB_ASAN_BUILD_DIR:-$here/build-asan}"
jobs="$(nproc 2>/dev/null || echo 2)"

asan_options="detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$here/scripts/lsan-suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
# Tests that open a real display (Xvfb, the offscreen driver) load the system's GL and X drivers,
# which keep allocations that are freed by no one and unloaded before the leak check can name them.
# They run with every other check, but without the leak check.
real_display='^(SdlDisplay|WindowGameTest|Renderers/SdlDisplayRenderer)\.'

start=$SECONDS
# The content generators are not needed: every test makes its own fixture files.
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVB_SANITIZE=ON \
  -DKVB_BUILD_CONTENT=OFF -DKVB_BUILD_BENCHMARKS=OFF
cmake --build "$build" -j "$jobs"
built=$SECONDS

status=0
(cd "$build" && ASAN_OPTIONS="$asan_options" ctest --output-on-failure -j "$jobs" --timeout 900 -E "$real_display") ||
  status=$?
(cd "$build" && ASAN_OPTIONS="$asan_options:detect_leaks=0" ctest --output-on-failure -j "$jobs" --timeout 900 \
  -R "$real_display") || status=$?
echo "sanitize: build $((built - start)) s, tests $((SECONDS - built)) s"
exit "$status"
