// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <filesystem>
#include <optional>
#include <vector>

#include "replay/ReplayLibrary.h"
#include "ui/DialogCommon.h"

class QTreeWidget;
class QPushButton;

namespace vexari {

// "Replays": the recorded games, newest first (date, player, score, lines,
// height, single, demo or network), "&Watch" for the chosen one (or a
// double-click) and "&Close"; a line tells the playback keys.
class ReplaysDialog : public QDialog {
    Q_OBJECT
public:
    ReplaysDialog(std::vector<ReplayListing> listings, const QString& keysText, QWidget* parent = nullptr);

    // The replay to watch, once the dialog was accepted.
    std::optional<std::filesystem::path> Chosen() const { return chosen_; }

public slots:
    void Watch();

private:
    std::vector<ReplayListing> listings_;
    QTreeWidget* list_ = nullptr;
    QPushButton* watch_ = nullptr;
    std::optional<std::filesystem::path> chosen_;
};

// Game > Replays...: the games in `dir`; the replay chosen to watch.
std::optional<std::filesystem::path> RunReplaysDialog(QWidget* parent, const std::filesystem::path& dir,
                                                      const QString& keysText, Prompts& prompts = DefaultPrompts());

// "Single", "Demo" or "Network", translated.
QString KindText(ReplayKind kind);

}  // namespace vexari
