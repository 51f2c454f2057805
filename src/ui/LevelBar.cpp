// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LevelBar.h"

#include <QLabel>

#include <algorithm>

#include "game/GameRules.h"

namespace vexari {

LevelBar::LevelBar(int level, QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent), level_(std::clamp(level, kMinLevel, kMaxLevel)) {
    setRange(kMinLevel, kMaxLevel);
    setSingleStep(1);
    setPageStep(1);
    // The level changes when a drag ends, not while the thumb moves.
    setTracking(false);
    setValue(level_);
    connect(this, &QAbstractSlider::actionTriggered, this, &LevelBar::OnAction);
    connect(this, &QAbstractSlider::sliderReleased, this, &LevelBar::OnReleased);
}

void LevelBar::Step(int by) { level_ = std::clamp(level_ + by, kMinLevel, kMaxLevel); }

void LevelBar::OnAction(int action) {
    switch (action) {
    case SliderSingleStepSub:
    case SliderPageStepSub: Step(-1); break;
    case SliderSingleStepAdd:
    case SliderPageStepAdd: Step(1); break;
    case SliderMove:
        // The end of a drag is taken on release; a move without the thumb
        // held (the mouse wheel) counts as one step.
        if (!isSliderDown()) Step(sliderPosition() < level_ ? -1 : sliderPosition() > level_ ? 1 : 0);
        break;
    default: break;  // to the start or the end: the level stays
    }
    setSliderPosition(level_);
    emit levelScrolled(level_);
}

void LevelBar::ShowLevelOn(QLabel* label, bool blanksAtOpening) {
    const auto show = [this, label](bool blanks) {
        const QString text = tr("Starting level: %1").arg(level_);
        label->setText(blanks ? text + QStringLiteral("   ") : text);
    };
    label->setObjectName(QStringLiteral("levelLabel"));
    show(blanksAtOpening);
    connect(this, &LevelBar::levelScrolled, label, [show] { show(true); });
}

void LevelBar::OnReleased() {
    level_ = std::clamp(sliderPosition(), kMinLevel, kMaxLevel);
    setSliderPosition(level_);
    emit levelScrolled(level_);
}

}  // namespace vexari
