// zx908hf-cli: the command-line face of the programming tool.
#include "cli/StandardOutput.h"
#include "cli/VerbSupport.h"
#include "cli/Verbs.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>
#include <cstdio>
#include <memory>
#include <string_view>

namespace {

std::vector<zx::cli::Verb> allVerbs() {
    std::vector<zx::cli::Verb> verbs = zx::cli::fileVerbs();
    for (const zx::cli::Verb& verb : zx::cli::radioVerbs())
        verbs.push_back(verb);
    return verbs;
}

void printUsage(FILE* to) {
    QTextStream out(to);
    out << "usage: zx908hf-cli VERB [options]\n\nverbs:\n";
    for (const zx::cli::Verb& verb : allVerbs())
        out << "  "
            << QString::fromUtf8(verb.name.data(), qsizetype(verb.name.size())).leftJustified(10)
            << QString::fromUtf8(verb.summary.data(), qsizetype(verb.summary.size())) << '\n';
    out << "\nRun 'zx908hf-cli VERB --help' for the options of a verb.\n";
}

} // namespace

int main(int argc, char* argv[]) {
    zx::cli::prepareStandardOutput();
    // Printing lays out text, which needs fonts and so a GUI application; it draws into a PDF,
    // never onto a screen, so it runs on the offscreen platform and needs no display.
    const bool printing = argc > 1 && std::string_view(argv[1]) == "print";
    if (printing)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app =
        printing ? std::make_unique<QGuiApplication>(argc, argv)
                 : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName("zx908hf-cli");
    QCoreApplication::setApplicationVersion(QStringLiteral(ZX_VERSION));

    QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2) {
        printUsage(stderr);
        return zx::cli::ExitUsage;
    }
    const QString verbName = arguments.at(1);
    if (verbName == "--help" || verbName == "-h" || verbName == "help") {
        printUsage(stdout);
        return zx::cli::ExitOk;
    }
    if (verbName == "--version") {
        QTextStream(stdout) << "zx908hf-cli " << ZX_VERSION << '\n';
        return zx::cli::ExitOk;
    }
    for (const zx::cli::Verb& verb : allVerbs()) {
        if (verbName == QString::fromUtf8(verb.name.data(), qsizetype(verb.name.size()))) {
            arguments.removeAt(1);
            arguments[0] = arguments[0] + ' ' + verbName;
            return zx::cli::finishStandardOutput(verb.run(arguments));
        }
    }
    QTextStream(stderr) << "zx908hf-cli: unknown verb '" << verbName
                        << "'; run 'zx908hf-cli --help' for the list of verbs\n";
    return zx::cli::ExitUsage;
}
