// The batch loop: presence polling, write, identity read, log line, wait for disconnection.
#include "cli/BatchWrite.h"

#include "cli/RadioIdentityText.h"
#include "cli/RadioSession.h"
#include "cli/Verbs.h"
#include "model/Band.h"
#include "text/Messages.h"
#include "text/labels/RadioSafetyLabels.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTextStream>
#include <QTimer>

namespace zx::cli {

namespace {

namespace labels = text::labels::safety;
using text::MessageKey;

// What became of one radio.
struct RadioLine {
    QDateTime time;
    QString serial;
    QString model;
    QString band;
    QString result;
    double seconds = 0;
};

QString csvField(const QString& value) {
    if (!value.contains(QLatin1Char(',')) && !value.contains(QLatin1Char('"')) &&
        !value.contains(QLatin1Char('\n')))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

bool appendLog(const QString& path, const RadioLine& line) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return false;
    QTextStream out(&file);
    if (file.size() == 0)
        out << "time,serial number,model code,band,result,seconds\n";
    out << csvField(line.time.toString(Qt::ISODate)) << ',' << csvField(line.serial) << ','
        << csvField(line.model) << ',' << csvField(line.band) << ',' << csvField(line.result) << ','
        << QString::number(line.seconds, 'f', 1) << '\n';
    out.flush();
    return file.error() == QFile::NoError;
}

bool isOneOf(const std::string& text, MessageKey key) {
    return text == text::message(key, text::English) || text == text::message(key, text::Chinese);
}

// Why a radio failed, from what the conversation told the user: its last message (the
// verification's first lines, the partial-write report, "Model type is wrong.", ...).
QString reasonSince(const CliPrompter& prompter, std::size_t from) {
    const std::vector<std::string>& shown = prompter.shown();
    for (std::size_t i = shown.size(); i > from; --i) {
        const std::string& text = shown[i - 1];
        if (isOneOf(text, MessageKey::WriteConfirm) || isOneOf(text, MessageKey::WriteCompleted))
            continue;
        QStringList lines = QString::fromStdString(CliPrompter::forTerminal(text))
                                .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        // "Write Data Completed." heads the message that says what the read-back found.
        if (!lines.isEmpty() && isOneOf(lines.front().toStdString(), MessageKey::WriteCompleted))
            lines.removeFirst();
        if (lines.isEmpty())
            continue;
        return lines.mid(0, 2).join(QStringLiteral("; "));
    }
    return QStringLiteral("no answer");
}

void pause(RadioSession& session, qint64 ms) {
    if (ms <= 0 || session.stopped())
        return;
    QEventLoop loop;
    QTimer::singleShot(int(ms), &loop, &QEventLoop::quit);
    QObject::connect(&session.stopSignals(), &StopSignals::stopRequested, &loop, &QEventLoop::quit);
    loop.exec();
}

// Polls about once a second until a radio answers (`present`) or no longer answers (not
// `present`). False when stopped first.
bool waitFor(RadioSession& session, bool present) {
    QString lastProblem;
    for (;;) {
        if (session.stopped())
            return false;
        QElapsedTimer poll;
        poll.start();
        const int code = session.run(&link::Link::checkPresence);
        if (session.stopped())
            return false;
        const bool answered = code == ExitOk;
        if (answered == present)
            return true;
        // A port that cannot be opened is said once, not every second.
        const QString problem = code == ExitPortError ? session.serial().lastError() : QString();
        if (!problem.isEmpty() && problem != lastProblem)
            printError(session.say(labels::kBatchWaiting,
                                   {QString::fromStdString(session.serial().openFailureReason(
                                       session.workspace().state.language))}));
        lastProblem = problem;
        pause(session, kBatchPollMs - poll.elapsed());
    }
}

QString serialNumber(const model::Workspace& ws) {
    for (const IdentityField& field : identityFields(ws.identity, ws.state.systemLanguage))
        if (field.name == QLatin1String("serialNumber"))
            return field.value.toString();
    return {};
}

} // namespace

int runBatch(RadioSession& session, const BatchOptions& options) {
    CliPrompter& prompter = session.prompter();
    // Starting the batch was the answer to "Write data to radio. Do you wish continue?".
    for (const int language : {int(text::English), int(text::Chinese)})
        prompter.setFixedAnswer(std::string(text::message(MessageKey::WriteConfirm, language)),
                                text::Answer::Ok);
    link::Link& engine = session.engine();
    int written = 0, verified = 0, failed = 0, radios = 0;

    printError(session.say(labels::kBatchConnect));
    while (options.count == 0 || radios < options.count) {
        if (!waitFor(session, true))
            break;
        ++radios;
        QElapsedTimer clock;
        clock.start();
        RadioLine line;
        line.time = QDateTime::currentDateTime();
        const std::size_t shownBefore = prompter.shown().size();

        const int code = session.run(&link::Link::writeToRadio);
        const bool transferred = code == ExitOk || code == ExitVerifyFailed;
        const link::Verification& verification = engine.verification();
        if (transferred) {
            ++written;
            if (verification.state == link::Verification::State::Ok)
                ++verified;
        }
        QString reason = code == ExitOk ? QString() : reasonSince(prompter, shownBefore);
        line.model = QString::fromStdString(engine.radioModelCode());
        line.band = QString::fromStdString(model::bandTextFromIndex(engine.radioBandCode()));
        if (transferred && !session.stopped()) {
            if (session.run(&link::Link::readIdentity) == ExitOk)
                line.serial = serialNumber(session.workspace());
            else if (reason.isEmpty())
                reason = QStringLiteral("identity not read: ") + reasonSince(prompter, shownBefore);
        }
        if (session.stopped())
            reason = QStringLiteral("stopped");
        const bool ok = reason.isEmpty();
        failed += ok ? 0 : 1;
        line.result =
            ok ? (verification.state == link::Verification::State::Ok ? QStringLiteral("verified")
                                                                      : QStringLiteral("written"))
               : QStringLiteral("failed: ") + reason;
        line.seconds = double(clock.elapsed()) / 1000.0;
        session.progressBar().breakLine();
        printError(
            session.say(labels::kBatchRadio,
                        {QString::number(radios),
                         line.serial.isEmpty() ? session.say(labels::kBatchNoSerial) : line.serial,
                         line.result, QString::number(line.seconds, 'f', 1)}));
        if (!options.logPath.isEmpty() && !appendLog(options.logPath, line)) {
            printError(QStringLiteral("cannot write the log %1").arg(options.logPath));
            return ExitFileError;
        }
        if (session.stopped() || (options.count > 0 && radios >= options.count))
            break;
        printError(session.say(labels::kBatchNext));
        if (!waitFor(session, false))
            break;
    }

    QTextStream(stdout) << session.say(written == 1 ? labels::kBatchSummaryOne
                                                    : labels::kBatchSummary,
                                       {QString::number(written), QString::number(verified),
                                        QString::number(failed)})
                        << Qt::endl;
    if (session.stopped())
        return session.stopSignals().exitCode();
    return failed == 0 ? ExitOk : ExitRadioFailed;
}

} // namespace zx::cli
