// Finding the program of another installed version.
#include "app/VersionHandover.h"

#include "model/DataFile.h"

#include <QFileInfo>

namespace zx::app {

QString otherVersionProgram(const model::VersionList& versions,
                            const platform::Installation& installation,
                            std::string_view dataVersion) {
    const std::string software = model::softwareVersionFor(versions, dataVersion);
    if (software.empty())
        return QString();
    const QString program = installation.otherVersionExecutable(QString::fromStdString(software));
    const QFileInfo info(program);
    return info.isFile() && info.isExecutable() ? program : QString();
}

} // namespace zx::app
