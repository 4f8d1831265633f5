#!/usr/bin/env bash
# The installed command-line tool programs a radio through a Wine COM port: the Linux
# virtual radio serves on a pseudo-terminal, mapped to COM8 of the prefix. The port is in
# Windows' serial port list and in `ports`; a read gives exactly what the radio holds (the
# same data file and the same memory image, byte for byte, as the Linux tool reads from the
# same radio); a write is verified by the tool and the radio then holds exactly what was
# sent.
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

run="$ZX_E2E_DIR/serial"
rm -rf "$run" "$WORK_DIR/serial"
mkdir -p "$run" "$WORK_DIR/serial"
out="$WORK_DIR/serial"
out_w="$(winpath "$out")"
backups="$LOCALAPPDATA_DIR/zx908hf/backups"
# The Linux tool keeps its own backups apart from the user's.
export XDG_DATA_HOME="$run/linux-data" XDG_CONFIG_HOME="$run/linux-config"
linux_backups="$XDG_DATA_HOME/zx908hf/backups"

radio_pid=""
stop_radio() {
    if [ -n "$radio_pid" ]; then
        kill -TERM "$radio_pid" 2>/dev/null || true
        wait "$radio_pid" 2>/dev/null || true
        radio_pid=""
    fi
}
trap stop_radio EXIT
# start_radio NAME SIMULATE-OPTIONS...: a virtual radio whose terminal is $run/NAME.
start_radio() {
    local name="$1"
    shift
    # The radio itself in the background (not a shell function's subshell), so that the
    # TERM of stop_radio reaches it and it writes its --dump.
    "$ZX_LINUX_CLI" simulate --link "$run/$name" "$@" >"$run/$name.out" 2>"$run/$name.err" &
    radio_pid=$!
    for _ in $(seq 1 100); do
        [ -e "$run/$name" ] && return 0
        sleep 0.1
    done
    echo "the virtual radio did not start: $(cat "$run/$name.err")" >&2
    return 1
}
newest() { # newest FOLDER PATTERN
    { find "$1" -name "$2" -printf '%T@ %p\n' 2>/dev/null || true; } | sort -n | tail -n 1 | cut -d' ' -f2-
}
# The programmed part of the memory image: 0010 to 1DDF hexadecimal.
programmed() {
    dd if="$1" bs=1 skip=16 count=$((0x1DE0 - 16)) status=none
}

# The radio holds the Initial Setting of band 0; the file to write adds two channels.
radio_file="$INSTALL_DIR/V310/Init/0_ZX-908HF.dat"
linux_cli export --format sheet -o "$run/sheet.csv" "$radio_file"
printf '%s\n' "A,2,28.305000,28.315000,Add,Enable,Disable,Disable,Disable,Disable,Disable" \
    "A,3,29.605000,29.605000,Del,Disable,Enable,Disable,Disable,Disable,Disable" >>"$run/sheet.csv"
linux_cli import "$run/sheet.csv" --into "$radio_file" -o "$out/write.dat"
start_radio radio --data "$radio_file" --dump "$run/radio-after.img"
device="$(readlink -f "$run/radio")"
"$WINE_HELPERS/wine-port.sh" "$WINEPREFIX" COM8 "$device"

serialcomm="$(zx_wine reg query 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' 2>/dev/null | tr -d '\r')"
check "Windows lists the mapped port in SERIALCOMM" contains "$serialcomm" "COM8"
run_windows "$WORK_DIR/comprobe.exe" COM8
check "a Win32 program reaches the radio through COM8 (exit $RUN_CODE: $RUN_OUT $RUN_ERR)" \
    [ "$RUN_CODE" -eq 0 ]

run_cli ports
check "ports lists COM8: $RUN_OUT" grep -q '^COM8\b' <<<"$RUN_OUT"

# Read.
run_cli read --port COM8 --yes -o "$out_w\\read.dat"
check "read through COM8 exits 0 (got $RUN_CODE) $RUN_ERR" [ "$RUN_CODE" -eq 0 ]
windows_read_image="$(newest "$backups" '*.img')"
check "the read left a backup of the radio's memory" [ -n "$windows_read_image" ]
check "the file read holds what the radio holds" linux_cli diff "$radio_file" "$out/read.dat"
linux_cli read --port "$device" --yes -o "$run/linux-read.dat" >/dev/null || true
check "the file read is the Linux tool's, byte for byte" cmp "$run/linux-read.dat" "$out/read.dat"
linux_read_image="$(newest "$linux_backups" '*.img')"
check "the memory read is the Linux tool's, byte for byte" \
    cmp "$linux_read_image" "$windows_read_image"

# Write a different configuration, verified.
check "the file to write differs from the radio's" bash -c '! "$0" diff "$1" "$2" >/dev/null' \
    "$ZX_LINUX_CLI" "$radio_file" "$out/write.dat"
run_cli write --port COM8 --yes "$out_w\\write.dat"
check "write through COM8 exits 0 (got $RUN_CODE) $RUN_ERR" [ "$RUN_CODE" -eq 0 ]
check "the write was verified: $RUN_OUT $RUN_ERR" contains "$RUN_OUT$RUN_ERR" "Verify OK."
written_image="$(newest "$backups" '*.img')"
check "the write left a backup of what it sent" \
    [ -n "$written_image" -a "$written_image" != "$windows_read_image" ]
stop_radio
if [ -n "$written_image" ] && [ -s "$run/radio-after.img" ]; then
    check "the radio holds what was sent, byte for byte" \
        cmp <(programmed "$written_image") <(programmed "$run/radio-after.img")
    # What the radio now holds, read by the Linux tool, is the file written.
    start_radio radio2 --image "$run/radio-after.img"
    linux_cli read --port "$run/radio2" --yes -o "$run/after.dat" >/dev/null || true
    stop_radio
    check "the radio now holds the written file" linux_cli diff "$out/write.dat" "$run/after.dat"
else
    fail "the radio holds what was sent: no backup of the write or no memory of the radio to compare"
fi

"$WINE_HELPERS/wine-port.sh" "$WINEPREFIX" COM8
finish
