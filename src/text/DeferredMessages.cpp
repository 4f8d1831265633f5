// Deferred message list.
#include "DeferredMessages.h"

#include <utility>

namespace zx::text {

bool DeferredMessages::append(std::string text) {
    if (texts_.size() >= kCapacity)
        return false;
    texts_.push_back(std::move(text));
    return true;
}

std::vector<std::string> DeferredMessages::take() {
    return std::exchange(texts_, {});
}

} // namespace zx::text
