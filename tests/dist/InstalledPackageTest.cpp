// The Debian package unpacked into a scratch folder (dpkg-deb -x) and its programs run from
// there, as a user would run them after installing it: the layout the programs expect, a new
// document from the command-line tool, the desktop program started on the offscreen
// platform, and the settings in the user's own folder when the installation is read-only.
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

struct Result {
    bool finished = false;
    int exitCode = -1;
    QString output;
};

class InstalledPackage : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        scratch_ = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(scratch_->isValid());
        // Other users (the read-only test runs as one) must be able to reach the files.
        QFile::setPermissions(scratch_->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                    QFileDevice::ExeOther | QFileDevice::ReadGroup |
                                                    QFileDevice::ExeGroup);
        ASSERT_TRUE(QFileInfo::exists(QStringLiteral(ZX_PACKAGE_FILE)))
            << "no package at " ZX_PACKAGE_FILE;
        QProcess extract;
        extract.start(QStringLiteral("dpkg-deb"),
                      {QStringLiteral("-x"), QStringLiteral(ZX_PACKAGE_FILE), root()});
        ASSERT_TRUE(extract.waitForFinished(60000));
        ASSERT_EQ(extract.exitCode(), 0) << extract.readAllStandardError().toStdString();
    }
    static void TearDownTestSuite() { scratch_.reset(); }

    static QString root() { return scratch_->filePath(QStringLiteral("root")); }
    static QString usr(const QString& path) { return root() + QStringLiteral("/usr/") + path; }
    static QString scratch(const QString& name) { return scratch_->filePath(name); }

    // Runs an installed program with its own home, so that nothing of the user running the
    // test is read or written.
    static Result run(const QString& program, const QStringList& arguments,
                      const QString& asUser = QString()) {
        const QString home = scratch(QStringLiteral("home-") + (asUser.isEmpty() ? "me" : asUser));
        QDir().mkpath(home + QStringLiteral("/runtime"));
        QFile::setPermissions(home + QStringLiteral("/runtime"), QFileDevice::ReadOwner |
                                                                     QFileDevice::WriteOwner |
                                                                     QFileDevice::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/runtime"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess process;
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.setWorkingDirectory(scratch_->path());
        if (asUser.isEmpty()) {
            process.start(program, arguments);
        } else {
            // The home must belong to the user the program runs as.
            QProcess::execute(QStringLiteral("chown"), {QStringLiteral("-R"), asUser, home});
            QStringList wrapped{QStringLiteral("-u"), asUser, QStringLiteral("--"),
                                QStringLiteral("env")};
            for (const char* name :
                 {"HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "QT_QPA_PLATFORM"})
                wrapped << QStringLiteral("%1=%2").arg(name, env.value(name));
            wrapped << program << arguments;
            process.start(QStringLiteral("runuser"), wrapped);
        }
        Result result;
        result.finished = process.waitForFinished(120000);
        if (!result.finished) {
            process.kill();
            process.waitForFinished();
        }
        result.exitCode = process.exitCode();
        result.output = QString::fromUtf8(process.readAll());
        return result;
    }

    static QByteArray bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    static inline std::unique_ptr<QTemporaryDir> scratch_;
};

TEST_F(InstalledPackage, HoldsTheInstallationTheProgramsExpect) {
    for (const char* file :
         {"lib/zx908hf/V310/zx908hf", "lib/zx908hf/V310/zx908hf-cli",
          "lib/zx908hf/V310/Init/0_ZX-908HF_New.dat", "lib/zx908hf/V310/Init/0_ZX-908HF.dat",
          "lib/zx908hf/V310/Init/1_ZX-908HF_New.dat", "lib/zx908hf/V310/Init/1_ZX-908HF.dat",
          "lib/zx908hf/Version.ini", "lib/zx908hf/language/mysetup.ini",
          "lib/zx908hf/installation.ini", "share/applications/zx908hf.desktop",
          "share/mime/packages/zx908hf.xml", "share/icons/hicolor/scalable/apps/zx908hf.svg",
          "share/icons/hicolor/48x48/apps/zx908hf.png", "share/man/man1/zx908hf.1.gz",
          "share/man/man1/zx908hf-cli.1.gz", "share/bash-completion/completions/zx908hf-cli",
          "share/bash-completion/completions/zx908hf", "share/doc/zx908hf/copyright",
          "share/doc/zx908hf/changelog.gz"})
        EXPECT_TRUE(QFileInfo(usr(file)).isFile()) << file;
    EXPECT_EQ(QDir(usr("share/metainfo")).entryList({"*.metainfo.xml"}).size(), 1);
    for (const char* program : {"zx908hf", "zx908hf-cli"}) {
        const QFileInfo link(usr(QStringLiteral("bin/") + program));
        EXPECT_TRUE(link.isSymLink()) << program;
        // Relative, so that it leads into the installation wherever that is unpacked.
        EXPECT_EQ(link.symLinkTarget(), usr(QStringLiteral("lib/zx908hf/V310/") + program));
        EXPECT_TRUE(link.isExecutable()) << program;
    }
    EXPECT_EQ(bytes(usr("lib/zx908hf/V310/Init/0_ZX-908HF_New.dat")).size(), 14536);
}

TEST_F(InstalledPackage, CommandLineToolMakesANewDocument) {
    const QString document = scratch(QStringLiteral("new.dat"));
    const Result made = run(usr("bin/zx908hf-cli"), {"new", "--band", "1", "-o", document});
    ASSERT_TRUE(made.finished);
    ASSERT_EQ(made.exitCode, 0) << made.output.toStdString();
    const QByteArray record = bytes(document);
    ASSERT_EQ(record.size(), 14536);
    EXPECT_TRUE(record.startsWith("V310"));

    const Result info = run(usr("bin/zx908hf-cli"), {"info", document});
    EXPECT_EQ(info.exitCode, 0) << info.output.toStdString();
    EXPECT_TRUE(info.output.contains("Band: 1 (25.615000 - 30.105000 MHz)"))
        << info.output.toStdString();
}

TEST_F(InstalledPackage, DesktopProgramStartsAndShowsItsWindows) {
    const QString pictures = scratch(QStringLiteral("pictures"));
    const Result shot = run(usr("bin/zx908hf"), {"--screenshot", pictures});
    ASSERT_TRUE(shot.finished) << "the desktop program did not end";
    EXPECT_EQ(shot.exitCode, 0) << shot.output.toStdString();
    for (const char* name :
         {"en-channels.png", "en-options.png", "en-message.png", "en-comset.png", "en-print.png"})
        EXPECT_GT(QFileInfo(pictures + '/' + name).size(), 1000) << name;
}

TEST_F(InstalledPackage, AReadOnlyInstallationKeepsEachUsersSettingsInTheirOwnFolder) {
    const QString language = usr("lib/zx908hf/language");
    const QString installed = language + QStringLiteral("/mysetup.ini");
    QString user;
    if (geteuid() == 0) {
        // The superuser writes anywhere; an ordinary user cannot write a system installation.
        if (QStandardPaths::findExecutable(QStringLiteral("runuser")).isEmpty())
            GTEST_SKIP() << "runuser is needed to run the programs as an ordinary user";
        user = QStringLiteral("nobody");
    } else {
        QFile::setPermissions(installed, QFileDevice::ReadOwner | QFileDevice::ReadOther);
        QFile::setPermissions(language, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                            QFileDevice::ReadOther | QFileDevice::ExeOther);
    }
    const QByteArray before = bytes(installed);
    const QString home = scratch(QStringLiteral("home-") + (user.isEmpty() ? "me" : user));
    const QString own = home + QStringLiteral("/.config/zx908hf/language/mysetup.ini");

    const Result ports = run(usr("bin/zx908hf-cli"), {"ports"}, user);
    ASSERT_TRUE(ports.finished);
    EXPECT_EQ(ports.exitCode, 0) << ports.output.toStdString();
    EXPECT_TRUE(QFileInfo::exists(own)) << "no settings of the user's own";

    // The desktop program uses the same copy: its first start is recorded there.
    const Result shot = run(usr("bin/zx908hf"), {"--screenshot", home + "/pictures"}, user);
    ASSERT_TRUE(shot.finished);
    EXPECT_EQ(shot.exitCode, 0) << shot.output.toStdString();
    EXPECT_TRUE(bytes(own).contains("IsFirstRun=0")) << bytes(own).toStdString();
    EXPECT_EQ(bytes(installed), before) << "the installation was written";

    QFile::setPermissions(language,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(installed, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// The md5sums of the package's control part: path (below the root) -> checksum.
std::map<QString, QByteArray> packageChecksums(const QString& controlFolder) {
    std::map<QString, QByteArray> sums;
    QFile file(controlFolder + QStringLiteral("/md5sums"));
    if (!file.open(QIODevice::ReadOnly))
        return sums;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const qsizetype gap = line.indexOf("  ");
        if (gap > 0)
            sums[QString::fromUtf8(line.mid(gap + 2))] = line.left(gap);
    }
    return sums;
}

QByteArray md5Of(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Md5);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result().toHex();
}

QString control(const char* field) {
    QProcess dpkg;
    dpkg.start(QStringLiteral("dpkg-deb"), {"-f", QStringLiteral(ZX_PACKAGE_FILE), field});
    dpkg.waitForFinished(30000);
    return QString::fromUtf8(dpkg.readAllStandardOutput()).trimmed();
}

TEST_F(InstalledPackage, TheProgramsRunByWhoeverRunsThemLeaveTheInstalledFilesAsShipped) {
    // As dpkg -V checks an installed package: every file against the package's md5sums.
    const QString controlFolder = scratch(QStringLiteral("control"));
    QProcess extract;
    extract.start(QStringLiteral("dpkg-deb"),
                  {QStringLiteral("-e"), QStringLiteral(ZX_PACKAGE_FILE), controlFolder});
    ASSERT_TRUE(extract.waitForFinished(60000));
    const std::map<QString, QByteArray> sums = packageChecksums(controlFolder);
    ASSERT_GT(sums.size(), 20u);
    const auto installedFiles = [] {
        QStringList files;
        QDirIterator it(usr("lib/zx908hf"), QDir::Files | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next().mid(root().size() + 1);
        files.sort();
        return files;
    };
    const QStringList before = installedFiles();

    // The tests run as root, the likeliest user to write where nobody should: a first run of
    // both programs, a port list (which numbers the ports it finds) and a new document.
    const Result ports = run(usr("bin/zx908hf-cli"), {"ports"});
    EXPECT_EQ(ports.exitCode, 0) << ports.output.toStdString();
    const Result made = run(usr("bin/zx908hf-cli"), {"new", "-o", scratch("root-new.dat")});
    EXPECT_EQ(made.exitCode, 0) << made.output.toStdString();
    const Result shot = run(usr("bin/zx908hf"), {"--screenshot", scratch("root-pictures")});
    EXPECT_EQ(shot.exitCode, 0) << shot.output.toStdString();

    for (const auto& [path, sum] : sums)
        EXPECT_EQ(md5Of(root() + '/' + path), sum) << path.toStdString() << " was changed";
    EXPECT_EQ(installedFiles(), before) << "nothing was added to the installation";
    // The settings went to the user's own folder, the one folder of both programs.
    const QString home = scratch(QStringLiteral("home-me"));
    EXPECT_TRUE(bytes(home + "/.config/zx908hf/language/mysetup.ini").contains("IsFirstRun=0"));
    EXPECT_FALSE(QFileInfo::exists(home + "/.config/ZX-908HF")) << "no second settings folder";
}

TEST_F(InstalledPackage, InstalledSizeMeasuresTheInstalledFilesAndAChineseFontIsRecommended) {
    // Counted as dpkg-gencontrol counts: files and links in KiB rounded up, 1 for the rest.
    qint64 kib = 1;
    QDirIterator it(root(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        // A link holds only its target's name; a folder counts one.
        if (entry.isSymLink() || entry.isDir())
            kib += 1;
        else
            kib += (entry.size() + 1023) / 1024;
    }
    const qint64 declared = control("Installed-Size").toLongLong();
    EXPECT_NEAR(double(declared), double(kib), 2.0) << "files take " << kib << " KiB";
    EXPECT_EQ(control("Recommends"), "fonts-noto-cjk | fonts-wqy-microhei");
}

TEST_F(InstalledPackage, TheMimeTypeRecognisesDataFilesByTheirContentOnly) {
    const QString update = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (update.isEmpty() || gio.isEmpty())
        GTEST_SKIP() << "needs update-mime-database (shared-mime-info) and gio (libglib2.0-bin)";
    // A MIME database of the system's types and the package's own, and nothing else.
    const QString data = scratch(QStringLiteral("mime-data"));
    QDir().mkpath(data + "/mime/packages");
    ASSERT_TRUE(QFile::copy(QStringLiteral("/usr/share/mime/packages/freedesktop.org.xml"),
                            data + "/mime/packages/freedesktop.org.xml"));
    ASSERT_TRUE(
        QFile::copy(usr("share/mime/packages/zx908hf.xml"), data + "/mime/packages/zx908hf.xml"));
    ASSERT_EQ(QProcess::execute(update, {data + "/mime"}), 0);

    const QString files = scratch(QStringLiteral("mime-files"));
    QDir().mkpath(files);
    const auto put = [&](const QString& name, const QByteArray& content) {
        QFile f(files + '/' + name);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    };
    const QByteArray record = bytes(usr("lib/zx908hf/V310/Init/0_ZX-908HF_New.dat"));
    put(QStringLiteral("notes.dat"), "V3 notes about the radio\n");
    put(QStringLiteral("radio.dat"), record);
    put(QStringLiteral("radio backup"), record); // no extension at all
    const auto typeOf = [&](const QString& name) {
        QProcess info;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_DIRS"), data);
        env.insert(QStringLiteral("XDG_DATA_HOME"), scratch(QStringLiteral("mime-home")));
        info.setProcessEnvironment(env);
        info.start(gio, {"info", "-a", "standard::content-type", files + '/' + name});
        info.waitForFinished(30000);
        const QString out = QString::fromUtf8(info.readAllStandardOutput());
        return out.section(QStringLiteral("standard::content-type: "), 1).trimmed();
    };
    EXPECT_EQ(typeOf(QStringLiteral("notes.dat")), "text/plain");
    EXPECT_EQ(typeOf(QStringLiteral("radio.dat")), "application/x-zx908hf-data");
    EXPECT_EQ(typeOf(QStringLiteral("radio backup")), "application/x-zx908hf-data");
}

} // namespace
