// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SpectatorWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
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

    notice_ = new QLabel(this);
    notice_->setWordWrap(true);
    notice_->setAlignment(Qt::AlignCenter);
    notice_->hide();
    grid_ = new WellGrid(this);
    messages_ = new MessageWindow(this);
    netWindow_ = new NetworkGameWindow(this, client, settings, *messages_, prompts);
    netWindow_->setWindowFlags(Qt::Widget);  // the tables and chat as a part of this window
    // A spectator starts nothing and sets no options; Close leaves.
    netWindow_->startButton()->hide();
    netWindow_->optionsButton()->hide();
    netWindow_->closeButton()->setText(tr("&Leave"));
    connect(netWindow_, &NetworkGameWindow::leaveRequested, this, &SpectatorWindow::leaveRequested);

    auto* wells = new QVBoxLayout;
    wells->addWidget(notice_);
    wells->addWidget(grid_, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(wells, 1);
    layout->addWidget(netWindow_);
}

SpectatorWindow::~SpectatorWindow() = default;

void SpectatorWindow::PlaceOnScreen(const QPoint& near) {
    QScreen* screen = QGuiApplication::screenAt(near);
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    // Three quarters of the screen, the wells at the left, the chat at the right.
    const QSize size = (area.size() * 3 / 4).expandedTo(minimumSizeHint());
    resize(size);
    move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

void SpectatorWindow::SetNotice(const QString& text) {
    notice_->setText(text);
    notice_->setVisible(!text.isEmpty());
    noticeUntilPlay_ = false;
}

QString SpectatorWindow::Notice() const { return notice_->isVisible() ? notice_->text() : QString(); }

void SpectatorWindow::ShowTables(const Tables& tables) { netWindow_->ShowTables(tables); }

void SpectatorWindow::AppendText(const std::string& text) { netWindow_->AppendText(text); }

void SpectatorWindow::ShowMessage(const std::string& text) {
    // A countdown, a pause, the round's results: until play goes on.
    SetNotice(QString::fromStdString(text).remove(QLatin1Char('\r')).trimmed());
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
