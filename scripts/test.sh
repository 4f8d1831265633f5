#!/usr/bin/env bash
# The one test command: installs what is needed, builds, and runs every test under ctest,
# first in the normal build, then in a second build under AddressSanitizer and
# UndefinedBehaviorSanitizer (with clang, where the fuzz targets are real libFuzzer binaries).
# The normal build's tests include the Debian package: CPack packs that build, lintian and
# the desktop validators check it, and the unpacked package runs both programs.
# Then the Windows leg: Qt for Windows (from its cache when built before), the Windows build
# and its tests under Wine, the setup program and archive, and the end-to-end tests of the
# installed programs under Wine. Each leg's time is printed at its end.
#   ZX_SKIP_SANITIZERS=1   leave out the sanitizer leg
#   ZX_SKIP_WINDOWS=1      leave out the Windows leg
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

START=$SECONDS
LEG_START=$SECONDS
LEG_TIMES=()
# leg_done NAME: prints how long the leg took and keeps it for the summary.
leg_done() {
    local took=$((SECONDS - LEG_START))
    LEG_TIMES+=("$(printf '%-28s %4d:%02d' "$1" $((took / 60)) $((took % 60)))")
    echo "== $1 took $((took / 60)) min $((took % 60)) s =="
    LEG_START=$SECONDS
}
summary() {
    local total=$((SECONDS - START))
    echo "== timings =="
    printf '%s\n' "${LEG_TIMES[@]}"
    printf '%-28s %4d:%02d\n' "all" $((total / 60)) $((total % 60))
}

echo "== build (gcc) =="
cmake -S "$ROOT" -B "$ROOT/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${LAUNCHER[@]}" >/dev/null
cmake --build "$ROOT/build" -j"$JOBS"
echo "== tests (gcc) =="
ctest --test-dir "$ROOT/build" -j"$JOBS" --output-on-failure --timeout 300
leg_done "Linux (gcc)"

if [ "${ZX_SKIP_SANITIZERS:-0}" != "1" ]; then
    SAN_COMPILER=()
    if command -v clang++ >/dev/null 2>&1; then
        SAN_COMPILER=(-DCMAKE_CXX_COMPILER=clang++)
    fi
    echo "== build (AddressSanitizer + UndefinedBehaviorSanitizer) =="
    cmake -S "$ROOT" -B "$ROOT/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZX_SANITIZE=ON \
        -DZX_BUILD_BENCH=OFF "${SAN_COMPILER[@]}" "${LAUNCHER[@]}" >/dev/null
    cmake --build "$ROOT/build-asan" -j"$JOBS"
    echo "== tests (sanitizers) =="
    (
        export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}"
        export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$ROOT/scripts/lsan.supp:print_suppressions=0}"
        export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
        ctest --test-dir "$ROOT/build-asan" -j"$JOBS" --output-on-failure --timeout 600
    )
    leg_done "Linux (sanitizers)"
fi

if [ "${ZX_SKIP_WINDOWS:-0}" != "1" ] && [ ! -x "$ROOT/scripts/windows/build.sh" ]; then
    echo "== Windows leg left out: this tree has no scripts/windows/build.sh yet =="
elif [ "${ZX_SKIP_WINDOWS:-0}" != "1" ]; then
    echo "== Windows: Qt for Windows =="
    "$ROOT/scripts/windows/bootstrap.sh"
    "$ROOT/scripts/windows/qt.sh"
    leg_done "Windows (Qt)"
    echo "== Windows: build =="
    WINDOWS_BUILD="$("$ROOT/scripts/windows/build.sh" | tee >(cat >&2) | tail -n 1)"
    leg_done "Windows (build)"
    echo "== Windows: tests under Wine =="
    ctest --test-dir "$WINDOWS_BUILD" -j"$JOBS" --output-on-failure --timeout 600
    leg_done "Windows (tests)"
    echo "== Windows: setup program and archive =="
    mapfile -t WINDOWS_PACKAGES < <(ZX_WINDOWS_BUILD="$WINDOWS_BUILD" \
        "$ROOT/scripts/windows/package.sh" | tail -n 2)
    printf '%s\n' "${WINDOWS_PACKAGES[@]}"
    leg_done "Windows (package)"
    echo "== Windows: end to end under Wine =="
    cmake -S "$ROOT/tests/windows-e2e" -B "$WINDOWS_BUILD/e2e" \
        "-DZX_SETUP=${WINDOWS_PACKAGES[0]}" "-DZX_ARCHIVE=${WINDOWS_PACKAGES[1]}" \
        "-DZX_LINUX_CLI=$ROOT/build/stage/V310/zx908hf-cli" >/dev/null
    ctest --test-dir "$WINDOWS_BUILD/e2e" --output-on-failure
    leg_done "Windows (end to end)"
fi
summary
