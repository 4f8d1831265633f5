// INI access that keeps the file as it is: the file is read as lines of bytes, names are
// compared case-insensitively, and a write changes or inserts exactly one line.
#include "platform/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>
#include <vector>

namespace zx::platform {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// One line of the file: its bytes and the line end that followed them ("\r\n", "\n" or
// nothing for a last line without one).
struct Line {
    QByteArray text;
    QByteArray end;
};

struct Entry {
    enum Kind { Other, Section, Key } kind = Other;
    QString name;     // section or key name, without blanks
    QByteArray value; // key value, without blanks
};

struct Document {
    std::vector<Line> lines;
    QByteArray lineEnd = "\n"; // for lines the file gets
};

Document load(const QString& path) {
    Document doc;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return doc;
    const QByteArray bytes = file.readAll();
    qsizetype start = 0;
    bool endSeen = false;
    while (start < bytes.size()) {
        qsizetype newline = bytes.indexOf('\n', start);
        Line line;
        if (newline < 0) {
            line.text = bytes.mid(start);
            start = bytes.size();
        } else {
            const bool crlf = newline > start && bytes[newline - 1] == '\r';
            line.text = bytes.mid(start, newline - start - (crlf ? 1 : 0));
            line.end = crlf ? QByteArray("\r\n") : QByteArray("\n");
            if (!endSeen) {
                doc.lineEnd = line.end;
                endSeen = true;
            }
            start = newline + 1;
        }
        doc.lines.push_back(std::move(line));
    }
    return doc;
}

Entry parse(QByteArray text, bool firstLine) {
    if (firstLine && text.startsWith(kUtf8Bom))
        text.remove(0, kUtf8Bom.size());
    const QByteArray trimmed = text.trimmed();
    Entry entry;
    if (trimmed.startsWith('[')) {
        const qsizetype close = trimmed.indexOf(']');
        entry.kind = Entry::Section;
        entry.name = QString::fromUtf8(trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed());
        return entry;
    }
    if (trimmed.isEmpty() || trimmed.startsWith(';') || trimmed.startsWith('#'))
        return entry;
    const qsizetype equals = trimmed.indexOf('=');
    if (equals <= 0)
        return entry;
    entry.kind = Entry::Key;
    entry.name = QString::fromUtf8(trimmed.left(equals).trimmed());
    entry.value = trimmed.mid(equals + 1).trimmed();
    return entry;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a key is, or where it would go.
struct Place {
    std::optional<std::size_t> key;         // the line of the key
    std::optional<std::size_t> sectionEnd;  // after the last key line of the first section
    std::vector<std::size_t> keysOfSection; // every key line of matching sections
};

Place locate(const Document& doc, const QString& section, const QString& key) {
    Place place;
    bool inSection = false;
    bool firstSectionDone = false;
    for (std::size_t i = 0; i < doc.lines.size(); ++i) {
        const Entry entry = parse(doc.lines[i].text, i == 0);
        if (entry.kind == Entry::Section) {
            if (inSection)
                firstSectionDone = true;
            inSection = sameName(entry.name, section);
            if (inSection && !firstSectionDone && !place.sectionEnd)
                place.sectionEnd = i + 1;
            continue;
        }
        if (!inSection || entry.kind != Entry::Key)
            continue;
        place.keysOfSection.push_back(i);
        if (!firstSectionDone)
            place.sectionEnd = i + 1;
        if (!place.key && sameName(entry.name, key))
            place.key = i;
    }
    return place;
}

QByteArray unquoted(const QByteArray& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

bool save(const QString& path, const Document& doc) {
    QByteArray bytes;
    for (const Line& line : doc.lines)
        bytes += line.text + line.end;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    // A settings file may be writable in a folder that is not: then it is rewritten in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// Makes sure the line before an insertion ends, so that the new line starts a line.
void endLineBefore(Document& doc, std::size_t at) {
    if (at > 0 && doc.lines[at - 1].end.isEmpty())
        doc.lines[at - 1].end = doc.lineEnd;
}

} // namespace

ProfileFile::ProfileFile(QString path) : path_(std::move(path)) {}

bool ProfileFile::exists() const {
    return QFileInfo(path_).isFile();
}

bool ProfileFile::contains(const QString& section, const QString& key) const {
    return locate(load(path_), section, key).key.has_value();
}

QString ProfileFile::read(const QString& section, const QString& key,
                          const QString& defaultValue) const {
    const Document doc = load(path_);
    const Place place = locate(doc, section, key);
    if (!place.key)
        return defaultValue;
    return QString::fromUtf8(unquoted(parse(doc.lines[*place.key].text, *place.key == 0).value));
}

bool ProfileFile::write(const QString& section, const QString& key, const QString& value) {
    QString flat = value;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    Document doc = load(path_);
    const Place place = locate(doc, section, key);
    if (place.key) {
        // The key keeps its spelling and its place; only the value changes.
        Line& line = doc.lines[*place.key];
        const qsizetype indent = line.text.indexOf(line.text.trimmed());
        line.text =
            line.text.left(indent) + parse(line.text, false).name.toUtf8() + '=' + flat.toUtf8();
    } else if (place.sectionEnd) {
        const std::size_t at = *place.sectionEnd;
        endLineBefore(doc, at);
        doc.lines.insert(doc.lines.begin() + std::ptrdiff_t(at),
                         Line{key.toUtf8() + '=' + flat.toUtf8(), doc.lineEnd});
    } else {
        endLineBefore(doc, doc.lines.size());
        if (!doc.lines.empty() && !doc.lines.back().text.trimmed().isEmpty())
            doc.lines.push_back(Line{QByteArray(), doc.lineEnd});
        doc.lines.push_back(Line{'[' + section.toUtf8() + ']', doc.lineEnd});
        doc.lines.push_back(Line{key.toUtf8() + '=' + flat.toUtf8(), doc.lineEnd});
    }
    return save(path_, doc);
}

QStringList ProfileFile::keys(const QString& section) const {
    const Document doc = load(path_);
    QStringList names;
    for (std::size_t i : locate(doc, section, QString()).keysOfSection) {
        const QString name = parse(doc.lines[i].text, i == 0).name;
        if (!names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    return names;
}

bool ProfileFile::remove(const QString& section, const QString& key) {
    Document doc = load(path_);
    const Place place = locate(doc, section, key);
    if (!place.key)
        return true;
    doc.lines.erase(doc.lines.begin() + std::ptrdiff_t(*place.key));
    return save(path_, doc);
}

} // namespace zx::platform
