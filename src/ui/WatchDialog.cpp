// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WatchDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "settings/IniFile.h"
#include "settings/SettingsFile.h"
#include "ui/JoinDialog.h"

namespace vexari {

WatchDialog::WatchDialog(const WatchEntries& entries, Prompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts), entries_(entries) {
    setWindowTitle(tr("Watch network game"));
    ApplyDialogLook(this);

    nameEdit_ = new QLineEdit(entries_.name, this);
    nameEdit_->setObjectName(QStringLiteral("nameEdit"));
    nameEdit_->setMaxLength(JoinDialog::kMaxName);
    serverEdit_ = new QLineEdit(
        entries_.server.host.empty() ? QString() : QString::fromStdString(FormatServerAddress(entries_.server)), this);
    serverEdit_->setObjectName(QStringLiteral("serverEdit"));
    serverEdit_->setMaxLength(JoinDialog::kMaxServer);
    auto* form = new QFormLayout;
    form->addRow(tr("Your &name"), nameEdit_);
    form->addRow(tr("&Server (host:port)"), serverEdit_);

    QDialogButtonBox* buttons = MakeOkCancelButtons(this);

    auto* note = new QLabel(tr("You see every player's well, the tables and the chat, and never play."), this);
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
    setMinimumWidth(DialogUnits(this, 186, 0).width());
    (entries_.name.isEmpty() ? nameEdit_ : serverEdit_)->setFocus(Qt::OtherFocusReason);
}

void WatchDialog::accept() {
    const QString name = nameEdit_->text().trimmed();
    const auto server = ParseServerAddress(serverEdit_->text().trimmed().toStdString(), entries_.server.port);
    QLineEdit* wrong = name.isEmpty() ? nameEdit_ : !server ? serverEdit_ : nullptr;
    if (wrong) {
        prompts_.Message(this, wrong == nameEdit_ ? tr("Please enter your name.")
                                                  : tr("Please enter the server as HOST or HOST:PORT."));
        wrong->setFocus(Qt::OtherFocusReason);
        wrong->selectAll();
        return;
    }
    entries_ = {name, *server};
    QDialog::accept();
}

std::optional<WatchEntries> RunWatchDialog(QWidget* parent, Settings& settings, Prompts& prompts) {
    WatchDialog dialog({QString::fromStdString(settings.playerName), {settings.server, settings.port}}, prompts,
                       parent);
    if (prompts.Exec(dialog) != QDialog::Accepted) return std::nullopt;
    const WatchEntries& entries = dialog.Entries();
    // The same limits as the settings file's fields.
    settings.playerName = CutText(entries.name.toStdString(), kPlayerNameSize - 1);
    settings.server = CutText(entries.server.host, kServerSize - 1);
    settings.port = entries.server.port;
    return entries;
}

}  // namespace vexari
