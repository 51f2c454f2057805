// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DemoParametersDialog.h"

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

const char* const kCannotOpenFileText = QT_TRANSLATE_NOOP("vexari::DemoParametersDialog", "Cannot open this file");

namespace {

const char* const kCriterionTexts[DemoWeights::kCriteria] = {
    QT_TRANSLATE_NOOP("vexari::DemoParametersDialog", "Not to make new holes"),
    QT_TRANSLATE_NOOP("vexari::DemoParametersDialog", "To shovel away old holes"),
    QT_TRANSLATE_NOOP("vexari::DemoParametersDialog", "To place figures with maximum cohesion with relief"),
    QT_TRANSLATE_NOOP("vexari::DemoParametersDialog", "Not to make long one-element gaps"),
    QT_TRANSLATE_NOOP("vexari::DemoParametersDialog", "Not to make long two-element gaps"),
    QT_TRANSLATE_NOOP("vexari::DemoParametersDialog", "To make smooth surface"),
    QT_TRANSLATE_NOOP("vexari::DemoParametersDialog", "To place figures lower"),
    QT_TRANSLATE_NOOP("vexari::DemoParametersDialog", "To remove more than one line in once"),
};

// Where each value sits in the "Try" group: column, row.
constexpr int kColumn[DemoWeights::kCriteria] = {0, 1, 0, 0, 1, 0, 1, 1};
constexpr int kRow[DemoWeights::kCriteria] = {0, 0, 1, 2, 2, 3, 1, 3};

}  // namespace

FileDialogRequest DemoParametersDialog::FileRequest() {
    FileDialogRequest r;
    r.initialPath = QStringLiteral("MyParams");
    r.defaultSuffix = QStringLiteral("dem");
    r.filters = {tr("Demo parameters files (*.dem)"), tr("All files (*.*)")};
    return r;
}

DemoParametersDialog::DemoParametersDialog(const DemoDialogData& data, Prompts& prompts, QWidget* parent)
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
    for (int i = 0; i < DemoWeights::kCriteria; ++i) {
        auto* edit = new QLineEdit(group);
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

    auto* ok = new QPushButton(tr("OK"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    auto* load = new QPushButton(tr("Load"), this);
    auto* save = new QPushButton(tr("Save"), this);
    auto* defaults = new QPushButton(tr("Default"), this);
    for (QPushButton* b : {ok, cancel, load, save, defaults}) b->setAutoDefault(false);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &DemoParametersDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &DemoParametersDialog::reject);
    connect(load, &QPushButton::clicked, this, &DemoParametersDialog::LoadFromFile);
    connect(save, &QPushButton::clicked, this, &DemoParametersDialog::SaveToFile);
    connect(defaults, &QPushButton::clicked, this, &DemoParametersDialog::RestoreDefaults);
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

void DemoParametersDialog::ShowData() {
    learnBox_->setChecked(data_.learnMode);
    for (std::size_t i = 0; i < edits_.size(); ++i) edits_[i]->setText(QString::number(data_.values[i]));
}

bool DemoParametersDialog::ReadControls() {
    data_.learnMode = learnBox_->isChecked();
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        const std::optional<int> v = ReadIntegerField(prompts_, this, edits_[i], 0, 0, false);
        if (!v) return false;
        data_.values[i] = *v;
    }
    return true;
}

void DemoParametersDialog::accept() {
    if (ReadControls()) QDialog::accept();
}

void DemoParametersDialog::RestoreDefaults() {
    data_.values = DefaultDemoValues();
    ShowData();
}

void DemoParametersDialog::SaveToFile() {
    ReadControls();  // a refused field is reported; the rest is saved as it stands
    const std::optional<QString> path = prompts_.SaveFile(this, FileRequest());
    if (!path) return;
    const SaveResult saved = WriteDemoFile(path->toStdString(), data_.values);
    if (!saved) prompts_.Message(this, SaveFailureMessage(saved));
}

void DemoParametersDialog::LoadFromFile() {
    const std::optional<QString> path = prompts_.OpenFile(this, FileRequest());
    if (!path) return;
    DemoValues values = data_.values;
    if (!ReadDemoFile(path->toStdString(), values).opened) {
        prompts_.Message(this, tr(kCannotOpenFileText));
        return;
    }
    data_.values = values;
    ShowData();
}

bool RunDemoParametersDialog(QWidget* parent, DemoWeights& weights, bool& learnMode, Prompts& prompts) {
    ScaleWeightsForDialog(weights);
    DemoDialogData data;
    data.values = DialogValuesFromWeights(weights);
    data.learnMode = learnMode;
    DemoParametersDialog dialog(data, prompts, parent);
    if (prompts.Exec(dialog) != QDialog::Accepted) return false;
    ApplyDialogValues(dialog.Data(), weights, learnMode);
    return true;
}

}  // namespace vexari
