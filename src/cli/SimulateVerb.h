// The simulate verb: a virtual radio on a pseudo-terminal, reachable through a symbolic link,
// served until the process is interrupted.
#pragma once

#include <QStringList>

namespace zx::cli {

// `arguments` starts with the program name followed by the verb's own arguments.
int runSimulate(const QStringList& arguments);

} // namespace zx::cli
