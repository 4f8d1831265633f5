// The radio commands of the main window and what their conversations show.
#include "app/RadioController.h"

#include "app/FrmComSet.h"
#include "app/FrmCompare.h"
#include "app/FrmFolderPath.h"
#include "app/FrmProgress.h"
#include "app/QtText.h"
#include "app/SetupFile.h"
#include "app/WriteSafetySettings.h"
#include "app/frmMain.h"
#include "exchange/RadioComparison.h"
#include "link/WritePrecision.h"
#include "platform/CodePage.h"
#include "platform/PortCatalog.h"
#include "platform/QtSerialLink.h"
#include "text/Fill.h"
#include "text/labels/FeedbackLabels.h"
#include "text/labels/PrecisionLabels.h"
#include "text/labels/RadioSafetyLabels.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QUrl>
#include <optional>
#include <utility>

namespace zx::app {

RadioController::RadioController(frmMain& window, model::Workspace& ws, text::Prompter& prompter)
    : window_(window), ws_(ws), prompter_(prompter) {
    timerWrite_ = new QTimer(this);
    timerWrite_->setObjectName(QStringLiteral("TimerWrite"));
    timerWrite_->setSingleShot(true);
    timerWrite_->setInterval(kWriteDelayMs);
    connect(timerWrite_, &QTimer::timeout, this, &RadioController::TimerWrite_Timer);

    catalog_ = std::make_unique<platform::PortCatalog>(window_.services().settingsPath);
    openFolder_ = [](const QString& folder) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
    };
    buildLink();
}

RadioController::~RadioController() {
    // The engine refers to the adapter and the adapter to the catalog: tear down in order.
    link_.reset();
    serial_.reset();
}

void RadioController::buildLink() {
    link_.reset();
    serial_ = std::make_unique<platform::QtSerialLink>(*catalog_);
    link_ = std::make_unique<link::Link>(ws_, *serial_, *this, prompter_);
    link::Link* engine = link_.get();
    serial_->setReceiver(
        [engine](std::span<const std::uint8_t> answer) { engine->onAnswer(answer); },
        [engine] { engine->onTimeout(); });
}

bool RadioController::setPortCatalog(std::unique_ptr<platform::PortCatalog> catalog, bool persist) {
    if (busy() || !catalog)
        return false;
    link_.reset();
    serial_.reset();
    catalog_ = std::move(catalog);
    persistPorts_ = persist;
    buildLink();
    return true;
}

bool RadioController::busy() const {
    return link_->busy() || timerWrite_->isActive();
}

void RadioController::beginTrace(const char* what) {
    serial_->setTrace(traces_.begin(QLatin1String(what), QDateTime::currentDateTime()));
}

void RadioController::endTrace() {
    serial_->setTrace(nullptr);
    traces_.finish();
}

bool RadioController::startTraced(const char* what, bool (link::Link::*command)()) {
    beginTrace(what);
    const bool started = ((*link_).*command)();
    if (!started)
        endTrace();
    return started;
}

void RadioController::readFromRadio() {
    if (busy())
        return;
    startTraced("read", &link::Link::readFromRadio);
}

void RadioController::writeToRadio() {
    if (busy())
        return;
    // The editors' commits run first; the conversation follows from the timer event, so
    // everything they queued on the way is through before the record is encoded.
    timerWrite_->start();
}

void RadioController::TimerWrite_Timer() {
    timerWrite_->stop();
    if (link_->busy())
        return;
    if (!acceptShortenedFrequencies())
        return;
    link_->setWriteOptions(WriteSafetySettings(window_.services().settingsPath).read());
    startTraced("write", &link::Link::writeToRadio);
}

bool RadioController::acceptShortenedFrequencies() {
    const std::vector<link::ShortenedFrequency> shortened = link::shortenedFrequencies(ws_);
    if (shortened.empty())
        return true;
    return prompter_.ask(link::shortenedQuestion(shortened, ws_.state.language),
                         text::Buttons::OkCancel, text::Icon::Warning) == text::Answer::Ok;
}

void RadioController::compareWithRadio() {
    if (busy())
        return;
    comparing_ = startTraced("compare", &link::Link::compareWithRadio);
}

void RadioController::showComparison() {
    const std::optional<model::ConfigRecord>& radio = link_->radioDocument();
    if (!radio)
        return;
    const int language = ws_.state.language;
    const int codePage = ws_.state.systemLanguage;
    const exchange::TextDecoder decode = [codePage](std::string_view bytes) {
        return platform::fromCodePage(bytes, codePage).toStdString();
    };
    const exchange::RadioComparison compared =
        exchange::compareWithRadio(*radio, ws_.record, link::asWritten(ws_));
    const std::string verdict = exchange::radioComparisonVerdict(
        compared.differences.size(), window_.documentName().toStdString(), language);
    if (compared.differences.empty() && compared.storedTo100Hz.empty()) {
        prompter_.inform(verdict, text::Icon::Information);
        return;
    }
    QStringList lines;
    for (const exchange::Difference& d : compared.differences)
        lines << QString::fromStdString(exchange::describeAgainstRadio(d, language, decode));
    // Frequencies the radio keeps to 100 Hz, as every write leaves them: said once, apart.
    if (!compared.storedTo100Hz.empty()) {
        if (!lines.isEmpty())
            lines << QString();
        lines << qs(text::fill(text::labels::precision::kStoredTo100Hz[language],
                               {std::to_string(compared.storedTo100Hz.size())}));
        for (const exchange::Difference& d : compared.storedTo100Hz)
            lines << QString::fromStdString(exchange::describeAgainstRadio(d, language, decode));
    }
    FrmCompare window(QString::fromStdString(verdict), lines, language, &window_);
    window.exec();
}

void RadioController::checkRadioBand() {
    if (busy())
        return;
    startTraced("band", &link::Link::checkRadioBand);
}

void RadioController::readIdentity() {
    if (busy())
        return;
    startTraced("identity", &link::Link::readIdentity);
}

void RadioController::endConversation() {
    timerWrite_->stop();
    if (!link_->busy())
        return;
    QEventLoop loop;
    connect(this, &RadioController::conversationFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(3000, &loop, &QEventLoop::quit);
    if (link_->abort() && link_->busy())
        loop.exec();
}

void RadioController::setDataFolders(const QString& backups, const QString& traces) {
    backups_ = platform::BackupStore(backups);
    traces_ = platform::TraceStore(traces);
}

void RadioController::showFolder(const QString& folder) {
    QDir().mkpath(folder);
    if (openFolder_ && openFolder_(folder))
        return;
    // No file manager: the path, to be copied into one's own.
    FrmFolderPath message(folder, ws_.state.language, &window_);
    message.exec();
}

void RadioController::openBackupFolder() {
    showFolder(backups_.folder());
}

void RadioController::openTraceFolder() {
    showFolder(traces_.folder());
}

void RadioController::communicationPortSetup() {
    platform::PortCatalog& catalog = *catalog_;
    FrmComSet window(
        ws_,
        [&catalog] {
            QList<ListedPort> ports;
            for (const platform::PortCatalog::Entry& e : catalog.entries())
                ports.push_back({e.number, e.device, e.details()});
            return ports;
        },
        [this](int port) {
            if (persistPorts_)
                SetupFile(window_.services().settingsPath).writeComPort(port);
        },
        &window_);
    window.exec();
}

void RadioController::closePort() {
    if (serial_->isPortOpen())
        serial_->closePort();
}

void RadioController::storePortSettings(const link::PortSettings& settings) {
    if (persistPorts_) {
        SetupFile file(window_.services().settingsPath);
        file.writeComPort(settings.port);
        file.writeHandshaking(settings.handshaking);
        file.writeStopBits(settings.stopBits);
    }
    window_.setPortPanel();
}

// ---- the engine's events -----------------------------------------------------------------

void RadioController::cancelConversation() {
    if (!link_->busy())
        return;
    cancelled_ = true;
    if (!link_->abort())
        cancelled_ = false; // a question is on screen: the conversation goes on
}

void RadioController::reportCancelled(link::OperationKind kind) {
    // A stopped write has said what the radio holds; a stopped read says so here.
    if (kind == link::OperationKind::Read)
        prompter_.inform(text::labels::feedback::kReadCancelled[ws_.state.language],
                         text::Icon::Information);
}

void RadioController::progressShown(link::OperationKind kind) {
    if (progress_)
        progress_->unload();
    cancelled_ = false;
    progress_ = new FrmProgress(kind, ws_.state.language, prompter_, &window_);
    progress_->setAttribute(Qt::WA_DeleteOnClose);
    connect(progress_, &FrmProgress::cancelClicked, this, &RadioController::cancelConversation);
    // Modal for the user, but shown without a loop of its own: the conversation goes on
    // from the port's and the answer timer's events while it is on screen.
    progress_->show();
}

void RadioController::progressChanged(int percent) {
    if (progress_)
        progress_->SetProgressValue(percent);
}

void RadioController::progressHidden() {
    if (progress_)
        progress_->unload();
    progress_ = nullptr;
}

void RadioController::searchStarted() {
    if (progress_)
        progress_->beginSearch();
}

void RadioController::searchEnded() {
    if (progress_)
        progress_->endSearch();
}

void RadioController::settingsFound(const link::PortSettings& settings) {
    storePortSettings(settings);
}

void RadioController::startOtherVersion(const std::string& dataVersion) {
    window_.handOver(dataVersion, QString());
}

void RadioController::readDecoding() {
    window_.closeAllChildWindows();
}

void RadioController::readDecoded() {
    // The data came from the radio, not from a file: a later Save asks for a name.
    ws_.state.currentFileName = model::kUntitledFileName;
    ws_.state.untitled = true;
    window_.setOpenedBackup(QString());
    window_.Change_Language();
    window_.openChildWindow(ChildWindow::ChannelInfo);
    window_.cascade();
}

void RadioController::identityDecoded() {
    identityReadAt_ = QDateTime::currentDateTime();
    // Shown once the conversation has wound up, so that its modal loop does not run inside
    // the port's receive handler.
    QTimer::singleShot(0, &window_, [this] { window_.showIdentityWindow(); });
}

void RadioController::bandAdopted(bool channelsCorrected) {
    // The band shows in the caption and in status bar panel 2.
    window_.Change_Language();
    // Only an open channel window is reopened; its pending cell text predates the correction.
    if (channelsCorrected && window_.childWindow(ChildWindow::ChannelInfo))
        window_.reopenChannelWindow();
}

void RadioController::phaseChanged(link::WritePhase phase) {
    namespace labels = text::labels::safety;
    if (!progress_)
        return;
    const int lang = ws_.state.language;
    switch (phase) {
    case link::WritePhase::BackupRead:
        progress_->setPhase(qs(labels::kPhaseBackup, lang));
        break;
    case link::WritePhase::Transfer:
        progress_->setPhase(qs(labels::kPhaseWrite, lang));
        break;
    case link::WritePhase::Verify:
        progress_->setPhase(qs(labels::kPhaseVerify, lang));
        break;
    }
}

void RadioController::backupFailed(const QString& error) {
    prompter_.inform(
        text::fill(text::labels::safety::kBackupFailed[ws_.state.language], {error.toStdString()}),
        text::Icon::Warning);
}

bool RadioController::imageReceived(const link::RadioImage& image) {
    QString error;
    if (!backups_.keepRead(image, ws_, QDateTime::currentDateTime(), &error).isEmpty())
        return true;
    backupFailed(error);
    return false;
}

void RadioController::imageSent(const link::RadioImage& image) {
    QString error;
    if (backups_
            .keepWrite(image, ws_.record, QDateTime::currentDateTime(), &error, ws_.state.language)
            .isEmpty())
        backupFailed(error);
}

void RadioController::finished(link::OperationKind kind, bool success) {
    endTrace();
    progressHidden();
    if (std::exchange(cancelled_, false) && !success)
        reportCancelled(kind);
    if (std::exchange(comparing_, false) && success)
        // Shown once the conversation has wound up, so that its modal loop does not run
        // inside the port's receive handler.
        QTimer::singleShot(0, &window_, [this] { showComparison(); });
    emit conversationFinished(static_cast<int>(kind), success);
}

} // namespace zx::app
