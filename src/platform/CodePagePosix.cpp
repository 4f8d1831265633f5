// Linux has no system code page: the system language stands for it, converted through Qt's
// text codecs (ICU).
#include "platform/CodePage.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

namespace zx::platform {

QString fromCodePage(std::string_view bytes, int systemLanguage) {
    QStringDecoder decoder(codePageForLanguage(systemLanguage));
    const QByteArray raw(bytes.data(), qsizetype(bytes.size()));
    if (!decoder.isValid())
        return QString::fromLatin1(raw);
    return decoder.decode(raw);
}

std::string toCodePage(const QString& text, int systemLanguage) {
    const char* page = codePageForLanguage(systemLanguage);
    const auto encode = [page](QStringView part) {
        QStringEncoder encoder(page, QStringEncoder::Flag::Default);
        return encoder.isValid() ? QByteArray(encoder.encode(part)) : part.toLatin1();
    };
    QByteArray raw = encode(text);
    // ICU puts the control character SUB (1A) where the code page lacks a character; the
    // radio would store that control character in its text. Such characters become "?".
    if (raw.contains('\x1A')) {
        raw.clear();
        for (qsizetype i = 0; i < text.size();) {
            const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            const QByteArray one = encode(QStringView(text).mid(i, length));
            raw += one == "\x1A" && text.at(i) != QChar(0x1A) ? QByteArray("?") : one;
            i += length;
        }
    }
    return std::string(raw.constData(), std::size_t(raw.size()));
}

} // namespace zx::platform
