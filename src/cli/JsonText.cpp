// Lossless conversion between field bytes and JSON strings.
#include "cli/JsonText.h"

#include "platform/CodePage.h"

namespace zx::cli {

namespace {

constexpr char16_t kRawByteBase = 0xF700; // U+F780..U+F7FF stand for the bytes 0x80..0xFF

bool isRawByte(QChar c) {
    return c.unicode() >= kRawByteBase + 0x80 && c.unicode() <= kRawByteBase + 0xFF;
}

bool containsRawByteChar(const QString& s) {
    for (QChar c : s)
        if (isRawByte(c))
            return true;
    return false;
}

// One character decoded from exactly these bytes, if they form one and it converts back.
bool decodesToOneChar(std::string_view bytes, int language, QString& out) {
    const QString s = platform::fromCodePage(bytes, language);
    if (s.isEmpty() || containsRawByteChar(s) || platform::toCodePage(s, language) != bytes)
        return false;
    // One character: a single code unit or one surrogate pair.
    if (s.size() != 1 && !(s.size() == 2 && s.at(0).isHighSurrogate()))
        return false;
    out = s;
    return true;
}

// ASCII is the same in both code pages; most fields are ASCII, and opening a codec for each
// of the record's hundreds of fields costs more than the rest of an export.
bool isAscii(std::string_view bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool isAscii(const QString& text) {
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

} // namespace

QString fieldToText(std::string_view bytes, int systemLanguage) {
    if (isAscii(bytes))
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    const QString whole = platform::fromCodePage(bytes, systemLanguage);
    if (!containsRawByteChar(whole) && platform::toCodePage(whole, systemLanguage) == bytes)
        return whole;
    // Character by character, longest form first (double-byte code pages use two bytes).
    QString out;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out += QChar(char16_t(b));
            ++i;
            continue;
        }
        QString c;
        if (i + 1 < bytes.size() && decodesToOneChar(bytes.substr(i, 2), systemLanguage, c)) {
            out += c;
            i += 2;
        } else if (decodesToOneChar(bytes.substr(i, 1), systemLanguage, c)) {
            out += c;
            ++i;
        } else {
            out += QChar(char16_t(kRawByteBase + b));
            ++i;
        }
    }
    return out;
}

std::optional<std::string> textToField(const QString& text, int systemLanguage,
                                       std::size_t maxBytes, QString& problem) {
    std::string bytes;
    if (isAscii(text)) {
        bytes = text.toStdString();
        if (bytes.size() > maxBytes) {
            problem = QStringLiteral("text is longer than %1 bytes").arg(maxBytes);
            return std::nullopt;
        }
        return bytes;
    }
    QString run;
    auto flush = [&]() {
        if (run.isEmpty())
            return true;
        const std::string encoded = platform::toCodePage(run, systemLanguage);
        if (platform::fromCodePage(encoded, systemLanguage) != run) {
            problem = QStringLiteral("text holds a character the system code page cannot store");
            return false;
        }
        bytes += encoded;
        run.clear();
        return true;
    };
    for (QChar c : text) {
        if (isRawByte(c)) {
            if (!flush())
                return std::nullopt;
            bytes += static_cast<char>(c.unicode() - kRawByteBase);
        } else {
            run += c;
        }
    }
    if (!flush())
        return std::nullopt;
    if (bytes.size() > maxBytes) {
        problem = QStringLiteral("text is longer than %1 bytes").arg(maxBytes);
        return std::nullopt;
    }
    return bytes;
}

} // namespace zx::cli
