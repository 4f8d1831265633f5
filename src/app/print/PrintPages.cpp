// Rendering the programming information: the body is rich text laid out by QTextDocument
// (tables keep their header row on every page they run onto); each page is painted with its
// own header above its slice of the body.
#include "app/print/PrintPages.h"

#include "model/OptionFields.h"
#include "model/RecordFields.h"
#include "platform/CodePage.h"
#include "text/labels/ChannelInfoLabels.h"
#include "text/labels/MainLabels.h"
#include "text/labels/PrintListLabels.h"
#include "text/labels/PrintPageLabels.h"
#include "text/labels/RecordFieldLabels.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <algorithm>
#include <map>

namespace zx::app {

namespace {

using model::FieldRef;
namespace fields = model::fields;

QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

QString qs(const text::TextTable& table, int language) {
    return qs(table[language]);
}

QString cell(const QString& text, const char* tag = "td") {
    return QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), text.toHtmlEscaped());
}

// The shown columns of a channel, in record order: every field but the entry's bookkeeping
// (in use) and the fine offsets that no window shows.
class ChannelCells {
public:
    ChannelCells(int language, bool titles) : language_(language), titles_(titles) {}

    void number(FieldRef ref, const model::Integer& value) {
        if (shown(ref))
            add(ref, qs(model::shownNumber(ref, value, language_)));
    }
    template <std::size_t N> void text(FieldRef ref, const model::FixedText<N>& value) {
        if (shown(ref))
            add(ref, qs(model::shownText(*ref.field, value.view())));
    }
    QString row() const { return "<tr>" + cells_ + "</tr>"; }

private:
    static bool shown(FieldRef ref) {
        return ref.field != &fields::inUse && ref.field != &fields::rxFineOffset &&
               ref.field != &fields::txFineOffset;
    }
    void add(FieldRef ref, const QString& value) {
        cells_ += titles_ ? cell(qs(ref.field->label, language_), "th") : cell(value);
    }

    int language_;
    bool titles_;
    QString cells_;
};

// The positions of a group's channels by number (the first entry of a number counts).
std::map<int, int> channelsByNumber(const model::ConfigRecord& r, int group) {
    std::map<int, int> byNumber;
    const int count = r.usedChannels(group);
    for (int position = 1; position <= count; ++position) {
        const int number = r.channel(group, position).number;
        if (number >= 1 && number <= model::kChannelsPerGroup)
            byNumber.emplace(number, position);
    }
    return byNumber;
}

constexpr const char* kTable =
    "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">";

QString heading(const QString& text) {
    return "<h3>" + text.toHtmlEscaped() + "</h3>";
}

QString channelSection(const PrintSource& s, int group) {
    const int language = s.language;
    const model::ConfigRecord& r = *s.record;
    const QString letter = qs(text::labels::channel_info::kGroupLetters[std::size_t(group)]);
    QString html = heading(qs(text::labels::print_list::channelGroup, language) + ' ' + letter);
    const int emergency = model::kEmergencyChannelPosition + group;
    html += "<p>" +
            (qs(model::options::optionName(emergency, language)) + ": " +
             qs(model::options::optionValue(emergency, model::options::storedOption(r, emergency),
                                            language)))
                .toHtmlEscaped() +
            "</p>";

    const std::map<int, int> channels = channelsByNumber(r, group);
    if (channels.empty())
        return html + "<p>" + qs(text::labels::print_pages::kNoChannels, language) + "</p>";
    ChannelCells titles(language, true);
    const model::ChannelEntry titleRow;
    model::visitChannel(titles, titleRow);
    html += kTable + QStringLiteral("<thead>") + titles.row() + "</thead>";
    for (const auto& [number, position] : channels) {
        ChannelCells cells(language, false);
        model::visitChannel(cells, r.channel(group, position));
        html += cells.row();
    }
    return html + "</table>";
}

// Two features to a row: name, value, name, value.
QString optionSection(const PrintSource& s) {
    const int language = s.language;
    std::vector<int> positions;
    for (const model::options::OptionList& list : model::options::optionLists())
        positions.push_back(list.position);
    for (std::size_t k = 0; k < model::options::kCheckPositions.size(); ++k) {
        const int position = model::options::kCheckPositions[k];
        // "VOIC" has no field, "Common Option" is not the user's to set.
        if (position != model::options::kNoField && int(k) != model::options::kCommonOptionCheck)
            positions.push_back(position);
    }
    QString html = heading(qs(text::labels::print_list::optionFeatures, language));
    const QString item = cell(qs(text::labels::print_pages::kItem, language), "th");
    const QString value = cell(qs(text::labels::print_pages::kValue, language), "th");
    html += kTable + QStringLiteral("<thead><tr>") + item + value + item + value + "</tr></thead>";
    for (std::size_t i = 0; i < positions.size(); i += 2) {
        html += "<tr>";
        for (std::size_t j = i; j < i + 2; ++j) {
            if (j >= positions.size()) {
                html += "<td></td><td></td>";
                continue;
            }
            const int p = positions[j];
            html += cell(qs(model::options::optionName(p, language)));
            html += cell(qs(model::options::optionValue(
                p, model::options::storedOption(*s.record, p), language)));
        }
        html += "</tr>";
    }
    return html + "</table>";
}

QString messageSection(const PrintSource& s) {
    const int language = s.language;
    QString html = heading(qs(text::labels::print_list::localInformation, language));
    html += kTable;
    for (std::size_t line = 0; line < s.record->embeddedMessage.size(); ++line) {
        const QString name = qs(model::fillIn(text::labels::record_fields::kLineOf[language],
                                              {std::string(), std::to_string(line + 1)}))
                                 .trimmed();
        const std::string shown =
            model::shownText(fields::messageLine, s.record->embeddedMessage[line].view());
        html += "<tr>" + cell(name) + "<td style=\"white-space: pre\">" +
                platform::fromCodePage(shown, s.systemLanguage).toHtmlEscaped() + "</td></tr>";
    }
    return html + "</table>";
}

QString identitySection(const PrintSource& s) {
    QString html = heading(qs(text::labels::print_list::embeddedMessage, s.language));
    if (!s.identityNote.isEmpty())
        html += "<p>" + s.identityNote.toHtmlEscaped() + "</p>";
    html += kTable;
    for (const auto& [label, value] : s.identity)
        html += "<tr>" + cell(label) + "<td style=\"white-space: pre-wrap\">" +
                value.toHtmlEscaped() + "</td></tr>";
    return html + "</table>";
}

// The lines above every page: title and page number; model, band, file name and date.
struct PageHeader {
    QString title;
    QString details;
    QString pageOf;
};

PageHeader header(const PrintSource& s) {
    namespace rf = text::labels::record_fields;
    const int language = s.language;
    const QString separator = QStringLiteral("    ");
    return {qs(text::labels::print_list::caption, language),
            s.modelName + separator + qs(rf::kBand, language) + ": " + s.bandText + separator +
                qs(text::labels::main::fileName, language) + ": " + s.fileName + separator +
                qs(text::labels::print_pages::kDate, language) + ": " +
                s.date.toString(Qt::ISODate),
            qs(text::labels::print_pages::kPage, language)};
}

} // namespace

QString printBody(const PrintSource& source, const PrintSelection& selection) {
    QString html = QStringLiteral("<html><body>");
    if (selection.channels) {
        const int first = std::clamp(selection.firstGroup, 0, model::kGroupCount - 1);
        const int last = std::clamp(selection.lastGroup, first, model::kGroupCount - 1);
        for (int group = first; group <= last; ++group)
            html += channelSection(source, group);
    }
    if (selection.options)
        html += optionSection(source);
    if (selection.localInformation)
        html += messageSection(source);
    if (selection.embeddedMessage && !source.identity.isEmpty())
        html += identitySection(source);
    return html + "</body></html>";
}

int printPages(QPagedPaintDevice& device, const PrintSource& source,
               const PrintSelection& selection) {
    QPainter painter;
    if (!painter.begin(&device))
        return 0;

    QFont bodyFont(QStringLiteral("DejaVu Sans"), 9);
    bodyFont.setStyleHint(QFont::SansSerif);
    QFont titleFont = bodyFont;
    titleFont.setPointSize(11);
    titleFont.setBold(true);
    const QFontMetricsF titleMetrics(titleFont, &device);
    const QFontMetricsF bodyMetrics(bodyFont, &device);

    const QRectF page(QPointF(0, 0),
                      QSizeF(device.pageLayout().paintRectPixels(device.logicalDpiX()).size()));
    const double headerHeight = titleMetrics.lineSpacing() + bodyMetrics.lineSpacing() * 2;

    QTextDocument body;
    body.documentLayout()->setPaintDevice(&device);
    body.setDefaultFont(bodyFont);
    body.setDocumentMargin(0);
    body.setHtml(printBody(source, selection));
    const QSizeF bodySize(page.width(), page.height() - headerHeight);
    body.setPageSize(bodySize);
    const int pages = std::max(1, body.pageCount());

    const PageHeader head = header(source);
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            device.newPage();
        painter.setFont(titleFont);
        painter.drawText(QRectF(0, 0, page.width(), titleMetrics.lineSpacing()),
                         Qt::AlignLeft | Qt::AlignVCenter, head.title);
        painter.setFont(bodyFont);
        painter.drawText(QRectF(0, 0, page.width(), titleMetrics.lineSpacing()),
                         Qt::AlignRight | Qt::AlignVCenter, head.pageOf.arg(p + 1).arg(pages));
        const double detailsTop = titleMetrics.lineSpacing();
        painter.drawText(QRectF(0, detailsTop, page.width(), bodyMetrics.lineSpacing()),
                         Qt::AlignLeft | Qt::AlignVCenter, head.details);
        const double rule = detailsTop + bodyMetrics.lineSpacing() * 1.4;
        painter.drawLine(QPointF(0, rule), QPointF(page.width(), rule));

        painter.save();
        painter.translate(0, headerHeight - p * bodySize.height());
        body.drawContents(&painter,
                          QRectF(0, p * bodySize.height(), bodySize.width(), bodySize.height()));
        painter.restore();
    }
    painter.end();
    return pages;
}

QPageSize::PageSizeId paperFor(const QLocale& locale) {
    switch (locale.territory()) {
    case QLocale::UnitedStates:
    case QLocale::Canada:
    case QLocale::Mexico:
    case QLocale::Philippines:
    case QLocale::Chile:
    case QLocale::Colombia:
    case QLocale::Venezuela:
    case QLocale::PuertoRico:
    case QLocale::Guatemala:
    case QLocale::CostaRica:
    case QLocale::Panama:
    case QLocale::DominicanRepublic:
    case QLocale::ElSalvador:
        return QPageSize::Letter;
    default:
        return QPageSize::A4;
    }
}

} // namespace zx::app
