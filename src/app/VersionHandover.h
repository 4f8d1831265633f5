// Handing a data file of another data version over to the installed program version that
// handles it: <installation>/<software version>/<this program's file name>.
#pragma once

#include "model/Workspace.h"
#include "platform/Installation.h"

#include <QString>
#include <string_view>

namespace zx::app {

// The program of the software version paired with `dataVersion`, or an empty text when the
// list pairs no version with it or that version is not installed.
QString otherVersionProgram(const model::VersionList& versions,
                            const platform::Installation& installation,
                            std::string_view dataVersion);

} // namespace zx::app
