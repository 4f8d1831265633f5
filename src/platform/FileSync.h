// Making what was written to an open file reach the disk before the program goes on (the
// fleet log, whose lines must survive a power cut during a run).
#pragma once

class QFile;

namespace zx::platform {

// Flushes Qt's buffer and the system's to the disk; false when either failed.
bool syncToDisk(QFile& file);

} // namespace zx::platform
