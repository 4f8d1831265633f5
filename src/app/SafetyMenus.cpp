// Placing and labelling the safety entries.
#include "app/SafetyMenus.h"

#include "app/MainMenus.h"
#include "app/QtText.h"
#include "text/labels/CompareLabels.h"
#include "text/labels/RadioSafetyLabels.h"

#include <QAction>
#include <QMenu>

namespace zx::app {

namespace labels = text::labels::safety;

namespace {

// A new entry right after `after` in its menu.
QAction* addAfter(QMenu* menu, QAction* after, const char* name) {
    auto* action = new QAction(menu);
    action->setObjectName(QLatin1String(name));
    const QList<QAction*> actions = menu->actions();
    const qsizetype at = actions.indexOf(after);
    if (at >= 0 && at + 1 < actions.size())
        menu->insertAction(actions[at + 1], action);
    else
        menu->addAction(action);
    return action;
}

} // namespace

void SafetyMenus::build(MainMenus& menus) {
    mnuOpenBackupFolder = addAfter(menus.mnuFile, menus.mnuExportChannels, "mnuOpenBackupFolder");
    mnuCompareWithRadio = addAfter(menus.mnuProgram, menus.mnuWriteToRadio, "mnuCompareWithRadio");
    menus.mnuSet->addSeparator();
    mnuBackupBeforeWrite = menus.mnuSet->addAction(QString());
    mnuBackupBeforeWrite->setObjectName(QStringLiteral("mnuBackupBeforeWrite"));
    mnuBackupBeforeWrite->setCheckable(true);
    mnuVerifyAfterWrite = menus.mnuSet->addAction(QString());
    mnuVerifyAfterWrite->setObjectName(QStringLiteral("mnuVerifyAfterWrite"));
    mnuVerifyAfterWrite->setCheckable(true);
    mnuOpenTraceFolder = addAfter(menus.mnuHelp, menus.mnuHelpTopic, "mnuOpenTraceFolder");
}

void SafetyMenus::label(int language) {
    mnuOpenBackupFolder->setText(qs(labels::mnuOpenBackupFolder, language));
    mnuCompareWithRadio->setText(qs(text::labels::compare::mnuCompareWithRadio, language));
    mnuBackupBeforeWrite->setText(qs(labels::mnuBackupBeforeWrite, language));
    mnuVerifyAfterWrite->setText(qs(labels::mnuVerifyAfterWrite, language));
    mnuOpenTraceFolder->setText(qs(labels::mnuOpenTraceFolder, language));
}

} // namespace zx::app
