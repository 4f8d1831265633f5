// About box.
#include "app/FrmAbout.h"

#include "app/QtText.h"
#include "text/Messages.h"
#include "text/labels/AboutLabels.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#ifndef ZX_VERSION
#define ZX_VERSION "0.0.0"
#endif

namespace zx::app {

namespace labels = text::labels::about;

QString locateSystemInfoTool() {
    // Desktop system-information programs that play the part of the classic tool.
    for (const char* name : {"hardinfo2", "hardinfo"}) {
        const QString path = QStandardPaths::findExecutable(QLatin1String(name));
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

QString FrmAbout::versionText(int language) {
    return qs(labels::version, language) + QStringLiteral(ZX_VERSION);
}

FrmAbout::FrmAbout(int language, const QString& title, text::Prompter& prompter,
                   SystemInfoLocator locator, QWidget* parent)
    : QDialog(parent), prompter_(prompter), locator_(std::move(locator)) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(qs(labels::caption, language));

    auto* lblTitle = new QLabel(title, this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    lblTitle->setFont(big);
    auto* lblVersion = new QLabel(versionText(language), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    auto* cmdOK = new QPushButton(qs(text::kButtonOk, language), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    if (language == text::Chinese) {
        auto* cmdSysInfo = new QPushButton(qs(labels::systemInfo, language), this);
        cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
        connect(cmdSysInfo, &QPushButton::clicked, this, &FrmAbout::startSystemInfo);
        buttons->addWidget(cmdSysInfo);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addWidget(lblVersion);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    cmdOK->setDefault(true);
}

void FrmAbout::startSystemInfo() {
    const QString tool = locator_ ? locator_() : QString();
    if (tool.isEmpty() || !QFileInfo(tool).isFile() || !QProcess::startDetached(tool, {}))
        prompter_.inform(labels::kSystemInfoUnavailable);
}

} // namespace zx::app
