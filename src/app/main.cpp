// zx908hf: the desktop programming tool. Start-up, the main window, and a data file named on
// the command line opened with the rules of Open.
#include "app/DemoRadio.h"
#include "app/DemoScreenshots.h"
#include "app/FileDialogs.h"
#include "app/QtPrompter.h"
#include "app/Startup.h"
#include "app/frmMain.h"
#include "platform/Installation.h"
#include "platform/ProcessStarter.h"
#include "platform/SystemLocale.h"
#include "platform/UserStore.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zx908hf"));
    QApplication::setApplicationVersion(QStringLiteral(ZX_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("ZX-908HF radio programming tool"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption demoOption(
        QStringLiteral("demo"),
        QStringLiteral("Use a virtual radio inside the program as the serial port for this run."));
    const QCommandLineOption screenshotOption(
        QStringLiteral("screenshot"),
        QStringLiteral("Save pictures of the main window with each editor to <folder> and quit."),
        QStringLiteral("folder"));
    parser.addOption(demoOption);
    parser.addOption(screenshotOption);
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A data file (.dat) to open."));
    parser.process(application);

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
        auto* shots = new app::DemoScreenshots(window, parser.value(screenshotOption),
                                               demo != nullptr,
                                               [](int code) { QCoreApplication::exit(code); });
        QTimer::singleShot(0, shots, &app::DemoScreenshots::start);
    }

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
