// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <array>

#include "net/Wire.h"
#include "settings/Settings.h"
#include "ui/DialogCommon.h"
#include "ui/LevelBar.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vexari {

// "Network game options": the host's rules of the network game.
class NetworkOptionsDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kThrowModes = kMaxThrowMode + 1;

    // The options as they are sent and stored: the dialog shows the level of
    // the start fall period and the shown well height.
    explicit NetworkOptionsDialog(const NetOptions& options, Prompts& prompts = DefaultPrompts(),
                                  QWidget* parent = nullptr);

    // The options given to the dialog; after OK, what the user chose.
    const NetOptions& Values() const { return values_; }
    // The start level as the scroll bar shows it now.
    int Level() const;

public slots:
    // Reads and checks the fields in order; stays open on the first refused one.
    void accept() override;

private:
    using ThrowButtons = std::array<QRadioButton*, kThrowModes>;
    // The buttons are named `name` and their mode: "playerThrow0".
    QWidget* MakeThrowGroup(const QString& title, const QString& name, ThrowButtons& buttons, int checked);
    static int CheckedMode(const ThrowButtons& buttons, int otherwise);

    Prompts& prompts_;
    NetOptions values_;
    ThrowButtons playerThrow_{};
    ThrowButtons teamThrow_{};
    QLineEdit* playerWinScores_ = nullptr;
    QLineEdit* teamWinScores_ = nullptr;
    QLineEdit* playTill_ = nullptr;
    QLineEdit* startIn_ = nullptr;
    QLineEdit* height_ = nullptr;
    QCheckBox* trace_ = nullptr;
    QLabel* levelLabel_ = nullptr;
    LevelBar* levelBar_ = nullptr;
};

// Shown when a field that takes a count holds a negative number.
extern const char* const kNotCountText;

// The host's Options button: opens the dialog on the NET settings and the
// configured height; on OK the settings take the dialog's values. False on
// Cancel.
bool RunNetworkOptionsDialog(QWidget* parent, Settings& settings, Prompts& prompts = DefaultPrompts());

}  // namespace vexari
