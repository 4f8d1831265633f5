#!/usr/bin/env bash
# The installed command-line tool writes and reads a data file named in Chinese, a name
# outside the western ANSI code page: the file is made under that name and info names it.
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

rm -rf "$WORK_DIR/names"
mkdir -p "$WORK_DIR/names"
out="$WORK_DIR/names"
out_w="$(winpath "$out")"

run_cli new --band 1 -o "$out_w\\信道表.dat"
check "new writes a file named in Chinese (exit $RUN_CODE) $RUN_ERR" \
    [ "$RUN_CODE" -eq 0 -a -f "$out/信道表.dat" ]
run_cli info "$out_w\\信道表.dat"
check "info exits 0 (got $RUN_CODE) $RUN_ERR" [ "$RUN_CODE" -eq 0 ]
check "info names the file: $(head -n 1 <<<"$RUN_OUT")" \
    [ "$(head -n 1 <<<"$RUN_OUT")" = "File: $out_w\\信道表.dat" ]
finish
