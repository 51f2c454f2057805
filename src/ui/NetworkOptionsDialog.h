#pragma once
#include <QDialog>
#include <array>

#include "settings/Settings.h"
#include "ui/DialogCommon.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace vexari {

// What the network game options dialog edits, as it shows them.
struct NetworkOptionsValues {
    int playerThrow = 0;      // PLAYER_TO_THROW, 0..4
    int playerWinScores = 0;  // PLAYER_EXIT_SCORES
    int teamWinScores = 1;    // COMMAND_EXIT_SCORES
    int teamThrow = 0;        // COMMAND_TO_THROW, 0..4
    int playTill = 20;        // MAX_SCORES
    int startIn = 0;          // SEC_BEFORE_START, 0..10
    int height = 24;          // visible rows; the well height is one more
    bool trace = true;        // TRACE_MESSAGES
    int level = 5;            // start level 0..9; LEVEL holds 10 minus it
};

// "Network game options": the host's rules of the network game.
class NetworkOptionsDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kThrowModes = 5;
    static constexpr int kMaxStartIn = 10;
    static constexpr int kMinHeight = 18;
    static constexpr int kMaxHeight = 24;
    static constexpr int kMaxLevel = 9;

    explicit NetworkOptionsDialog(const NetworkOptionsValues& values, Prompts& prompts = DefaultPrompts(),
                                  QWidget* parent = nullptr);

    // The values given to the dialog; after OK, what the user chose.
    const NetworkOptionsValues& Values() const { return values_; }
    // The start level as the scroll bar shows it now.
    int Level() const { return level_; }

    QRadioButton* PlayerThrowButton(int mode) const { return playerThrow_[static_cast<std::size_t>(mode)]; }
    QRadioButton* TeamThrowButton(int mode) const { return teamThrow_[static_cast<std::size_t>(mode)]; }
    QLineEdit* PlayerWinScoresEdit() const { return playerWinScores_; }
    QLineEdit* TeamWinScoresEdit() const { return teamWinScores_; }
    QLineEdit* PlayTillEdit() const { return playTill_; }
    QLineEdit* StartInEdit() const { return startIn_; }
    QLineEdit* HeightEdit() const { return height_; }
    QCheckBox* TraceBox() const { return trace_; }
    QScrollBar* LevelScrollBar() const { return levelBar_; }
    QLabel* LevelLabel() const { return levelLabel_; }
    QPushButton* OkButton() const { return okButton_; }

public slots:
    // Reads and checks the fields in order; stays open on the first refused one.
    void accept() override;

private slots:
    void OnScrollAction(int action);
    void OnSliderReleased();

private:
    using ThrowButtons = std::array<QRadioButton*, kThrowModes>;
    QWidget* MakeThrowGroup(const QString& title, ThrowButtons& buttons, int checked);
    static int CheckedMode(const ThrowButtons& buttons, int otherwise);
    void SyncScrollBar();

    Prompts& prompts_;
    NetworkOptionsValues values_;
    int level_ = 5;
    ThrowButtons playerThrow_{};
    ThrowButtons teamThrow_{};
    QLineEdit* playerWinScores_ = nullptr;
    QLineEdit* teamWinScores_ = nullptr;
    QLineEdit* playTill_ = nullptr;
    QLineEdit* startIn_ = nullptr;
    QLineEdit* height_ = nullptr;
    QCheckBox* trace_ = nullptr;
    QLabel* levelLabel_ = nullptr;
    QScrollBar* levelBar_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

// Shown when a field that takes a count holds a negative number.
extern const QString kNotCountText;

// The host's Options button: opens the dialog on the NET settings and the
// configured height; on OK the settings take the dialog's values. False on
// Cancel.
bool RunNetworkOptionsDialog(QWidget* parent, Settings& settings, Prompts& prompts = DefaultPrompts());

}  // namespace vexari
