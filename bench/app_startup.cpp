// Start-up of the desktop program, measured the way a user meets it: from the start of the
// process (as the kernel records it, so that loading the libraries counts) and from main()
// to the main window on screen with its channel window; then the resident memory of the
// running program. Run on a copy of the staged installation so that the settings of the
// real one are not touched. Each run is one fresh process; run it a few times.
#include "app/FileDialogs.h"
#include "app/QtPrompter.h"
#include "app/Startup.h"
#include "app/frmMain.h"
#include "platform/ProcessStarter.h"
#include "platform/SystemLocale.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

// Seconds since this process was started, from /proc (clock-tick resolution).
double secondsSinceProcessStart() {
    std::ifstream statFile("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(statFile)), {});
    // Field 22 (starttime) counts from the field after the command name's ")".
    std::istringstream rest(stat.substr(stat.rfind(')') + 2));
    std::string field;
    unsigned long long start = 0;
    for (int i = 3; i <= 22 && rest >> field; ++i)
        if (i == 22)
            start = std::stoull(field);
    double uptime = 0;
    std::ifstream("/proc/uptime") >> uptime;
    return uptime - double(start) / double(sysconf(_SC_CLK_TCK));
}

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

void copyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    const QDir source(from);
    for (const QString& name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), to + '/' + name);
    for (const QString& name : source.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        copyTree(source.filePath(name), to + '/' + name);
}

} // namespace

int main(int argc, char* argv[]) {
    const auto mainEntered = std::chrono::steady_clock::now();
    const double beforeMain = secondsSinceProcessStart();
    QApplication application(argc, argv);

    QTemporaryDir root;
    copyTree(QStringLiteral(ZX_STAGE_DIR), root.path());

    using namespace zx;
    model::Workspace ws;
    platform::DecimalSeparator separator;
    const platform::Installation installation(root.path() + "/V310", "zx908hf",
                                              root.path() + "/user");
    const app::StartupResult started = app::runStartup(
        ws, installation, {platform::systemLocaleIdHex(), app::todayFromSystem()}, separator);
    app::QtPrompter prompter(QString::fromStdString(ws.state.modelName), ws.state.language);
    app::QtFileDialogs dialogs;
    platform::DetachedProcessStarter starter;
    app::MainServices services;
    services.prompter = &prompter;
    services.dialogs = &dialogs;
    services.starter = &starter;
    services.installation = installation;
    services.settingsPath = started.settingsPath;
    services.userStorePath = root.path() + "/user/placement.ini";
    services.endProgram = [](int) {};

    app::frmMain window(ws, std::move(services));
    window.show();
    const bool exposed = QTest::qWaitForWindowExposed(&window, 5000);
    QApplication::processEvents();
    const double fromMain =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - mainEntered).count();
    const double fromProcess = secondsSinceProcessStart();

    std::printf("platform:                       %s\n", qPrintable(QApplication::platformName()));
    std::printf("window exposed:                 %s\n", exposed ? "yes" : "no");
    std::printf("process start -> main():        %.3f s\n", beforeMain);
    std::printf("main() -> main window shown:    %.3f s\n", fromMain);
    std::printf("process start -> window shown:  %.3f s (clock-tick resolution)\n", fromProcess);
    std::printf("resident memory (VmRSS):        %ld kB\n", residentKilobytes());
    return exposed ? 0 : 1;
}
