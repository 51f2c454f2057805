#pragma once
#include <QDialog>
#include <array>
#include <filesystem>
#include <string>

#include "settings/HighScoreTable.h"
#include "ui/DialogCommon.h"

class QLabel;

namespace vexari {

// "High Score": the ten entries, a message line, "O&k" and "&Reset".
class HighScoreDialog : public QDialog {
    Q_OBJECT
public:
    HighScoreDialog(const HighScoreTable& table, const QString& message, std::filesystem::path file,
                    Prompts& prompts = DefaultPrompts(), QWidget* parent = nullptr);

    const HighScoreTable& Table() const { return table_; }
    QLabel* RowLabel(int k) const { return rows_[static_cast<std::size_t>(k)]; }
    QLabel* ScoreLabel(int k) const { return scores_[static_cast<std::size_t>(k)]; }
    QLabel* MessageLabel() const { return message_; }

public slots:
    // Asks, and on Yes empties the table, writes it (telling when that
    // fails) and shows it again.
    void ResetScores();

private:
    void ShowTable();

    Prompts& prompts_;
    HighScoreTable table_;
    QString messageText_;
    std::filesystem::path file_;
    std::array<QLabel*, HighScoreTable::kEntries> rows_{};
    std::array<QLabel*, HighScoreTable::kEntries> scores_{};
    QLabel* message_ = nullptr;
};

// The question of "&Reset" and its caption.
extern const char* const kResetQuestionText;
extern const char* const kResetCaption;

// The end of a game that is not a network game (newScore when the game was
// eligible), the High Score command and the "Score" label (newScore false).
// Reads the table from the file named by the HIGH_SCORE setting highScorePath,
// offers score for entry with the name dialog pre-filled with playerName
// (which an accepted name replaces), writes the table back (telling when that
// fails) and shows it.
void ShowHighScores(QWidget* parent, bool newScore, int score, std::string& playerName,
                    const std::string& highScorePath, Prompts& prompts = DefaultPrompts());

}  // namespace vexari
