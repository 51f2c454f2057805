// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PadSettingsBox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "ui/DialogCommon.h"

namespace vexari {

PadSettingsBox::PadSettingsBox(QWidget* parent) : QGroupBox(tr("Gamepad"), parent) {
    auto* grid = new QGridLayout(this);
    const int fieldWidth = DialogUnits(this, 25, 12).width();
    auto addRow = [&](int row, int column, const QString& text, QWidget* field, const QString& unit = {}) {
        auto* label = new QLabel(text, this);
        label->setBuddy(field);
        grid->addWidget(label, row, column);
        grid->addWidget(field, row, column + 1, Qt::AlignLeft);
        if (!unit.isEmpty()) grid->addWidget(new QLabel(unit, this), row, column + 2, 1, 2);
    };
    delayEdit_ = new QLineEdit(this);
    rateEdit_ = new QLineEdit(this);
    delayEdit_->setObjectName(QStringLiteral("delayEdit"));
    rateEdit_->setObjectName(QStringLiteral("rateEdit"));
    for (QLineEdit* edit : {delayEdit_, rateEdit_}) edit->setFixedWidth(fieldWidth);
    addRow(0, 0, tr("Repeat a&fter"), delayEdit_, tr("ms"));
    addRow(1, 0, tr("Re&peat rate"), rateEdit_, tr("per second"));

    // The buttons as SDL's mapping names them (Xbox layout).
    static const char* const kButtonNames[PadSettings::kButtonCount] = {"A", "B", "X", "Y", "LB", "RB"};
    static const char* const kActions[kPadActionCount] = {
        QT_TRANSLATE_NOOP("vexari::PadSettingsBox", "Nothing"), QT_TRANSLATE_NOOP("vexari::PadSettingsBox", "Rotate"),
        QT_TRANSLATE_NOOP("vexari::PadSettingsBox", "Rotate back"), QT_TRANSLATE_NOOP("vexari::PadSettingsBox", "Drop"),
        QT_TRANSLATE_NOOP("vexari::PadSettingsBox", "Accelerate")};
    for (int b = 0; b < PadSettings::kButtonCount; ++b) {
        auto* box = new QComboBox(this);
        for (const char* action : kActions) box->addItem(tr(action));
        box->setObjectName(QStringLiteral("button") + QLatin1String(kButtonNames[b]));  // "buttonA", "buttonLB"
        buttons_[static_cast<std::size_t>(b)] = box;
        // Two buttons a row, so the box stays low on a small or scaled screen.
        addRow(2 + b / 2, (b % 2) * 2, tr("Button %1").arg(QString::fromLatin1(kButtonNames[b])), box);
    }
    // What the d-pad, the stick, Start and Back do is fixed, as Enter and Esc are.
    int row = 2 + (PadSettings::kButtonCount + 1) / 2;
    for (const QString& text : {tr("D-pad and left stick move, up drops,"), tr("down speeds the fall."),
                                tr("Start continues, Back pauses.")})
        grid->addWidget(new QLabel(text, this), row++, 0, 1, 4);
    grid->setColumnStretch(3, 1);
}

void PadSettingsBox::Show(const PadSettings& pad) {
    delayEdit_->setText(QString::number(pad.delay));
    rateEdit_->setText(QString::number(pad.rate));
    for (std::size_t b = 0; b < buttons_.size(); ++b) buttons_[b]->setCurrentIndex(pad.buttons[b]);
}

std::optional<PadSettings> PadSettingsBox::Read(Prompts& prompts) {
    PadSettings pad;
    const std::optional<int> delay =
        ReadIntegerField(prompts, window(), delayEdit_, PadSettings::kMinDelay, PadSettings::kMaxDelay);
    if (!delay) return std::nullopt;
    const std::optional<int> rate =
        ReadIntegerField(prompts, window(), rateEdit_, PadSettings::kMinRate, PadSettings::kMaxRate);
    if (!rate) return std::nullopt;
    pad.delay = *delay;
    pad.rate = *rate;
    for (std::size_t b = 0; b < buttons_.size(); ++b) pad.buttons[b] = buttons_[b]->currentIndex();
    return pad;
}

}  // namespace vexari
