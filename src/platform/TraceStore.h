// The serial traces of the desktop program: the byte trace of each of its last ten
// conversations with a radio (the format of zx908hf-cli --trace), one file each, in the
// traces folder of the per-user data folder, to attach to a bug report.
#pragma once

#include <QDateTime>
#include <QFile>
#include <QString>
#include <memory>

namespace zx::platform {

class TraceStore {
public:
    static constexpr int kKeep = 10;

    explicit TraceStore(QString folder = defaultFolder());
    static QString defaultFolder();
    const QString& folder() const { return folder_; }

    // Starts the trace of a conversation ("read", "write", ...): a new file, open for
    // writing until finish() or the next begin(). Older traces beyond the last ten are
    // removed. nullptr when no file could be made (the conversation runs untraced).
    QFile* begin(const QString& what, const QDateTime& when);
    void finish();
    QFile* current() const { return file_.get(); }

    // The trace files, oldest first.
    QStringList files() const;

private:
    void prune();

    QString folder_;
    std::unique_ptr<QFile> file_;
};

} // namespace zx::platform
