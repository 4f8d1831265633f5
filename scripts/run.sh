#!/usr/bin/env bash
# Builds and starts the programming tool. With a display it starts the desktop program on a
# built-in virtual radio (--demo), so it can be tried without a radio. Without a display it
# says so and runs a headless demonstration with the command-line tool instead: a virtual
# radio, a read of its configuration into a data file, and a summary of that file.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
cd "$ROOT"

"$ROOT/scripts/bootstrap.sh"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j"${JOBS:-2}" --target zx908hf-cli $(test -f "$ROOT/src/app/main.cpp" && echo zx908hf)

PROGRAM_DIR="$BUILD/stage/V310"
CLI="$PROGRAM_DIR/zx908hf-cli"

if [ -x "$PROGRAM_DIR/zx908hf" ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$PROGRAM_DIR/zx908hf" --demo "$@"
fi

if [ -x "$PROGRAM_DIR/zx908hf" ]; then
    echo "run.sh: no display found (DISPLAY is not set); running a headless demonstration instead." >&2
fi

WORK="$(mktemp -d)"
trap 'kill "${SIM_PID:-0}" 2>/dev/null || true; rm -rf "$WORK"' EXIT

if "$CLI" --help 2>/dev/null | grep -q '^  simulate'; then
    echo "== a virtual radio on a pseudo-terminal =="
    "$CLI" simulate --link "$WORK/radio" --data "$PROGRAM_DIR/Init/0_ZX-908HF.dat" >"$WORK/sim.out" 2>&1 &
    SIM_PID=$!
    for _ in $(seq 50); do [ -e "$WORK/radio" ] && break; sleep 0.1; done
    cat "$WORK/sim.out"
    echo "== read the radio into $WORK/radio.dat =="
    "$CLI" read --port "$WORK/radio" --yes --no-backup -o "$WORK/radio.dat"
    echo "== summary of the data read =="
    "$CLI" info "$WORK/radio.dat"
else
    echo "== a new document =="
    "$CLI" new -o "$WORK/new.dat"
    "$CLI" info "$WORK/new.dat"
fi
