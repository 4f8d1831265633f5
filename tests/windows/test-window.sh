#!/usr/bin/env bash
# The installed desktop program opens its main window: started from its installed place on
# a Wine desktop under a private X display, its window (titled after the model) appears and
# shows more than a blank area. The picture is kept as run/windows-main.png; with
# ZX_UPDATE_DOCS=1 it also replaces docs/windows-main.png.
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

shot="$ZX_E2E_DIR/windows-main.png"
log="$ZX_E2E_DIR/window.log"
rm -f "$shot"

# Inside the X display: a Wine desktop the size of a small screen with the program on it;
# waits for the main window, lets it paint, photographs the desktop and ends the programs.
cat >"$ZX_E2E_DIR/window-inner.sh" <<'INNER'
set -u
. "$ZX_SOURCE_DIR/scripts/windows/wine-env.sh"
zx_wine explorer /desktop=zx908hf,1280x860 "$1" >/dev/null 2>&1 &
found=""
for _ in $(seq 1 90); do
    found="$(xwininfo -root -tree 2>/dev/null | grep -F '"ZX-908HF[' | grep -F 'zx908hf.exe' || true)"
    [ -n "$found" ] && break
    sleep 1
done
echo "window: ${found:-none}"
if [ -n "$found" ]; then
    sleep 4
    import -window root "$2"
fi
zx_wineserver -k 2>/dev/null || true
wait
INNER
ZX_SOURCE_DIR="$ZX_SOURCE_DIR" "$WINE_HELPERS/wine-xvfb.sh" \
    bash "$ZX_E2E_DIR/window-inner.sh" "$INSTALL_DIR/V310/zx908hf.exe" "$shot.desktop.png" \
    >"$log" 2>&1 || true
cat "$log"
window="$(sed -n 's/^window: //p' "$log")"
check "the main window opens (titled ZX-908HF[band][file])" [ -n "$window" ] -a "$window" != none

if [ -f "$shot.desktop.png" ]; then
    # The desktop's plain background goes; the window with its frame stays.
    /usr/bin/convert "$shot.desktop.png" -trim +repage "$shot"
    rm -f "$shot.desktop.png"
fi
check "a picture of the window was taken" [ -s "$shot" ]
if [ -s "$shot" ]; then
    colours="$(/usr/bin/identify -format '%k' "$shot")"
    size="$(/usr/bin/identify -format '%wx%h' "$shot")"
    width="${size%x*}" height="${size#*x}"
    check "the window is drawn ($colours colours, $size)" \
        [ "$colours" -gt 16 ] -a "$width" -gt 600 -a "$height" -gt 400
    if [ "${ZX_UPDATE_DOCS:-0}" = "1" ]; then
        cp "$shot" "$ZX_SOURCE_DIR/docs/windows-main.png"
    fi
fi
finish
