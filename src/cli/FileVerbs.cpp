// Verbs that work on data files.
#include "cli/Verbs.h"

namespace zx::cli {

std::vector<Verb> fileVerbs() {
    return {};
}

} // namespace zx::cli
