// The per-user data folder that the desktop program and the command-line tool share for
// what they keep on their own: backups of the radio's memory and serial traces. It is the
// application data location of the desktop program (on Linux ~/.local/share/zx908hf), so
// that both programs find the same files.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace zx::platform {

QString userDataFolder();

// Files kept there are named "ZX-908HF_<what>_<YYYYMMDD-HHMMSS>" plus an extension, so that
// their names sort by time. A second one within the same second gets "-2", "-3", ...
// Returns the path without extension, free for every extension given.
QString stampedPath(const QString& folder, const QString& what, const QDateTime& when,
                    const QStringList& extensions);

// The time in a stamped file name ("ZX-908HF_<what>_<stamp>[-n].<ext>"), invalid when the
// name is not of that form.
QDateTime stampOf(const QString& fileName, QString* what = nullptr);

// The stamped files of `folder` with this extension (".img"), oldest first; of two within
// one second, the one without a number first.
QStringList stampedFiles(const QString& folder, const QString& extension);

inline constexpr const char* kStampPrefix = "ZX-908HF_";

} // namespace zx::platform
