// The version compatibility list of the installation: which software version handles which
// data version. Parsed here from the values of the version list file; reading the file
// itself is the platform layer's job.
#pragma once

#include "model/Workspace.h"

#include <string>
#include <string_view>
#include <vector>

namespace zx::model {

// The number of pairs from the FirmVersionCount value: its leading decimal digits, 0 when
// it has none; held to kMaxVersionPairs so that a damaged file cannot ask for millions.
inline constexpr int kMaxVersionPairs = 1000;
int parseVersionCount(std::string_view countText);

// One Firm<n> value: cut at the first NUL, trailing spaces removed; the first four
// characters are the software version, the last four the data version.
VersionPair parseVersionEntry(std::string_view value);

// The pairs of the values Firm0..Firm<m-1>, in order.
VersionList parseVersionList(const std::vector<std::string>& firmValues);

} // namespace zx::model
