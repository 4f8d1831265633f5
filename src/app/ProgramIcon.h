// The program's own icon (an HF radio sending), for the main window, its child windows and
// its dialogs. Drawn in dist/icons; the PNG sizes are built into the program.
#pragma once

#include <QIcon>

namespace zx::app {

QIcon programIcon();

} // namespace zx::app
