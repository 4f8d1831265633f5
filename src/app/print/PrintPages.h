// The printed programming information of a document: the channel groups with their emergency
// channels, the optional features, the local information (the embedded message lines) and the
// radio's identity record, under a header with model, band, file name and date on every page.
// One renderer for every paged device: a printer, its preview, a PDF.
#pragma once

#include "model/ConfigRecord.h"

#include <QDate>
#include <QList>
#include <QLocale>
#include <QPageSize>
#include <QPair>
#include <QString>

class QPagedPaintDevice;

namespace zx::app {

// What to print.
struct PrintSelection {
    bool channels = true;
    int firstGroup = 0; // 0..5, "A".."F"
    int lastGroup = 5;
    bool options = true;
    bool localInformation = true;
    bool embeddedMessage = false;
};

// The document and how it is called.
struct PrintSource {
    const model::ConfigRecord* record = nullptr;
    QString modelName;
    QString bandText;
    QString fileName; // the file-name part of the document's path
    QDate date;
    int language = 1;       // of the labels
    int systemLanguage = 1; // code page of the record's texts
    // The radio identity rows ("Embedded Message"), label and shown value; empty when no
    // identity was read.
    QList<QPair<QString, QString>> identity;
    // Under the identity's heading: when and from which radio it was read.
    QString identityNote;
};

// The pages' body as rich text (the tables without the page header).
QString printBody(const PrintSource& source, const PrintSelection& selection);

// Lays the body out on the device's pages, paints every page with its header and returns the
// number of pages (0 when the device could not be painted on).
int printPages(QPagedPaintDevice& device, const PrintSource& source,
               const PrintSelection& selection);

// A4, or Letter in the territories that use it.
QPageSize::PageSizeId paperFor(const QLocale& locale);

} // namespace zx::app
