# Shared by the Windows end-to-end tests: the test's Wine prefix, the installed programs,
# the Linux programs that play the radio, and small checks that say what failed.
# Environment (set by CMakeLists.txt in this folder):
#   ZX_E2E_DIR      the tests' folder: the Wine prefix and the files of the runs
#   ZX_SETUP        the setup program under test
#   ZX_ARCHIVE      the portable archive under test
#   ZX_LINUX_CLI    the Linux zx908hf-cli (virtual radio, reference results)
#   ZX_SOURCE_DIR   the source tree
# shellcheck shell=bash
set -euo pipefail

: "${ZX_E2E_DIR:?}" "${ZX_SOURCE_DIR:?}"
export WINEPREFIX="$ZX_E2E_DIR/prefix"
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
