// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <array>

#include "ai/WeightsFile.h"
#include "settings/Settings.h"
#include "ui/DialogCommon.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace vexari {

// "Demo parameters": the computer player's eight weights as whole numbers,
// the learn-from-me switch, the defaults and the *.dem files.
class ComputerWeightsDialog : public QDialog {
    Q_OBJECT
public:
    ComputerWeightsDialog(const WeightsDialogData& data, Prompts& prompts = DefaultPrompts(), QWidget* parent = nullptr);

    // The dialog data; after OK, what the user chose.
    const WeightsDialogData& Data() const { return data_; }

    // The requests the file dialogs get.
    static FileDialogRequest FileRequest();

public slots:
    // Reads the controls; stays open on a field that is not a whole number.
    void accept() override;
    // Defaults into the dialog data, then everything shown again from it.
    void RestoreDefaults();
    // A file that cannot be written is reported with its path and the
    // system's reason; one that cannot be read with kCannotOpenFileText.
    void SaveToFile();
    void LoadFromFile();

private:
    // Data to controls.
    void ShowData();
    // Controls to data, in order, up to the first field that is not a whole
    // number, which is refused (message, focus). True when all were read.
    bool ReadControls();

    Prompts& prompts_;
    WeightsDialogData data_;
    std::array<QLineEdit*, ComputerWeights::kCriteria> edits_{};
    QCheckBox* learnBox_ = nullptr;
};

// "Cannot open this file"
extern const char* const kCannotOpenFileText;

// The Demo parameters command: scales weights down when the largest is
// above 1000 (this stays, even after Cancel), shows them truncated to whole
// numbers, and on OK makes them the dialog's numbers and sets learnMode from
// the check box. Returns true for OK.
bool RunComputerWeightsDialog(QWidget* parent, ComputerWeights& weights, bool& learnMode,
                             Prompts& prompts = DefaultPrompts());

}  // namespace vexari
