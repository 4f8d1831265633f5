// File > Restore from Backup: every backup that reads and writes kept, newest first, with
// the date and time, read or write, the band, the model code and the radio's serial number
// where the image holds them (backups made before these were noted are listed alike: all of
// it is read from the image itself). Open hands the chosen image to the main window, which
// opens it as File > Open opens an image; Show in Folder opens the backups folder and names
// the chosen backup's files, which can be selected and copied.
#pragma once

#include "platform/BackupStore.h"

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace zx::app {

class FrmBackups : public QDialog {
    Q_OBJECT
public:
    // `codePage` is the system language the serial numbers are written in; `showFolder`
    // opens the backups folder in the file manager.
    FrmBackups(const platform::BackupStore& store, int language, int codePage,
               std::function<void()> showFolder, QWidget* parent = nullptr);

    // The image chosen with Open; empty when the window was closed otherwise.
    QString chosenImage() const { return chosen_; }

private:
    void fill(const platform::BackupStore& store, int codePage);
    void showChoice();
    QString currentImage() const;

    int language_;
    std::function<void()> showFolder_;
    QTreeWidget* list_ = nullptr;
    QLabel* files_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* showInFolder_ = nullptr;
    QPushButton* close_ = nullptr;
    QString chosen_;
};

} // namespace zx::app
