// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "settings/HighScoreTable.h"
#include "ui/DialogCommon.h"

class QLabel;
class QPushButton;

namespace vexari {

// "High Score": the ten entries, a message line, "O&k", "&Watch" and
// "&Reset". With a replay folder, an entry whose replay (see HighScoreLinks)
// is there is marked, verified when the dialog opens: a mark for a replay
// that proves the entry, another for one that does not; a click chooses an
// entry, a double-click or "&Watch" closes the dialog to play its replay.
class HighScoreDialog : public QDialog {
    Q_OBJECT
public:
    HighScoreDialog(const HighScoreTable& table, const QString& message, std::filesystem::path file,
                    Prompts& prompts = DefaultPrompts(), QWidget* parent = nullptr,
                    std::filesystem::path replayDir = {});

    // The entry chosen (-1: none); choosing one with a replay enables "&Watch".
    void Select(int k);
    // The replay to watch, once "&Watch" closed the dialog.
    std::optional<std::filesystem::path> Chosen() const { return chosen_; }

public slots:
    // Asks, and on Yes empties the table, writes it (telling when that
    // fails) and shows it again.
    void ResetScores();
    void Watch();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowTable();
    int RowOf(const QObject* label) const;

    Prompts& prompts_;
    HighScoreTable table_;
    QString messageText_;
    std::filesystem::path file_;
    std::array<QLabel*, HighScoreTable::kEntries> rows_{};
    std::array<QLabel*, HighScoreTable::kEntries> scores_{};
    std::array<QLabel*, HighScoreTable::kEntries> marks_{};
    std::array<std::filesystem::path, HighScoreTable::kEntries> replays_{};  // playable replays
    QLabel* message_ = nullptr;
    QPushButton* watch_ = nullptr;
    std::filesystem::path replayDir_;
    int selected_ = -1;
    std::optional<std::filesystem::path> chosen_;
};

// The replays beside the table: where they are, and the file name of the
// game that just ended, which the entry it makes links to.
struct HighScoreReplays {
    std::filesystem::path dir;
    std::string newFile;
};

// The question of "&Reset" and its caption.
extern const char* const kResetQuestionText;
extern const char* const kResetCaption;

// The end of a game that is not a network game (newScore when the game was
// eligible), the High Score command and the "Score" label (newScore false).
// Reads the table from the file named by the HIGH_SCORE setting highScorePath,
// offers score for entry with the name dialog pre-filled with playerName
// (which an accepted name replaces), writes the table back (telling when that
// fails) and shows it. A new entry links replays.newFile; returns the replay
// chosen to watch.
std::optional<std::filesystem::path> ShowHighScores(QWidget* parent, bool newScore, int score,
                                                    std::string& playerName, const std::string& highScorePath,
                                                    Prompts& prompts = DefaultPrompts(),
                                                    const HighScoreReplays& replays = {});

}  // namespace vexari
