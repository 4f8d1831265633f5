#!/usr/bin/env bash
# The installed desktop program opens its main window: started from its installed place on
# a Wine desktop under a private X display, its window (titled after the model) appears and
# shows more than a blank area; then once more in Chinese. The pictures are kept as
# run/windows-main.png and run/windows-main-zh.png; with ZX_UPDATE_DOCS=1 they also replace
# those in docs/.
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

shot="$ZX_E2E_DIR/windows-main.png"
rm -f "$shot"
show_window "$INSTALL_DIR/V310/zx908hf.exe" "$shot"
check "the main window opens: ${WINDOW:-none}" [ -n "$WINDOW" ]
check "a picture of the window was taken" [ -s "$shot" ]
if [ -s "$shot" ]; then
    colours="$(/usr/bin/identify -format '%k' "$shot")"
    size="$(/usr/bin/identify -format '%wx%h' "$shot")"
    width="${size%x*}" height="${size#*x}"
    check "the window is drawn ($colours colours, $size)" \
        [ "$colours" -gt 16 -a "$width" -gt 600 -a "$height" -gt 400 ]
    if [ "${ZX_UPDATE_DOCS:-0}" = "1" ]; then
        cp "$shot" "$ZX_SOURCE_DIR/docs/windows-main.png"
    fi
fi

# The same window in Chinese: the user's own settings (made on the first start) say so.
settings="$USER_DIR/AppData/Roaming/zx908hf/language/mysetup.ini"
check "the first start made the user's settings" [ -f "$settings" ]
if [ -f "$settings" ]; then
    sed -i 's/^CurrentLanguage=.*/CurrentLanguage=2/' "$settings"
    shot_zh="$ZX_E2E_DIR/windows-main-zh.png"
    rm -f "$shot_zh"
    show_window "$INSTALL_DIR/V310/zx908hf.exe" "$shot_zh"
    sed -i 's/^CurrentLanguage=.*/CurrentLanguage=1/' "$settings"
    check "the main window opens in Chinese: ${WINDOW:-none}" [ -n "$WINDOW" -a -s "$shot_zh" ]
    if [ -s "$shot_zh" ] && [ "${ZX_UPDATE_DOCS:-0}" = "1" ]; then
        cp "$shot_zh" "$ZX_SOURCE_DIR/docs/windows-main-zh.png"
    fi
fi
finish
