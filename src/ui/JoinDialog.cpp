// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/JoinDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexari {

const char* const kComputerPlayerNote = QT_TRANSLATE_NOOP(
    "vexari::JoinDialog",
    "Attention! If you start \"Your name\" with \"Comp\", then the computer will play for you. Digit right after "
    "\"Comp\" will be computer speed.");

namespace {
const QString kLocalAddress = QStringLiteral("127.0.0.1");
}  // namespace

JoinDialog::JoinDialog(const JoinEntries& entries, bool hosting, Prompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts), entries_(entries) {
    setWindowTitle(tr("Network game"));
    ApplyDialogLook(this);

    auto makeEdit = [this](const QString& text, int maxLength, const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setMaxLength(maxLength);
        edit->setText(text);
        return edit;
    };
    nameEdit_ = makeEdit(entries_.name, kMaxName, "nameEdit");
    teamEdit_ = makeEdit(entries_.team, kMaxTeam, "teamEdit");
    serverEdit_ = makeEdit(entries_.server, kMaxServer, "serverEdit");
    serverEdit_->setReadOnly(hosting);
    portEdit_ = new QLineEdit(QString::number(entries_.port), this);
    portEdit_->setObjectName(QStringLiteral("portEdit"));

    auto* grid = new QGridLayout;
    const std::pair<QString, QLineEdit*> rows[] = {{tr("Your name"), nameEdit_},
                                                   {tr("Team"), teamEdit_},
                                                   {tr("Connect to"), serverEdit_},
                                                   {tr("Port"), portEdit_}};
    int row = 0;
    for (const auto& [text, edit] : rows) {
        auto* label = new QLabel(text, this);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        ++row;
    }
    grid->setColumnStretch(1, 1);

    QDialogButtonBox* buttons = MakeOkCancelButtons(this);
    buttons->setCenterButtons(true);

    auto* note = new QLabel(tr(kComputerPlayerNote), this);
    note->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    layout->addWidget(note);
    setMinimumWidth(DialogUnits(this, 186, 0).width());
    nameEdit_->setFocus(Qt::OtherFocusReason);
}

void JoinDialog::accept() {
    const std::optional<int> port = ReadIntegerField(prompts_, this, portEdit_, 0, 0, false);
    if (!port) return;
    entries_.name = nameEdit_->text();
    entries_.team = teamEdit_->text();
    entries_.server = serverEdit_->text();
    entries_.port = *port;
    QDialog::accept();
}

std::optional<JoinEntries> RunJoinDialog(QWidget* parent, bool hosting, const Settings& settings, Prompts& prompts) {
    JoinEntries entries;
    entries.name = QString::fromStdString(settings.playerName);
    entries.team = QString::fromStdString(settings.team);
    entries.server = hosting ? kLocalAddress : QString::fromStdString(settings.server);
    entries.port = settings.port;
    JoinDialog dialog(entries, hosting, prompts, parent);
    if (prompts.Exec(dialog) != QDialog::Accepted) return std::nullopt;
    return dialog.Entries();
}

}  // namespace vexari
