#!/usr/bin/env bash
# Maps a Windows COM port of a Wine prefix to a Unix serial device (a pseudo-terminal of the
# virtual radio, or a USB adapter), or removes the mapping. Wine reads its ports when its
# server starts, so the server is stopped after the change; the next program finds the port
# under HKLM\HARDWARE\DEVICEMAP\SERIALCOMM like any other.
#   wine-port.sh PREFIX COMn DEVICE     map
#   wine-port.sh PREFIX COMn            remove
set -euo pipefail
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: wine-port.sh PREFIX COMn [DEVICE]" >&2
    exit 2
fi
export WINEPREFIX="$1"
port="$2"
# shellcheck source=wine-env.sh
. "$HERE/wine-env.sh"
if ! [[ "$port" =~ ^COM[1-9][0-9]{0,2}$ ]]; then
    echo "wine-port.sh: $port is not a port name like COM8" >&2
    exit 2
fi
[ -f "$WINEPREFIX/system.reg" ] || { echo "wine-port.sh: no Wine prefix at $WINEPREFIX" >&2; exit 2; }

if [ $# -eq 3 ]; then
    device="$3"
    [ -e "$device" ] || { echo "wine-port.sh: $device does not exist" >&2; exit 2; }
    zx_wine reg add 'HKLM\Software\Wine\Ports' /v "$port" /t REG_SZ /d "$device" /f >/dev/null
else
    zx_wine reg delete 'HKLM\Software\Wine\Ports' /v "$port" /f >/dev/null 2>&1 || true
fi
zx_wineserver -k 2>/dev/null || true
zx_wineserver -w 2>/dev/null || true
