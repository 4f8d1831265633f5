#!/usr/bin/env bash
# The Windows serial port under Wine against the Linux virtual radio: Wine's COM8 is mapped
# (HKLM\Software\Wine\Ports) to a link that this script points at the pseudo-terminal of
# `zx908hf-cli simulate` of a Linux build. Runs the MappedPort tests of platform_tests.exe
# (both stop-bit counts, a whole hand-shake, the port in use), checks the port list shows
# COM8, and pulls the cable in the middle of a read: the Windows CLI must end with the
# connection prompt and "has gone away", not hang. Ctrl+C (SIGINT to Wine, which hands it to
# the console control handler) in the middle of a read ends the session with End.
# Usage: wine-serial.sh BUILD LINUX_CLI PLATFORM_TESTS_EXE
# Exits 77 (skipped) when there is no Linux CLI to play the radio.
set -uo pipefail

BUILD="$1"
LINUX_CLI="$2"
TESTS_EXE="$3"
WINE_RUN="$BUILD/wine-run"
WINDOWS_CLI="$BUILD/stage/V310/zx908hf-cli.exe"
LINK="$BUILD/wine/com8"
WORK="$(mktemp -d)"

if [ ! -x "$LINUX_CLI" ]; then
    echo "no Linux zx908hf-cli at $LINUX_CLI: build the Linux tree first" >&2
    exit 77
fi

radio=""
stop_radio() {
    if [ -n "$radio" ]; then
        kill "$radio" 2>/dev/null
        wait "$radio" 2>/dev/null
        radio=""
    fi
}
cleanup() {
    stop_radio
    rm -rf "$WORK"
}
trap cleanup EXIT

start_radio() {
    rm -f "$LINK"
    "$LINUX_CLI" simulate --link "$LINK" "$@" >"$WORK/radio.out" 2>"$WORK/radio.err" &
    radio=$!
    for _ in $(seq 100); do
        [ -e "$LINK" ] && return 0
        sleep 0.1
    done
    echo "the virtual radio did not start" >&2
    cat "$WORK/radio.err" >&2
    return 1
}

failed=0
fail() {
    echo "FAILED: $*" >&2
    failed=1
}

# 1. The port's own tests, with the radio on COM8.
start_radio || exit 1
ZX_WINE_COM_PORT=COM8 "$WINE_RUN" "$TESTS_EXE" --gtest_brief=1 \
    --gtest_filter='MappedPort.*:PortListOnWindows.*' || fail "platform tests on COM8"

# 2. The port list names the mapped port.
ports="$("$WINE_RUN" "$WINDOWS_CLI" ports 2>&1)"
echo "$ports"
grep -q "COM8" <<<"$ports" || fail "zx908hf-cli.exe ports does not list COM8"
stop_radio

# wait_for_exit PID TENTHS: waits up to TENTHS tenths of a second for PID to end; its exit
# code is then in $code, which stays empty while it runs on.
wait_for_exit() {
    code=""
    for _ in $(seq "$2"); do
        if ! kill -0 "$1" 2>/dev/null; then
            wait "$1"
            code=$?
            return 0
        fi
        sleep 0.1
    done
}

# 3. The cable pulled in the middle of a paced read.
start_radio --paced || exit 1
started=$(date +%s)
"$WINE_RUN" "$WINDOWS_CLI" read --yes --retries 1 --port COM8 -o "$WORK/read.dat" \
    >"$WORK/read.out" 2>"$WORK/read.err" &
reader=$!
sleep 4
stop_radio
wait_for_exit "$reader" 300
if [ -z "$code" ]; then
    kill "$reader" 2>/dev/null
    fail "the read still runs 30 s after the cable was pulled"
else
    echo "read ended with $code after $(( $(date +%s) - started )) s:"
    cat "$WORK/read.err"
    [ "$code" = "4" ] || fail "exit code $code, not 4"
    grep -q "Check Connection. Retry or Cancel?" "$WORK/read.err" || fail "no connection prompt"
    grep -q "COM8 has gone away" "$WORK/read.err" || fail "the reason does not say the port went away"
    [ ! -e "$WORK/read.dat" ] || fail "a cut-short read left a data file"
fi

# 4. Ctrl+C in the middle of a paced read: End reaches the radio, the exit code is 130.
start_radio --paced --verbose || exit 1
"$WINE_RUN" "$WINDOWS_CLI" read --yes --port COM8 -o "$WORK/stopped.dat" \
    >"$WORK/stopped.out" 2>"$WORK/stopped.err" &
reader=$!
sleep 4
kill -INT "$reader"
wait_for_exit "$reader" 150
sleep 0.5
stop_radio
if [ -z "$code" ]; then
    kill "$reader" 2>/dev/null
    fail "the read still runs 15 s after Ctrl+C"
else
    echo "Ctrl+C: read ended with $code"
    [ "$code" = "130" ] || fail "exit code $code after Ctrl+C, not 130"
    grep -q "^end: answered" "$WORK/radio.err" || fail "no End reached the radio after Ctrl+C"
    [ ! -e "$WORK/stopped.dat" ] || fail "a stopped read left a data file"
fi
exit $failed
