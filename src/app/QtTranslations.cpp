// One translator of Qt's own texts for the whole application.
#include "app/QtTranslations.h"

#include "text/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace zx::app {

namespace {

// The translator lives as long as the application that owns it.
QPointer<QTranslator>& installed() {
    static QPointer<QTranslator> translator;
    return translator;
}

} // namespace

QString qtTranslationsFolder() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool useQtTranslations(int language) {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return false;
    QPointer<QTranslator>& current = installed();
    if (language != text::Chinese) {
        if (current) {
            QCoreApplication::removeTranslator(current);
            delete current;
        }
        return true;
    }
    if (current)
        return true;
    auto* translator = new QTranslator(application);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), qtTranslationsFolder())) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    current = translator;
    return true;
}

} // namespace zx::app
