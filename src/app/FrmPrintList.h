// The print-items window: choose what the printed programming information holds (the channel
// groups from Start to End, the optional features, the local information, and the radio's
// identity record when one was read: off unless chosen, since it describes a radio rather
// than the file), then "&Set" opens a print preview from which the user prints or saves a
// PDF.
#pragma once

#include "app/print/PrintPages.h"
#include "model/Workspace.h"

#include <QDateTime>
#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace zx::app {

class FrmPrintList : public QDialog {
    Q_OBJECT
public:
    explicit FrmPrintList(const model::Workspace& ws, QWidget* parent = nullptr);

    // What the items choose, and the document they are printed from.
    PrintSelection selection() const;
    PrintSource source() const;

    // "Select &All" and "&Clear All".
    void selectAll();
    void clearAll();
    // "&Set": the print preview of the chosen items.
    void showPreview();

    // When the identity record was read from the radio; the printed section says so.
    void setIdentityReadAt(const QDateTime& when) { identityReadAt_ = when; }

signals:
    // The preview printed `pages` pages, into `pdf` when it saved a PDF (empty otherwise).
    void printed(int pages, const QString& pdf);

private:
    void itemsChanged();
    // Every item that describes the document: all but the radio's identity.
    void chooseDocumentItems();

    const model::Workspace& ws_;
    QCheckBox* channels_ = nullptr;
    QCheckBox* options_ = nullptr;
    QCheckBox* localInformation_ = nullptr;
    QCheckBox* embeddedMessage_ = nullptr;
    QComboBox* start_ = nullptr;
    QComboBox* end_ = nullptr;
    QPushButton* set_ = nullptr;
    QDateTime identityReadAt_;
};

} // namespace zx::app
