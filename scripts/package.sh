#!/usr/bin/env bash
# Builds the Debian package zx908hf_<version>_<arch>.deb with CPack: installs what is
# needed, makes an optimised build of the two programs in its own folder (no tests) and
# packs the installation of dist/Packaging.cmake. Prints the path of the package.
#   scripts/package.sh            package in build-package/package/
#   BUILD=DIR scripts/package.sh  another build folder
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD:-$ROOT/build-package}"

"$ROOT/scripts/bootstrap.sh"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DZX_BUILD_TESTS=OFF -DZX_BUILD_BENCH=OFF -DZX_BUILD_FUZZ=OFF >/dev/null
cmake --build "$BUILD" -j"${JOBS:-2}"
cpack --config "$BUILD/CPackConfig.cmake" -B "$BUILD/package" >&2
ls -1 "$BUILD"/package/zx908hf_*.deb
