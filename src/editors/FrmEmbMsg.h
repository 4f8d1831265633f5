// The embedded message child window (captioned "Local Information"): the two 32-character
// lines the radio keeps in its memory. A line is written into the working record when its
// box is left, and when the main window asks the window to validate before a radio write.
#pragma once

#include "model/Workspace.h"
#include "text/Prompter.h"

#include <QWidget>
#include <array>

class QLabel;
class QPushButton;

namespace zx::editors {

class MessageLineEdit;

class FrmEmbMsg : public QWidget {
    Q_OBJECT
public:
    FrmEmbMsg(model::Workspace& ws, text::Prompter& prompter, QWidget* parent = nullptr);
    // Stores an edit still in a box, then lets the boxes go without calling back.
    ~FrmEmbMsg() override;

    // Commits the line whose box has the focus, and any line edited since its last commit.
    void validateControls();
    // Shows both lines of the working record again (after the record was replaced).
    void ReShowData();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void commitLine(int line);
    // "used/32" beside a line: the bytes its text takes in the record.
    void showCount(int line);

    model::Workspace& ws_;
    text::Prompter& prompter_; // the window has no messages; kept for the common interface
    std::array<MessageLineEdit*, 2> lines_{};
    std::array<QLabel*, 2> counts_{};
    QPushButton* close_ = nullptr;
};

} // namespace zx::editors
