// zx908hf-cli simulate: starts a VirtualRadio, points --link at its terminal, prints the
// device path, serves until SIGINT, SIGTERM or SIGHUP and can dump the radio's memory on
// the way out. Signals are taken with sigwait on the main thread; they are blocked before
// the radio's thread starts, so that thread never sees them.
#include "cli/SimulateVerb.h"
#include "cli/VerbSupport.h"
#include "cli/Verbs.h"
#include "sim/MemoryFiles.h"
#include "sim/VirtualRadio.h"

#include <QCommandLineParser>
#include <QFile>
#include <QTextStream>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zx::cli {

namespace {

const QString kProgram = QStringLiteral("zx908hf-cli simulate");

int fail(int code, const QString& problem) {
    QTextStream(stderr) << kProgram << ": " << problem << '\n';
    return code;
}

std::string localPath(const QString& path) {
    return path.toStdString();
}

std::optional<int> parseNumber(const QString& text, int low, int high) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

// CMD or CMD:N; CMD alone, or N = 0, means every answer of that command.
std::optional<sim::AnswerRule> parseRule(const QString& text) {
    const QStringList parts = text.split(':');
    if (parts.size() > 2)
        return std::nullopt;
    const auto command = sim::commandFromName(parts[0].toLower().toStdString());
    if (!command)
        return std::nullopt;
    sim::AnswerRule rule{*command, 0};
    if (parts.size() == 2) {
        const auto nth = parseNumber(parts[1], 0, 1'000'000);
        if (!nth)
            return std::nullopt;
        rule.nth = *nth;
    }
    return rule;
}

// Points `link` at `target`, replacing an existing symbolic link but never a file or
// anything else. The new link is made beside it and renamed over it, so the path never
// dangles half-made.
bool makeLink(const std::string& link, const std::string& target, QString& problem) {
    struct stat info {};
    if (::lstat(link.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)) {
        problem = QString::fromLocal8Bit(link) + " exists and is not a symbolic link";
        return false;
    }
    const std::string temporary = link + ".tmp" + std::to_string(::getpid());
    ::unlink(temporary.c_str());
    if (::symlink(target.c_str(), temporary.c_str()) != 0 ||
        ::rename(temporary.c_str(), link.c_str()) != 0) {
        problem =
            QString::fromLocal8Bit(link) + ": " + QString::fromLocal8Bit(std::strerror(errno));
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

// Removes the link only while it still points at our terminal.
void removeLink(const std::string& link, const std::string& target) {
    char buffer[4096];
    const ssize_t n = ::readlink(link.c_str(), buffer, sizeof buffer - 1);
    if (n > 0 && std::string(buffer, std::size_t(n)) == target)
        ::unlink(link.c_str());
}

} // namespace

int runSimulate(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "A virtual ZX-908HF on a pseudo-terminal. Prints the terminal's device path and serves "
        "until interrupted.\nFault rules take CMD or CMD:N, CMD one of program, identify, ack, "
        "read, write, end; N counts that command's answers from 1, and CMD alone or N = 0 "
        "means every one.");
    const QCommandLineOption help({"h", "help"}, "Show this help.");
    const QCommandLineOption linkOption("link", "Make PATH a symbolic link to the terminal.",
                                        "PATH");
    const QCommandLineOption data("data", "Memory from a data file.", "FILE");
    const QCommandLineOption image("image", "Memory from an 8192-byte image file.", "FILE");
    const QCommandLineOption model("model", "Model code of the identity answer (8900).", "CODE");
    const QCommandLineOption version("version", "Data version of the identity answer (V310).",
                                     "VERSION");
    const QCommandLineOption band("band", "Band code written at 1D87 (0 or 1).", "CODE");
    const QCommandLineOption paced("paced", "Pace both directions at 9600 baud.");
    const QCommandLineOption drop("drop-answer", "Stay silent instead of these answers.",
                                  "CMD[:N]");
    const QCommandLineOption surplus("surplus", "Send one surplus byte after these answers.",
                                     "CMD[:N]");
    const QCommandLineOption badChecksum("bad-checksum",
                                         "Wrong checksum on the Nth read-block answer.", "N");
    const QCommandLineOption split("split", "Send every answer in N pieces.", "N");
    const QCommandLineOption splitGap("split-gap", "Milliseconds between pieces (5).", "MS");
    const QCommandLineOption silentAfter("silent-after-blocks",
                                         "Go silent after answering N block commands.", "N");
    const QCommandLineOption wrongByte(
        "wrong-byte",
        "Store a wrong byte at ADDR (hexadecimal) when a write covers it, XOR-ed with MASK "
        "(hexadecimal, 01 by default), and still acknowledge the write.",
        "ADDR[:MASK]");
    const QCommandLineOption dump("dump", "Write the radio's memory to FILE on exit.", "FILE");
    const QCommandLineOption verbose("verbose", "Print every command received on stderr.");
    parser.addOptions({help, linkOption, data, image, model, version, band, paced, drop, surplus,
                       badChecksum, split, splitGap, silentAfter, wrongByte, dump, verbose});

    if (const std::optional<int> done = parseOrAnswerHelp(parser, arguments, help))
        return *done;
    if (!parser.positionalArguments().isEmpty())
        return fail(ExitUsage, "unexpected argument " + parser.positionalArguments().first());
    if (parser.isSet(data) && parser.isSet(image))
        return fail(ExitUsage, "--data and --image exclude each other");

    sim::RadioOptions options;
    if (parser.isSet(model))
        options.modelCode = parser.value(model).toStdString();
    if (parser.isSet(version))
        options.dataVersion = parser.value(version).toStdString();
    if (parser.isSet(band)) {
        const auto code = parseNumber(parser.value(band), 0, 1);
        if (!code)
            return fail(ExitUsage, "--band takes 0 or 1");
        options.bandCode = *code;
    }
    options.paced = parser.isSet(paced);
    for (const QString& value : parser.values(drop)) {
        const auto rule = parseRule(value);
        if (!rule)
            return fail(ExitUsage, "bad --drop-answer rule " + value);
        options.faults.dropAnswers.push_back(*rule);
    }
    for (const QString& value : parser.values(surplus)) {
        const auto rule = parseRule(value);
        if (!rule)
            return fail(ExitUsage, "bad --surplus rule " + value);
        options.faults.surplusAfter.push_back(*rule);
    }
    struct Number {
        const QCommandLineOption& option;
        int low, high;
        std::function<void(int)> apply;
    };
    const Number numbers[] = {
        {badChecksum, 1, 1'000'000, [&](int n) { options.faults.badChecksumBlock = n; }},
        {split, 1, 300, [&](int n) { options.faults.splitPieces = n; }},
        {splitGap, 0, 250, [&](int n) { options.faults.splitGap = std::chrono::milliseconds(n); }},
        {silentAfter, 0, 1'000'000, [&](int n) { options.faults.silentAfterBlocks = n; }},
    };
    for (const Number& number : numbers) {
        if (!parser.isSet(number.option))
            continue;
        const auto value = parseNumber(parser.value(number.option), number.low, number.high);
        if (!value)
            return fail(ExitUsage, "--" + number.option.names().first() + " takes a number from " +
                                       QString::number(number.low) + " to " +
                                       QString::number(number.high));
        number.apply(*value);
    }

    if (parser.isSet(wrongByte)) {
        const QStringList parts = parser.value(wrongByte).split(':');
        bool addressOk = false, maskOk = true;
        const int address = parts[0].toInt(&addressOk, 16);
        const int mask = parts.size() > 1 ? parts[1].toInt(&maskOk, 16) : 1;
        if (parts.size() > 2 || !addressOk || !maskOk || address < 0 ||
            address >= int(sim::kMemorySize) || mask < 1 || mask > 0xFF)
            return fail(ExitUsage, "--wrong-byte takes ADDR[:MASK] in hexadecimal, an address "
                                   "below 2000 and a mask 01 to FF");
        options.faults.wrongByteAt = address;
        options.faults.wrongByteXor = std::uint8_t(mask);
    }

    sim::Memory memory = sim::VirtualRadio::blankMemory();
    try {
        if (parser.isSet(data))
            memory = sim::imageFromDataFile(localPath(parser.value(data)), options.bandCode);
        else if (parser.isSet(image))
            memory = sim::loadImageFile(localPath(parser.value(image)));
    } catch (const std::exception& error) {
        return fail(ExitFileError, QString::fromLocal8Bit(error.what()));
    }

    // Block the stop signals before the radio's thread exists, so that it inherits the mask
    // and sigwait below is the one place they arrive.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    sim::VirtualRadio radio(options, memory);
    if (parser.isSet(verbose))
        radio.setObserver([](const sim::LogEntry& entry) {
            std::fprintf(stderr, "%s\n", sim::describe(entry).c_str());
        });
    try {
        radio.start();
    } catch (const std::exception& error) {
        return fail(ExitPortError, QString::fromLocal8Bit(error.what()));
    }

    const std::string device = radio.devicePath();
    std::string link;
    if (parser.isSet(linkOption)) {
        link = localPath(parser.value(linkOption));
        QString problem;
        if (!makeLink(link, device, problem))
            return fail(ExitFileError, problem);
    }
    std::fprintf(stdout, "%s\n", device.c_str());
    std::fflush(stdout);

    int received = 0;
    sigwait(&stopSignals, &received);

    radio.stop();
    if (!link.empty())
        removeLink(link, device);
    if (parser.isSet(dump)) {
        try {
            radio.dumpMemory(localPath(parser.value(dump)));
        } catch (const std::exception& error) {
            return fail(ExitFileError, QString::fromLocal8Bit(error.what()));
        }
    }
    return ExitOk;
}

} // namespace zx::cli
