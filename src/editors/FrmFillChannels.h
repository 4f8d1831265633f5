// The window of Edit > Fill Channels: from the channel the user is on, a start frequency, a
// step and a number of channels. OK checks the plan against channel 60 and the band edges
// and stays open with a message when it does not fit, so the user can correct it.
#pragma once

#include "model/ChannelBlocks.h"
#include "model/Workspace.h"
#include "text/Prompter.h"

#include <QDialog>

class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;

namespace zx::editors {

class FrmFillChannels : public QDialog {
    Q_OBJECT
public:
    // Fills from channel `firstNumber` of `group`; the start frequency is preset to that
    // channel's receive frequency, else to the lower band edge.
    FrmFillChannels(const model::Workspace& ws, text::Prompter& prompter, int group,
                    int firstNumber, QWidget* parent = nullptr);

    // The plan as entered (meaningful once the window was accepted).
    model::FillPlan plan() const;

    void accept() override;

private:
    // The plan, or a message why there is none (then false).
    bool readPlan(model::FillPlan& plan);

    const model::Workspace& ws_;
    text::Prompter& prompter_;
    int group_;
    int firstNumber_;
    QLineEdit* start_ = nullptr;
    QDoubleSpinBox* step_ = nullptr;
    QSpinBox* count_ = nullptr;
    model::FillPlan plan_;
};

} // namespace zx::editors
