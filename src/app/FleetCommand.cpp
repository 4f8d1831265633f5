// Opening the Fleet Programming window from the main window.
#include "app/FleetCommand.h"

#include "app/FrmFleet.h"
#include "app/MainMenus.h"
#include "app/QtText.h"
#include "app/RadioController.h"
#include "app/frmMain.h"
#include "model/DataFile.h"
#include "text/Messages.h"
#include "text/labels/FleetLabels.h"

#include <QAction>
#include <QDate>
#include <QMenu>

namespace zx::app {

namespace labels = text::labels::fleet;

FleetCommand::FleetCommand(frmMain& window) : QObject(&window), main_(window) {
    QMenu* program = main_.menus().mnuProgram;
    program->addSeparator();
    action_ = program->addAction(QString());
    action_->setObjectName(QStringLiteral("mnuFleet"));
    connect(action_, &QAction::triggered, this, [this] { open(); });
}

void FleetCommand::label(int language) {
    action_->setText(qs(labels::mnuFleet, language));
}

FrmFleet* FleetCommand::open() {
    if (fleetWindow_) {
        fleetWindow_->raise();
        fleetWindow_->activateWindow();
        return fleetWindow_;
    }
    if (main_.radio().busy())
        return nullptr;
    model::Workspace& ws = main_.workspace();
    text::Prompter& prompter = main_.prompter();
    main_.commitOpenEditors();
    // The log names the file written, so what is written must be that file.
    if (ws.state.untitled || model::isModified(ws)) {
        const bool saved =
            prompter.ask(text::message(text::MessageKey::FileModified, ws.state.language),
                         text::Buttons::YesNo, text::Icon::Question) == text::Answer::Yes &&
            main_.fileSave();
        if (!saved) {
            prompter.inform(labels::kNeedsSavedDocument[ws.state.language],
                            text::Icon::Information);
            return nullptr;
        }
    }
    FrmFleet::Setup setup;
    setup.document = &ws;
    setup.catalog = &main_.radio().catalog();
    setup.backups = &main_.radio().backups();
    setup.dialogs = main_.services().dialogs;
    setup.prompter = &prompter;
    setup.today = QDate::currentDate();
    auto* window = new FrmFleet(setup, &main_);
    window->setAttribute(Qt::WA_DeleteOnClose);
    fleetWindow_ = window;
    window->show();
    return window;
}

FrmFleet* FleetCommand::window() const {
    return fleetWindow_.data();
}

void FleetCommand::endRun() {
    if (fleetWindow_)
        fleetWindow_->endRun();
}

} // namespace zx::app
