// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SpectatorWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>

#include "ui/MessageWindow.h"
#include "ui/NetworkGameWindow.h"
#include "ui/WellGrid.h"

namespace vexari {

SpectatorWindow::SpectatorWindow(GameClient& client, Settings& settings, const QString& server, Prompts& prompts)
    : QWidget(nullptr, Qt::Window) {
    setWindowTitle(tr("Watching %1 - Vexari").arg(server));
    setObjectName(QStringLiteral("spectator"));
    ApplyDialogLook(this);

    // One line, always there, so that the wells never move when a notice comes or goes.
    notice_ = new QLabel(this);
    notice_->setAlignment(Qt::AlignCenter);
    notice_->setFixedHeight(notice_->fontMetrics().height());
    notice_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    grid_ = new WellGrid(this);
    messages_ = new MessageWindow(this);
    netWindow_ = new NetworkGameWindow(this, client, settings, *messages_, prompts);
    netWindow_->setWindowFlags(Qt::Widget);  // the tables and chat as a part of this window
    // A spectator starts nothing and sets no options; Close leaves.
    netWindow_->startButton()->hide();
    netWindow_->optionsButton()->hide();
    netWindow_->closeButton()->setText(tr("&Leave"));
    connect(netWindow_, &NetworkGameWindow::leaveRequested, this, &SpectatorWindow::leaveRequested);

    // The wells take what the tables and chat leave; the spectator can move the border.
    auto* wellSide = new QWidget(this);
    auto* wells = new QVBoxLayout(wellSide);
    wells->setContentsMargins(0, 0, 0, 0);
    wells->addWidget(notice_);
    wells->addWidget(grid_, 1);
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(wellSide);
    splitter_->addWidget(netWindow_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter_);
}

SpectatorWindow::~SpectatorWindow() = default;

void SpectatorWindow::PlaceOnScreen(const QPoint& near) {
    QScreen* screen = QGuiApplication::screenAt(near);
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    // Most of the screen, the wells at the left, the tables and chat at their own width at the right.
    const QSize size = (area.size() * 17 / 20).expandedTo(minimumSizeHint());
    resize(size);
    const int tables = netWindow_->sizeHint().width();
    splitter_->setSizes({size.width() - tables, tables});
    move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

void SpectatorWindow::SetNotice(const QString& text) {
    notice_->setText(text);
    notice_->setToolTip(text);
    noticeUntilPlay_ = false;
}

QString SpectatorWindow::Notice() const { return notice_->text(); }

void SpectatorWindow::ShowTables(const Tables& tables) { netWindow_->ShowTables(tables); }

void SpectatorWindow::AppendText(const std::string& text) { netWindow_->AppendText(text); }

void SpectatorWindow::ShowMessage(const std::string& text) {
    // A countdown, a pause, the round's results: on one line, until play goes on.
    const QStringList lines =
        QString::fromStdString(text).remove(QLatin1Char('\r')).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    SetNotice(lines.join(QStringLiteral("   ")));
    noticeUntilPlay_ = true;
}

void SpectatorWindow::JoinAccepted() { SetNotice({}); }

void SpectatorWindow::ChatLineArrived() {
    if (!isActiveWindow()) emit chatArrived();
}

void SpectatorWindow::RosterChanged(const std::vector<RoomMember>& members, bool roundRunning) {
    roundRunning_ = roundRunning;
    grid_->SetMembers(members);
}

void SpectatorWindow::WellChanged(std::int32_t number, const WellRows& well) {
    grid_->SetWell(number, well);
    if (noticeUntilPlay_ && roundRunning_) SetNotice({});
}

void SpectatorWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit leaveRequested();
}

}  // namespace vexari
