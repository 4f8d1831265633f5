#!/usr/bin/env bash
# The installed command-line tool runs and gives the Linux tool's results: --version, new
# (both bands), info, export to JSON and CHIRP CSV, byte for
# byte the same files and the same text; a missing file is an error that names it. The
# installed settings are never written (the installation is each user's to read only).
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

ref="$ZX_E2E_DIR/cli-linux"
rm -rf "$ref" "$WORK_DIR/cli"
mkdir -p "$ref" "$WORK_DIR/cli"
out="$WORK_DIR/cli"
out_w="$(winpath "$out")"
installed_settings="$(sha256sum <"$INSTALL_DIR/language/mysetup.ini")"
version="$(sed -n 's/^project(zx908hf VERSION \([0-9.]*\).*/\1/p' "$ZX_SOURCE_DIR/CMakeLists.txt")"

run_cli --version
check "--version exits 0 (got $RUN_CODE)" [ "$RUN_CODE" -eq 0 ]
check "--version names $version: $RUN_OUT" contains "$RUN_OUT" "$version"

for band in 0 1; do
    run_cli new --band "$band" -o "$out_w\\new$band.dat"
    check "new --band $band exits 0 (got $RUN_CODE) $RUN_ERR" [ "$RUN_CODE" -eq 0 ]
    linux_cli new --band "$band" -o "$ref/new$band.dat"
    check "new --band $band writes the Linux tool's file" cmp "$ref/new$band.dat" "$out/new$band.dat"
done
run_cli info "$out_w\\new1.dat"
check "info exits 0 (got $RUN_CODE) $RUN_ERR" [ "$RUN_CODE" -eq 0 ]
check "info names the file: $(head -n 1 <<<"$RUN_OUT")" \
    [ "$(head -n 1 <<<"$RUN_OUT")" = "File: $out_w\\new1.dat" ]
check "info says what the Linux tool says" \
    [ "$(tail -n +2 <<<"$RUN_OUT")" = "$(linux_cli info "$ref/new1.dat" | tail -n +2)" ]

for format in json csv; do
    run_cli export --format "$format" -o "$out_w\\new1.$format" "$out_w\\new1.dat"
    check "export --format $format exits 0 (got $RUN_CODE) $RUN_ERR" [ "$RUN_CODE" -eq 0 ]
    linux_cli export --format "$format" -o "$ref/new1.$format" "$ref/new1.dat"
    check "export --format $format writes the Linux tool's file" \
        cmp "$ref/new1.$format" "$out/new1.$format"
done

run_cli info "$out_w\\no such file.dat"
check "info of a missing file fails (exit $RUN_CODE)" [ "$RUN_CODE" -ne 0 ]
check "and names the file: $RUN_ERR" contains "$RUN_ERR" "no such file.dat"

check "the installed settings are not written" \
    [ "$(sha256sum <"$INSTALL_DIR/language/mysetup.ini")" = "$installed_settings" ]
finish
