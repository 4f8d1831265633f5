// Reading and writing keys of an INI file, in the manner of the classic private
// profile-string calls: every value is text, a missing key gives the default, section and key
// names are matched without regard to case, a write creates the file, section and key as
// needed and goes to disk at once. A write changes only the line of its key (or adds one):
// the order of the other keys, comments, blank lines and line ends stay as they were, so a
// file edited by hand or by another program keeps its look.
#pragma once

#include <QString>
#include <QStringList>

namespace zx::platform {

class ProfileFile {
public:
    explicit ProfileFile(QString path);

    const QString& path() const { return path_; }
    bool exists() const;
    bool contains(const QString& section, const QString& key) const;
    // The value of the first matching key, without the blanks around it and without one
    // pair of enclosing quotes.
    QString read(const QString& section, const QString& key,
                 const QString& defaultValue = QString()) const;
    // Replaces the value of an existing key, or adds the key at the end of its section (the
    // section at the end of the file). Line breaks in `value` become blanks. The file is
    // replaced in one step, so a failed write leaves it as it was. Returns false when the
    // file could not be written.
    bool write(const QString& section, const QString& key, const QString& value);
    // All keys of a section, in file order, each once (as first spelled).
    QStringList keys(const QString& section) const;
    // Removes the key's line; true when the key is gone afterwards.
    bool remove(const QString& section, const QString& key);

private:
    QString path_;
};

} // namespace zx::platform
