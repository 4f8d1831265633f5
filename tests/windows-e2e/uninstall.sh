#!/usr/bin/env bash
# The uninstaller, silent, after the other tests have used the installation: no program
# file, Start-menu entry or registry entry of the program is left, while what the user made
# stays: a data file saved into the installation folder, the settings in %APPDATA%\zx908hf,
# the backups in %LOCALAPPDATA%\zx908hf, and another program's claim on .dat files.
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

user_file="$INSTALL_DIR/V310/my channels.dat"
cp "$INSTALL_DIR/V310/Init/0_ZX-908HF_New.dat" "$user_file"
appdata="$APPDATA_DIR/zx908hf"
mkdir -p "$appdata/language"
[ -f "$appdata/language/mysetup.ini" ] || cp "$ZX_SOURCE_DIR/data/mysetup.ini" "$appdata/language/"
settings_before="$(sha256sum <"$appdata/language/mysetup.ini")"

# The uninstaller copies itself to a temporary folder and returns at once; the Wine
# server's end is the end of every program it started.
run_windows "$INSTALL_DIR/uninstall.exe" /S
zx_wineserver -w
check "uninstall /S exits 0 (got $RUN_CODE)" [ "$RUN_CODE" -eq 0 ]

left="$(cd "$INSTALL_DIR" 2>/dev/null && find . -type f ! -path "./V310/my channels.dat" | sort || true)"
check "no program file left${left:+: $left}" [ -z "$left" ]
check "the user's data file in the installation folder stays" [ -f "$user_file" ]
check "no empty folder left beside it" \
    [ "$(cd "$INSTALL_DIR" 2>/dev/null && find . -mindepth 1 -type d | sort | tr '\n' ' ')" = "./V310 " ]
check "the user's settings stay" [ "$(sha256sum <"$appdata/language/mysetup.ini")" = "$settings_before" ]

menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/ZX-908HF"
check "the Start-menu folder is gone" [ ! -e "$menu" ]

key_gone() { ! zx_wine reg query "$1" >/dev/null 2>&1; }
check "the Apps & features entry is gone" \
    key_gone 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZX-908HF'
check "the Open with registration is gone" key_gone 'HKLM\Software\Classes\Applications\zx908hf.exe'
check "the data file type is gone" key_gone 'HKLM\Software\Classes\ZX908HF.DataFile'
progids="$(zx_wine reg query 'HKLM\Software\Classes\.dat\OpenWithProgids' 2>/dev/null | tr -d '\r')"
check ".dat no longer lists the program" bash -c '! grep -q ZX908HF.DataFile <<<"$0"' "$progids"
check ".dat keeps the other program's entry" contains "$progids" "OtherProgram.dat"
check ".dat default stays the other program's" \
    contains "$(zx_wine reg query 'HKLM\Software\Classes\.dat' /ve 2>/dev/null | tr -d '\r')" "OtherProgram.dat"
finish
