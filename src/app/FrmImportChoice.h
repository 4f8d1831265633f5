// The window File > Import Channels shows before it changes anything: per group the file
// names, the channels it adds, those it replaces and those of the group it does not name,
// and the choice between merging the file into the groups, replacing the groups, and
// cancelling. Modal; Merge is the default (it loses nothing), Escape cancels.
#pragma once

#include "exchange/ImportPlan.h"

#include <QDialog>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace zx::app {

class FrmImportChoice : public QDialog {
    Q_OBJECT
public:
    enum class Choice { Cancel, Merge, ReplaceGroups };

    FrmImportChoice(const std::vector<exchange::GroupImport>& plan, const QString& fileName,
                    int channelCount, int language, QWidget* parent = nullptr);

    Choice choice() const { return choice_; }

private:
    void choose(Choice choice);

    QLabel* intro_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* explain_ = nullptr;
    QPushButton* merge_ = nullptr;
    QPushButton* replace_ = nullptr;
    QPushButton* cancel_ = nullptr;
    Choice choice_ = Choice::Cancel;
};

} // namespace zx::app
