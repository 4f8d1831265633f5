#!/usr/bin/env bash
# The one test command: installs what is needed, builds, and runs every test under ctest,
# first in the normal build, then in a second build under AddressSanitizer and
# UndefinedBehaviorSanitizer (with clang, where the fuzz targets are real libFuzzer binaries).
# The normal build's tests include the Debian package: CPack packs that build, lintian and
# the desktop validators check it, and the unpacked package runs both programs.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="${JOBS:-2}"
cd "$ROOT"

"$ROOT/scripts/bootstrap.sh"

export QT_QPA_PLATFORM=offscreen

# A compiler cache shared by every checkout on this machine: a second run, or a run from
# another clone of the tree, compiles only what changed.
LAUNCHER=()
if command -v ccache >/dev/null 2>&1; then
    export CCACHE_DIR="${CCACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/zx908hf/ccache}"
    export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=true
    LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

echo "== build (gcc) =="
cmake -S "$ROOT" -B "$ROOT/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${LAUNCHER[@]}" >/dev/null
cmake --build "$ROOT/build" -j"$JOBS"
echo "== tests (gcc) =="
ctest --test-dir "$ROOT/build" -j"$JOBS" --output-on-failure --timeout 300

if [ "${ZX_SKIP_SANITIZERS:-0}" = "1" ]; then
    exit 0
fi

SAN_COMPILER=()
if command -v clang++ >/dev/null 2>&1; then
    SAN_COMPILER=(-DCMAKE_CXX_COMPILER=clang++)
fi
echo "== build (AddressSanitizer + UndefinedBehaviorSanitizer) =="
cmake -S "$ROOT" -B "$ROOT/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZX_SANITIZE=ON \
    -DZX_BUILD_BENCH=OFF "${SAN_COMPILER[@]}" "${LAUNCHER[@]}" >/dev/null
cmake --build "$ROOT/build-asan" -j"$JOBS"
echo "== tests (sanitizers) =="
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$ROOT/scripts/lsan.supp:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
ctest --test-dir "$ROOT/build-asan" -j"$JOBS" --output-on-failure --timeout 600
