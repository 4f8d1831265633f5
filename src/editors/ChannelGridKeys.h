// The input rules of the channel grid's frequency text box: which keys it refuses and which
// mouse and clipboard input it swallows, so that only digits and "." can be typed into it.
#pragma once

#include <QObject>

class QKeyEvent;
class QLineEdit;

namespace zx::editors {

// True for a key the frequency box discards: Ctrl+C, Ctrl+V and Ctrl+X (and the other
// clipboard shortcuts of the platform), characters above code 127, and printable characters
// other than "0".."9" and ".". Backspace, DEL, Enter, the other control keys and the other
// Ctrl combinations (undo, select all) pass.
bool isRefusedFrequencyKey(const QKeyEvent& event);

// Installed on the frequency box: drops refused keys, swallows the right (and middle) mouse
// button so that no context menu and no selection paste appear, and refuses drops and input
// method text, which would bypass the key rules.
class FrequencyBoxGuard : public QObject {
    Q_OBJECT
public:
    explicit FrequencyBoxGuard(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace zx::editors
