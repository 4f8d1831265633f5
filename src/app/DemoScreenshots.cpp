// Pictures of the main window for the documentation (--screenshot).
#include "app/DemoScreenshots.h"

#include "app/FrmProgress.h"
#include "app/MainMenus.h"
#include "app/RadioController.h"
#include "app/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

namespace zx::app {

namespace {
constexpr int kTitleBarHeight = 26;
constexpr int kSettleMs = 150; // lets layouts and paints finish before a grab

// A picture's size in the units it is drawn in (pixels over the scale factor).
QSize units(const QPixmap& picture) {
    return picture.deviceIndependentSize().toSize();
}
} // namespace

DemoScreenshots::DemoScreenshots(frmMain& window, QString folder, bool withRadio,
                                 std::function<void(int)> done)
    : QObject(&window), window_(window), folder_(std::move(folder)), withRadio_(withRadio),
      done_(std::move(done)) {
    prefix_ = window_.workspace().state.language == text::Chinese ? QStringLiteral("zh")
                                                                  : QStringLiteral("en");
}

QPixmap DemoScreenshots::framed(QWidget* window) {
    const QPixmap content = window->grab();
    // At a scale factor the grab has more pixels than the window has units: the frame is
    // drawn in units on a picture of as many pixels.
    const qreal ratio = content.devicePixelRatio();
    const QSize size = content.deviceIndependentSize().toSize();
    QPixmap picture(QSize(size.width() + 2, size.height() + kTitleBarHeight + 1) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(QColor(0x50, 0x60, 0x78));
    QPainter painter(&picture);
    painter.drawPixmap(1, kTitleBarHeight, content);
    painter.setPen(Qt::white);
    QFont font = window->font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(8, 0, units(picture).width() - 16, kTitleBarHeight),
                     Qt::AlignVCenter | Qt::AlignLeft, window->windowTitle());
    return picture;
}

bool DemoScreenshots::save(const QPixmap& picture, const QString& name) {
    const QString path = QDir(folder_).filePath(prefix_ + QLatin1Char('-') + name + ".png");
    if (!picture.save(path)) {
        failed_ = true;
        return false;
    }
    written_ << path;
    return true;
}

void DemoScreenshots::start() {
    QDir().mkpath(folder_);
    // A conversation that goes wrong must not leave the program running for ever.
    QTimer::singleShot(120000, this, [this] {
        failed_ = true;
        finish();
    });
    window_.resize(1180, 780);
    window_.showNormal();
    QTimer::singleShot(kSettleMs, this, &DemoScreenshots::editors);
}

void DemoScreenshots::editors() {
    const std::pair<ChildWindow, const char*> pictures[] = {
        {ChildWindow::ChannelInfo, "channels"},
        {ChildWindow::OptFeatures, "options"},
        {ChildWindow::EmbMsg, "message"},
    };
    for (const auto& [which, name] : pictures) {
        window_.closeAllChildWindows();
        window_.openChildWindow(which);
        QCoreApplication::processEvents();
        // Deferred deletions and the cascade's layout need a moment of their own.
        QTimer settle;
        settle.setSingleShot(true);
        QEventLoop loop;
        connect(&settle, &QTimer::timeout, &loop, &QEventLoop::quit);
        settle.start(kSettleMs);
        loop.exec();
        save(framed(&window_), QLatin1String(name));
    }
    window_.closeAllChildWindows();
    window_.openChildWindow(ChildWindow::ChannelInfo);
    QTimer::singleShot(kSettleMs, this, &DemoScreenshots::portSetup);
}

QPixmap DemoScreenshots::withDialog(QWidget* dialog) {
    QPixmap picture = framed(&window_);
    QPainter painter(&picture);
    const QPixmap drawn = framed(dialog);
    painter.drawPixmap((units(picture).width() - units(drawn).width()) / 2,
                       qMax(0, (units(picture).height() - units(drawn).height()) / 2), drawn);
    painter.end();
    return picture;
}

void DemoScreenshots::modalPicture(const QString& objectName, const QString& picture,
                                   std::function<void()> open, std::function<void()> next) {
    auto* watch = new QTimer(this);
    watch->setInterval(50);
    connect(watch, &QTimer::timeout, this, [this, watch, objectName, picture, next] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != objectName)
            return;
        watch->stop();
        watch->deleteLater();
        QTimer::singleShot(kSettleMs, this, [this, modal, picture, next] {
            save(withDialog(modal), picture);
            modal->close();
            QTimer::singleShot(0, this, next);
        });
    });
    watch->start();
    QTimer::singleShot(0, this, std::move(open));
}

void DemoScreenshots::portSetup() {
    modalPicture(
        QStringLiteral("FrmComSet"), QStringLiteral("comset"),
        [this] { window_.menus().mnuComm->trigger(); }, [this] { printList(); });
}

void DemoScreenshots::printList() {
    modalPicture(
        QStringLiteral("FrmPrintList"), QStringLiteral("print"),
        [this] { window_.showPrintList(); },
        [this] {
            if (withRadio_)
                QTimer::singleShot(kSettleMs, this, &DemoScreenshots::readRadio);
            else
                finish();
        });
}

void DemoScreenshots::answerMessageBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box)
        return;
    if (QAbstractButton* button =
            box->defaultButton() ? box->defaultButton() : box->buttons().value(0))
        button->click();
}

void DemoScreenshots::readRadio() {
    RadioController& radio = window_.radio();
    // The read asks first and reports at the end; both boxes get their default answer.
    auto* answerer = new QTimer(this);
    answerer->setInterval(50);
    connect(answerer, &QTimer::timeout, this, &DemoScreenshots::answerMessageBox);
    answerer->start();

    auto* watch = new QTimer(this);
    watch->setInterval(50);
    connect(watch, &QTimer::timeout, this, [this, watch] {
        FrmProgress* progress = window_.radio().progressWindow();
        if (!progress || progress->progressValue() < 40)
            return;
        watch->stop();
        QPixmap picture = framed(&window_);
        QPainter painter(&picture);
        const QPixmap dialog = framed(progress);
        painter.drawPixmap((units(picture).width() - units(dialog).width()) / 2,
                           (units(picture).height() - units(dialog).height()) / 2, dialog);
        painter.end();
        save(picture, QStringLiteral("progress"));
    });
    watch->start();

    connect(
        &radio, &RadioController::conversationFinished, this,
        [this, answerer, watch](int, bool) {
            watch->stop();
            // "Read Data Completed." is answered by the timer; then the identity.
            QTimer::singleShot(500, this, [this, answerer] {
                answerer->stop();
                readIdentity();
            });
        },
        Qt::SingleShotConnection);
    radio.readFromRadio();
}

void DemoScreenshots::readIdentity() {
    auto* watch = new QTimer(this);
    watch->setInterval(50);
    connect(watch, &QTimer::timeout, this, [this, watch] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != QLatin1String("FrmEMG"))
            return;
        watch->stop();
        QTimer::singleShot(kSettleMs, this, [this, modal] {
            save(withDialog(modal), QStringLiteral("identity"));
            modal->close();
            QTimer::singleShot(0, this, &DemoScreenshots::finish);
        });
    });
    watch->start();
    window_.radio().readIdentity();
}

void DemoScreenshots::finish() {
    if (finished_)
        return;
    finished_ = true;
    if (done_)
        done_(failed_ ? 1 : 0);
}

} // namespace zx::app
