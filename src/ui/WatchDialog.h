// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <QString>
#include <optional>

#include "net/ServerAddress.h"
#include "settings/Settings.h"
#include "ui/DialogCommon.h"

class QLineEdit;

namespace vexari {

// What the spectator confirmed: the name it watches under and the server.
struct WatchEntries {
    QString name;
    ServerAddress server;
};

// "Watch network game": the name and the server as HOST[:PORT].
class WatchDialog : public QDialog {
    Q_OBJECT
public:
    WatchDialog(const WatchEntries& entries, Prompts& prompts = DefaultPrompts(), QWidget* parent = nullptr);

    // The entries given to the dialog; after OK, what the user confirmed.
    const WatchEntries& Entries() const { return entries_; }

public slots:
    // Stays open while the name is empty or the server cannot be read.
    void accept() override;

private:
    Prompts& prompts_;
    WatchEntries entries_;
    QLineEdit* nameEdit_ = nullptr;
    QLineEdit* serverEdit_ = nullptr;
};

// The Watch command's dialog, filled from the NET settings; on OK the name,
// server and port go into them. Nothing on Cancel.
std::optional<WatchEntries> RunWatchDialog(QWidget* parent, Settings& settings, Prompts& prompts = DefaultPrompts());

}  // namespace vexari
