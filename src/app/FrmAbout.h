// The About box: the program's title and version; in Chinese also a button that starts the
// system-information tool, or says that there is none.
#pragma once

#include "text/Prompter.h"

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;

namespace zx::app {

// Finds the system-information tool; an empty text when none is installed.
using SystemInfoLocator = std::function<QString()>;
// The default locator: a system-information program on the search path.
QString locateSystemInfoTool();

class FrmAbout : public QDialog {
    Q_OBJECT
public:
    FrmAbout(int language, const QString& title, text::Prompter& prompter,
             SystemInfoLocator locator = locateSystemInfoTool, QWidget* parent = nullptr);

    // "Version " followed by major.minor.revision of this build.
    static QString versionText(int language);

private:
    void startSystemInfo();

    text::Prompter& prompter_;
    SystemInfoLocator locator_;
};

} // namespace zx::app
