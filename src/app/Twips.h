// Twips, the unit of the stored window placement and of the tree panel's minimum width:
// 1440 per inch, so 15 per pixel at 96 dpi.
#pragma once

#include <QWidget>

namespace zx::app {

inline double twipsPerPixel(const QWidget* widget) {
    const int dpi = widget ? widget->logicalDpiX() : 96;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

inline int toPixels(int twips, const QWidget* widget) {
    return qRound(twips / twipsPerPixel(widget));
}

inline int toTwips(int pixels, const QWidget* widget) {
    return qRound(pixels * twipsPerPixel(widget));
}

} // namespace zx::app
