// Texts collected while a radio conversation runs, shown one by one when it has ended.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zx::text {

class DeferredMessages {
public:
    // The list keeps at most this many texts (slots 0..1000); further texts are dropped.
    static constexpr std::size_t kCapacity = 1001;

    // Appends a text; returns false when the list is full and the text was not kept.
    bool append(std::string text);

    // The kept texts in the order they were appended; empties the list.
    std::vector<std::string> take();

    const std::vector<std::string>& texts() const { return texts_; }
    bool empty() const { return texts_.empty(); }

private:
    std::vector<std::string> texts_;
};

} // namespace zx::text
