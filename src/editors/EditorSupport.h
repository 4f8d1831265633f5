// Small helpers shared by the optional features, embedded message and identity windows:
// table texts as QString, and closing a window whether it lives in an MDI area or alone.
#pragma once

#include "text/TextTable.h"

#include <QString>
#include <QWidget>
#include <string_view>

namespace zx::editors {

inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

inline QString tableText(const text::TextTable& table, int language) {
    return fromUtf8(table[language]);
}

// Unloads `window`: inside an MDI area the sub-window that wraps it is closed (closing only
// the inner widget would leave an empty frame behind), otherwise the window itself.
void closeHostWindow(QWidget* window);

} // namespace zx::editors
