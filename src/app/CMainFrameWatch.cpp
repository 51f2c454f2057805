// SPDX-License-Identifier: GPL-3.0-or-later
// Network > Watch network game and `vexari --watch`: the main window steps
// aside for the spectator's window and comes back as it was.
#include <QCoreApplication>
#include <QTimer>

#include "app/CMainFrame.h"
#include "app/GameDriver.h"
#include "app/GameView.h"
#include "app/NetworkSession.h"
#include "app/WatchSession.h"
#include "sound/SoundDirector.h"
#include "ui/SpectatorWindow.h"
#include "ui/WellGrid.h"
#include "ui/WatchDialog.h"

namespace vexari {

void CMainFrame::OpenWatchDialog() {
    const std::optional<WatchEntries> entries = RunWatchDialog(this, settings_, prompts_);
    if (entries) StartWatching(entries->server, entries->name);
}

void CMainFrame::WatchNetworkGame(const ServerAddress& server) {
    const QString name = QString::fromStdString(settings_.playerName);
    StartWatching(server, name.isEmpty() ? tr("Spectator") : name);
}

void CMainFrame::StartWatching(const ServerAddress& server, const QString& name) {
    LeaveReplay();
    // A network game in play ends first; the player's own game waits, paused.
    if (game_.record().networkGame) session_->Leave();
    PauseIfRunning();
    watch_ = std::make_unique<WatchSession>(version_, prompts_);
    connect(watch_.get(), &WatchSession::ended, this, &CMainFrame::StopWatching);
    connect(watch_.get(), &WatchSession::chatArrived, this, [this] { sounds_->ChatArrived(); });
    const QPoint near = isVisible() ? frameGeometry().center() : QPoint();
    hide();
    watch_->Open(server, name, near);
    watch_->window()->grid()->SetLook(CellLook::Of(settings_));
}

void CMainFrame::StopWatching(const QString& reason) {
    // Called from the session's own signal: it goes once that has returned.
    watch_.release()->deleteLater();
    show();
    activateWindow();
    view_->setFocus();
    if (!reason.isEmpty()) prompts_.Message(this, reason);
}

void CMainFrame::EndWatchingForClose() {
    if (!watch_) return;
    watch_.reset();
    // This window was hidden: its close alone would not end the program.
    if (!isVisible()) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

}  // namespace vexari
