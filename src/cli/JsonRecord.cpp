// Record <-> JSON. The fields come from the record's one walk (model/RecordFields.h): a writer
// turns it into JSON text and a reader checks and reads a parsed document against it, with
// the key names and accepted ranges of the field description, so the two directions and the
// data file cannot drift apart.
#include "cli/JsonRecord.h"

#include "cli/JsonText.h"
#include "model/RecordFields.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSet>
#include <cmath>
#include <limits>
#include <vector>

namespace zx::cli {

namespace {

using namespace zx::model;

// A field is named inside an object and numbered inside an array.
struct Key {
    std::string_view name;
    int index = -1;

    Key() = default;
    Key(FieldRef ref) // NOLINT: every field the walk meets is a key
        : name(ref.index >= 0 ? std::string_view() : ref.field->key), index(ref.index) {}
    bool named() const { return !name.empty(); }
};

QLatin1StringView latin1(std::string_view s) {
    return QLatin1StringView(s.data(), qsizetype(s.size()));
}

// ---- writing ----

QByteArray jsonString(const QString& s) {
    QByteArray out = "\"";
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t u = s.at(i).unicode();
        if (u == '"' || u == '\\') {
            out += '\\';
            out += char(u);
        } else if (u < 0x20 || u == 0x7F) {
            out += QStringLiteral("\\u%1").arg(unsigned(u), 4, 16, QLatin1Char('0')).toLatin1();
        } else if (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
            out += s.mid(i, 2).toUtf8();
            ++i;
        } else {
            out += QString(s.at(i)).toUtf8();
        }
    }
    out += '"';
    return out;
}

// Containers of scalars go on one line ("[1, 1, 1]", one channel slot per line), containers
// of containers one child per line, indented by depth.
class Writer {
public:
    explicit Writer(int language) : language_(language) {}

    template <class T> void number(Key key, const T& value) {
        item(key, QByteArray::number(static_cast<long long>(value)));
    }
    template <std::size_t N> void text(Key key, const FixedText<N>& t) {
        item(key, jsonString(fieldToText(t.view(), language_)));
    }
    template <class F> void object(Key key, F body) { nest(key, '{', '}', body); }
    template <class F> void array(Key key, std::size_t n, F body) {
        nest(key, '[', ']', [&] {
            for (std::size_t i = 0; i < n; ++i)
                body(i);
        });
    }
    template <class F> void root(F body) {
        frames_.push_back({});
        nest({}, '{', '}', body);
    }
    QByteArray take() { return frames_.back().items.front() + '\n'; }

private:
    struct Frame {
        std::vector<QByteArray> items;
        bool hasContainer = false;
    };

    static QByteArray named(Key key, const QByteArray& value) {
        return key.named()
                   ? '"' + QByteArray(key.name.data(), qsizetype(key.name.size())) + "\": " + value
                   : value;
    }
    void item(Key key, const QByteArray& value) {
        frames_.back().items.push_back(named(key, value));
    }
    template <class F> void nest(Key key, char open, char close, F body) {
        frames_.push_back({});
        body();
        const Frame frame = std::move(frames_.back());
        frames_.pop_back();
        QByteArray out(1, open);
        if (!frame.hasContainer) {
            for (std::size_t i = 0; i < frame.items.size(); ++i)
                out += (i ? ", " : "") + frame.items[i];
        } else {
            const QByteArray inner(int(frames_.size()) * 2, ' ');
            for (std::size_t i = 0; i < frame.items.size(); ++i)
                out += (i ? ",\n" : "\n") + inner + frame.items[i];
            out += '\n' + QByteArray(int(frames_.size() - 1) * 2, ' ');
        }
        out += close;
        frames_.back().items.push_back(named(key, out));
        frames_.back().hasContainer = true;
    }

    int language_;
    std::vector<Frame> frames_;
};

// ---- reading ----

struct ReadError {
    QString message;
};

class Reader {
public:
    Reader(const QJsonObject& root, int language) : language_(language) {
        frames_.push_back({QJsonValue(root), {}, {}});
    }

    template <class T> void number(FieldRef ref, T& value) {
        const Key key(ref);
        const ValueRange range = ref.field->range;
        const QJsonValue v = child(key);
        if (!v.isDouble())
            fail(key, QStringLiteral("must be a whole number"));
        const double d = v.toDouble();
        if (d != std::floor(d))
            fail(key, QStringLiteral("must be a whole number"));
        if (d < range.min || d > range.max)
            fail(key, QStringLiteral("value %1 is out of range %2..%3")
                          .arg(v.toVariant().toString())
                          .arg(qint64(range.min))
                          .arg(qint64(range.max)));
        value = static_cast<T>(d);
    }
    template <std::size_t N> void text(Key key, FixedText<N>& t) {
        const QJsonValue v = child(key);
        if (!v.isString())
            fail(key, QStringLiteral("must be a string"));
        QString problem;
        const std::optional<std::string> bytes = textToField(v.toString(), language_, N, problem);
        if (!bytes)
            fail(key, problem);
        t.assign(*bytes);
    }
    template <class F> void object(Key key, F body) {
        const QJsonValue v = child(key);
        if (!v.isObject())
            fail(key, QStringLiteral("must be an object"));
        enter(key, v);
        body();
        const Frame& f = frames_.back();
        for (const QString& name : f.value.toObject().keys())
            if (!f.seen.contains(name))
                throw ReadError{QStringLiteral("unknown key '%1'").arg(path(name))};
        frames_.pop_back();
    }
    template <class F> void array(Key key, std::size_t n, F body) {
        const QJsonValue v = child(key);
        if (!v.isArray())
            fail(key, QStringLiteral("must be an array"));
        if (std::size_t(v.toArray().size()) != n)
            fail(key, QStringLiteral("must have %1 elements").arg(n));
        enter(key, v);
        for (std::size_t i = 0; i < n; ++i)
            body(i);
        frames_.pop_back();
    }
    template <class F> void root(F body) {
        body();
        const Frame& f = frames_.back();
        for (const QString& name : f.value.toObject().keys())
            if (!f.seen.contains(name))
                throw ReadError{QStringLiteral("unknown key '%1'").arg(name)};
    }

private:
    struct Frame {
        QJsonValue value;
        QString path;
        QSet<QString> seen;
    };

    QString path(Key key) const {
        const QString& base = frames_.back().path;
        if (key.named())
            return base.isEmpty() ? QString(latin1(key.name)) : base + '.' + latin1(key.name);
        return base + QStringLiteral("[%1]").arg(key.index);
    }
    QString path(const QString& name) const {
        const QString& base = frames_.back().path;
        return base.isEmpty() ? name : base + '.' + name;
    }
    [[noreturn]] void fail(Key key, const QString& problem) const {
        throw ReadError{QStringLiteral("key '%1': %2").arg(path(key), problem)};
    }
    QJsonValue child(Key key) {
        Frame& f = frames_.back();
        if (key.named()) {
            const QString name(latin1(key.name));
            f.seen.insert(name);
            const QJsonObject o = f.value.toObject();
            if (!o.contains(name))
                throw ReadError{QStringLiteral("missing key '%1'").arg(path(key))};
            return o.value(name);
        }
        return f.value.toArray().at(key.index);
    }
    void enter(Key key, const QJsonValue& v) { frames_.push_back({v, path(key), {}}); }

    int language_;
    std::vector<Frame> frames_;
};

} // namespace

QByteArray recordToJson(const ConfigRecord& record, int systemLanguage) {
    Writer w(systemLanguage);
    w.root([&] { visitRecord(w, record); });
    return w.take();
}

bool recordFromJson(const QByteArray& json, int systemLanguage, ConfigRecord& out, QString& error) {
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error = QStringLiteral("not valid JSON: %1 at offset %2")
                    .arg(parseError.errorString())
                    .arg(parseError.offset);
        return false;
    }
    if (!doc.isObject()) {
        error = QStringLiteral("not a JSON object");
        return false;
    }
    try {
        Reader r(doc.object(), systemLanguage);
        r.root([&] { visitRecord(r, out); });
    } catch (const ReadError& e) {
        error = e.message;
        return false;
    }
    return true;
}

} // namespace zx::cli
