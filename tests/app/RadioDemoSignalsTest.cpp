// zx908hf --demo ended from outside, as a logout or a kill ends it: the virtual radio's
// temporary folder goes with the program instead of staying behind in the temporary folder.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// The desktop program in an installation of its own, so that its first run writes nothing
// of the build's.
class DemoProgram {
public:
    DemoProgram() {
        QDir(root_.path()).mkpath("V310/Init");
        QDir(root_.path()).mkpath("tmp");
        QDir(root_.path()).mkpath("home");
        const QString program = QStringLiteral(ZX_PROGRAM_DIR "/zx908hf");
        if (::link(QFile::encodeName(program).constData(),
                   QFile::encodeName(executable()).constData()) != 0)
            QFile::copy(program, executable());
        for (const QFileInfo& file :
             QDir(QStringLiteral(ZX_PROGRAM_DIR "/Init")).entryInfoList(QDir::Files))
            QFile::copy(file.filePath(), root_.filePath("V310/Init/" + file.fileName()));
        QFile::copy(QStringLiteral(ZX_STAGE_DIR "/Version.ini"), root_.filePath("Version.ini"));
    }
    QString executable() const { return root_.filePath("V310/zx908hf"); }
    QString temporaryFolder() const { return root_.filePath("tmp"); }
    QStringList demoFolders() const {
        return QDir(temporaryFolder()).entryList({"zx908hf-*"}, QDir::Dirs | QDir::NoDotAndDotDot);
    }
    void start(QProcess& process) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", temporaryFolder());
        env.insert("HOME", root_.filePath("home"));
        env.insert("XDG_CONFIG_HOME", root_.filePath("home/.config"));
        env.insert("XDG_DATA_HOME", root_.filePath("home/.local/share"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(executable(), {"--demo"});
    }

private:
    QTemporaryDir root_;
};

bool waitUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QThread::msleep(20);
    return done();
}

TEST(RadioDemoSignals, TheDemoRemovesItsTemporaryFolderWhenTerminatedOrHungUp) {
    for (const int signal : {SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        DemoProgram demo;
        QProcess process;
        demo.start(process);
        ASSERT_TRUE(process.waitForStarted(30000));
        ASSERT_TRUE(waitUntil([&] { return !demo.demoFolders().isEmpty(); }, 60000))
            << "the demo made no temporary folder: " << process.readAll().toStdString();
        // Let the window come up, so the signal meets the running event loop.
        QThread::msleep(300);
        ::kill(pid_t(process.processId()), signal);
        ASSERT_TRUE(process.waitForFinished(60000)) << "the program did not end";
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "it ended, it was not killed";
        EXPECT_EQ(process.exitCode(), 128 + signal);
        EXPECT_TRUE(demo.demoFolders().isEmpty()) << demo.demoFolders().join(' ').toStdString();
    }
}

} // namespace
