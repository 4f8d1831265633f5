// Reading the version list Version.ini: section "Version", key FirmVersionCount; section
// "Firm", keys Firm0..FirmN-1, each value a software version followed by the data version
// it handles (for example V310V310).
#pragma once

#include "model/Workspace.h"

#include <QString>

namespace zx::app {

// A software version names the folder another program is started from, so only "V" and
// three digits is accepted; anything else ("../x", "V3/.") could point outside the
// installation.
bool isSoftwareVersion(const std::string& version);

// The pairs of the file in key order, without pairs whose software version is not of that
// form. A missing file or count gives an empty list.
model::VersionList readVersionList(const QString& path);

} // namespace zx::app
