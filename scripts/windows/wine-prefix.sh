#!/usr/bin/env bash
# Makes a fresh 64-bit Wine prefix in the folder given (removing an earlier one there) and
# waits until Wine has finished setting it up, so the next program starts at once.
#   wine-prefix.sh PREFIX
set -euo pipefail
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
[ $# -eq 1 ] || { echo "usage: wine-prefix.sh PREFIX" >&2; exit 2; }
export WINEPREFIX="$1"
# shellcheck source=wine-env.sh
. "$HERE/wine-env.sh"

case "$WINEPREFIX" in
    /|"$HOME"|"") echo "wine-prefix.sh: refusing prefix $WINEPREFIX" >&2; exit 2 ;;
esac
if [ -d "$WINEPREFIX" ]; then
    zx_wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
fi
mkdir -p "$WINEPREFIX"
# wineboot without a display: the prefix needs none, and no window must wait for a click.
DISPLAY='' zx_wine wineboot --init >/dev/null 2>&1
zx_wineserver -w
[ -f "$WINEPREFIX/system.reg" ] || { echo "wine-prefix.sh: Wine made no prefix" >&2; exit 1; }
# Windows' interface fonts are not there: Wine would fall back to the first font it finds,
# a mathematics font whose line height leaves no room for the text of a one-line box the
# height of a grid row (the box shows nothing). Windows' own substitution table sends them
# to DejaVu Sans, and the Chinese ones to WenQuanYi Micro Hei, as a Windows system would
# have fonts for them.
substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
for face in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "Microsoft Sans Serif" "Segoe UI" "Arial"; do
    zx_wine reg add "$substitutes" /v "$face" /d "DejaVu Sans" /f >/dev/null 2>&1
done
for face in "SimSun" "NSimSun" "Microsoft YaHei" "SimHei"; do
    zx_wine reg add "$substitutes" /v "$face" /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
done
zx_wineserver -w
echo "$WINEPREFIX"
