// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <QString>
#include <optional>

#include "settings/Settings.h"
#include "ui/DialogCommon.h"

class QLineEdit;
class QPushButton;

namespace vexari {

// What the player confirmed in the network game dialog.
struct JoinEntries {
    QString name;
    QString team;
    QString server;
    int port = 7000;
};

// "Network game": the player's name and team, the server's address and port,
// and the note about computer players.
class JoinDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxName = 19;
    static constexpr int kMaxTeam = 19;
    static constexpr int kMaxServer = 99;

    // When hosting, "Connect to" shows the entries' server read-only.
    JoinDialog(const JoinEntries& entries, bool hosting, Prompts& prompts = DefaultPrompts(),
               QWidget* parent = nullptr);

    // The entries given to the dialog; after OK, what the user confirmed.
    const JoinEntries& Entries() const { return entries_; }


public slots:
    // Stays open while the port is not a whole number.
    void accept() override;

private:
    Prompts& prompts_;
    JoinEntries entries_;
    QLineEdit* nameEdit_ = nullptr;
    QLineEdit* teamEdit_ = nullptr;
    QLineEdit* serverEdit_ = nullptr;
    QLineEdit* portEdit_ = nullptr;
};

// The text below the buttons.
extern const char* const kComputerPlayerNote;

// The Create and Join commands' dialog, filled from the NET settings; when
// hosting, "Connect to" shows 127.0.0.1 read-only. Nothing on Cancel.
std::optional<JoinEntries> RunJoinDialog(QWidget* parent, bool hosting, const Settings& settings,
                                         Prompts& prompts = DefaultPrompts());

}  // namespace vexari
