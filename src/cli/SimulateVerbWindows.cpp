// zx908hf-cli simulate on Windows: there are no pseudo-terminals to serve a radio on.
#include "cli/FileContext.h"
#include "cli/SimulateVerb.h"
#include "cli/Verbs.h"
#include "text/labels/PlatformLabels.h"

#include <QTextStream>

namespace zx::cli {

int runSimulate(const QStringList&) {
    const std::string_view text = text::labels::platform::kNoPseudoTerminals[cliSystemLanguage()];
    QTextStream(stderr) << "zx908hf-cli simulate: "
                        << QString::fromUtf8(text.data(), qsizetype(text.size())) << '\n';
    return ExitPortError;
}

} // namespace zx::cli
