// The list of backups.
#include "app/FrmBackups.h"

#include "app/QtText.h"
#include "editors/Mnemonics.h"
#include "link/ImageSummary.h"
#include "model/Band.h"
#include "platform/CodePage.h"
#include "text/Messages.h"
#include "text/labels/ChannelListLabels.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <optional>

namespace zx::app {

namespace {

namespace labels = text::labels::channel_lists;

enum Column { Time, Kind, Band, Model, Serial, ColumnCount };
constexpr int kImageRole = Qt::UserRole;
constexpr int kDataRole = Qt::UserRole + 1;

std::optional<link::RadioImage> readImage(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(qint64(link::RadioImage::kSize) + 1);
    if (bytes.size() != qsizetype(link::RadioImage::kSize))
        return std::nullopt;
    link::RadioImage image;
    std::copy(bytes.begin(), bytes.end(), image.bytes.begin());
    return image;
}

} // namespace

FrmBackups::FrmBackups(const platform::BackupStore& store, int language, int codePage,
                       std::function<void()> showFolder, QWidget* parent)
    : QDialog(parent), language_(language), showFolder_(std::move(showFolder)) {
    setObjectName(QStringLiteral("FrmBackups"));
    setWindowTitle(qs(labels::kBackupsCaption, language));
    setModal(true);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("ListBackups"));
    // The list is what the window is about: it is named by the window's caption.
    list_->setAccessibleName(qs(labels::kBackupsCaption, language));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setColumnCount(ColumnCount);
    list_->setHeaderLabels({qs(labels::kBackupTime, language), qs(labels::kBackupKind, language),
                            qs(labels::kBackupBand, language), qs(labels::kBackupModel, language),
                            qs(labels::kBackupSerial, language)});

    files_ = new QLabel(this);
    files_->setObjectName(QStringLiteral("LabelFiles"));
    files_->setWordWrap(true);
    files_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    auto* buttons = new QDialogButtonBox(this);
    open_ = buttons->addButton(qs(labels::kBackupOpen, language), QDialogButtonBox::AcceptRole);
    open_->setObjectName(QStringLiteral("CommandOpen"));
    open_->setDefault(true);
    showInFolder_ =
        buttons->addButton(qs(labels::kBackupShowInFolder, language), QDialogButtonBox::ActionRole);
    showInFolder_->setObjectName(QStringLiteral("CommandShowInFolder"));
    close_ = buttons->addButton(qs(text::kButtonClose[language]), QDialogButtonBox::RejectRole);
    close_->setObjectName(QStringLiteral("CommandClose"));

    connect(open_, &QPushButton::clicked, this, [this] {
        chosen_ = currentImage();
        if (!chosen_.isEmpty())
            accept();
    });
    connect(list_, &QTreeWidget::itemActivated, open_, &QPushButton::click);
    connect(showInFolder_, &QPushButton::clicked, this, [this] {
        if (showFolder_)
            showFolder_();
        // The file manager may not point at the file: its names stay here to be copied.
        files_->setFocus(Qt::OtherFocusReason);
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::currentItemChanged, this, &FrmBackups::showChoice);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(files_);
    layout->addWidget(buttons);

    fill(store, codePage);
    const QFontMetrics metrics(list_->font());
    resize(metrics.horizontalAdvance(QLatin1Char('M')) * 64, metrics.lineSpacing() * 22);
    editors::assignMnemonics(this, language);
}

void FrmBackups::fill(const platform::BackupStore& store, int codePage) {
    for (const platform::BackupStore::Entry& entry : store.list()) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(Time, entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        item->setText(Kind,
                      qs(entry.kind == platform::BackupStore::Kind::Read ? labels::kBackupRead
                                                                         : labels::kBackupWrite,
                         language_));
        if (const std::optional<link::RadioImage> image = readImage(entry.imagePath)) {
            const link::ImageSummary summary = link::summarizeImage(*image);
            item->setText(Band,
                          QString::fromStdString(model::bandTextFromIndex(summary.bandIndex)));
            item->setText(Model, QString::fromStdString(summary.modelCode));
            item->setText(Serial, platform::fromCodePage(summary.serialNumber, codePage));
        }
        item->setData(Time, kImageRole, entry.imagePath);
        item->setData(Time, kDataRole, entry.dataPath);
    }
    for (int column = 0; column < ColumnCount; ++column)
        list_->resizeColumnToContents(column);
    const bool any = list_->topLevelItemCount() > 0;
    open_->setEnabled(any);
    showInFolder_->setEnabled(true);
    if (any)
        list_->setCurrentItem(list_->topLevelItem(0));
    else
        files_->setText(
            qs(labels::kNoBackups, language_).arg(QDir::toNativeSeparators(store.folder())));
}

QString FrmBackups::currentImage() const {
    const QTreeWidgetItem* item = list_->currentItem();
    return item ? item->data(Time, kImageRole).toString() : QString();
}

void FrmBackups::showChoice() {
    const QTreeWidgetItem* item = list_->currentItem();
    if (item == nullptr)
        return;
    files_->setText(qs(labels::kBackupFiles, language_)
                        .arg(QDir::toNativeSeparators(item->data(Time, kImageRole).toString()),
                             QDir::toNativeSeparators(item->data(Time, kDataRole).toString())));
}

} // namespace zx::app
