#!/usr/bin/env bash
# The portable archive runs unpacked in any folder, here one whose name has a space and
# Chinese characters: its command-line tool starts there with the DLLs beside it and finds
# its version list beside itself, not the installed one's (taking it away makes its data
# files unreadable, though the installation's is still there).
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
file_w="$(winpath "$portable/from-portable.dat")"
run_windows "$cli" --version
check "the unpacked tool runs (exit $RUN_CODE)" [ "$RUN_CODE" -eq 0 ]

run_windows "$cli" new --band 1 -o "$file_w"
check "the unpacked tool writes a data file (exit $RUN_CODE)" \
    [ "$RUN_CODE" -eq 0 ] -a -f "$portable/from-portable.dat"
run_windows "$cli" info "$file_w"
check "the unpacked tool reads it back (exit $RUN_CODE)" [ "$RUN_CODE" -eq 0 ]

mv "$portable/Version.ini" "$portable/Version.ini.away"
run_windows "$cli" info "$file_w"
check "without its own version list the unpacked tool refuses the file (exit $RUN_CODE)" \
    [ "$RUN_CODE" -ne 0 ]
mv "$portable/Version.ini.away" "$portable/Version.ini"
rm -rf "$place"
finish
