// Backups of the radio's memory, kept without asking: every successful read and every write
// leaves the image exactly as received or sent (an 8192-byte ".img" file) and the document
// that goes with it (a ".dat" data file) in the backups folder of the per-user data folder.
// Each file is written whole or not at all and checked on disk by its size before the backup
// counts as kept; a backup whose files are not whole (a disk that filled up under another
// program) is not listed. The last 50 backups and every backup of the last 365 days are
// kept; older ones go.
#pragma once

#include "link/RadioImage.h"
#include "model/ConfigRecord.h"
#include "model/Workspace.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace zx::platform {

class BackupStore {
public:
    enum class Kind { Read, Write };
    struct Entry {
        Kind kind = Kind::Read;
        QDateTime time;
        QString imagePath; // .img
        QString dataPath;  // .dat
    };

    static constexpr int kKeepCount = 50;
    static constexpr int kKeepDays = 365;
    static constexpr const char* kImageExtension = ".img";
    static constexpr const char* kDataExtension = ".dat";

    // `folder` is where the backups go; the default is backups/ in the per-user data folder.
    explicit BackupStore(QString folder = defaultFolder());
    static QString defaultFolder();
    const QString& folder() const { return folder_; }

    // The radio's memory as a read received it, with the document a read makes of it: the
    // image decoded over `document` (the fields the radio does not carry stay the
    // document's). Returns the path of the image file, or an empty text with `error` set.
    QString keepRead(const link::RadioImage& image, const model::Workspace& document,
                     const QDateTime& when, QString* error = nullptr);
    // The image a write sent and the record it was made from. `error` is in `language`.
    QString keepWrite(const link::RadioImage& image, const model::ConfigRecord& record,
                      const QDateTime& when, QString* error = nullptr, int language = 1);

    // Every backup in the folder whose two files are whole, newest first.
    QList<Entry> list() const;
    // Removes what the retention no longer covers, as of `now` (whole backups or not).
    void prune(const QDateTime& now);

private:
    QString keep(Kind kind, const link::RadioImage& image, const model::ConfigRecord& record,
                 const QDateTime& when, QString* error, int language);
    // Every stamped backup in the folder, whole or not, newest first.
    QList<Entry> all() const;

    QString folder_;
};

} // namespace zx::platform
