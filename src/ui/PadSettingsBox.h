// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QGroupBox>
#include <array>
#include <optional>

#include "settings/Settings.h"

class QComboBox;
class QLineEdit;

namespace vexari {

class Prompts;

// The gamepad part of the design dialog: how soon and how fast a held
// direction repeats, and what each of the six buttons does.
class PadSettingsBox : public QGroupBox {
    Q_OBJECT
public:
    explicit PadSettingsBox(QWidget* parent = nullptr);

    void Show(const PadSettings& pad);
    // The values in the box; nothing (and the refusal shown, the field
    // selected) when the delay or the rate is not a number in its range.
    std::optional<PadSettings> Read(Prompts& prompts);

private:
    QLineEdit* delayEdit_ = nullptr;
    QLineEdit* rateEdit_ = nullptr;
    std::array<QComboBox*, PadSettings::kButtonCount> buttons_{};
};

}  // namespace vexari
