// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <functional>

#include "settings/Settings.h"
#include "ui/DialogCommon.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

namespace vexari {

// "Sound": effects on or off, their volume, and the click on moves and turns.
// Letting go of the volume slider plays an effect at that volume.
class SoundDialog : public QDialog {
    Q_OBJECT
public:
    using Preview = std::function<void(int volume)>;
    SoundDialog(const Settings& settings, Preview preview, QWidget* parent = nullptr);

    // Writes what the dialog shows into SOUND, SOUND_VOLUME and SOUND_CLICKS.
    void Store(Settings& settings) const;

private:
    void ShowVolume();

    Preview preview_;
    QCheckBox* sound_ = nullptr;
    QSlider* volume_ = nullptr;
    QLabel* volumeLabel_ = nullptr;
    QCheckBox* clicks_ = nullptr;
};

// Options > Sound...: true after OK, with the settings changed.
bool RunSoundDialog(QWidget* parent, Settings& settings, Prompts& prompts, SoundDialog::Preview preview);

}  // namespace vexari
