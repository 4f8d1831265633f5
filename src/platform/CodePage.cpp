// System code page conversions through Qt's text codecs.
#include "platform/CodePage.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

#include "text/Language.h"

namespace zx::platform {

namespace {

const char* codePageName(int systemLanguage) {
    return systemLanguage == text::Chinese ? "GBK" : "windows-1252";
}

} // namespace

QString fromCodePage(std::string_view bytes, int systemLanguage) {
    QStringDecoder decoder(codePageName(systemLanguage));
    const QByteArray raw(bytes.data(), qsizetype(bytes.size()));
    if (!decoder.isValid())
        return QString::fromLatin1(raw);
    return decoder.decode(raw);
}

std::string toCodePage(const QString& text, int systemLanguage) {
    QStringEncoder encoder(codePageName(systemLanguage), QStringEncoder::Flag::Default);
    QByteArray raw = encoder.isValid() ? QByteArray(encoder.encode(text)) : text.toLatin1();
    return std::string(raw.constData(), std::size_t(raw.size()));
}

} // namespace zx::platform
