// The manual pages and the bash completion against the programs' own --help: every verb of
// zx908hf-cli and every option of each verb must be in the verb's part of zx908hf-cli(1) and
// be offered by the completion, and every option of zx908hf in zx908hf(1) and its
// completion. A verb or option added to a program without its documentation turns this red;
// it is mended by editing the files in dist/.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>
#include <map>

namespace {

const QString kCli = QStringLiteral(ZX_PROGRAM_DIR "/zx908hf-cli");
const QString kDesktop = QStringLiteral(ZX_PROGRAM_DIR "/zx908hf");
const QString kDist = QStringLiteral(ZX_SOURCE_DIR "/dist");

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << program.toStdString() << " did not finish";
        return QString();
    }
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString readText(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

// The verbs listed by `zx908hf-cli --help`: the lines under "verbs:", one verb each.
QStringList cliVerbs() {
    QStringList verbs;
    bool inList = false;
    for (const QString& line : run(kCli, {"--help"}).split('\n')) {
        if (line.trimmed() == QLatin1String("verbs:")) {
            inList = true;
            continue;
        }
        if (inList && line.trimmed().isEmpty())
            break;
        if (inList)
            verbs << line.trimmed().section(' ', 0, 0);
    }
    return verbs;
}

// The options of a --help text: every "-x" and "--name" at the start of an option line
// ("  -o, --output <FILE>  ...").
QStringList helpOptions(const QString& help) {
    static const QRegularExpression optionLine(QStringLiteral("^  (-[^ ].*)$"));
    static const QRegularExpression name(QStringLiteral("^--?[A-Za-z0-9?][A-Za-z0-9-]*"));
    QStringList options;
    for (const QString& line : help.split('\n')) {
        const QRegularExpressionMatch m = optionLine.match(line);
        if (!m.hasMatch())
            continue;
        for (const QString& token : m.captured(1).split(' ', Qt::SkipEmptyParts)) {
            const QRegularExpressionMatch n = name.match(token);
            if (!n.hasMatch())
                break; // the value name or the description
            options << n.captured(0);
        }
    }
    return options;
}

// A manual page as plain text: "\-" is a hyphen, font changes go.
QString plainManual(const QString& path) {
    QString text = readText(path);
    text.replace(QStringLiteral("\\-"), QStringLiteral("-"));
    text.remove(QRegularExpression(QStringLiteral("\\\\f[BIRP]")));
    return text;
}

// The subsections (".SS name") of a manual page with their text.
std::map<QString, QString> subsections(const QString& manual) {
    std::map<QString, QString> parts;
    QString current;
    for (const QString& line : manual.split('\n')) {
        if (line.startsWith(QLatin1String(".SS "))) {
            current = line.mid(4).remove('"').trimmed();
            parts[current];
        } else if (line.startsWith(QLatin1String(".SH "))) {
            current.clear();
        } else if (!current.isEmpty()) {
            parts[current] += line + '\n';
        }
    }
    return parts;
}

bool mentions(const QString& text, const QString& option) {
    const QRegularExpression word(QStringLiteral("(^|[^A-Za-z0-9-])") +
                                      QRegularExpression::escape(option) +
                                      QStringLiteral("($|[^A-Za-z0-9-])"),
                                  QRegularExpression::MultilineOption);
    return text.contains(word);
}

// What the bash completion of `command` offers for the words typed so far (the last one is
// the word being completed).
QSet<QString> completions(const QString& script, const QString& command, const QStringList& words) {
    QStringList quoted;
    for (const QString& w : words)
        quoted << '\'' + w + '\'';
    const QString shell =
        QStringLiteral("source '%1' || exit 1\n"
                       "function=$(complete -p %2 | sed -n 's/.*-F \\([^ ]*\\).*/\\1/p')\n"
                       "COMP_WORDS=(%2 %3); COMP_CWORD=%4\n"
                       "\"$function\" %2 '%5' '%6' 2>/dev/null\n"
                       "printf '%s\\n' \"${COMPREPLY[@]}\"\n")
            .arg(script, command, quoted.join(' '))
            .arg(words.size())
            .arg(words.last(), words.size() > 1 ? words[words.size() - 2] : command);
    const QStringList lines = run(QStringLiteral("bash"), {"-c", shell}).split('\n');
    return QSet<QString>(lines.begin(), lines.end());
}

TEST(Documentation, EveryVerbAndOptionOfTheCommandLineToolIsInItsManualAndCompletion) {
    const QStringList verbs = cliVerbs();
    ASSERT_GE(verbs.size(), 11) << "the verb list of --help could not be read";
    const std::map<QString, QString> manual =
        subsections(plainManual(kDist + "/man/zx908hf-cli.1"));
    const QString completion = kDist + "/completion/zx908hf-cli";

    const QSet<QString> offeredVerbs = completions(completion, "zx908hf-cli", {""});
    for (const QString& verb : verbs) {
        EXPECT_TRUE(manual.count(verb))
            << "zx908hf-cli(1) has no subsection for the verb " << verb.toStdString();
        EXPECT_TRUE(offeredVerbs.contains(verb))
            << "the completion does not offer the verb " << verb.toStdString();

        const QStringList options = helpOptions(run(kCli, {verb, "--help"}));
        EXPECT_FALSE(options.isEmpty()) << verb.toStdString();
        const QString section = manual.count(verb) ? manual.at(verb) : QString();
        const QSet<QString> offered = completions(completion, "zx908hf-cli", {verb, "-"});
        for (const QString& option : options) {
            EXPECT_TRUE(mentions(section, option))
                << "zx908hf-cli(1) does not name " << option.toStdString() << " under "
                << verb.toStdString();
            EXPECT_TRUE(offered.contains(option))
                << "the completion does not offer " << option.toStdString() << " after "
                << verb.toStdString();
        }
    }
    EXPECT_TRUE(offeredVerbs.contains("--help"));
    EXPECT_TRUE(offeredVerbs.contains("--version"));
}

TEST(Documentation, EveryOptionOfTheDesktopProgramIsInItsManualAndCompletion) {
    const QStringList options = helpOptions(run(kDesktop, {"--help"}));
    ASSERT_TRUE(options.contains("--demo")) << "the options of --help could not be read";
    const QString manual = plainManual(kDist + "/man/zx908hf.1");
    const QSet<QString> offered = completions(kDist + "/completion/zx908hf", "zx908hf", {"-"});
    for (const QString& option : options) {
        EXPECT_TRUE(mentions(manual, option))
            << "zx908hf(1) does not name " << option.toStdString();
        EXPECT_TRUE(offered.contains(option))
            << "the completion does not offer " << option.toStdString();
    }
}

TEST(Documentation, TheParsersReadTheFormsTheProgramsPrint) {
    // Guards the two readers above, so that a change of the help layout cannot make the
    // comparison pass by finding nothing.
    EXPECT_EQ(helpOptions("Options:\n  -o, --output <FILE>  Data file.\n  --fix    Correct.\n"
                          "                       --not-an-option here\n"
                          "Arguments:\n  FILE  Data file.\n"),
              (QStringList{"-o", "--output", "--fix"}));
    const auto parts =
        subsections(".SH VERBS\n.SS new\nnew --band N\n.SS \"info\"\nx\n.SH END\ny\n");
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_TRUE(mentions(parts.at("new"), "--band"));
    EXPECT_FALSE(mentions(parts.at("new"), "--ban"));
    EXPECT_FALSE(mentions(parts.at("info"), "y"));
    EXPECT_FALSE(mentions("--stop-bits", "--stop"));
}

} // namespace
