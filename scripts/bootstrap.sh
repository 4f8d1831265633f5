#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing the tool need.
# Idempotent: packages already present are not touched; uses sudo when not run as root.
set -euo pipefail

PACKAGES=(
    build-essential cmake ninja-build pkg-config ccache
    clang libclang-rt-dev
    qt6-base-dev qt6-base-private-dev qt6-serialport-dev libgl-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    xvfb xauth fonts-wqy-microhei fonts-dejavu-core
    qt6-translations-l10n poppler-utils
    dpkg-dev file lintian desktop-file-utils appstream shared-mime-info libglib2.0-bin
)

missing=()
for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi

echo "bootstrap: installing ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
