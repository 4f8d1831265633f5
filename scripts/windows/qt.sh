#!/usr/bin/env bash
# Qt for Windows, cross-built from Debian's own qt6-base source into a cache folder.
#
# The source comes from the Debian archive this machine already uses: a deb-src entry is
# derived from its configured sources in a private apt state folder, so the machine's own
# package lists stay as they are. The version is the one of the host's Qt tools (moc, rcc,
# uic), which the cross build runs. Only what the programs need is built (Core, Gui,
# Widgets, PrintSupport, Test with the Windows platform and style plugins).
#
# A complete cache is reused; a partial or damaged one (no completion stamp, another
# configuration, a file that no longer matches its checksum) is built again.
#
# Prints the cache folder on its last line of output. Environment:
#   ZX_WINDOWS_CACHE  cache root (default ${XDG_CACHE_HOME:-~/.cache}/zx908hf)
#   JOBS              parallel build jobs (default 2)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
JOBS="${JOBS:-2}"
CACHE_ROOT="${ZX_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zx908hf}"

"$ROOT/scripts/windows/bootstrap.sh"

HOST_VERSION="$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)"
QT_VERSION="${HOST_VERSION%%+*}"
QT_VERSION="${QT_VERSION#*:}"
PREFIX="$CACHE_ROOT/qt-$QT_VERSION-mingw64"
WORK="$CACHE_ROOT/work-qt-$QT_VERSION"
STAMP="$PREFIX/.zx908hf-complete"
MANIFEST="$PREFIX/.zx908hf-manifest"

# The configuration: changing any of these lines builds the cache again.
CONFIGURE_OPTIONS=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_pkg_config=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_network=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_vulkan=OFF
    -DFEATURE_concurrent=OFF
    # Debian's source carries no wintab.h.
    -DFEATURE_tabletevent=OFF
)
FINGERPRINT="$( (echo "$HOST_VERSION"; printf '%s\n' "${CONFIGURE_OPTIONS[@]}";
                 cat "$ROOT/scripts/windows/mingw-w64-x86_64.cmake") | sha256sum | cut -d' ' -f1)"

mkdir -p "$CACHE_ROOT"
exec 9>"$CACHE_ROOT/.qt-$QT_VERSION.lock"
if ! flock -n 9; then
    echo "qt.sh: another build of Qt $QT_VERSION for Windows is running; waiting for it" >&2
    flock 9
fi

cache_is_complete() {
    [ -f "$STAMP" ] && [ -f "$MANIFEST" ] &&
        [ "$(cat "$STAMP")" = "$FINGERPRINT" ] &&
        (cd "$PREFIX" && sha256sum --quiet --strict -c "$MANIFEST" >/dev/null 2>&1)
}

if cache_is_complete; then
    echo "qt.sh: Qt $QT_VERSION for Windows is ready in the cache" >&2
    echo "$PREFIX"
    exit 0
fi
if [ -e "$PREFIX" ]; then
    echo "qt.sh: the cache in $PREFIX is partial or damaged; building it again" >&2
    rm -rf "$PREFIX"
fi

started=$(date +%s)

# --- The source, through a private apt state ---------------------------------------------
APT="$WORK/apt"
rm -rf "$WORK"
mkdir -p "$APT/sources.list.d" "$APT/lists/partial" "$APT/cache/archives/partial" "$WORK/src"
: >"$APT/sources.list"
codename="$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")"

# deb822 paragraphs of the Debian release: the same archive, as source packages.
for sources in /etc/apt/sources.list.d/*.sources; do
    [ -f "$sources" ] || continue
    awk -v codename="$codename" '
        function flush() {
            if (para != "" && types ~ /(^| )deb( |$)/ && suites ~ ("(^| )" codename "( |$)"))
                printf "%s\n", para
            para = ""; types = ""; suites = ""
        }
        /^[[:space:]]*#/ { next }
        /^[[:space:]]*$/ { flush(); next }
        /^Types:/   { types = $0; sub(/^Types:[[:space:]]*/, "", types); $0 = "Types: deb-src" }
        /^Suites:/  { suites = $0; sub(/^Suites:[[:space:]]*/, "", suites) }
        { para = para $0 "\n" }
        END { flush() }
    ' "$sources" >>"$APT/sources.list.d/debian-source.sources"
done
# One-line entries of the release.
for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$list" ] || continue
    awk -v codename="$codename" '$1 == "deb" && $0 ~ (" " codename "[ -]") { $1 = "deb-src"; print }' \
        "$list" >>"$APT/sources.list"
done
if ! [ -s "$APT/sources.list" ] && ! [ -s "$APT/sources.list.d/debian-source.sources" ]; then
    echo "qt.sh: no Debian $codename archive among this machine's apt sources" >&2
    exit 1
fi

APT_OPTIONS=(
    -o "Dir::Etc::SourceList=$APT/sources.list"
    -o "Dir::Etc::SourceParts=$APT/sources.list.d"
    -o "Dir::State::Lists=$APT/lists"
    -o "Dir::Cache=$APT/cache"
    -o "Debug::NoLocking=1"
)
if [ "$(id -u)" -eq 0 ]; then
    APT_OPTIONS+=(-o "APT::Sandbox::User=root")
fi
echo "qt.sh: fetching the qt6-base $HOST_VERSION source" >&2
apt-get "${APT_OPTIONS[@]}" -qq update
(cd "$WORK/src" && apt-get "${APT_OPTIONS[@]}" -qq source --download-only "qt6-base=$HOST_VERSION")

# apt has checked the files against the signed index; dpkg-source checks them against the
# source description again while it unpacks and applies Debian's patches.
dsc="$(ls "$WORK/src"/qt6-base_*.dsc)"
dsc_version="$(sed -n 's/^Version: //p' "$dsc")"
if [ "$dsc_version" != "$HOST_VERSION" ]; then
    echo "qt.sh: the archive gave qt6-base $dsc_version, the host tools are $HOST_VERSION" >&2
    exit 1
fi
(cd "$WORK/src" && dpkg-source --require-strong-checksums -x "$dsc" qtbase >/dev/null)

# --- Cross build ---------------------------------------------------------------------------
echo "qt.sh: configuring Qt $QT_VERSION for x86_64-w64-mingw32" >&2
cmake -S "$WORK/src/qtbase" -B "$WORK/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/scripts/windows/mingw-w64-x86_64.cmake" \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" "${CONFIGURE_OPTIONS[@]}" >"$WORK/configure.log" 2>&1 || {
    tail -40 "$WORK/configure.log" >&2
    echo "qt.sh: configuring failed; the whole log is $WORK/configure.log" >&2
    exit 1
}
echo "qt.sh: building (this takes half an hour or more with $JOBS jobs)" >&2
cmake --build "$WORK/build" -j"$JOBS" >"$WORK/build.log" 2>&1 || {
    tail -40 "$WORK/build.log" >&2
    echo "qt.sh: building failed; the whole log is $WORK/build.log" >&2
    exit 1
}
cmake --install "$WORK/build" >"$WORK/install.log" 2>&1

(cd "$PREFIX" && find . -type f ! -name '.zx908hf-*' -print0 | sort -z | xargs -0 sha256sum) >"$MANIFEST"
echo "$FINGERPRINT" >"$STAMP"
rm -rf "$WORK"

echo "qt.sh: Qt $QT_VERSION for Windows built in $(( ($(date +%s) - started) / 60 )) min" >&2
echo "$PREFIX"
