// Placing the main window on the screens there are.
#include "app/ScreenFit.h"

#include <algorithm>

namespace zx::app {

bool titleStripOn(const QRect& frame, const QRect& screen) {
    const QRect strip(frame.left(), frame.top(), frame.width(),
                      std::min(kTitleStripHeight, frame.height()));
    const QRect seen = strip.intersected(screen);
    return seen.height() == strip.height() &&
           seen.width() >= std::min(kMinimumVisibleWidth, strip.width());
}

QRect fitToScreens(const QRect& frame, const QList<QRect>& screens, int primary,
                   const QPoint& fallbackOffset) {
    if (screens.isEmpty())
        return frame;
    // The screen that shows most of the window among those that show its title bar.
    qsizetype chosen = -1;
    qint64 bestArea = -1;
    for (qsizetype i = 0; i < screens.size(); ++i) {
        if (!titleStripOn(frame, screens[i]))
            continue;
        const QRect seen = frame.intersected(screens[i]);
        const qint64 area = qint64(seen.width()) * seen.height();
        if (area > bestArea) {
            bestArea = area;
            chosen = i;
        }
    }
    QRect fitted = frame;
    if (chosen < 0) {
        chosen = primary >= 0 && primary < screens.size() ? primary : 0;
        fitted.moveTopLeft(screens[chosen].topLeft() + fallbackOffset);
    }
    const QRect& area = screens[chosen];
    fitted.setSize(fitted.size().boundedTo(area.size()));
    fitted.moveLeft(std::clamp(fitted.left(), area.left(), area.right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), area.top(), area.bottom() - fitted.height() + 1));
    return fitted;
}

} // namespace zx::app
