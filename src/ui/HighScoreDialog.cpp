#include "ui/HighScoreDialog.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

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
                                 Prompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts), table_(table), messageText_(message), file_(std::move(file)) {
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
        rows_[static_cast<std::size_t>(k)] = new QLabel(this);
        scores_[static_cast<std::size_t>(k)] = new QLabel(this);
        rows_[static_cast<std::size_t>(k)]->setFont(fixed);
        scores_[static_cast<std::size_t>(k)]->setFont(fixed);
        grid->addWidget(rows_[static_cast<std::size_t>(k)], k, 0);
        grid->addWidget(scores_[static_cast<std::size_t>(k)], k, 1, Qt::AlignRight);
    }
    message_ = new QLabel(this);
    message_->setFont(fixed);

    auto* ok = new QPushButton(tr("O&k"), this);
    auto* reset = new QPushButton(tr("&Reset"), this);
    ok->setDefault(true);
    reset->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(reset, &QPushButton::clicked, this, &HighScoreDialog::ResetScores);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addStretch();
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
}

void HighScoreDialog::ResetScores() {
    if (!prompts_.AskYesNo(this, tr(kResetQuestionText), tr(kResetCaption), PromptIcon::Question, true)) return;
    const SaveResult saved = ResetHighScores(file_, table_);
    if (!saved) prompts_.Message(this, QString::fromStdString(saved.Message()));
    ShowTable();
}

void ShowHighScores(QWidget* parent, bool newScore, int score, std::string& playerName,
                    const std::string& highScorePath, Prompts& prompts) {
    const std::filesystem::path file = ResolveHighScorePath(highScorePath);
    const AskNameFn askName = [&](std::string& text, std::size_t size) {
        return AskText(parent, HighScoreDialog::tr("New High Score"), HighScoreDialog::tr("Enter your name:"), text,
                       static_cast<int>(size), prompts);
    };
    const HighScoreView view = PrepareHighScores(file, newScore, score, playerName, askName);
    if (!view.saved) prompts.Message(parent, QString::fromStdString(view.saved.Message()));
    HighScoreDialog dialog(view.table, QString::fromStdString(view.message), file, prompts, parent);
    prompts.Exec(dialog);
}

}  // namespace vexari
