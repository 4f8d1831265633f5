// File > Import Channels… and Export Channels…: the channel table as a CSV file in CHIRP's or
// in the spreadsheet columns, read and written by the same functions as zx908hf-cli export
// and import --format csv|sheet. Before an import changes anything it shows, per group the
// file names, what it will add, replace and leave out, and the user chooses to merge the
// file into the groups, replace the groups or cancel; the import is one undoable step. A
// file with bad rows lists them and asks whether to import the valid rows (what the command
// line's --skip-bad does), and otherwise imports nothing. Both say in the status bar what
// they did.
#pragma once

#include <QString>
#include <QStringList>

namespace zx::app {

class frmMain;

// The filter of the file windows: "CSV Channel Table (*.csv)" in a language.
QString channelFileFilter(int language);
// The formats Export Channels offers: CHIRP's columns, then the spreadsheet columns.
QStringList channelExportFilters(int language);

// True when the document took channels from the file.
bool importChannels(frmMain& window);
// True when the file was written.
bool exportChannels(frmMain& window);

} // namespace zx::app
