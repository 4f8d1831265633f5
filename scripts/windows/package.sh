#!/usr/bin/env bash
# The Windows setup program and portable archive, made on Debian:
#   zx908hf-<version>-win64-setup.exe   NSIS setup program (installs into Program Files)
#   zx908hf-<version>-win64.zip         the same programs in a folder that runs from anywhere
# Both carry the HTML manual made from the manual pages. The Windows build comes first
# (build.sh, which builds Qt for Windows with qt.sh when its cache is missing; both reuse
# what is there).
# Prints the setup program's path and then the archive's path, one per line, at the end.
#
# Environment:
#   ZX_WINDOWS_BUILD  an existing Windows build folder to package (build.sh is not run)
#   ZX_WINDOWS_STAGE  a stage folder to package instead of a build's stage (for trying the
#                     setup program with stand-in programs)
#   ZX_PACKAGE_DIR    where to write (default <build>/package, or ./package-windows)
#   JOBS              parallel build jobs (default 2)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
HERE="$ROOT/scripts/windows"
export JOBS="${JOBS:-2}"

"$HERE/bootstrap.sh"

BUILD="${ZX_WINDOWS_BUILD:-}"
if [ -n "${ZX_WINDOWS_STAGE:-}" ]; then
    STAGE="$(cd "$ZX_WINDOWS_STAGE" && pwd)"
else
    if [ -z "$BUILD" ]; then
        echo "package.sh: building the programs for Windows" >&2
        BUILD="$("$HERE/build.sh" | tee >(cat >&2) | tail -n 1)"
    fi
    BUILD="$(cd "$BUILD" && pwd)"
    STAGE="$BUILD/stage"
fi
for needed in V310/zx908hf.exe V310/zx908hf-cli.exe V310/Init Version.ini; do
    [ -e "$STAGE/$needed" ] || { echo "package.sh: $STAGE has no $needed" >&2; exit 1; }
done

# The version is CMake's project version: the build's own, or the source's for a stand-in.
VERSION=""
if [ -n "$BUILD" ] && [ -f "$BUILD/CMakeCache.txt" ]; then
    VERSION="$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$BUILD/CMakeCache.txt")"
fi
if [ -z "$VERSION" ]; then
    VERSION="$(sed -n 's/^project(zx908hf VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")"
fi
[ -n "$VERSION" ] || { echo "package.sh: no project version found" >&2; exit 1; }

OUT="${ZX_PACKAGE_DIR:-${BUILD:+$BUILD/package}}"
OUT="${OUT:-$PWD/package-windows}"
mkdir -p "$OUT"
OUT="$(cd "$OUT" && pwd)"
NAME="zx908hf-$VERSION-win64"
WORK="$OUT/work"
rm -rf "$WORK"
mkdir -p "$WORK"

# The installation as the archive has it: the stage, with the settings and version list as
# shipped (a program run in the stage may have written its settings there), the manual and
# the licence.
TREE="$WORK/$NAME"
cp -a "$STAGE/." "$TREE/"
rm -rf "$TREE/language"
mkdir -p "$TREE/language"
cp "$ROOT/data/mysetup.ini" "$TREE/language/mysetup.ini"
cp "$ROOT/data/Version.ini" "$TREE/Version.ini"
"$HERE/make-manual.sh" "$VERSION" "$TREE/manual"
sed 's/$/\r/' "$ROOT/LICENSE" > "$TREE/LICENSE.txt"

# The setup program installs the same tree, marked as an installation whose settings are
# each user's own (it lies in Program Files, which users do not write).
SETUP_TREE="$WORK/setup"
cp -a "$TREE" "$SETUP_TREE"
cp "$ROOT/dist/windows/installation.ini" "$SETUP_TREE/installation.ini"
GENERATED="$WORK/nsis"
"$HERE/nsis-lists.py" "$SETUP_TREE" "$GENERATED"
cp "$TREE/LICENSE.txt" "$GENERATED/LICENSE.txt"
# The programs' own icon, as the build packed it; a stand-in stage gets it packed here.
if [ -n "$BUILD" ] && [ -f "$BUILD/windows/zx908hf.ico" ]; then
    cp "$BUILD/windows/zx908hf.ico" "$GENERATED/zx908hf.ico"
else
    icons=()
    for size in 16 24 32 48 64 128 256; do
        icons+=("$ROOT/dist/icons/hicolor/${size}x$size/apps/zx908hf.png")
    done
    python3 "$ROOT/dist/windows/make-ico.py" "$GENERATED/zx908hf.ico" "${icons[@]}"
fi

SETUP="$OUT/$NAME-setup.exe"
ARCHIVE="$OUT/$NAME.zip"
rm -f "$SETUP" "$ARCHIVE"
makensis -V2 -INPUTCHARSET UTF8 \
    "-DZX_VERSION=$VERSION" "-DZX_ROOT=$SETUP_TREE" "-DZX_GENERATED=$GENERATED" \
    "-DZX_OUTFILE=$SETUP" "$ROOT/dist/windows/zx908hf.nsi" >&2

# Entries in a fixed order with no extra attributes, so the same tree makes the same list.
(cd "$WORK" && find "$NAME" -print | LC_ALL=C sort | zip -q -X -9 "$ARCHIVE" -@)

rm -rf "$WORK"
echo "$SETUP"
echo "$ARCHIVE"
