#!/usr/bin/env bash
# Runs a command with a private X display (Xvfb) for Windows programs under Wine that open
# windows, and stops the display after it. The display's screen is big enough for the main
# window at its default placement.
#   wine-xvfb.sh COMMAND [ARGUMENTS...]
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: wine-xvfb.sh COMMAND [ARGUMENTS...]" >&2; exit 2; }
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"
