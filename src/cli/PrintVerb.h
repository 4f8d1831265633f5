// zx908hf-cli print: the printed programming information of a data file as a PDF.
#pragma once

#include <QStringList>

namespace zx::cli {

int runPrint(const QStringList& arguments);

} // namespace zx::cli
