// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NetworkOptionsDialog.h"

#include "net/GameClient.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "game/GameRules.h"

namespace vexari {

const char* const kNotCountText =
    QT_TRANSLATE_NOOP("vexari::NetworkOptionsDialog", "Please enter a whole number that is not negative.");

namespace {

const char* const kThrowModeTexts[NetworkOptionsDialog::kThrowModes] = {
    QT_TRANSLATE_NOOP("vexari::NetworkOptionsDialog", "All"),
    QT_TRANSLATE_NOOP("vexari::NetworkOptionsDialog", "Most strong"),
    QT_TRANSLATE_NOOP("vexari::NetworkOptionsDialog", "Most weak"),
    QT_TRANSLATE_NOOP("vexari::NetworkOptionsDialog", "Random"),
    QT_TRANSLATE_NOOP("vexari::NetworkOptionsDialog", "Random dispatch")};
// A field that takes a count: refuses a negative number as it refuses text,
// then reads it as any integer field up to `high`.
std::optional<int> ReadCountField(Prompts& prompts, QWidget* parent, QLineEdit* field,
                                  int high = std::numeric_limits<int>::max()) {
    const std::optional<int> value = ParseWholeNumber(field->text());
    if (value && *value < 0) {
        prompts.Message(parent, NetworkOptionsDialog::tr(kNotCountText));
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
        return std::nullopt;
    }
    return ReadIntegerField(prompts, parent, field, 0, high);
}

}  // namespace

NetworkOptionsDialog::NetworkOptionsDialog(const NetOptions& options, Prompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts), values_(options) {
    setWindowTitle(tr("Network game options"));
    ApplyDialogLook(this);

    const int editWidth = DialogUnits(this, 30, 12).width();
    auto makeEdit = [&](int value, const char* name) {
        auto* edit = new QLineEdit(QString::number(value), this);
        edit->setObjectName(QLatin1String(name));
        edit->setFixedWidth(editWidth);
        return edit;
    };
    // A caption, the field and an optional unit after it, on one row.
    auto makeRow = [this](const QString& caption, QLineEdit* edit, const QString& unit = {}) {
        auto* row = new QHBoxLayout;
        auto* label = new QLabel(caption, this);
        label->setBuddy(edit);
        row->addWidget(label);
        row->addWidget(edit);
        if (!unit.isEmpty()) row->addWidget(new QLabel(unit, this));
        row->addStretch();
        return row;
    };

    QWidget* playerGroup = MakeThrowGroup(tr("In the team throw to player"), QStringLiteral("playerThrow"),
                                          playerThrow_, values_.playerThrow);
    QWidget* teamGroup =
        MakeThrowGroup(tr("Throw to team"), QStringLiteral("teamThrow"), teamThrow_, values_.teamThrow);
    playerWinScores_ = makeEdit(values_.playerWinScores, "playerWinScoresEdit");
    teamWinScores_ = makeEdit(values_.teamWinScores, "teamWinScoresEdit");
    playTill_ = makeEdit(values_.playTill, "playTillEdit");
    startIn_ = makeEdit(values_.countdownSeconds, "startInEdit");
    height_ = makeEdit(ShownWellHeight(values_.height), "heightEdit");
    trace_ = new QCheckBox(tr("Send trace messages"), this);
    trace_->setObjectName(QStringLiteral("traceBox"));
    trace_->setChecked(values_.traceMessages != 0);

    levelBar_ = new LevelBar(LevelOfFallPeriod(values_.fallPeriod), this);
    levelLabel_ = new QLabel(this);
    levelBar_->ShowLevelOn(levelLabel_, false);

    auto* groups = new QGridLayout;
    groups->addWidget(playerGroup, 0, 0);
    groups->addWidget(teamGroup, 0, 1);
    groups->addLayout(makeRow(tr("Player win scores"), playerWinScores_), 1, 0);
    groups->addLayout(makeRow(tr("Team win scores"), teamWinScores_), 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(makeRow(tr("Play till"), playTill_, tr("scores")));
    layout->addLayout(makeRow(tr("Start in"), startIn_, tr("seconds")));
    layout->addLayout(makeRow(tr("Height"), height_));
    layout->addWidget(trace_);
    layout->addWidget(levelLabel_);
    layout->addWidget(levelBar_);
    layout->addWidget(MakeOkCancelButtons(this));
}

QWidget* NetworkOptionsDialog::MakeThrowGroup(const QString& title, const QString& name, ThrowButtons& buttons,
                                              int checked) {
    auto* group = new QGroupBox(title, this);
    auto* column = new QVBoxLayout(group);
    for (int mode = 0; mode < kThrowModes; ++mode) {
        auto* button = new QRadioButton(tr(kThrowModeTexts[mode]), group);
        button->setObjectName(name + QString::number(mode));
        button->setChecked(mode == checked);
        column->addWidget(button);
        buttons[static_cast<std::size_t>(mode)] = button;
    }
    return group;
}

int NetworkOptionsDialog::CheckedMode(const ThrowButtons& buttons, int otherwise) {
    for (int mode = 0; mode < kThrowModes; ++mode)
        if (buttons[static_cast<std::size_t>(mode)]->isChecked()) return mode;
    return otherwise;  // a stored mode out of range checks no button
}

int NetworkOptionsDialog::Level() const { return levelBar_->Level(); }

void NetworkOptionsDialog::accept() {
    NetOptions v = values_;
    v.playerThrow = CheckedMode(playerThrow_, values_.playerThrow);
    const auto playerWinScores = ReadCountField(prompts_, this, playerWinScores_);
    if (!playerWinScores) return;
    const auto teamWinScores = ReadCountField(prompts_, this, teamWinScores_);
    if (!teamWinScores) return;
    v.teamThrow = CheckedMode(teamThrow_, values_.teamThrow);
    const auto playTill = ReadCountField(prompts_, this, playTill_);
    if (!playTill) return;
    const auto countdownSeconds = ReadCountField(prompts_, this, startIn_, kMaxCountdownSeconds);
    if (!countdownSeconds) return;
    const auto height = ReadIntegerField(prompts_, this, height_, kMinShownWellHeight, kMaxShownWellHeight);
    if (!height) return;
    v.playerWinScores = *playerWinScores;
    v.teamWinScores = *teamWinScores;
    v.playTill = *playTill;
    v.countdownSeconds = *countdownSeconds;
    v.height = WellHeightOfShown(*height);
    v.traceMessages = trace_->isChecked() ? 1 : 0;
    v.fallPeriod = FallPeriodOfLevel(Level());
    values_ = v;
    QDialog::accept();
}

bool RunNetworkOptionsDialog(QWidget* parent, Settings& settings, Prompts& prompts) {
    NetworkOptionsDialog dialog(OptionsFromSettings(settings), prompts, parent);
    if (prompts.Exec(dialog) != QDialog::Accepted) return false;
    StoreOptions(settings, dialog.Values());
    return true;
}

}  // namespace vexari
