// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/HighScoreDialog.h"

#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "replay/HighScoreLinks.h"
#include "replay/ReplayCodec.h"
#include "replay/ReplayPlayer.h"
#include "settings/SettingsFile.h"
#include "ui/NameEntryDialog.h"

namespace vexari {

const char* const kResetQuestionText =
    QT_TRANSLATE_NOOP("vexari::HighScoreDialog", "Do you really want to reset high score table");
const char* const kResetCaption = QT_TRANSLATE_NOOP("vexari::HighScoreDialog", "Reseting table");

namespace {

QLabel* MakeIcon(QWidget* parent) {
    auto* icon = new QLabel(parent);
    icon->setPixmap(parent->style()->standardIcon(QStyle::SP_DialogApplyButton).pixmap(24, 24));
    return icon;
}

}  // namespace

HighScoreDialog::HighScoreDialog(const HighScoreTable& table, const QString& message, std::filesystem::path file,
                                 Prompts& prompts, QWidget* parent, std::filesystem::path replayDir)
    : QDialog(parent),
      prompts_(prompts),
      table_(table),
      messageText_(message),
      file_(std::move(file)),
      replayDir_(std::move(replayDir)) {
    setWindowTitle(tr("High Score"));
    ApplyDialogLook(this);

    auto* heading = new QHBoxLayout;
    heading->addWidget(MakeIcon(this));
    heading->addStretch();
    heading->addWidget(new QLabel(tr("H I G H   S C O R E S"), this));
    heading->addStretch();
    heading->addWidget(MakeIcon(this));

    // Names are padded with spaces, so the rows line up in a fixed font.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* grid = new QGridLayout;
    for (int k = 0; k < HighScoreTable::kEntries; ++k) {
        const auto i = static_cast<std::size_t>(k);
        rows_[i] = new QLabel(this);
        scores_[i] = new QLabel(this);
        marks_[i] = new QLabel(this);
        rows_[i]->setObjectName(QStringLiteral("rowLabel%1").arg(k));
        scores_[i]->setObjectName(QStringLiteral("scoreLabel%1").arg(k));
        marks_[i]->setObjectName(QStringLiteral("markLabel%1").arg(k));
        for (QLabel* label : {rows_[i], scores_[i], marks_[i]}) {
            label->setFont(fixed);
            label->installEventFilter(this);
        }
        grid->addWidget(rows_[i], k, 0);
        grid->addWidget(scores_[i], k, 1, Qt::AlignRight);
        grid->addWidget(marks_[i], k, 2);
    }
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("messageLabel"));
    message_->setFont(fixed);

    auto* ok = new QPushButton(tr("O&k"), this);
    auto* reset = new QPushButton(tr("&Reset"), this);
    watch_ = new QPushButton(tr("&Watch"), this);
    watch_->setObjectName(QStringLiteral("watchButton"));
    ok->setDefault(true);
    reset->setAutoDefault(false);
    watch_->setAutoDefault(false);
    watch_->setVisible(!replayDir_.empty());
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(reset, &QPushButton::clicked, this, &HighScoreDialog::ResetScores);
    connect(watch_, &QPushButton::clicked, this, &HighScoreDialog::Watch);
    // Built by hand: a button box cannot keep "O&k" alone at the left edge with "&Watch" and "&Reset" at the right.
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addStretch();
    buttons->addWidget(watch_);
    buttons->addWidget(reset);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addLayout(grid);
    layout->addWidget(message_);
    layout->addLayout(buttons);
    setMinimumSize(DialogUnits(this, 150, 170));

    ShowTable();
}

void HighScoreDialog::ShowTable() {
    for (int k = 0; k < HighScoreTable::kEntries; ++k) {
        const HighScoreEntry& e = table_.entries[static_cast<std::size_t>(k)];
        rows_[static_cast<std::size_t>(k)]->setText(QString::fromStdString(FormatRow(k, e.name)));
        scores_[static_cast<std::size_t>(k)]->setText(QString::fromStdString(FormatScore(e.score)));
    }
    message_->setText(messageText_);
    const HighScoreLinks links = replayDir_.empty() ? HighScoreLinks{} : ReadHighScoreLinks(file_);
    int first = -1;
    for (int k = 0; k < HighScoreTable::kEntries; ++k) {
        const auto i = static_cast<std::size_t>(k);
        replays_[i].clear();
        marks_[i]->clear();
        marks_[i]->setToolTip({});
        const std::optional<std::string> linked = LinkedReplay(links, table_, k);
        if (!linked) continue;
        const std::filesystem::path path = replayDir_ / std::filesystem::path(*linked).filename();
        const ReplayReadResult read = ReadReplayFile(path);
        if (!read.replay) {
            marks_[i]->setText(QStringLiteral("?"));
            marks_[i]->setToolTip(tr("The replay cannot be read: %1").arg(QString::fromStdString(read.error)));
            continue;
        }
        replays_[i] = path;
        if (first < 0) first = k;
        const ReplayVerdict verdict = VerifyReplay(*read.replay);
        const bool proved = verdict.ok && read.replay->claims.score == table_.entries[i].score;
        marks_[i]->setText(proved ? QStringLiteral("\u25B6") : QStringLiteral("\u2717"));
        marks_[i]->setToolTip(proved       ? tr("A replay proves this score: double-click or Watch to see it")
                              : verdict.ok ? tr("The replay makes another score")
                                           : tr("The replay does not prove this score: %1")
                                                 .arg(QString::fromStdString(verdict.message)));
    }
    Select(selected_ >= 0 && !replays_[static_cast<std::size_t>(selected_)].empty() ? selected_ : first);
}

void HighScoreDialog::Select(int k) {
    selected_ = k >= 0 && k < HighScoreTable::kEntries ? k : -1;
    for (int j = 0; j < HighScoreTable::kEntries; ++j) {
        const auto i = static_cast<std::size_t>(j);
        const QString look = j == selected_ ? QStringLiteral("background: #000080; color: white;") : QString();
        for (QLabel* label : {rows_[i], scores_[i], marks_[i]}) label->setStyleSheet(look);
    }
    watch_->setEnabled(selected_ >= 0 && !replays_[static_cast<std::size_t>(selected_)].empty());
}

void HighScoreDialog::Watch() {
    if (selected_ < 0 || replays_[static_cast<std::size_t>(selected_)].empty()) return;
    chosen_ = replays_[static_cast<std::size_t>(selected_)];
    accept();
}

int HighScoreDialog::RowOf(const QObject* label) const {
    for (int k = 0; k < HighScoreTable::kEntries; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (label == rows_[i] || label == scores_[i] || label == marks_[i]) return k;
    }
    return -1;
}

bool HighScoreDialog::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        if (const int k = RowOf(watched); k >= 0) {
            Select(k);
            if (type == QEvent::MouseButtonDblClick) Watch();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void HighScoreDialog::ResetScores() {
    if (!prompts_.AskYesNo(this, tr(kResetQuestionText), tr(kResetCaption), PromptIcon::Question, true)) return;
    const SaveResult saved = ResetHighScores(file_, table_);
    if (!saved) prompts_.Message(this, SaveFailureMessage(saved));
    ShowTable();
}

std::optional<std::filesystem::path> ShowHighScores(QWidget* parent, bool newScore, int score,
                                                    std::string& playerName, const std::string& highScorePath,
                                                    Prompts& prompts, const HighScoreReplays& replays) {
    const std::filesystem::path file = ResolveHighScorePath(highScorePath);
    const AskNameFn askName = [&](std::string& text, std::size_t size) {
        return AskText(parent, HighScoreDialog::tr("New High Score"), HighScoreDialog::tr("Enter your name:"), text,
                       static_cast<int>(size), prompts);
    };
    const HighScoreView view = PrepareHighScores(file, newScore, score, playerName, askName);
    if (!view.saved) prompts.Message(parent, SaveFailureMessage(view.saved));
    if (view.saved && view.enteredRank >= 0 && !replays.newFile.empty()) {
        HighScoreLinks links = ReadHighScoreLinks(file);
        EnterLink(links, view.enteredRank, view.table.entries[static_cast<std::size_t>(view.enteredRank)],
                  replays.newFile);
        if (const SaveResult linked = WriteHighScoreLinks(file, links); !linked)
            prompts.Message(parent, SaveFailureMessage(linked));
    }
    HighScoreDialog dialog(view.table, QString::fromStdString(view.message), file, prompts, parent, replays.dir);
    if (view.enteredRank >= 0) dialog.Select(view.enteredRank);
    if (prompts.Exec(dialog) != QDialog::Accepted) return std::nullopt;
    return dialog.Chosen();
}

}  // namespace vexari
