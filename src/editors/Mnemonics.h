// Alt+letters on the controls of a window: captions that remember their English text, so
// that a control keeps its letter in both languages, and the sharing out of the letters
// among the labels, buttons and check boxes of one window.
#pragma once

#include "text/TextTable.h"

#include <QString>
#include <string>
#include <string_view>

class QWidget;

namespace zx::editors {

// Puts the caption `table` in `language`, followed by `suffix`, on a label, button or frame,
// and keeps its English text on the widget for the choice of its Alt+letter.
void setCaption(QWidget* widget, const text::TextTable& table, int language,
                std::string_view suffix = {});

// Gives an Alt+letter to every label that names a control and to every button and check box
// of `window` (tool bar buttons aside) that has none yet, or whose letter an earlier control
// has. `taken` are letters the frame around the window uses already. Lists and tables named
// by a label take its text as their name. Run after the window's texts were set in
// `language`.
void assignMnemonics(QWidget* window, int language, std::string_view taken = {});

// A text of the data (a file name, a verdict naming files) for a label that names a control:
// its '&' are doubled, so that they show as they are rather than as an Alt+letter.
QString literalCaption(const QString& text);

// The letters of the main window's menu bar, which a child window of its workspace leaves to
// the menus.
std::string menuBarLetters();

} // namespace zx::editors
