// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>

#include "settings/Settings.h"
#include "ui/DialogCommon.h"
#include "ui/LevelBar.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vexari {

// What the game options dialog edits.
struct GameOptionsValues {
    int startPeriod = 5;  // fall period a game starts with; the dialog shows its level
    bool increaseLevel = true;
    bool popInLines = true;
    int height = 24;  // the shown well height
};

// "Game options": well height, rising bottom lines, level increase and the
// starting level on a scroll bar.
class GameOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit GameOptionsDialog(const GameOptionsValues& values, Prompts& prompts = DefaultPrompts(),
                               QWidget* parent = nullptr);

    // The values given to the dialog; after OK, what the user chose.
    const GameOptionsValues& Values() const { return values_; }
    // The start period as the scroll bar shows it now.
    int StartPeriod() const;


public slots:
    // Reads and checks the fields; stays open when the height is refused.
    void accept() override;

private:
    Prompts& prompts_;
    GameOptionsValues values_;
    QLineEdit* heightEdit_ = nullptr;
    QCheckBox* popInLines_ = nullptr;
    QCheckBox* increaseLevel_ = nullptr;
    QLabel* levelLabel_ = nullptr;
    LevelBar* levelBar_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

// The Skill command: opens the dialog on the SKILL values of settings (the
// height shown one less than the well height) and stores them back on OK.
// Returns true for OK; the caller then applies them to the game.
bool RunGameOptionsDialog(QWidget* parent, Settings& settings, Prompts& prompts = DefaultPrompts());

}  // namespace vexari
