// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>

#include "game/Game.h"
#include "net/GameClient.h"
#include "net/GameServer.h"
#include "netqt/QtClientTransport.h"
#include "netqt/QtServerTransport.h"
#include "settings/Settings.h"
#include "ui/AboutDialog.h"
#include "ui/DialogCommon.h"
#include "ui/MatchDialog.h"

class QWidget;

namespace vexari {

class ComputerMatch;
class GameDriver;
class MessageWindow;
class NetworkGameWindow;
class OthersWells;

// One network game of the main window: hosting the server, the client's
// connection, the Network Game and Message windows. It ends when the player
// leaves, or by itself (a refusal, a closed server, no connection), then
// with a reason to show; either way the game is a single game again.
class NetworkSession : public QObject {
    Q_OBJECT
public:
    NetworkSession(QWidget* owner, Game& game, Settings& settings, GameDriver& driver, const VersionQuad& version,
                   Prompts& prompts);
    ~NetworkSession() override;

    // Network > Create (host) or Join: asks for the entries and connects.
    void Open(bool host);
    // Game > Play against the computer: hosts a game only this machine can
    // reach, starts the computer players of `plan` (with the weights of
    // `weightsFile`, or their own when empty), and once all have joined,
    // the first round.
    void OpenMatch(const MatchPlan& plan, const QString& weightsFile);
    // The game in play ends (New Game, or the player leaves the network
    // game): peers see it, the windows close, the game plays its end and
    // is a single game again, then `after`.
    void Leave(AfterAnimation after = AfterAnimation::ResetKeepingDrawing);
    // The program closes: connections end at once, without the animation.
    void Shutdown();

    // Acts on the server's messages held while the game was busy.
    void ProcessPending();
    // Esc while the game does not run: on a countdown it asks the server
    // for a pause (the countdown's "Press ESC to pause."). False otherwise.
    bool EscapeCancelsCountdown();
    void HideMessages();
    // The strip that shows the other players' wells while a game is open.
    void SetWellsStrip(OthersWells* strip) { strip_ = strip; }

    GameServer& server() { return server_; }
    GameClient& client() { return client_; }
    QtServerTransport& serverTransport() { return serverTransport_; }
    NetworkGameWindow* networkWindow() const { return netWindow_; }
    // The computer players of a match against the computer; null otherwise.
    ComputerMatch* match() const { return match_.get(); }

signals:
    // The network game ended by itself; `reason` says why, `playerHere`
    // whether the player was at work in this game's windows when it did.
    void ended(const QString& reason, bool playerHere);
    // The Network Game window's events, for the sounds.
    void countdownSecond();
    void chatArrived();
    void roundEnded();

private:
    void Connect();
    void StartMatchRound();
    void OnConnected();
    void OnServerClosed();
    void EndWith(const QString& reason);
    void DisconnectClient();
    void StopServer();
    bool Host(bool loopbackOnly);

    QWidget* owner_;
    Game& game_;
    Settings& settings_;
    GameDriver& driver_;
    Prompts& prompts_;
    QtServerTransport serverTransport_;
    GameServer server_;
    GameClient client_;
    QTimer serverTimer_;
    QtClientTransport* clientTransport_ = nullptr;
    NetworkGameWindow* netWindow_ = nullptr;
    MessageWindow* messageWindow_ = nullptr;
    OthersWells* strip_ = nullptr;
    std::unique_ptr<ComputerMatch> match_;
    bool hosting_ = false;
    bool ending_ = false;
};

}  // namespace vexari
