// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/GameOptionsDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "game/GameRules.h"
#include "ui/LevelBar.h"

namespace vexari {

GameOptionsDialog::GameOptionsDialog(const GameOptionsValues& values, Prompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts), values_(values) {
    setWindowTitle(tr("Game options"));
    ApplyDialogLook(this);

    auto* heightLabel = new QLabel(tr("Height"), this);
    heightEdit_ = new QLineEdit(QString::number(values_.height), this);
    heightEdit_->setObjectName(QStringLiteral("heightEdit"));
    heightEdit_->setFixedWidth(DialogUnits(this, 40, 14).width());
    popInLines_ = new QCheckBox(tr("&Pop in lines"), this);
    popInLines_->setObjectName(QStringLiteral("popInLinesBox"));
    popInLines_->setChecked(values_.popInLines);
    increaseLevel_ = new QCheckBox(tr("&Increase level during the game"), this);
    increaseLevel_->setObjectName(QStringLiteral("increaseLevelBox"));
    increaseLevel_->setChecked(values_.increaseLevel);
    levelLabel_ = new QLabel(tr("Start Level:"), this);
    levelLabel_->setMinimumWidth(DialogUnits(this, 92, 8).width());
    levelBar_ = new LevelBar(LevelOfFallPeriod(ClampFallPeriod(values_.startPeriod)), this);
    levelBar_->setFixedWidth(DialogUnits(this, 45, 9).width());
    okButton_ = new QPushButton(tr("O&k"), this);
    okButton_->setObjectName(QStringLiteral("ok"));
    okButton_->setDefault(true);
    auto* cancelButton = new QPushButton(tr("&Cancel"), this);
    const QSize buttonSize = DialogUnits(this, 45, 15);
    okButton_->setMinimumSize(buttonSize);
    cancelButton->setMinimumSize(buttonSize);

    auto* heightRow = new QHBoxLayout;
    heightRow->addWidget(heightLabel);
    heightRow->addSpacing(DialogUnits(this, 13, 0).width());
    heightRow->addWidget(heightEdit_);
    heightRow->addStretch();
    auto* levelRow = new QHBoxLayout;
    levelRow->addWidget(levelLabel_);
    levelRow->addStretch();
    levelRow->addWidget(levelBar_);
    // Built by hand: a button box cannot put OK at the left edge and Cancel at the right, where this dialog has them.
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(okButton_);
    buttons->addStretch();
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heightRow);
    layout->addWidget(popInLines_);
    layout->addWidget(increaseLevel_);
    layout->addLayout(levelRow);
    layout->addLayout(buttons);
    setMinimumWidth(DialogUnits(this, 175, 90).width());

    levelBar_->ShowLevelOn(levelLabel_, true);
    connect(okButton_, &QPushButton::clicked, this, &GameOptionsDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &GameOptionsDialog::reject);
}

int GameOptionsDialog::StartPeriod() const { return FallPeriodOfLevel(levelBar_->Level()); }

void GameOptionsDialog::accept() {
    const std::optional<int> height = ReadIntegerField(prompts_, this, heightEdit_, kMinShownWellHeight, kMaxShownWellHeight);
    if (!height) return;
    values_.increaseLevel = increaseLevel_->isChecked();
    values_.popInLines = popInLines_->isChecked();
    values_.height = *height;
    values_.startPeriod = StartPeriod();
    QDialog::accept();
}

bool RunGameOptionsDialog(QWidget* parent, Settings& settings, Prompts& prompts) {
    GameOptionsValues values;
    values.startPeriod = settings.fallPeriod;
    values.increaseLevel = settings.incLevel != 0;
    values.popInLines = settings.botLines != 0;
    values.height = ShownWellHeight(settings.height);
    GameOptionsDialog dialog(values, prompts, parent);
    if (prompts.Exec(dialog) != QDialog::Accepted) return false;
    const GameOptionsValues& chosen = dialog.Values();
    settings.fallPeriod = chosen.startPeriod;
    settings.incLevel = chosen.increaseLevel ? 1 : 0;
    settings.botLines = chosen.popInLines ? 1 : 0;
    settings.height = WellHeightOfShown(chosen.height);
    return true;
}

}  // namespace vexari
