// A pseudo-terminal for the virtual radio: the radio keeps the master side; the slave's
// device path is what the program opens as its serial port. One slave descriptor stays open
// for the terminal's lifetime, so the master never sees a hang-up (EIO) when the program
// closes the port and opens it again.
#pragma once

#include <string>

namespace zx::sim {

class PseudoTerminal {
public:
    // Opens a new pseudo-terminal with the slave in raw mode at 9600 baud and the master
    // non-blocking. Throws std::system_error when the system has none to give.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int master() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

} // namespace zx::sim
