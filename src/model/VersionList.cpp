// Parsing of the version list values.
#include "model/VersionList.h"

#include <algorithm>

namespace zx::model {

int parseVersionCount(std::string_view countText) {
    std::size_t i = countText.find_first_not_of(" \t");
    if (i == std::string_view::npos)
        return 0;
    long value = 0;
    for (; i < countText.size() && countText[i] >= '0' && countText[i] <= '9'; ++i) {
        value = value * 10 + (countText[i] - '0');
        if (value > kMaxVersionPairs)
            return kMaxVersionPairs;
    }
    return static_cast<int>(value);
}

VersionPair parseVersionEntry(std::string_view value) {
    value = value.substr(0, value.find('\0'));
    const std::size_t end = value.find_last_not_of(' ');
    value = end == std::string_view::npos ? std::string_view{} : value.substr(0, end + 1);
    const std::size_t take = std::min<std::size_t>(4, value.size());
    return {std::string(value.substr(0, take)), std::string(value.substr(value.size() - take))};
}

VersionList parseVersionList(const std::vector<std::string>& firmValues) {
    VersionList list;
    list.reserve(firmValues.size());
    for (const std::string& value : firmValues)
        list.push_back(parseVersionEntry(value));
    return list;
}

} // namespace zx::model
