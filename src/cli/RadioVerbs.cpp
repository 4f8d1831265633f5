// Verbs that talk to a radio or serve as one.
#include "cli/Verbs.h"

namespace zx::cli {

std::vector<Verb> radioVerbs() {
    return {};
}

} // namespace zx::cli
