// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/GameOptionsDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

namespace vexari {

namespace {
constexpr int kMinPeriod = 1;
constexpr int kMaxPeriod = 10;
}  // namespace

GameOptionsDialog::GameOptionsDialog(const GameOptionsValues& values, Prompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts), values_(values) {
    startPeriod_ = std::clamp(values_.startPeriod, kMinPeriod, kMaxPeriod);
    setWindowTitle(tr("Game options"));
    ApplyDialogLook(this);

    auto* heightLabel = new QLabel(tr("Height"), this);
    heightEdit_ = new QLineEdit(QString::number(values_.height), this);
    heightEdit_->setFixedWidth(DialogUnits(this, 40, 14).width());
    popInLines_ = new QCheckBox(tr("&Pop in lines"), this);
    popInLines_->setChecked(values_.popInLines);
    increaseLevel_ = new QCheckBox(tr("&Increase level during the game"), this);
    increaseLevel_->setChecked(values_.increaseLevel);
    levelLabel_ = new QLabel(tr("Start Level:"), this);
    levelLabel_->setMinimumWidth(DialogUnits(this, 92, 8).width());
    levelBar_ = new QScrollBar(Qt::Horizontal, this);
    levelBar_->setFixedWidth(DialogUnits(this, 45, 9).width());
    levelBar_->setRange(0, 9);
    levelBar_->setSingleStep(1);
    levelBar_->setPageStep(1);
    // The level changes when a drag ends, not while the thumb moves.
    levelBar_->setTracking(false);
    okButton_ = new QPushButton(tr("O&k"), this);
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

    connect(levelBar_, &QAbstractSlider::actionTriggered, this, &GameOptionsDialog::OnScrollAction);
    connect(levelBar_, &QAbstractSlider::sliderMoved, this, &GameOptionsDialog::OnSliderMoved);
    connect(levelBar_, &QAbstractSlider::sliderReleased, this, &GameOptionsDialog::OnSliderReleased);
    connect(okButton_, &QPushButton::clicked, this, &GameOptionsDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &GameOptionsDialog::reject);

    SyncScrollBar();
    levelBar_->setValue(kMaxPeriod - startPeriod_);
    ShowLevel();
}

void GameOptionsDialog::SyncScrollBar() { levelBar_->setSliderPosition(kMaxPeriod - startPeriod_); }

void GameOptionsDialog::ShowLevel() {
    levelLabel_->setText(tr("Starting level: %1").arg(kMaxPeriod - startPeriod_) + QStringLiteral("   "));
}

// Each arrow or page step moves the level by one; the bar is then put back
// where the level says, whatever Qt made of the action, and the label is
// brought up to date as at the end of every scroll action.
void GameOptionsDialog::OnScrollAction(int action) {
    const int shown = kMaxPeriod - startPeriod_;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
    case QAbstractSlider::SliderPageStepSub:
        if (startPeriod_ < kMaxPeriod) ++startPeriod_;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
    case QAbstractSlider::SliderPageStepAdd:
        if (startPeriod_ > kMinPeriod) --startPeriod_;
        break;
    case QAbstractSlider::SliderMove:
        // The end of a drag was handled on release; a move without the
        // thumb held (the mouse wheel) counts as one step.
        if (!levelBar_->isSliderDown()) {
            if (levelBar_->sliderPosition() < shown && startPeriod_ < kMaxPeriod) ++startPeriod_;
            if (levelBar_->sliderPosition() > shown && startPeriod_ > kMinPeriod) --startPeriod_;
        }
        break;
    default:  // to the start or the end: the level stays
        break;
    }
    SyncScrollBar();
    ShowLevel();
}

// While the thumb is dragged the level stays as it was.
void GameOptionsDialog::OnSliderMoved() { ShowLevel(); }

void GameOptionsDialog::OnSliderReleased() {
    startPeriod_ = kMaxPeriod - levelBar_->sliderPosition();
    SyncScrollBar();
    ShowLevel();
}

void GameOptionsDialog::accept() {
    const std::optional<int> height = ReadIntegerField(prompts_, this, heightEdit_, kMinHeight, kMaxHeight);
    if (!height) return;
    values_.increaseLevel = increaseLevel_->isChecked();
    values_.popInLines = popInLines_->isChecked();
    values_.height = *height;
    values_.startPeriod = startPeriod_;
    QDialog::accept();
}

bool RunGameOptionsDialog(QWidget* parent, Settings& settings, Prompts& prompts) {
    GameOptionsValues values;
    values.startPeriod = settings.level;
    values.increaseLevel = settings.incLevel != 0;
    values.popInLines = settings.botLines != 0;
    values.height = settings.height - 1;
    GameOptionsDialog dialog(values, prompts, parent);
    if (prompts.Exec(dialog) != QDialog::Accepted) return false;
    const GameOptionsValues& chosen = dialog.Values();
    settings.level = chosen.startPeriod;
    settings.incLevel = chosen.increaseLevel ? 1 : 0;
    settings.botLines = chosen.popInLines ? 1 : 0;
    settings.height = chosen.height + 1;
    return true;
}

}  // namespace vexari
