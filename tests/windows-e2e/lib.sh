# Shared by the Windows end-to-end tests: the test's Wine prefix, the installed programs,
# the Linux programs that play the radio, and small checks that say what failed.
# Environment (set by CMakeLists.txt in this folder):
#   ZX_E2E_DIR      the tests' folder: the Wine prefix and the files of the runs
#   ZX_SETUP        the setup program under test
#   ZX_ARCHIVE      the portable archive under test
#   ZX_LINUX_CLI    the Linux zx908hf-cli (virtual radio, reference results)
#   ZX_SOURCE_DIR   the source tree
# shellcheck shell=bash disable=SC2034 # the variables are for the tests that source this file
set -euo pipefail

: "${ZX_E2E_DIR:?}" "${ZX_SOURCE_DIR:?}"
export WINEPREFIX="$ZX_E2E_DIR/prefix"
# English programs on both sides; UTF-8, so that Wine passes file names in Chinese through.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
# shellcheck source=../../scripts/windows/wine-env.sh
. "$ZX_SOURCE_DIR/scripts/windows/wine-env.sh"
WINE_HELPERS="$ZX_SOURCE_DIR/scripts/windows"

# The installation in Unix and Windows spelling.
INSTALL_DIR="$WINEPREFIX/drive_c/Program Files/ZX-908HF"
INSTALL_DIR_W='C:\Program Files\ZX-908HF'
# A folder for the tests' files, with a space in its name as many Windows folders have.
WORK_DIR="$WINEPREFIX/drive_c/zx e2e"
WORK_DIR_W='C:\zx e2e'
# The user's folders of the prefix (Wine names the user after the Unix account).
USER_DIR="$WINEPREFIX/drive_c/users/$(id -un)"
APPDATA_DIR="$USER_DIR/AppData/Roaming"
LOCALAPPDATA_DIR="$USER_DIR/AppData/Local"

# The Windows name of a file in the prefix's drive C (winepath would start Wine each time).
winpath() {
    local path="${1#"$WINEPREFIX/drive_c"}"
    [ "$path" != "$1" ] || { echo "winpath: $1 is not on drive C" >&2; return 1; }
    path="C:${path//\//\\}"
    printf '%s\n' "$path"
}

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
pass() {
    echo "ok: $*"
}
# check DESCRIPTION COMMAND...: the command must succeed.
check() {
    local what="$1"
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}
finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
}

# Runs a Windows program; its output has the CRLF line ends of the console taken out.
# Sets RUN_OUT, RUN_ERR and RUN_CODE.
run_windows() {
    local out err
    out="$(mktemp)" err="$(mktemp)"
    RUN_CODE=0
    timeout "${ZX_RUN_TIMEOUT:-120}" bash -c '. "$0"; zx_wine "$@"' "$ZX_SOURCE_DIR/scripts/windows/wine-env.sh" "$@" >"$out" 2>"$err" </dev/null || RUN_CODE=$?
    RUN_OUT="$(tr -d '\r' <"$out")"
    RUN_ERR="$(tr -d '\r' <"$err")"
    rm -f "$out" "$err"
}
# The installed command-line tool.
run_cli() {
    run_windows "$INSTALL_DIR/V310/zx908hf-cli.exe" "$@"
}
# The Linux command-line tool, for the reference results and the virtual radio.
linux_cli() {
    "$ZX_LINUX_CLI" "$@"
}

# contains TEXT PATTERN: the text holds the fixed string.
contains() {
    grep -qF -- "$2" <<<"$1"
}

# show_window EXE [PICTURE]: starts the Windows program EXE on a Wine desktop under a private
# X display, waits (90 s at most) for its main window, titled after the model ("ZX-908HF["),
# lets it paint, photographs the window into PICTURE when one is named and ends the
# program. Sets WINDOW to xwininfo's line of the window, empty when none appeared.
show_window() {
    local exe="$1" picture="${2:-}" log
    log="$(mktemp)"
    # shellcheck disable=SC2016 # expanded by the inner shell
    "$WINE_HELPERS/wine-xvfb.sh" bash -c '
        set -u
        . "$0"
        zx_wine explorer /desktop=zx908hf,1280x860 "$1" >/dev/null 2>&1 &
        found=""
        for _ in $(seq 1 90); do
            found="$(xwininfo -root -tree 2>/dev/null | grep -F "\"ZX-908HF[" | grep -F ".exe\"" || true)"
            [ -n "$found" ] && break
            sleep 1
        done
        echo "window: $found"
        if [ -n "$found" ]; then
            sleep 4
            # The window with the frame Wine draws, as xwininfo places it on the screen.
            geometry="$(grep -oE "[0-9]+x[0-9]+\+[0-9]+\+[0-9]+" <<<"$found" | head -n 1)"
            [ -z "$2" ] || import -window root -crop "$geometry" +repage "$2"
        fi
        zx_wineserver -k 2>/dev/null || true
        wait
    ' "$WINE_HELPERS/wine-env.sh" "$exe" "$picture" >"$log" 2>&1 || true
    WINDOW="$(sed -n 's/^window: //p' "$log")"
    [ -n "$WINDOW" ] || cat "$log" >&2
    rm -f "$log"
}
