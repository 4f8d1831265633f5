// What the system says about standard output when writing to it failed, and making what was
// written to a file behind it reach the disk (a full disk may show no earlier).
#pragma once

namespace zx::cli {

// Before the first output: on Windows standard output is put in binary mode, so that data
// written to it (a file piped on) reaches it byte for byte, line ends included.
void prepareStandardOutput();

// Why standard output failed: the error number when there is one, else what the file system
// behind it says (a full or read-only disk), else an input/output error.
int standardOutputError(int error);

// Flushes a file behind standard output to the disk; anything else passes. False with
// `error` set when the flush failed.
bool syncStandardOutput(int& error);

} // namespace zx::cli
