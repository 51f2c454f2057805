// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MatchDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "game/GameRules.h"
#include "ui/NetworkOptionsDialog.h"

namespace vexari {

MatchDialog::MatchDialog(const MatchPlan& plan, bool strongAvailable, Settings& settings, Prompts& prompts,
                         QWidget* parent)
    : QDialog(parent), plan_(plan) {
    setWindowTitle(tr("Play against the computer"));
    ApplyDialogLook(this);

    opponents_ = new QSpinBox(this);
    opponents_->setObjectName(QStringLiteral("opponentsBox"));
    opponents_->setRange(1, MatchPlan::kMaxOpponents);
    opponents_->setValue(plan_.opponents);
    speed_ = new QSpinBox(this);
    speed_->setObjectName(QStringLiteral("speedBox"));
    speed_->setRange(kMinComputerSpeed, kMaxComputerSpeed);
    speed_->setValue(plan_.speed);
    weights_ = new QComboBox(this);
    weights_->setObjectName(QStringLiteral("weightsBox"));
    weights_->addItem(tr("Default"));
    weights_->addItem(tr("Strong (tuned)"));
    if (!strongAvailable) plan_.strongWeights = false;
    weights_->setCurrentIndex(plan_.strongWeights ? 1 : 0);
    weights_->setEnabled(strongAvailable);

    auto* form = new QFormLayout;
    form->addRow(tr("Computer &opponents:"), opponents_);
    form->addRow(tr("Their &speed (%1-%2):").arg(kMinComputerSpeed).arg(kMaxComputerSpeed), speed_);
    form->addRow(tr("Their &weights:"), weights_);

    auto* teams = new QGroupBox(tr("Teams"), this);
    auto* column = new QVBoxLayout(teams);
    const QString texts[3] = {tr("&You alone against all"), tr("You and a computer &team mate against the rest"),
                              tr("&Every one for himself")};
    const char* const names[3] = {"aloneAgainstAll", "withTeamMate", "eachForHimself"};  // as MatchTeams
    for (int i = 0; i < 3; ++i) {
        teams_[i] = new QRadioButton(texts[i], teams);
        teams_[i]->setObjectName(QLatin1String(names[i]));
        column->addWidget(teams_[i]);
    }
    TeamsButton(plan_.teams)->setChecked(true);
    OpponentsChanged(plan_.opponents);
    connect(opponents_, &QSpinBox::valueChanged, this, &MatchDialog::OpponentsChanged);

    auto* options = new QPushButton(tr("&Network options..."), this);
    options->setAutoDefault(false);
    connect(options, &QPushButton::clicked, this,
            [this, &settings, &prompts] { RunNetworkOptionsDialog(this, settings, prompts); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(options);
    buttons->addWidget(MakeOkCancelButtons(this));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(teams);
    layout->addLayout(buttons);
}

// A team mate leaves somebody to play against only with two computers or more.
void MatchDialog::OpponentsChanged(int opponents) {
    QRadioButton* mate = TeamsButton(MatchTeams::WithTeamMate);
    mate->setEnabled(opponents >= 2);
    if (!mate->isEnabled() && mate->isChecked()) TeamsButton(MatchTeams::AloneAgainstAll)->setChecked(true);
}

void MatchDialog::accept() {
    plan_.opponents = opponents_->value();
    plan_.speed = speed_->value();
    plan_.strongWeights = weights_->isEnabled() && weights_->currentIndex() == 1;
    for (int i = 0; i < 3; ++i)
        if (teams_[i]->isChecked()) plan_.teams = static_cast<MatchTeams>(i);
    QDialog::accept();
}

bool RunMatchDialog(QWidget* parent, MatchPlan& plan, bool strongAvailable, Settings& settings, Prompts& prompts) {
    MatchDialog dialog(plan, strongAvailable, settings, prompts, parent);
    if (prompts.Exec(dialog) != QDialog::Accepted) return false;
    plan = dialog.Plan();
    return true;
}

}  // namespace vexari
