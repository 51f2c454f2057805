// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>
#include <QTimer>

#include "game/Game.h"
#include "net/GameClient.h"
#include "net/ServerAddress.h"
#include "settings/Settings.h"
#include "ui/DialogCommon.h"

namespace vexari {

class QtClientTransport;
class SpectatorWindow;

// Watching a network game: the spectator's connection, its client and its
// window. The client belongs to a game of its own that never plays, so the
// player's game and settings stay as they are. It ends when the spectator
// leaves, or by itself (a server that cannot be watched, a full one, a
// closed one), then with the reason.
class WatchSession : public QObject {
    Q_OBJECT
public:
    WatchSession(const VersionQuad& version, Prompts& prompts, QObject* parent = nullptr);
    ~WatchSession() override;

    // Shows the window near `near` and connects as `name` (UTF-8 as typed).
    void Open(const ServerAddress& server, const QString& name, const QPoint& near);
    // The spectator leaves: the connection closes, the round goes on.
    void Leave() { EndWith({}); }

    GameClient& client() { return client_; }
    SpectatorWindow* window() const { return window_; }
    // Gives up on a server that has not answered the announcement when it fires.
    QTimer& welcomeTimer() { return welcomeTimer_; }

signals:
    // Over; `reason` says why when it ended by itself (empty when the
    // spectator left). The window is gone by the time this arrives.
    void ended(const QString& reason);
    void chatArrived();

private:
    void EndWith(const QString& reason);

    Prompts& prompts_;
    Settings settings_;  // the watched room's options land here, not in the player's
    Game game_{settings_};
    GameClient client_;
    QtClientTransport* transport_ = nullptr;
    SpectatorWindow* window_ = nullptr;
    QTimer welcomeTimer_;
    bool ended_ = false;
};

}  // namespace vexari
