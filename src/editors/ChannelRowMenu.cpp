// The row commands' menu entries.
#include "editors/ChannelRowMenu.h"

#include "editors/EditorSupport.h"
#include "text/labels/ChannelListLabels.h"

#include <QAction>
#include <QMenu>

namespace zx::editors {

namespace {

namespace labels = text::labels::channel_lists;

const char* const kCommandProperty = "zxRowCommand";

} // namespace

const std::vector<RowCommandEntry>& rowCommandEntries() {
    static const std::vector<RowCommandEntry> entries{
        {RowCommand::Copy, "Copy", &labels::mnuCopyChannels, QKeySequence::Copy, false},
        {RowCommand::Cut, "Cut", &labels::mnuCutChannels, QKeySequence::Cut, false},
        {RowCommand::Paste, "Paste", &labels::mnuPasteChannels, QKeySequence::Paste, false},
        {RowCommand::Delete, "Delete", &labels::mnuDeleteChannels, QKeySequence(Qt::Key_Delete),
         true},
        {RowCommand::Insert, "Insert", &labels::mnuInsertChannel, QKeySequence(Qt::Key_Insert),
         false},
        {RowCommand::MoveUp, "MoveUp", &labels::mnuMoveUp,
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up), false},
        {RowCommand::MoveDown, "MoveDown", &labels::mnuMoveDown,
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down), false},
        {RowCommand::Sort, "Sort", &labels::mnuSortGroup, QKeySequence(), false},
    };
    return entries;
}

QList<QAction*> addRowCommands(QMenu* menu, QAction* before, const char* prefix,
                               std::function<void(RowCommand)> run) {
    QList<QAction*> added;
    for (const RowCommandEntry& entry : rowCommandEntries()) {
        auto* action = new QAction(menu);
        menu->insertAction(before, action);
        action->setObjectName(QLatin1String(prefix) + QLatin1String(entry.name));
        action->setProperty(kCommandProperty, int(entry.command));
        action->setShortcut(entry.key);
        action->setShortcutContext(Qt::WidgetShortcut);
        const RowCommand command = entry.command;
        QObject::connect(action, &QAction::triggered, menu, [run, command] { run(command); });
        added.push_back(action);
        if (entry.separatorAfter)
            menu->insertSeparator(before);
    }
    return added;
}

void labelRowCommands(const QList<QAction*>& entries, int language) {
    for (QAction* action : entries) {
        const int command = action->property(kCommandProperty).toInt();
        for (const RowCommandEntry& entry : rowCommandEntries())
            if (int(entry.command) == command)
                action->setText(tableText(*entry.caption, language));
    }
}

} // namespace zx::editors
