// The commands on rows of the channel grid as menus offer them: the grid's context menu and
// the main window's Edit menu list the same entries in the same order and with the same
// captions, with the keys the grid answers to shown beside them (the grid handles the keys
// itself, so that an open cell editor keeps Ctrl+C, Ctrl+V and Delete to itself).
#pragma once

#include "text/TextTable.h"

#include <QKeySequence>
#include <QList>
#include <functional>
#include <vector>

class QAction;
class QMenu;

namespace zx::editors {

enum class RowCommand { Copy, Cut, Paste, Delete, Insert, MoveUp, MoveDown, Sort };

struct RowCommandEntry {
    RowCommand command;
    const char* name; // objectName of the entry, after its menu's prefix
    const text::TextTable* caption;
    QKeySequence key;
    bool separatorAfter;
};

const std::vector<RowCommandEntry>& rowCommandEntries();

// Adds an entry per command to `menu` before `before` (at the end when null), named `prefix` +
// the entry's name, each running `run` with its command. The keys are shown beside the
// captions and answer only while the menu is open.
QList<QAction*> addRowCommands(QMenu* menu, QAction* before, const char* prefix,
                               std::function<void(RowCommand)> run);
// Captions of entries made by addRowCommands() in a language.
void labelRowCommands(const QList<QAction*>& entries, int language);

} // namespace zx::editors
