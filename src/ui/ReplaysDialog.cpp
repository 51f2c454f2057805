// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ReplaysDialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

namespace vexari {

QString KindText(ReplayKind kind) {
    switch (kind) {
    case ReplayKind::Network:
        return ReplaysDialog::tr("Network");
    case ReplayKind::Demo:
        return ReplaysDialog::tr("Demo");
    default:
        return ReplaysDialog::tr("Single");
    }
}

ReplaysDialog::ReplaysDialog(std::vector<ReplayListing> listings, const QString& keysText, QWidget* parent)
    : QDialog(parent), listings_(std::move(listings)) {
    setWindowTitle(tr("Replays"));
    ApplyDialogLook(this);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("replayList"));
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->setHeaderLabels({tr("Date"), tr("Player"), tr("Score"), tr("Lines"), tr("Height"), tr("Game")});
    for (const ReplayListing& l : listings_) {
        auto* item = new QTreeWidgetItem(list_);
        if (!l.readable) {
            item->setText(0, QString::fromStdString(l.path.filename().string()));
            item->setText(1, tr("cannot be read"));
            item->setToolTip(1, QString::fromStdString(l.error));
            item->setFlags(Qt::ItemIsEnabled);
            continue;
        }
        item->setText(0, QDateTime::fromSecsSinceEpoch(l.recordedAt).toString(QStringLiteral("yyyy-MM-dd hh:mm")));
        item->setText(1, QString::fromStdString(l.player));
        item->setText(2, QString::number(l.score));
        item->setText(3, QString::number(l.lines));
        item->setText(4, QString::number(l.height));
        item->setText(5, KindText(l.kind));
        for (int c = 2; c <= 4; ++c) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &ReplaysDialog::Watch);

    auto* keys = new QLabel(listings_.empty() ? tr("No games have been recorded yet.") : keysText, this);
    keys->setWordWrap(true);
    QDialogButtonBox* buttons = MakeButtonRow(this);
    watch_ = buttons->addButton(tr("&Watch"), QDialogButtonBox::AcceptRole);
    QPushButton* close = buttons->addButton(tr("&Close"), QDialogButtonBox::RejectRole);
    watch_->setDefault(true);
    close->setAutoDefault(false);
    watch_->setEnabled(!listings_.empty());
    connect(watch_, &QPushButton::clicked, this, &ReplaysDialog::Watch);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(keys);
    layout->addWidget(buttons);
    setMinimumSize(DialogUnits(this, 260, 160));
}

void ReplaysDialog::Watch() {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0 || !listings_[static_cast<std::size_t>(row)].readable) return;
    chosen_ = listings_[static_cast<std::size_t>(row)].path;
    accept();
}

std::optional<std::filesystem::path> RunReplaysDialog(QWidget* parent, const std::filesystem::path& dir,
                                                      const QString& keysText, Prompts& prompts) {
    ReplaysDialog dialog(ReplayLibrary(dir).List(), keysText, parent);
    if (prompts.Exec(dialog) != QDialog::Accepted) return std::nullopt;
    return dialog.Chosen();
}

}  // namespace vexari
