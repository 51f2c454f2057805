// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ComputerWeightsDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace vexari {

const char* const kCannotOpenFileText = QT_TRANSLATE_NOOP("vexari::ComputerWeightsDialog", "Cannot open this file");

namespace {

const char* const kCriterionTexts[ComputerWeights::kCriteria] = {
    QT_TRANSLATE_NOOP("vexari::ComputerWeightsDialog", "Not to make new holes"),
    QT_TRANSLATE_NOOP("vexari::ComputerWeightsDialog", "To shovel away old holes"),
    QT_TRANSLATE_NOOP("vexari::ComputerWeightsDialog", "To place figures with maximum cohesion with relief"),
    QT_TRANSLATE_NOOP("vexari::ComputerWeightsDialog", "Not to make long one-element gaps"),
    QT_TRANSLATE_NOOP("vexari::ComputerWeightsDialog", "Not to make long two-element gaps"),
    QT_TRANSLATE_NOOP("vexari::ComputerWeightsDialog", "To make smooth surface"),
    QT_TRANSLATE_NOOP("vexari::ComputerWeightsDialog", "To place figures lower"),
    QT_TRANSLATE_NOOP("vexari::ComputerWeightsDialog", "To remove more than one line in once"),
};

// Where each value sits in the "Try" group: column, row.
constexpr int kColumn[ComputerWeights::kCriteria] = {0, 1, 0, 0, 1, 0, 1, 1};
constexpr int kRow[ComputerWeights::kCriteria] = {0, 0, 1, 2, 2, 3, 1, 3};

}  // namespace

FileDialogRequest ComputerWeightsDialog::FileRequest() {
    FileDialogRequest r;
    r.initialPath = QStringLiteral("MyParams");
    r.defaultSuffix = QStringLiteral("dem");
    r.filters = {tr("Demo parameters files (*.dem)"), tr("All files (*.*)")};
    return r;
}

ComputerWeightsDialog::ComputerWeightsDialog(const WeightsDialogData& data, Prompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts), data_(data) {
    setWindowTitle(tr("Demo parameters"));
    ApplyDialogLook(this);

    auto* intro = new QLabel(tr("In demo mode computer tries to satisfy certain criteria. You can tell "
                                            "him the importance of each criterion by modifying this numbers:"),
                             this);
    intro->setWordWrap(true);

    auto* group = new QGroupBox(tr("Try"), this);
    auto* grid = new QGridLayout(group);
    const int editWidth = DialogUnits(this, 30, 12).width();
    for (int i = 0; i < ComputerWeights::kCriteria; ++i) {
        auto* edit = new QLineEdit(group);
        edit->setObjectName(QStringLiteral("valueEdit%1").arg(i));  // in the order of the weights
        edit->setFixedWidth(editWidth);
        auto* label = new QLabel(tr(kCriterionTexts[i]), group);
        label->setWordWrap(true);
        label->setBuddy(edit);
        grid->addWidget(edit, kRow[i], kColumn[i] * 2);
        grid->addWidget(label, kRow[i], kColumn[i] * 2 + 1);
        edits_[static_cast<std::size_t>(i)] = edit;
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    learnBox_ = new QCheckBox(tr("\"Learn from me\" mode (in this mode computer will try to compute "
                                             "this numbers from your play)"),
                              this);

    learnBox_->setObjectName(QStringLiteral("learnBox"));
    auto* ok = new QPushButton(tr("OK"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    auto* load = new QPushButton(tr("Load"), this);
    auto* save = new QPushButton(tr("Save"), this);
    auto* defaults = new QPushButton(tr("Default"), this);
    for (QPushButton* b : {ok, cancel, load, save, defaults}) b->setAutoDefault(false);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &ComputerWeightsDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &ComputerWeightsDialog::reject);
    connect(load, &QPushButton::clicked, this, &ComputerWeightsDialog::LoadFromFile);
    connect(save, &QPushButton::clicked, this, &ComputerWeightsDialog::SaveToFile);
    connect(defaults, &QPushButton::clicked, this, &ComputerWeightsDialog::RestoreDefaults);
    // Built by hand: a button box would separate OK from Cancel with Load and Save between them and send Default to
    // the far left, where this row keeps the five in their order across the dialog's width.
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {ok, cancel, load, save, defaults}) buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(group);
    layout->addWidget(learnBox_);
    layout->addLayout(buttons);
    const QMargins margins = layout->contentsMargins();
    setMinimumWidth(std::max(DialogUnits(this, 292, 186).width(),
                             learnBox_->sizeHint().width() + margins.left() + margins.right()));

    ShowData();
}

void ComputerWeightsDialog::ShowData() {
    learnBox_->setChecked(data_.learnMode);
    for (std::size_t i = 0; i < edits_.size(); ++i) edits_[i]->setText(QString::number(data_.values[i]));
}

bool ComputerWeightsDialog::ReadControls() {
    data_.learnMode = learnBox_->isChecked();
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        const std::optional<int> v = ReadIntegerField(prompts_, this, edits_[i], 0, 0, false);
        if (!v) return false;
        data_.values[i] = *v;
    }
    return true;
}

void ComputerWeightsDialog::accept() {
    if (ReadControls()) QDialog::accept();
}

void ComputerWeightsDialog::RestoreDefaults() {
    data_.values = DefaultWeightValues();
    ShowData();
}

void ComputerWeightsDialog::SaveToFile() {
    ReadControls();  // a refused field is reported; the rest is saved as it stands
    const std::optional<QString> path = prompts_.SaveFile(this, FileRequest());
    if (!path) return;
    const SaveResult saved = WriteWeightsFile(path->toStdString(), data_.values);
    if (!saved) prompts_.Message(this, SaveFailureMessage(saved));
}

void ComputerWeightsDialog::LoadFromFile() {
    const std::optional<QString> path = prompts_.OpenFile(this, FileRequest());
    if (!path) return;
    WeightValues values = data_.values;
    if (!ReadWeightsFile(path->toStdString(), values).opened) {
        prompts_.Message(this, tr(kCannotOpenFileText));
        return;
    }
    data_.values = values;
    ShowData();
}

bool RunComputerWeightsDialog(QWidget* parent, ComputerWeights& weights, bool& learnMode, Prompts& prompts) {
    ScaleWeightsForDialog(weights);
    WeightsDialogData data;
    data.values = DialogValuesFromWeights(weights);
    data.learnMode = learnMode;
    ComputerWeightsDialog dialog(data, prompts, parent);
    if (prompts.Exec(dialog) != QDialog::Accepted) return false;
    ApplyDialogValues(dialog.Data(), weights, learnMode);
    return true;
}

}  // namespace vexari
