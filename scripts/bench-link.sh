#!/usr/bin/env bash
# Wire benchmark of the radio link: builds the benchmarks optimised in their own build folder
# and runs a whole read (with and without its backup) and a whole write (plain and verified)
# against a virtual radio paced at 9600 baud, then a batch write through zx908hf-cli (time
# from the radio's first answer to the first write block), then fleet programming: one radio
# on one port against four on four ports through the Fleet Programming window, with the
# lateness of a timer on its event loop.
# The ratio printed is elapsed time over the wire time of the bytes exchanged. Run it on a
# quiet machine: other load shows up as scheduling delay on every exchange.
#   scripts/bench-link.sh [--runs N]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD:-$ROOT/build-bench}"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZX_BUILD_TESTS=OFF \
    -DZX_BUILD_FUZZ=OFF >/dev/null
cmake --build "$BUILD" -j"${JOBS:-2}" --target bench_link_wire bench_batch_start bench_fleet
"$BUILD/bench/bench_link_wire" "$@"
"$BUILD/bench/bench_batch_start" "$@"
QT_QPA_PLATFORM=offscreen "$BUILD/bench/bench_fleet" "$@"
