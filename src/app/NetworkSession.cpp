// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/NetworkSession.h"

#include <QDateTime>
#include <QWidget>

#include "app/ActiveWindow.h"
#include "app/ComputerMatch.h"
#include "app/GameDriver.h"
#include "game/GameRules.h"
#include "ui/JoinDialog.h"
#include "ui/MessageWindow.h"
#include "ui/NetworkGameWindow.h"
#include "ui/OthersWells.h"

namespace vexari {

NetworkSession::NetworkSession(QWidget* owner, Game& game, Settings& settings, GameDriver& driver,
                               const VersionQuad& version, Prompts& prompts)
    : owner_(owner),
      game_(game),
      settings_(settings),
      driver_(driver),
      prompts_(prompts),
      server_(serverTransport_, version, [] { return QDateTime::currentSecsSinceEpoch(); }),
      client_(game, settings, version),
      messageWindow_(new MessageWindow(owner)) {
    serverTransport_.SetServer(&server_);
    connect(&serverTransport_, &QtServerTransport::acceptFailed, this, [this] {
        prompts_.Message(owner_, tr("Error accepting socket"), tr("Error"), PromptIcon::Error);
    });
    connect(messageWindow_, &MessageWindow::pauseRequested, this, [this] {
        if (client_.Connected()) client_.RequestPause();
    });
    connect(&serverTimer_, &QTimer::timeout, this, [this] { server_.ServerTick(); });
    serverTimer_.start(kServerSecondMs);
}

NetworkSession::~NetworkSession() {
    Shutdown();
    serverTransport_.SetServer(nullptr);
}

void NetworkSession::Open(bool host) {
    const std::optional<JoinEntries> entries = RunJoinDialog(owner_, host, settings_, prompts_);
    if (!entries) return;
    game_.FinishAnimation();  // the game left before the dialog has ended by now
    const QString server = host ? QStringLiteral("127.0.0.1") : entries->server;
    game_.EnterNetworkGame(TakeJoinEntries(settings_, entries->name.toStdString(), entries->team.toStdString(),
                                           server.toStdString(), entries->port));
    hosting_ = host;
    if (host && !Host(false)) return EndWith(tr("Cannot create server socket"));
    Connect();
}

bool NetworkSession::Host(bool loopbackOnly) {
    // A private game takes any free port: the computer players are told it.
    const int port = loopbackOnly ? 0 : settings_.port;
    return port >= 0 && port <= kMaxPort && serverTransport_.Listen(static_cast<std::uint16_t>(port), loopbackOnly);
}

void NetworkSession::OpenMatch(const MatchPlan& plan, const QString& weightsFile) {
    game_.FinishAnimation();
    // The player plays under the name and team of the network dialog (a
    // "CompN" name lets the computer play, as in any network game); only
    // the server differs, and it is not stored.
    const std::string name = settings_.playerName.empty() ? tr("Player").toStdString() : settings_.playerName;
    const std::string server = settings_.server;
    const int port = settings_.port;
    game_.EnterNetworkGame(TakeJoinEntries(settings_, name, settings_.team, server, port));
    hosting_ = true;
    if (!Host(true)) return EndWith(tr("Cannot create server socket"));
    match_ = std::make_unique<ComputerMatch>(server_, plan);
    match_->SetGame(serverTransport_.Port(), QString::fromStdString(settings_.team), weightsFile);
    server_.SetObserver(match_.get());
    connect(match_.get(), &ComputerMatch::allJoined, this, &NetworkSession::StartMatchRound);
    connect(match_.get(), &ComputerMatch::failed, this, [this](const QString& reason) {
        // Not from inside the server's own call.
        QTimer::singleShot(0, this, [this, reason] {
            if (match_) EndWith(reason);
        });
    });
    Connect();
}

// The host's own client asks for the round, and it asks only once its tables
// list the others; those tables follow the joins by up to 20 ms, so until
// they do the request waits a turn of the table timer.
void NetworkSession::StartMatchRound() {
    if (!match_ || !client_.Connected()) return;
    if (client_.LastTables().players.size() < server_.JoinedCount()) {
        QTimer::singleShot(static_cast<int>(kTablesIntervalMs), this, &NetworkSession::StartMatchRound);
        return;
    }
    client_.StartGame();
}

void NetworkSession::Connect() {
    const int port = hosting_ ? serverTransport_.Port() : settings_.port;
    if (port <= 0 || port > kMaxPort) return EndWith(tr("Error connecting to server"));
    const QString server = hosting_ ? QStringLiteral("127.0.0.1") : QString::fromStdString(settings_.server);
    clientTransport_ = new QtClientTransport(this);
    clientTransport_->onBytes = [this](std::string_view bytes) {
        if (!client_.Received(bytes)) OnServerClosed();  // a broken stream ends the game as a close does
    };
    connect(clientTransport_, &QtClientTransport::connected, this, &NetworkSession::OnConnected);
    connect(clientTransport_, &QtClientTransport::connectFailed, this,
            [this] { EndWith(tr("Error connecting to server")); });
    connect(clientTransport_, &QtClientTransport::closed, this, &NetworkSession::OnServerClosed);
    clientTransport_->Connect(server, static_cast<std::uint16_t>(port));
}

void NetworkSession::OnConnected() {
    netWindow_ = new NetworkGameWindow(owner_, client_, settings_, *messageWindow_, prompts_);
    connect(netWindow_, &NetworkGameWindow::leaveRequested, this, [this] { Leave(); });
    connect(netWindow_, &NetworkGameWindow::countdownSecond, this, &NetworkSession::countdownSecond);
    connect(netWindow_, &NetworkGameWindow::chatArrived, this, &NetworkSession::chatArrived);
    connect(netWindow_, &NetworkGameWindow::roundEnded, this, &NetworkSession::roundEnded);
    if (strip_) {
        strip_->SetLook(CellLook::Of(settings_));
        strip_->Begin(client_, settings_.playerName);
        connect(netWindow_, &NetworkGameWindow::tablesShown, strip_, &OthersWells::ShowTables);
    }
    client_.Begin(*clientTransport_, netWindow_, hosting_);
    netWindow_->PlaceBeside(owner_->frameGeometry());
    netWindow_->show();
}

void NetworkSession::ProcessPending() {
    if (client_.Connected() && !client_.ProcessPending()) OnServerClosed();
}

void NetworkSession::OnServerClosed() {
    if (!client_.Connected() || ending_) return;
    // What the server said before it closed is acted on first, the refusal
    // text among it.
    driver_.FinishPendingWork();
    EndWith(QString::fromStdString(client_.Closed().text));
}

void NetworkSession::EndWith(const QString& reason) {
    if (ending_) return;
    ending_ = true;
    const bool playerHere = OwnWindowActive(*owner_);  // before its windows close
    Leave();
    ending_ = false;
    emit ended(reason, playerHere);
}

void NetworkSession::Leave(AfterAnimation after) {
    driver_.FinishPendingWork();
    game_.LeaveNetworkGame();
    Shutdown();
    game_.EndOfGameAnimation(after);
    driver_.Schedule();
}

void NetworkSession::Shutdown() {
    if (strip_) strip_->End();
    DisconnectClient();
    StopServer();
    if (netWindow_) {
        // The window may be the one asking to leave: it goes once its own
        // handler has returned.
        netWindow_->hide();
        netWindow_->deleteLater();
        netWindow_ = nullptr;
    }
    HideMessages();
}

void NetworkSession::StopServer() {
    if (match_) {
        server_.SetObserver(nullptr);
        match_->Stop();
        match_.reset();
    }
    server_.CloseServer();
    serverTransport_.StopListening();
}

void NetworkSession::DisconnectClient() {
    client_.End();
    if (!clientTransport_) return;
    clientTransport_->onBytes = nullptr;
    clientTransport_->disconnect(this);
    clientTransport_->Close();
    clientTransport_->deleteLater();
    clientTransport_ = nullptr;
}

bool NetworkSession::EscapeCancelsCountdown() {
    if (!messageWindow_->isVisible() || !messageWindow_->ShowsCountdown()) return false;
    messageWindow_->hide();
    if (client_.Connected()) client_.RequestPause();
    return true;
}

void NetworkSession::HideMessages() { messageWindow_->hide(); }

}  // namespace vexari
