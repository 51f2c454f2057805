// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>

#include "settings/Settings.h"
#include "ui/DialogCommon.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace vexari {

// What the game options dialog edits.
struct GameOptionsValues {
    int startPeriod = 5;  // fall period a game starts with, 1..10; the level shown is 10 minus it
    bool increaseLevel = true;
    bool popInLines = true;
    int height = 24;  // visible rows; the well height is one more
};

// "Game options": well height, rising bottom lines, level increase and the
// starting level on a scroll bar.
class GameOptionsDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinHeight = kMinWellHeight - 1;  // shown as H - 1
    static constexpr int kMaxHeight = kMaxWellHeight - 1;

    explicit GameOptionsDialog(const GameOptionsValues& values, Prompts& prompts = DefaultPrompts(),
                               QWidget* parent = nullptr);

    // The values given to the dialog; after OK, what the user chose.
    const GameOptionsValues& Values() const { return values_; }
    // The start period as the scroll bar shows it now.
    int StartPeriod() const { return startPeriod_; }

    QLineEdit* HeightEdit() const { return heightEdit_; }
    QCheckBox* PopInLinesBox() const { return popInLines_; }
    QCheckBox* IncreaseLevelBox() const { return increaseLevel_; }
    QScrollBar* LevelScrollBar() const { return levelBar_; }
    QLabel* LevelLabel() const { return levelLabel_; }
    QPushButton* OkButton() const { return okButton_; }

public slots:
    // Reads and checks the fields; stays open when the height is refused.
    void accept() override;

private slots:
    void OnScrollAction(int action);
    void OnSliderMoved();
    void OnSliderReleased();

private:
    void SyncScrollBar();
    void ShowLevel();

    Prompts& prompts_;
    GameOptionsValues values_;
    int startPeriod_ = 5;
    QLineEdit* heightEdit_ = nullptr;
    QCheckBox* popInLines_ = nullptr;
    QCheckBox* increaseLevel_ = nullptr;
    QLabel* levelLabel_ = nullptr;
    QScrollBar* levelBar_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

// The Skill command: opens the dialog on the SKILL values of settings (the
// height shown one less than the well height) and stores them back on OK.
// Returns true for OK; the caller then applies them to the game.
bool RunGameOptionsDialog(QWidget* parent, Settings& settings, Prompts& prompts = DefaultPrompts());

}  // namespace vexari
