#!/usr/bin/env bash
# The portable archive runs unpacked in any folder, here one whose name has a space and
# Chinese characters: its command-line tool starts there with the DLLs beside it, and its
# desktop program opens its main window and keeps its settings beside itself (the first
# run is noted in its own language\mysetup.ini; the installation's and the user's settings
# stay as they were).
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
: "${ZX_ARCHIVE:?}"

name="$(basename "$ZX_ARCHIVE" .zip)"
place="$USER_DIR/Desktop/便携 版"
rm -rf "$place"
mkdir -p "$place"
unzip -q "$ZX_ARCHIVE" -d "$place"
portable="$place/$name"
check "the archive unpacks into one folder named $name" [ -d "$portable/V310" ]
check "the archive has the manual" [ -f "$portable/manual/index.html" ]
check "the archive has no installation marker (its settings stay beside it)" \
    [ ! -e "$portable/installation.ini" ]

cli="$portable/V310/zx908hf-cli.exe"
# The file goes elsewhere: names outside the ANSI code page are test-names.sh's matter.
file_w="$(winpath "$WORK_DIR/from-portable.dat")"
run_windows "$cli" --version
check "the unpacked tool runs (exit $RUN_CODE)" [ "$RUN_CODE" -eq 0 ]

run_windows "$cli" new --band 1 -o "$file_w"
check "the unpacked tool writes a data file (exit $RUN_CODE)" \
    [ "$RUN_CODE" -eq 0 -a -f "$WORK_DIR/from-portable.dat" ]
run_windows "$cli" info "$file_w"
check "the unpacked tool reads it back (exit $RUN_CODE)" [ "$RUN_CODE" -eq 0 ]

fingerprint() { if [ -f "$1" ]; then sha256sum <"$1"; else echo absent; fi; }
installed_before="$(fingerprint "$INSTALL_DIR/language/mysetup.ini")"
user_before="$(fingerprint "$APPDATA_DIR/zx908hf/language/mysetup.ini")"
check "the unpacked settings are a first run's" grep -q '^IsFirstRun=1' "$portable/language/mysetup.ini"
show_window "$portable/V310/zx908hf.exe"
check "the unpacked desktop program opens its main window: ${WINDOW:-none}" [ -n "$WINDOW" ]
check "it noted its first run in its own settings" \
    grep -q '^IsFirstRun=0' "$portable/language/mysetup.ini"
check "the installation's settings stay" \
    [ "$(fingerprint "$INSTALL_DIR/language/mysetup.ini")" = "$installed_before" ]
check "the user's settings stay" \
    [ "$(fingerprint "$APPDATA_DIR/zx908hf/language/mysetup.ini")" = "$user_before" ]
rm -rf "$place"
finish
