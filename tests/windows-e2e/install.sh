#!/usr/bin/env bash
# The setup program installs silently into a fresh Wine prefix: the layout of the
# installation, the Start-menu entries, the Apps & features entry and "Open with" for .dat
# files, which leaves another program's claim on .dat as it was. Also builds the serial
# probe the other tests use.
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
: "${ZX_SETUP:?}"

rm -rf "$ZX_E2E_DIR"
mkdir -p "$ZX_E2E_DIR"
"$WINE_HELPERS/wine-prefix.sh" "$WINEPREFIX" >/dev/null
mkdir -p "$WORK_DIR"
x86_64-w64-mingw32-g++-posix -O2 -static -o "$WORK_DIR/comprobe.exe" \
    "$ZX_SOURCE_DIR/tests/windows-e2e/probe/comprobe.cpp"

# Another program owns .dat files before the installation.
zx_wine reg add 'HKLM\Software\Classes\.dat' /ve /d OtherProgram.dat /f >/dev/null
zx_wine reg add 'HKLM\Software\Classes\.dat\OpenWithProgids' /v OtherProgram.dat /t REG_SZ /d "" /f >/dev/null

run_windows "$ZX_SETUP" /S
zx_wineserver -w
check "setup /S exits 0 (got $RUN_CODE)" [ "$RUN_CODE" -eq 0 ]

for file in V310/zx908hf.exe V310/zx908hf-cli.exe V310/Init/0_ZX-908HF_New.dat \
    V310/Init/1_ZX-908HF_New.dat V310/Init/0_ZX-908HF.dat V310/Init/1_ZX-908HF.dat \
    Version.ini language/mysetup.ini installation.ini manual/index.html \
    manual/zx908hf.html manual/zx908hf-cli.html uninstall.exe; do
    check "installed $file" [ -f "$INSTALL_DIR/$file" ]
done
check "Qt's Windows platform plugin installed" \
    test -n "$(find "$INSTALL_DIR" -iname 'qwindows.dll' -print -quit)"
check "Qt's Chinese translation installed" \
    test -n "$(find "$INSTALL_DIR" -iname 'qtbase_zh_CN.qm' -print -quit)"
check "settings installed as shipped" cmp -s "$ZX_SOURCE_DIR/data/mysetup.ini" "$INSTALL_DIR/language/mysetup.ini"

menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/ZX-908HF"
check "Start-menu entry of the program" [ -f "$menu/ZX-908HF Programming Tool.lnk" ]
check "Start-menu entry of the manual" [ -f "$menu/ZX-908HF Manual.lnk" ]

query() { zx_wine reg query "$@" 2>/dev/null | tr -d '\r'; }
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZX-908HF'
entry="$(query "$uninstall_key")"
version="$(sed -n 's/^project(zx908hf VERSION \([0-9.]*\).*/\1/p' "$ZX_SOURCE_DIR/CMakeLists.txt")"
for value in "DisplayName    REG_SZ    ZX-908HF Programming Tool" \
    "DisplayVersion    REG_SZ    $version" \
    "Publisher    REG_SZ    ZX-908HF programming tool developers" \
    "DisplayIcon    REG_SZ    $INSTALL_DIR_W\\V310\\zx908hf.exe,0" \
    "UninstallString    REG_SZ    \"$INSTALL_DIR_W\\uninstall.exe\"" \
    "QuietUninstallString    REG_SZ    \"$INSTALL_DIR_W\\uninstall.exe\" /S"; do
    check "Apps & features: ${value%%  *}" contains "$entry" "$value"
done
size_kb="$(sed -n 's/.*EstimatedSize    REG_DWORD    //p' <<<"$entry")"
# The entry counts the installed files, the uninstaller the setup program writes aside.
actual_kb=$(( ($(find "$INSTALL_DIR" -type f ! -name uninstall.exe -printf '%s\n' |
    awk '{ s += $1 } END { print s }') + 1023) / 1024 ))
check "Apps & features: EstimatedSize $((size_kb)) KB is the installed $actual_kb KB" \
    [ $((size_kb)) -eq "$actual_kb" ]

open_with="$(query 'HKLM\Software\Classes\Applications\zx908hf.exe\shell\open\command')"
check "Open with runs the installed program" \
    contains "$open_with" "\"$INSTALL_DIR_W\\V310\\zx908hf.exe\" \"%1\""
progids="$(query 'HKLM\Software\Classes\.dat\OpenWithProgids')"
check ".dat lists the program under Open with" contains "$progids" "ZX908HF.DataFile"
check ".dat keeps the other program's entry" contains "$progids" "OtherProgram.dat"
check ".dat default stays the other program's" \
    contains "$(query 'HKLM\Software\Classes\.dat' /ve)" "OtherProgram.dat"
finish
