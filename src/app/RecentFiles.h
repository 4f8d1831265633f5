// The last data files opened or saved, newest first, and the folder the file dialogs used
// last, kept in the per-user store (section "RecentFiles" of its INI file) so that they
// outlive the program. Without a store path they live for the run only.
#pragma once

#include <QString>
#include <QStringList>

namespace zx::app {

class RecentFiles {
public:
    static constexpr int kMaximum = 8;

    explicit RecentFiles(QString storePath);

    QStringList files() const { return files_; }
    // Puts `path` at the top (once), dropping the oldest beyond eight.
    void add(const QString& path);
    void remove(const QString& path);

    QString lastFolder() const { return lastFolder_; }
    void setLastFolder(const QString& folder);

private:
    void load();
    void store() const;

    QString storePath_;
    QStringList files_;
    QString lastFolder_;
};

} // namespace zx::app
