// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NameEntryDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

#include "settings/HighScoreTable.h"

namespace vexari {

namespace {

// Refuses any change that makes the text longer than the limit, unless it
// makes it shorter than it was (so an over-long text can be cut down).
class ByteLimitValidator : public QValidator {
public:
    ByteLimitValidator(int maxBytes, QLineEdit* edit) : QValidator(edit), maxBytes_(maxBytes) {
        previousBytes_ = static_cast<int>(edit->text().toUtf8().size());
        connect(edit, &QLineEdit::textChanged, this,
                [this](const QString& text) { previousBytes_ = static_cast<int>(text.toUtf8().size()); });
    }
    State validate(QString& input, int&) const override {
        const int bytes = static_cast<int>(input.toUtf8().size());
        return bytes <= maxBytes_ || bytes <= previousBytes_ ? Acceptable : Invalid;
    }

private:
    int maxBytes_;
    int previousBytes_ = 0;
};

}  // namespace

NameEntryDialog::NameEntryDialog(const QString& title, const QString& prompt, const QString& text, int maxBytes,
                                 QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    ApplyDialogLook(this);
    auto* label = new QLabel(prompt, this);
    edit_ = new QLineEdit(this);
    edit_->setText(text);
    edit_->setValidator(new ByteLimitValidator(maxBytes, edit_));
    edit_->selectAll();
    label->setBuddy(edit_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edit_);
    layout->addStretch();
    layout->addWidget(MakeOkCancelButtons(this));
    setMinimumSize(DialogUnits(this, 133, 92));
}

bool AskText(QWidget* parent, const QString& title, const QString& prompt, std::string& buffer, int size,
             Prompts& prompts) {
    NameEntryDialog dialog(title, prompt, QString::fromStdString(buffer), size - 1, parent);
    if (prompts.Exec(dialog) != QDialog::Accepted) return false;
    std::string text = dialog.Edit()->text().toStdString();
    if (size <= 0 || !AcceptAskedText(text, static_cast<std::size_t>(size))) return false;
    buffer = std::move(text);
    return true;
}

}  // namespace vexari
