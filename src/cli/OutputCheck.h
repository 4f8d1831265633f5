// Whether a file can be written before any time is spent on the radio: a read that ends in
// "cannot write" has wasted the user's minute and left the radio in doubt for nothing.
#pragma once

#include <QString>

namespace zx::cli {

// True when `path` is not a folder, its folder exists and takes a new file of `size` bytes,
// and the file, if it is there already, may be replaced. Otherwise false with `problem`
// saying why. Nothing is left behind by the check.
bool canWriteFile(const QString& path, QString& problem, qint64 size = 0);

} // namespace zx::cli
