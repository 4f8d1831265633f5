// Texts of what differs on Windows: the save refused for a name the system keeps for a
// device, and the simulate verb, which needs pseudo-terminals Windows does not have.
// Placeholders %1, %2, ... are filled by the caller (text::fill).
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::platform {

// %1 = the path given.
inline constexpr TextTable kReservedDeviceName{
    "Cannot save to \"%1\": Windows keeps this name for a device (CON, PRN, AUX, NUL, COM1 to "
    "COM9, LPT1 to LPT9, with any extension). Choose another name. Nothing was replaced.",
    "无法保存到“%1”：Windows 将此名称保留给设备（CON、PRN、AUX、NUL、COM1 至 COM9、LPT1 至 "
    "LPT9，带任何扩展名均是）。请换一个名称。没有替换任何内容。"};

inline constexpr TextTable kNoPseudoTerminals{
    "simulate needs pseudo-terminals, which Windows does not have. Run the virtual radio on "
    "Linux, or try the desktop program with zx908hf --demo, whose radio runs inside the "
    "program.",
    "simulate 需要伪终端，而 Windows 没有伪终端。请在 Linux 上运行虚拟对讲机，或用 zx908hf "
    "--demo 启动桌面程序，其虚拟对讲机在程序内部运行。"};

} // namespace zx::text::labels::platform
