// Fuzz target: the JSON import of the command-line tool. Any text must give either a clear
// refusal or a record whose JSON reads back as the same record. Inputs are tried as they
// are and spliced into a valid export, so that the fuzzer also reaches the field checks.
#include "cli/JsonRecord.h"
#include "model/RecordCodec.h"
#include "text/Language.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

namespace {

void importOnce(const QByteArray& json, int language) {
    zx::model::ConfigRecord record;
    QString error;
    if (!zx::cli::recordFromJson(json, language, record, error)) {
        if (error.isEmpty())
            std::abort(); // a refusal always says why
        return;
    }
    zx::model::ConfigRecord again;
    if (!zx::cli::recordFromJson(zx::cli::recordToJson(record, language), language, again, error) ||
        zx::model::encodeRecord(again) != zx::model::encodeRecord(record))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QByteArray base =
        zx::cli::recordToJson(zx::model::ConfigRecord{}, zx::text::English);
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const int language = size % 2 ? zx::text::Chinese : zx::text::English;
    importOnce(input, language);
    if (size >= 2) {
        const qsizetype at = ((data[0] << 8) | data[1]) * base.size() / 65536;
        QByteArray spliced = base;
        spliced.replace(at, qMin<qsizetype>(input.size() - 2, base.size() - at), input.mid(2));
        importOnce(spliced, language);
    }
    return 0;
}
