# Sourced by the Wine helpers and the Windows end-to-end tests: one place for the settings
# every Wine run of this project uses.
#   WINEPREFIX        must be set by the caller (a fresh folder under a build folder)
#   WINEDEBUG=-all    Wine's own diagnostics would drown the programs' output
#   WINEDLLOVERRIDES  no Mono or Gecko: without a network their installers only pop up and
#                     wait, and nothing here needs .NET or the HTML engine
# shellcheck shell=bash

export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# Debian's wine64 lives outside PATH; the wine launcher in PATH would also look for the
# 32-bit Wine, which 64-bit programs do not need.
zx_wine() {
    if [ -x /usr/lib/wine/wine64 ]; then
        /usr/lib/wine/wine64 "$@"
    else
        wine "$@"
    fi
}

zx_wineserver() {
    if command -v wineserver >/dev/null 2>&1; then
        wineserver "$@"
    else
        /usr/lib/wine/wineserver64 "$@"
    fi
}

# The Unix path of a folder in the prefix's drive C, e.g. zx_wine_c "Program Files".
zx_wine_c() {
    printf '%s/drive_c/%s\n' "$WINEPREFIX" "$1"
}
