// Reading and writing keys of an INI file, in the manner of the classic private
// profile-string calls: every value is text, a missing key gives the default, a write
// creates the file, section and key as needed and goes to disk at once.
#pragma once

#include <QString>

namespace zx::platform {

class ProfileFile {
public:
    explicit ProfileFile(QString path);

    const QString& path() const { return path_; }
    bool exists() const;
    bool contains(const QString& section, const QString& key) const;
    QString read(const QString& section, const QString& key,
                 const QString& defaultValue = QString()) const;
    // Returns false when the file could not be written.
    bool write(const QString& section, const QString& key, const QString& value);
    // All keys of a section, in file order.
    QStringList keys(const QString& section) const;
    bool remove(const QString& section, const QString& key);

private:
    QString path_;
};

} // namespace zx::platform
