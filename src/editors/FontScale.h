// Sizes of the radio's layout, given in twips, in pixels of a widget's font. At the default
// font (9 points) a twip is a fifteenth of a pixel at 96 dpi, as designed; a larger font (a
// theme's, or the user's) makes every such size larger in step, so that text is not cut.
#pragma once

#include <QFontInfo>
#include <QWidget>
#include <algorithm>

namespace zx::editors {

// How much larger than the default the widget's font is; never below 1.
inline double fontScale(const QWidget* widget) {
    if (widget == nullptr)
        return 1.0;
    const int dpi = widget->logicalDpiY() > 0 ? widget->logicalDpiY() : 96;
    const double defaultPixels = 9.0 * dpi / 72.0;
    return std::max(1.0, QFontInfo(widget->font()).pixelSize() / defaultPixels);
}

// `twips` of the layout in pixels for `widget`.
inline int scaledTwips(int twips, const QWidget* widget) {
    const int dpi = widget && widget->logicalDpiX() > 0 ? widget->logicalDpiX() : 96;
    return qRound(twips * dpi / 1440.0 * fontScale(widget));
}

} // namespace zx::editors
