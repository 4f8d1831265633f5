#!/usr/bin/env bash
# Installs the Debian packages that building the Windows programs, their setup program and
# testing them under Wine need. Idempotent, like scripts/bootstrap.sh.
set -euo pipefail

PACKAGES=(
    cmake ninja-build dpkg-dev perl
    g++-mingw-w64-x86-64-posix
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
    googletest
    nsis wine wine64
    xvfb xauth x11-utils imagemagick fonts-wine zip unzip mandoc python3
)

missing=()
for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
echo "windows bootstrap: installing ${missing[*]}" >&2
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
