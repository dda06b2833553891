#!/usr/bin/env bash
# Builds CorvidPlot with its tests and runs every test (headless).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVID_TEST_BUILD:-$root/build-tests}
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${CORVID_BUILD_TYPE:-Debug} -DCORVID_BENCH=OFF \
  ${CORVID_CMAKE_ARGS:-} >/dev/null
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen
# Caches that system libraries keep for the whole process are not leaks of ours.
export LSAN_OPTIONS="suppressions=$root/.ci/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
ctest --test-dir "$build" --output-on-failure -j2
