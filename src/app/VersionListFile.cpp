// Reading Version.ini.
#include "app/VersionListFile.h"

#include "model/VersionList.h"
#include "platform/ProfileFile.h"

#include <algorithm>
#include <string>
#include <vector>

namespace zx::app {

bool isSoftwareVersion(const std::string& version) {
    return version.size() == 4 && version[0] == 'V' &&
           std::all_of(version.begin() + 1, version.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

model::VersionList readVersionList(const QString& path) {
    const platform::ProfileFile file(path);
    const int count = model::parseVersionCount(
        file.read(QStringLiteral("Version"), QStringLiteral("FirmVersionCount")).toStdString());
    std::vector<std::string> values;
    for (int i = 0; i < count; ++i)
        values.push_back(
            file.read(QStringLiteral("Firm"), QStringLiteral("Firm") + QString::number(i))
                .toStdString());
    model::VersionList list = model::parseVersionList(values);
    std::erase_if(list, [](const model::VersionPair& p) { return !isSoftwareVersion(p.software); });
    return list;
}

} // namespace zx::app
