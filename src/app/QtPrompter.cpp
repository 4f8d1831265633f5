// Message boxes of the desktop program.
#include "app/QtPrompter.h"

#include "text/TextTable.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

namespace zx::app {

namespace {

struct MessageButton {
    text::Answer answer;
    QMessageBox::ButtonRole role;
    text::TextTable caption;
};

constexpr MessageButton kOk{text::Answer::Ok, QMessageBox::AcceptRole, {"OK", "确定"}};
constexpr MessageButton kCancel{text::Answer::Cancel, QMessageBox::RejectRole, {"Cancel", "取消"}};
constexpr MessageButton kYes{text::Answer::Yes, QMessageBox::YesRole, {"&Yes", "是(&Y)"}};
constexpr MessageButton kNo{text::Answer::No, QMessageBox::NoRole, {"&No", "否(&N)"}};
constexpr MessageButton kRetry{
    text::Answer::Retry, QMessageBox::AcceptRole, {"&Retry", "重试(&R)"}};

std::vector<MessageButton> buttonsOf(text::Buttons buttons) {
    switch (buttons) {
    case text::Buttons::Ok:
        return {kOk};
    case text::Buttons::OkCancel:
        return {kOk, kCancel};
    case text::Buttons::YesNo:
        return {kYes, kNo};
    case text::Buttons::YesNoCancel:
        return {kYes, kNo, kCancel};
    case text::Buttons::RetryCancel:
        return {kRetry, kCancel};
    }
    return {kOk};
}

QMessageBox::Icon iconOf(text::Icon icon) {
    switch (icon) {
    case text::Icon::Information:
        return QMessageBox::Information;
    case text::Icon::Warning:
        return QMessageBox::Warning;
    case text::Icon::Question:
        return QMessageBox::Question;
    case text::Icon::Error:
        return QMessageBox::Critical;
    case text::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Closing the box without a button (Escape, the title bar) answers like the classic boxes:
// Cancel where there is one, No for Yes/No, otherwise the only button.
text::Answer escapeAnswer(text::Buttons buttons) {
    switch (buttons) {
    case text::Buttons::OkCancel:
    case text::Buttons::YesNoCancel:
    case text::Buttons::RetryCancel:
        return text::Answer::Cancel;
    case text::Buttons::YesNo:
        return text::Answer::No;
    case text::Buttons::Ok:
        break;
    }
    return text::Answer::Ok;
}

} // namespace

QtPrompter::QtPrompter(QString title, const int& language)
    : title_(std::move(title)), language_(language) {}

text::Answer QtPrompter::ask(std::string_view text, text::Buttons buttons, text::Icon icon) {
    QWidget* parent = parent_ ? parent_ : QApplication::activeWindow();
    QMessageBox box(iconOf(icon), title_,
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    QMessageBox::NoButton, parent);
    std::vector<std::pair<QAbstractButton*, text::Answer>> answers;
    const std::vector<MessageButton> choices = buttonsOf(buttons);
    for (const MessageButton& choice : choices) {
        QPushButton* button = box.addButton(
            QString::fromUtf8(choice.caption[language_].data(),
                              static_cast<qsizetype>(choice.caption[language_].size())),
            choice.role);
        answers.emplace_back(button, choice.answer);
    }
    box.setDefaultButton(static_cast<QPushButton*>(answers.front().first));
    box.exec();
    for (const auto& [button, answer] : answers) {
        if (box.clickedButton() == button)
            return answer;
    }
    return escapeAnswer(buttons);
}

} // namespace zx::app
