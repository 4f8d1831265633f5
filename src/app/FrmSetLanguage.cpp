// Language setup window.
#include "app/FrmSetLanguage.h"

#include "app/QtText.h"
#include "app/SetupFile.h"
#include "editors/Mnemonics.h"
#include "text/Messages.h"
#include "text/labels/LanguageSetupLabels.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zx::app {

namespace labels = text::labels::language_setup;

FrmSetLanguage::FrmSetLanguage(model::RuntimeState& state, QString settingsPath, QWidget* parent)
    : QDialog(parent), state_(state), settingsPath_(std::move(settingsPath)),
      label1_(new QLabel(this)), combo1_(new QComboBox(this)), command1_(new QPushButton(this)),
      command2_(new QPushButton(this)) {
    setObjectName(QStringLiteral("FrmSetLanguage"));
    label1_->setObjectName(QStringLiteral("Label1"));
    combo1_->setObjectName(QStringLiteral("Combo1"));
    command1_->setObjectName(QStringLiteral("Command1"));
    command2_->setObjectName(QStringLiteral("Command2"));

    const int lang = state_.language;
    setWindowTitle(qs(labels::caption, lang));
    label1_->setText(qs(labels::languageMode, lang));
    command1_->setText(qs(text::kButtonOk, lang));
    command2_->setText(qs(text::kButtonCancel, lang));

    // The entries are written in the current language; Chinese is offered only on a
    // Chinese system. The item data is the language index the entry stands for.
    combo1_->addItem(qs(text::kEnglishName, lang), int(text::English));
    if (state_.systemLanguage == text::Chinese)
        combo1_->addItem(qs(text::kChineseName, lang), int(text::Chinese));
    const int current = combo1_->findData(state_.language);
    combo1_->setCurrentIndex(current < 0 ? 0 : current);
    combo1_->installEventFilter(this);

    auto* row = new QHBoxLayout;
    row->addWidget(label1_);
    row->addWidget(combo1_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(command1_);
    buttons->addWidget(command2_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);

    command1_->setAutoDefault(false);
    command2_->setAutoDefault(false);
    connect(command1_, &QPushButton::clicked, this, &FrmSetLanguage::accept);
    connect(command2_, &QPushButton::clicked, this, &FrmSetLanguage::reject);
    label1_->setBuddy(combo1_);
    editors::assignMnemonics(this, state_.language);
}

bool FrmSetLanguage::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the list moves on to the next control instead of closing the window.
    if (watched == combo1_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FrmSetLanguage::accept() {
    const int chosen = combo1_->currentData().toInt();
    if (chosen == text::English || chosen == text::Chinese)
        state_.language = chosen;
    // Written even when unchanged, so that the choice is confirmed in the file.
    SetupFile(settingsPath_).writeCurrentLanguage(state_.language);
    QDialog::accept();
}

} // namespace zx::app
