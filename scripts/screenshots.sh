#!/usr/bin/env bash
# Takes the documentation's pictures of the desktop program under a virtual X server (Xvfb):
# the main window with each editor open, the progress window of a read from the built-in
# virtual radio and the radio identity display, in English and in Chinese. The program
# saves them itself (zx908hf --demo --screenshot FOLDER); they land in docs/.
#
#   scripts/screenshots.sh [BUILD_DIR]      default: build
#
# The same pictures at a larger scale and font, as users with low vision run the program:
#   SHOT_SCALE=1.5 SHOT_FONT_DPI=115 SHOT_OUT=docs/large scripts/screenshots.sh
# (QT_SCALE_FACTOR and a font a fifth larger than the rest of the window; the Xvfb screen is
# made larger to match).
#
# The program runs from a scratch copy of the staged installation with its own settings
# and its own per-user folders, so nothing of the user's set-up is read or changed.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${1:-$ROOT/build}"
OUT="${SHOT_OUT:-$ROOT/docs}"
case "$OUT" in /*) ;; *) OUT="$ROOT/$OUT" ;; esac
SCREEN="-screen 0 1400x1000x24"
SCALE_ENV=()
if [ -n "${SHOT_SCALE:-}" ]; then
    SCREEN="-screen 0 1600x1200x24"
    SCALE_ENV+=(QT_SCALE_FACTOR="$SHOT_SCALE")
fi
[ -n "${SHOT_FONT_DPI:-}" ] && SCALE_ENV+=(QT_FONT_DPI="$SHOT_FONT_DPI")

if [ ! -x "$BUILD/stage/V310/zx908hf" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$BUILD" -j"${JOBS:-2}" --target zx908hf
fi
command -v xvfb-run >/dev/null || { echo "screenshots.sh: xvfb-run is needed (package xvfb)" >&2; exit 1; }

WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$OUT"

shoot() { # language index (1 English, 2 Chinese)
    local lang="$1" inst="$WORK/inst$1"
    cp -r "$BUILD/stage" "$inst"
    mkdir -p "$inst/language"
    # Not a first run, so the stored language counts; COM1 stays the saved port.
    printf '[language]\nIsFirstRun=0\ncomPort=1\nHandshaking=0\nStopBit=1\nCurrentLanguage=%s\n' \
        "$lang" >"$inst/language/mysetup.ini"
    env XDG_CONFIG_HOME="$WORK/config$lang" XDG_RUNTIME_DIR="$WORK/run$lang" \
        QT_QPA_PLATFORM=xcb "${SCALE_ENV[@]}" \
        xvfb-run -a -s "$SCREEN" \
        "$inst/V310/zx908hf" --demo --screenshot "$OUT"
}

mkdir -p "$WORK/run1" "$WORK/run2"
chmod 700 "$WORK/run1" "$WORK/run2"
shoot 1
shoot 2
ls -1 "$OUT"/*.png
