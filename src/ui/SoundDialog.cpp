// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SoundDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <utility>

namespace vexari {

SoundDialog::SoundDialog(const Settings& settings, Preview preview, QWidget* parent)
    : QDialog(parent), preview_(std::move(preview)) {
    setWindowTitle(tr("Sound"));
    ApplyDialogLook(this);

    sound_ = new QCheckBox(tr("&Sound effects"), this);
    sound_->setChecked(settings.sound != 0);
    auto* volumeName = new QLabel(tr("&Volume:"), this);
    volume_ = new QSlider(Qt::Horizontal, this);
    volume_->setObjectName(QStringLiteral("volumeSlider"));
    volume_->setRange(0, 100);
    volume_->setPageStep(10);
    volume_->setValue(settings.soundVolume);
    volumeName->setBuddy(volume_);
    volumeLabel_ = new QLabel(this);
    clicks_ = new QCheckBox(tr("&Click on moves and turns"), this);
    clicks_->setObjectName(QStringLiteral("clicksBox"));
    clicks_->setChecked(settings.soundClicks != 0);

    auto* volumeRow = new QHBoxLayout;
    volumeRow->addWidget(volumeName);
    volumeRow->addWidget(volume_, 1);
    volumeRow->addWidget(volumeLabel_);
    QDialogButtonBox* buttons = MakeOkCancelButtons(this);
    // Enter on a focused Cancel cancels here.
    buttons->findChild<QPushButton*>(QStringLiteral("cancel"))->setAutoDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sound_);
    layout->addLayout(volumeRow);
    layout->addWidget(clicks_);
    layout->addWidget(buttons);
    setMinimumWidth(DialogUnits(this, 190, 80).width());

    const auto enable = [this] {
        volume_->setEnabled(sound_->isChecked());
        clicks_->setEnabled(sound_->isChecked());
    };
    connect(sound_, &QCheckBox::toggled, this, enable);
    connect(volume_, &QSlider::valueChanged, this, &SoundDialog::ShowVolume);
    connect(volume_, &QSlider::sliderReleased, this, [this] {
        if (preview_) preview_(volume_->value());
    });
    enable();
    ShowVolume();
}

void SoundDialog::ShowVolume() { volumeLabel_->setText(tr("%1 %").arg(volume_->value())); }

void SoundDialog::Store(Settings& settings) const {
    settings.sound = sound_->isChecked() ? 1 : 0;
    settings.soundVolume = volume_->value();
    settings.soundClicks = clicks_->isChecked() ? 1 : 0;
}

bool RunSoundDialog(QWidget* parent, Settings& settings, Prompts& prompts, SoundDialog::Preview preview) {
    SoundDialog dialog(settings, std::move(preview), parent);
    if (prompts.Exec(dialog) != QDialog::Accepted) return false;
    dialog.Store(settings);
    return true;
}

}  // namespace vexari
