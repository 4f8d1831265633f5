// Where the main window goes on the screens there are now. A stored placement is used only
// where the window can be seen and moved (its title bar on a screen); a window stored on a
// screen that is gone (an unplugged monitor) comes back on the primary screen. Either way
// the window is made to fit the screen's available area, so that no part of it, the status
// bar included, is out of sight (a high scale factor leaves fewer pixels than the default
// size needs).
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

namespace zx::app {

// The height of the strip along the top of a window that must be on a screen (the title
// bar), and how much of its width at least.
inline constexpr int kTitleStripHeight = 24;
inline constexpr int kMinimumVisibleWidth = 100;

// True when the title strip of `frame` lies on the available area `screen`.
bool titleStripOn(const QRect& frame, const QRect& screen);

// The frame rectangle to use for a window whose stored frame is `frame`, given the available
// areas of the screens there are now. When the stored frame's title strip is on none of them,
// the window goes to the screen `primary` at `fallbackOffset` from its top left corner. The
// result always lies inside one available area (its size is cut down where needed). With no
// screens at all, `frame` is returned unchanged.
QRect fitToScreens(const QRect& frame, const QList<QRect>& screens, int primary,
                   const QPoint& fallbackOffset);

} // namespace zx::app
