// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>

#include "settings/Settings.h"
#include "ui/DialogCommon.h"

class QComboBox;
class QRadioButton;
class QSpinBox;

namespace vexari {

// How the computer players of a match are grouped.
enum class MatchTeams {
    AloneAgainstAll,  // the player's team against one team of all the computers
    WithTeamMate,     // the player and one computer against the other computers
    EachForHimself,   // every player a team of his own
};

// What the player chose for a match against the computer.
struct MatchPlan {
    static constexpr int kMaxOpponents = 7;
    int opponents = 3;
    int speed = 5;
    bool strongWeights = false;  // the tuned strong.dem instead of the default weights
    MatchTeams teams = MatchTeams::AloneAgainstAll;
};

// "Play against the computer": the number of computer opponents, their speed
// and weights, the teams, and the network game's options.
class MatchDialog : public QDialog {
    Q_OBJECT
public:
    // `strongAvailable`: the tuned weights were found and may be chosen.
    // The Options button edits the network options in `settings` as the
    // host's Options button does.
    MatchDialog(const MatchPlan& plan, bool strongAvailable, Settings& settings, Prompts& prompts = DefaultPrompts(),
                QWidget* parent = nullptr);

    // The plan given to the dialog; after OK, what the player chose.
    const MatchPlan& Plan() const { return plan_; }

public slots:
    void accept() override;

private:
    void OpponentsChanged(int opponents);
    QRadioButton* TeamsButton(MatchTeams teams) const { return teams_[static_cast<int>(teams)]; }

    MatchPlan plan_;
    QSpinBox* opponents_ = nullptr;
    QSpinBox* speed_ = nullptr;
    QComboBox* weights_ = nullptr;
    QRadioButton* teams_[3] = {};
};

// Game > Play against the computer: the plan the player confirmed, or
// nothing on Cancel. `plan` holds the last one and takes the new one.
bool RunMatchDialog(QWidget* parent, MatchPlan& plan, bool strongAvailable, Settings& settings,
                    Prompts& prompts = DefaultPrompts());

}  // namespace vexari
