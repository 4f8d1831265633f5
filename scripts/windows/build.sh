#!/usr/bin/env bash
# Builds the Windows programs and their tests on Debian: mingw-w64 (posix threads) against the
# cached Qt for Windows of scripts/windows/qt.sh, tests run under Wine through ctest.
#
# The build folder (default build-windows/ in the tree) holds, in stage/, the runnable
# installation, laid out like the Linux stage plus what Windows needs beside the programs:
#   stage/V310/zx908hf.exe          the desktop program (windowed, no console)
#   stage/V310/zx908hf-cli.exe      the command-line tool (console)
#   stage/V310/Init/*.dat           the templates
#   stage/V310/Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll, Qt6PrintSupport.dll
#   stage/V310/libstdc++-6.dll, libgcc_s_seh-1.dll, libwinpthread-1.dll   compiler run-time
#   stage/V310/platforms/qwindows.dll, qoffscreen.dll                      platform plugins
#   stage/V310/styles/qwindowsvistastyle.dll                               style plugin
#   stage/V310/translations/qtbase_zh_CN.qm   Qt's own texts in Chinese
#   stage/V310/qt.conf              makes Qt look for plugins and translations in V310/
#   stage/language/mysetup.ini      settings
#   stage/Version.ini               version list
# The folder runs as it is, from anywhere (under Wine: wine stage/V310/zx908hf-cli.exe).
#
# Also in the build folder: wine-run, which runs a Windows program of this build under Wine
# with the build's private prefix (wine/prefix; COM8 there is mapped to the pseudo-terminal
# that wine/com8 links to) and finds the Qt and run-time libraries of the build. ctest uses it.
#
# Prints the build folder on its last line of output. Environment:
#   ZX_WINDOWS_BUILD  build folder (default <tree>/build-windows)
#   ZX_WINDOWS_TESTS  0 to leave the tests out of the build (default 1)
#   ZX_WINDOWS_QT     a Qt for Windows prefix to use instead of qt.sh's cache
#   JOBS              parallel jobs (default 2)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
JOBS="${JOBS:-2}"
BUILD="${ZX_WINDOWS_BUILD:-$ROOT/build-windows}"
TESTS="${ZX_WINDOWS_TESTS:-1}"

# The Qt for Windows to build against: the given prefix, or qt.sh's cache (built when absent).
if [ -n "${ZX_WINDOWS_QT:-}" ]; then
    QT="$ZX_WINDOWS_QT"
else
    QT="$("$ROOT/scripts/windows/qt.sh" | tail -n 1)"
fi
[ -x "$QT/bin/qt-cmake" ] || { echo "build.sh: no Qt for Windows in '$QT'" >&2; exit 1; }

mkdir -p "$BUILD/wine"
BUILD="$(cd "$BUILD" && pwd)"
PREFIX="$BUILD/wine/prefix"

# Folders of the libraries a program of this build loads before it is staged.
RUNTIME_DIRS=("$QT/bin")
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
    found="$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)"
    [ -f "$found" ] || found="$(find /usr/x86_64-w64-mingw32 /usr/lib/gcc/x86_64-w64-mingw32 -name "$dll" 2>/dev/null | head -n 1)"
    [ -f "$found" ] && RUNTIME_DIRS+=("$(dirname "$found")")
done
WINEPATH_VALUE="$(for d in "${RUNTIME_DIRS[@]}"; do printf 'Z:%s;' "${d//\//\\}"; done)"

cat >"$BUILD/wine-run" <<WRAPPER
#!/bin/sh
# Runs a Windows program of this build under Wine (made by scripts/windows/build.sh).
export WINEPREFIX="$PREFIX"
export WINEDEBUG="\${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="\${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEPATH="$WINEPATH_VALUE"
export QT_QPA_PLATFORM="\${QT_QPA_PLATFORM:-offscreen}"
exec wine "\$@"
WRAPPER
chmod +x "$BUILD/wine-run"

# A private prefix, made once: COM8 is the test port, mapped to a link that a test points at
# the pseudo-terminal of a virtual radio.
if [ ! -f "$PREFIX/.zx908hf-ready" ]; then
    echo "build.sh: making the Wine prefix $PREFIX" >&2
    export WINEPREFIX="$PREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    wineboot --init >/dev/null 2>&1 || true
    wine reg add 'HKLM\Software\Wine\Ports' /v COM8 /d "$BUILD/wine/com8" /f >/dev/null 2>&1
    wineserver -w
    touch "$PREFIX/.zx908hf-ready"
fi

LAUNCHER=()
command -v ccache >/dev/null 2>&1 && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
TEST_OPTION=(-DZX_BUILD_TESTS=ON)
[ "$TESTS" = "0" ] && TEST_OPTION=(-DZX_BUILD_TESTS=OFF)

cmake -S "$ROOT" -B "$BUILD" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$QT/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$ROOT/scripts/windows/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$BUILD/wine-run" \
    -DZX_BUILD_BENCH=OFF -DZX_BUILD_FUZZ=OFF -DZX_PACKAGE_TESTS=OFF \
    "${TEST_OPTION[@]}" "${LAUNCHER[@]}" >&2
cmake --build "$BUILD" -j"$JOBS" >&2
echo "$BUILD"
