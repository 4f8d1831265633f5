// Alt+letters on the controls of a window.
#include "editors/Mnemonics.h"

#include "editors/AccessibleName.h"
#include "text/Mnemonic.h"
#include "text/labels/MainLabels.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QVariant>
#include <vector>

namespace zx::editors {

namespace {

const char* const kEnglishCaption = "zxEnglishCaption";

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

bool inToolBar(const QWidget* w) {
    for (const QWidget* p = w; p; p = p->parentWidget())
        if (qobject_cast<const QToolBar*>(p))
            return true;
    return false;
}

QString captionOf(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        return button->text();
    if (const auto* box = qobject_cast<const QGroupBox*>(w))
        return box->title();
    return {};
}

void putCaption(QWidget* w, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->setText(text);
    else if (auto* box = qobject_cast<QGroupBox*>(w))
        box->setTitle(text);
}

// The controls that carry an Alt+letter: labels naming a control, buttons, check boxes and
// radio buttons with a caption.
bool takesLetter(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return label->buddy() != nullptr && !label->text().isEmpty() &&
               !label->property(kUnseenLabelMark).toBool() && label->textFormat() != Qt::RichText;
    if (qobject_cast<const QPushButton*>(w) || qobject_cast<const QCheckBox*>(w) ||
        qobject_cast<const QRadioButton*>(w))
        return !inToolBar(w) && !captionOf(w).isEmpty();
    return false;
}

} // namespace

void setCaption(QWidget* widget, const text::TextTable& table, int language,
                std::string_view suffix) {
    widget->setProperty(kEnglishCaption, qs(table.english) + qs(suffix));
    putCaption(widget, qs(table[language]) + qs(suffix));
}

void assignMnemonics(QWidget* window, int language, std::string_view taken) {
    std::vector<QWidget*> controls;
    std::vector<std::string> captions;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!takesLetter(w))
            continue;
        const QString shown = captionOf(w);
        // A caption with a letter of its own keeps it; the others choose by their English
        // text, so that the letter is the same in both languages.
        const QVariant english = w->property(kEnglishCaption);
        const QString basis = text::mnemonicLetter(shown.toStdString()) != 0 || !english.isValid()
                                  ? shown
                                  : english.toString();
        controls.push_back(w);
        captions.push_back(basis.toStdString());
    }
    const std::vector<char> letters = text::chooseMnemonics(captions, taken);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        std::string shown = captionOf(controls[i]).toStdString();
        if (text::mnemonicLetter(shown) != letters[i])
            shown = text::withoutMnemonicMark(shown); // its letter went to another control
        putCaption(controls[i], qs(text::withMnemonic(shown, letters[i], language)));
    }
    // A list or table takes no name from its label by itself, as the other controls do.
    for (QLabel* label : window->findChildren<QLabel*>())
        if (auto* view = qobject_cast<QAbstractItemView*>(label->buddy()))
            view->setAccessibleName(qs(text::withoutMnemonic(label->text().toStdString()))
                                        .remove(QLatin1Char(':'))
                                        .remove(QChar(0xFF1A))
                                        .trimmed());
}

QString literalCaption(const QString& text) {
    QString escaped = text;
    return escaped.replace(QLatin1Char('&'), QLatin1String("&&"));
}

std::string menuBarLetters() {
    namespace menus = text::labels::main;
    std::string letters;
    for (const text::TextTable* menu :
         {&menus::mnuFile, &menus::mnuModel, &menus::MnuBand, &menus::mnuEdit, &menus::mnuProgram,
          &menus::mnuSet, &menus::mnuView, &menus::mnuWindow, &menus::mnuHelp})
        if (const char c = text::mnemonicLetter(menu->english); c != 0)
            letters += c;
    return letters;
}

} // namespace zx::editors
