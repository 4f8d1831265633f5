// Windows has no pseudo-terminals: the virtual radio is served on an in-process line there.
#include "sim/RadioLine.h"

#include <system_error>

namespace zx::sim {

std::unique_ptr<RadioLine> openPseudoTerminalLine() {
    throw std::system_error(std::make_error_code(std::errc::function_not_supported),
                            "this system has no pseudo-terminals; the virtual radio runs "
                            "inside the program instead");
}

} // namespace zx::sim
