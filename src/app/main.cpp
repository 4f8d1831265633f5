// zx908hf: the desktop programming tool. Start-up, the main window, and a data file named on
// the command line opened with the rules of Open.
#include "app/DemoRadio.h"
#include "app/DemoScreenshots.h"
#include "app/FileDialogs.h"
#include "app/ProgramIcon.h"
#include "app/QtPrompter.h"
#include "app/Startup.h"
#include "app/frmMain.h"
#include "platform/Installation.h"
#include "platform/ProcessStarter.h"
#include "platform/SystemLocale.h"
#include "platform/TerminationSignals.h"
#include "platform/UserStore.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

namespace {

struct Options {
    QCommandLineOption demo{
        QStringLiteral("demo"),
        QStringLiteral("Use a virtual radio inside the program as the serial port for this run.")};
    QCommandLineOption screenshot{
        QStringLiteral("screenshot"),
        QStringLiteral("Save pictures of the main window with each editor to <folder> and quit."),
        QStringLiteral("folder")};
};

void describe(QCommandLineParser& parser, const Options& options) {
    parser.setApplicationDescription(QStringLiteral("ZX-908HF radio programming tool"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(options.demo);
    parser.addOption(options.screenshot);
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A data file (.dat) to open."));
}

// --help and --version need no display: they are answered before the window system is
// started, so that they work on a terminal without one.
bool asksForHelpOrVersion(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--") // what follows is a file name
            return false;
        if (argument == "-h" || argument == "--help" || argument == "-?" ||
            argument == "--help-all" || argument == "-v" || argument == "--version")
            return true;
    }
    return false;
}

void nameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("zx908hf"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZX_VERSION));
}

} // namespace

int main(int argc, char* argv[]) {
    const Options options;
    if (asksForHelpOrVersion(argc, argv)) {
        QCoreApplication terminal(argc, argv);
        nameApplication();
        QCommandLineParser parser;
        describe(parser, options);
        parser.process(terminal); // prints and ends the program
        return 0;
    }

    QApplication application(argc, argv);
    nameApplication();
    // The desktop entry and icon the window system shows for the program's windows.
    QGuiApplication::setDesktopFileName(QStringLiteral("zx908hf"));
    QApplication::setWindowIcon(zx::app::programIcon());

    QCommandLineParser parser;
    describe(parser, options);
    parser.process(application);
    const QCommandLineOption& demoOption = options.demo;
    const QCommandLineOption& screenshotOption = options.screenshot;

    using namespace zx;
    model::Workspace workspace;
    platform::DecimalSeparator separator;
    const platform::Installation installation = platform::Installation::ofRunningProgram();
    const app::StartupResult started =
        app::runStartup(workspace, installation,
                        {platform::systemLocaleIdHex(), app::todayFromSystem()}, separator);

    app::QtPrompter prompter(QString::fromStdString(workspace.state.modelName),
                             workspace.state.language);
    app::QtFileDialogs dialogs;
    platform::DetachedProcessStarter starter;

    app::MainServices services;
    services.prompter = &prompter;
    services.dialogs = &dialogs;
    services.starter = &starter;
    services.installation = installation;
    services.settingsPath = started.settingsPath;
    services.userStorePath =
        platform::UserStore(QString::fromStdString(workspace.state.modelName)).path();
    services.separator = &separator;
    services.endProgram = [](int code) { QCoreApplication::exit(code); };

    std::unique_ptr<app::DemoRadio> demo; // outlives the window that uses its port
    app::frmMain window(workspace, std::move(services));
    if (parser.isSet(demoOption)) {
        QString error;
        demo = app::DemoRadio::startFor(window, &error);
        if (!demo)
            qWarning("zx908hf: no virtual radio for --demo: %s", qPrintable(error));
    }
    window.show();
    if (parser.isSet(screenshotOption)) {
        auto* shots =
            new app::DemoScreenshots(window, parser.value(screenshotOption), demo != nullptr,
                                     [](int code) { QCoreApplication::exit(code); });
        QTimer::singleShot(0, shots, &app::DemoScreenshots::start);
    }

    // Told to end from outside (kill, a closed session): leave the event loop and unwind, so
    // that the demo radio's temporary folder and the port's lock go with the program. There
    // is nobody to answer questions then, so none is asked.
    const platform::TerminationSignals ending(
        [](int signal) { QCoreApplication::exit(128 + signal); });

    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty()) {
        // After the window is on screen, as if the user had chosen the file.
        const QString file = files.front();
        QTimer::singleShot(0, &window, [&window, file] { window.openFile(file); });
    }
    const int code = application.exec();
    if (!window.handedOver())
        separator.restore();
    return code;
}
