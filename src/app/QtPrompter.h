// The desktop program's Prompter: a modal QMessageBox whose caption is the program's title
// and whose button texts follow the current language.
#pragma once

#include "text/Prompter.h"

#include <QString>

class QWidget;

namespace zx::app {

class QtPrompter : public text::Prompter {
public:
    // `language` is read at every message, so a language change applies at once.
    QtPrompter(QString title, const int& language);

    text::Answer ask(std::string_view text, text::Buttons buttons, text::Icon icon) override;

    // The window the boxes are centred on; by default the application's active window.
    void setParentWindow(QWidget* parent) { parent_ = parent; }

private:
    QString title_;
    const int& language_;
    QWidget* parent_ = nullptr;
};

} // namespace zx::app
