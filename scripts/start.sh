#!/usr/bin/env bash
# Builds CorvidPlot and starts it on the bundled example data. Without a
# display, corvid runs headless and writes the page as an image instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVID_BENCH=OFF >/dev/null
cmake --build "$root/build" --target corvid corvid-batch
cd "$root"
exec "$root/build/corvid" -xy examples/damped-oscillation.dat "$@"
