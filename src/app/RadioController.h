// The radio commands of the main window: Read from Radio, Write to Radio, Compare with
// Radio, Check Radio Band, the identity read behind "Embedded Message" and the port setup
// window. They run the same link engine over the same serial adapter as the command-line
// tool; this class turns the engine's events into windows: the progress window, the child
// windows after a read, the identity display, the list of differences after a comparison,
// the settings file and the status bar after a port search.
#pragma once

#include "app/FrmProgress.h"
#include "link/Link.h"
#include "model/Workspace.h"
#include "platform/BackupStore.h"
#include "platform/PortCatalog.h"
#include "platform/TraceStore.h"
#include "text/Prompter.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

namespace zx::platform {
class QtSerialLink;
} // namespace zx::platform

namespace zx::app {

class frmMain;

class RadioController : public QObject, public link::LinkEvents {
    Q_OBJECT
public:
    RadioController(frmMain& window, model::Workspace& ws, text::Prompter& prompter);
    ~RadioController() override;

    // The commands. Each does nothing while another conversation holds the port: the band
    // check and the identity read show no window, so the menus stay usable meanwhile.
    void readFromRadio();
    // Called after the main window has made the open editors commit their pending edits;
    // the conversation starts from TimerWrite, 20 ms later, once those commits are through.
    void writeToRadio();
    // Reads the radio and shows how it differs from the document, which stays as it is.
    void compareWithRadio();
    void checkRadioBand();
    void readIdentity();
    // The port setup window, modal.
    void communicationPortSetup();
    // Closes the serial port if it is open (before another program version takes over).
    void closePort();
    // Ends a running conversation the way a cancelled one ends (End to the radio when a
    // programming session is open, a write that stopped says so) and waits for its finish,
    // a few seconds at most: the program is about to close.
    void endConversation();

    // Backups of what reads and writes exchange, and the byte traces of the last ten
    // conversations, in the per-user data folder unless set otherwise.
    void setDataFolders(const QString& backups, const QString& traces);
    platform::BackupStore& backups() { return backups_; }
    platform::TraceStore& traces() { return traces_; }
    // Shows a folder in the file manager (made first when missing); false when none could be
    // started, and the folder's path is then shown in a message to copy it from.
    using FolderOpener = std::function<bool(const QString& folder)>;
    void setFolderOpener(FolderOpener opener) { openFolder_ = std::move(opener); }
    void openBackupFolder();
    void openTraceFolder();

    // Finds the devices of port numbers through `catalog` from now on; with `persist`
    // false, port settings are no longer written to the settings file. Only while idle;
    // false otherwise.
    bool setPortCatalog(std::unique_ptr<platform::PortCatalog> catalog, bool persist);
    // For this run only (the --demo radio): the catalog, and nothing written back.
    bool usePortsForThisRun(std::unique_ptr<platform::PortCatalog> catalog) {
        return setPortCatalog(std::move(catalog), false);
    }
    bool persistsPortSettings() const { return persistPorts_; }

    bool busy() const;
    link::Link& link() { return *link_; }
    platform::PortCatalog& catalog() { return *catalog_; }
    platform::QtSerialLink& serial() { return *serial_; }
    // The progress window while a read or write shows it.
    FrmProgress* progressWindow() const { return progress_; }
    // When the identity record was last read from a radio (invalid before).
    QDateTime identityReadAt() const { return identityReadAt_; }
    // Cancel in the progress window: the conversation ends the way a cancelled one ends
    // (End to the radio when its programming session is open).
    void cancelConversation();
    QTimer* writeTimer() const { return timerWrite_; }

    static constexpr int kWriteDelayMs = 20;

signals:
    // A conversation has ended: the port is closed, the messages are shown.
    void conversationFinished(int kind, bool success);

private:
    void buildLink();
    void TimerWrite_Timer();
    void storePortSettings(const link::PortSettings& settings);
    // Starts the trace of a conversation; `started` false ends it again at once.
    void beginTrace(const char* what);
    void endTrace();
    bool startTraced(const char* what, bool (link::Link::*command)());
    void showFolder(const QString& folder);
    void backupFailed(const QString& error);
    // The outcome of a comparison that read the radio: a message when the radio holds the
    // document, else the window with the differences.
    void showComparison();
    // Before a write: the frequencies the write shortens, and the choice to go on. True to
    // go on.
    bool acceptShortenedFrequencies();
    // After a conversation the user cancelled: what became of it.
    void reportCancelled(link::OperationKind kind);

    // link::LinkEvents
    void progressShown(link::OperationKind kind) override;
    void progressChanged(int percent) override;
    void progressHidden() override;
    void searchStarted() override;
    void searchEnded() override;
    void settingsFound(const link::PortSettings& settings) override;
    void startOtherVersion(const std::string& dataVersion) override;
    void readDecoding() override;
    void readDecoded() override;
    void identityDecoded() override;
    void bandAdopted(bool channelsCorrected) override;
    void phaseChanged(link::WritePhase phase) override;
    bool imageReceived(const link::RadioImage& image) override;
    void imageSent(const link::RadioImage& image) override;
    void finished(link::OperationKind kind, bool success) override;

    frmMain& window_;
    model::Workspace& ws_;
    text::Prompter& prompter_;
    std::unique_ptr<platform::PortCatalog> catalog_;
    std::unique_ptr<platform::QtSerialLink> serial_;
    std::unique_ptr<link::Link> link_;
    bool persistPorts_ = true;
    QPointer<FrmProgress> progress_;
    QTimer* timerWrite_ = nullptr;
    platform::BackupStore backups_;
    platform::TraceStore traces_;
    FolderOpener openFolder_;
    bool comparing_ = false; // the running read is a Compare with Radio
    bool cancelled_ = false; // the user cancelled the running read or write
    QDateTime identityReadAt_;
};

} // namespace zx::app
