// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/GameClient.h"

#include <algorithm>
#include <optional>

#include "ai/ComputerPlayer.h"
#include "net/Codepage.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"

namespace vexari {
namespace {

// Values from the server are kept inside the ranges the settings hold.
int NonNegative(std::int32_t value) { return std::max<int>(value, 0); }

Tables TablesToUtf8(const Tables& wire) {
    Tables shown = wire;
    for (PlayerRow& row : shown.players) {
        row.name = Cp1252ToUtf8(row.name);
        row.team = Cp1252ToUtf8(row.team);
        row.height = Cp1252ToUtf8(row.height);
    }
    for (TeamRow& row : shown.teams) {
        row.name = Cp1252ToUtf8(row.name);
        row.members = Cp1252ToUtf8(row.members);
    }
    return shown;
}

}  // namespace

GameClient::GameClient(Game& game, Settings& settings, const VersionQuad& version)
    : game_(game), settings_(settings), version_(version) {}

void GameClient::Open(ClientConnection& connection, ClientDisplay* display, bool isHost, bool watching) {
    connection_ = &connection;
    display_ = display;
    isHost_ = isHost;
    disconnectText_ = kServerClosed;
    joined_ = false;
    input_ = ServerMessageStream{};
    tables_ = Tables{};
    roundsEnded_ = 0;
    watching_ = watching;
    serverVersion_ = 0;
    reported_.reset();
    room_.Clear();
    game_.RemoveListener(this);
    if (!watching_) game_.AddListener(this);
}

void GameClient::Begin(ClientConnection& connection, ClientDisplay* display, bool isHost) {
    Open(connection, display, isHost, false);
    // The team is normally filled in when the entries are taken; a settings
    // file that left it empty still plays in a team named after the player.
    const std::string& team = settings_.team.empty() ? settings_.playerName : settings_.team;
    Send(EncodeJoin(Utf8ToCp1252(settings_.playerName), Utf8ToCp1252(team), version_));
    if (isHost_) Send(EncodeOptions(OptionsFromSettings(settings_)));
    // Harmless to a server without the extension: a kind without fields it ignores.
    if (announce_) Send(EncodeHello());
}

void GameClient::BeginWatching(ClientConnection& connection, ClientDisplay* display, const std::string& name) {
    Open(connection, display, false, true);
    spectatorName_ = Utf8ToCp1252(name);
    Send(EncodeHello());
}

void GameClient::End() {
    connection_ = nullptr;
    display_ = nullptr;
    input_ = ServerMessageStream{};
    game_.RemoveListener(this);
    serverVersion_ = 0;
}

bool GameClient::Received(std::string_view bytes) {
    if (!Connected()) return true;  // a late delivery after End()
    input_.Append(bytes);
    return ProcessPending();
}

bool GameClient::Held() const {
    const ComputerHooks* computer = game_.hooks().computer;
    return (computer && computer->Busy()) || game_.Animating();
}

GameClient::Ending GameClient::Closed() {
    ProcessPending();
    return {disconnectText_, joined_ && disconnectText_ == kServerClosed};
}

bool GameClient::ProcessPending() {
    // A message handler can end up here again (a display that runs a nested
    // event loop delivers more bytes): the outer loop goes on with them, so
    // messages are still acted on one after another in the order received.
    if (handling_) return true;
    while (Connected() && !Held()) {
        ServerMessage message;
        const ReadStatus status = input_.Next(message);
        if (status == ReadStatus::Incomplete) return true;
        if (status == ReadStatus::Invalid) return false;
        handling_ = true;
        Handle(message);
        handling_ = false;
    }
    return true;
}

void GameClient::Handle(const ServerMessage& message) {
    const GameRecord& record = game_.record();
    if (IsExtensionKind(message.kind)) return HandleExtension(message);
    // A spectator's game is not the server's to run (a server without the
    // extension takes it for a player that never joined).
    if (watching_) {
        switch (message.kind) {
            case MSG_JOIN: case MSG_REFUSE: case MSG_TABLES: case MSG_TEXT: break;
            default: return;
        }
    }
    switch (message.kind) {
    case MSG_PAUSE:
        // Without notice: the pause came from the server and is not echoed.
        if (record.running) game_.ToggleRunning(false);
        break;
    case MSG_RESUME:
        // A game that waits for its start or has lost is not started by a resume.
        if (!record.running && !record.waitingForStart) game_.ToggleRunning(false);
        break;
    case MSG_JOIN:
        joined_ = true;
        if (display_) display_->JoinAccepted();
        break;
    case MSG_REFUSE:
        disconnectText_ = Cp1252ToUtf8(message.text);
        break;
    case MSG_TABLES:
        tables_ = message.tables;
        if (display_) display_->ShowTables(TablesToUtf8(tables_));
        break;
    case MSG_TEXT: {
        const std::string text = Cp1252ToUtf8(message.text);
        if (!text.empty() && text.front() == '&') {
            const std::string shown = text.substr(1);
            if (display_) {
                display_->ShowMessage(shown);
                display_->AppendText(shown);
            }
        } else if (display_) {
            display_->AppendText(text);
            // The server passes a chat line on as "name: text".
            for (const PlayerRow& p : tables_.players)
                if (display_ && message.text.starts_with(p.name + ": ")) {
                    display_->ChatLineArrived();
                    break;
                }
        }
        break;
    }
    case MSG_START:
        settings_.netFallPeriod = ClampFallPeriod(message.fallPeriod);
        game_.StartNetworkRound(static_cast<std::uint32_t>(message.seed), settings_.netFallPeriod);
        ReportWell();
        break;
    case MSG_FILLED:
        if (!record.waitingForStart) game_.EndOfGameAnimation(AfterAnimation::Reset);
        if (display_) {
            display_->SetStartEnabled(isHost_);
            display_->RoundEnded();
        }
        ++roundsEnded_;
        break;
    case MSG_PRESENT: {
        if (display_) display_->PresentArrived(message.rows);
        inPresent_ = true;
        game_.ReceivePresent(message.rows);
        inPresent_ = false;
        ReportWell();
        break;
    }
    case MSG_OPTIONS:
        StoreOptions(settings_, message.options);
        break;
    default:
        break;
    }
}

void GameClient::HandleExtension(const ServerMessage& message) {
    if (message.kind != MSG_EXT_WELCOME) return room_.Take(message);
    const auto version = ParseWelcome(message.payload);
    if (!version || *version < 1 || serverVersion_ != 0) return;
    serverVersion_ = *version;
    if (watching_) {
        Send(EncodeWatch(spectatorName_));
    } else {
        if (subscription_) Send(EncodeSubscribe(*subscription_));
        ReportWell();
    }
}

void GameClient::SetSubscription(const Subscription& subscription) {
    subscription_ = subscription;
    if (serverVersion_ != 0) Send(EncodeSubscribe(subscription));
}

void GameClient::FigureLanded(const Landing&) {
    if (!inPresent_) ReportWell();
}

void GameClient::ReportWell() {
    if (!Connected() || watching_ || serverVersion_ == 0) return;
    WellRows well = PackWell(game_.record());
    if (reported_ == well) return;
    Send(EncodeReport(well));
    reported_ = std::move(well);
}

WellRows PackWell(const GameRecord& record) {
    WellRows well;
    well.height = record.height;
    int top = 0;  // rows from the bottom up to the highest one holding a cell
    for (int fromBottom = 0; fromBottom < record.height; ++fromBottom) {
        const int v = record.height - 1 - fromBottom;
        for (int u = 0; u < Well::kColumns; ++u) {
            const int cell = std::clamp<int>(record.well.at(u, v), 0, WellRows::kMaxCell);
            if (cell == 0) continue;
            well.SetCell(u, fromBottom, cell);
            top = fromBottom + 1;
        }
    }
    well.rows.resize(static_cast<std::size_t>(top) * WellRows::kRowBytes);
    return well;
}

void GameClient::Send(const std::string& bytes) {
    if (connection_) connection_->Send(bytes);
}

void GameClient::StartGame() {
    if (!Connected()) return;
    if (tables_.players.size() <= 1) {
        if (display_) display_->CannotPlayAlone();
        return;
    }
    Send(EncodeStartRequest(settings_.netFallPeriod));
    if (display_) display_->SetStartEnabled(false);
}

void GameClient::SendText(std::string_view utf8) {
    if (utf8.empty()) return;
    Send(EncodeText(Utf8ToCp1252(utf8)));
}

void GameClient::SendOptions() { Send(EncodeOptions(OptionsFromSettings(settings_))); }

void GameClient::RequestPause() { Send(EncodeKind(MSG_PAUSE)); }

void GameClient::SendPause() { Send(EncodeKind(MSG_PAUSE)); }

void GameClient::SendResume() { Send(EncodeKind(MSG_RESUME)); }

void GameClient::SendLanded(int stackHeight, int score, int removed) { Send(EncodeLanded(stackHeight, score, removed)); }

void GameClient::SendFilled() { Send(EncodeKind(MSG_FILLED)); }

NetOptions OptionsFromSettings(const Settings& settings) {
    NetOptions options;
    options.playTill = settings.playTill;
    options.playerThrow = settings.playerThrow;
    options.playerWinScores = settings.playerWinScores;
    options.teamThrow = settings.teamThrow;
    options.teamWinScores = settings.teamWinScores;
    options.fallPeriod = settings.netFallPeriod;
    options.countdownSeconds = settings.countdownSeconds;
    options.height = settings.height;
    options.traceMessages = settings.traceMessages;
    return options;
}

void StoreOptions(Settings& settings, const NetOptions& options) {
    // The options come from the host's copy through the server and are not
    // trusted: each is kept inside the range the options dialog allows, so no
    // peer can give this game a well height, level or countdown it cannot run.
    settings.playTill = NonNegative(options.playTill);
    settings.playerThrow = ClampThrowMode(options.playerThrow);
    settings.playerWinScores = NonNegative(options.playerWinScores);
    settings.teamThrow = ClampThrowMode(options.teamThrow);
    settings.teamWinScores = NonNegative(options.teamWinScores);
    settings.netFallPeriod = ClampFallPeriod(options.fallPeriod);
    settings.countdownSeconds = std::clamp<int>(options.countdownSeconds, 0, kMaxCountdownSeconds);
    settings.height = ClampWellHeight(options.height);
    settings.traceMessages = options.traceMessages != 0 ? 1 : 0;
}

std::optional<int> TakeJoinEntries(Settings& settings, const std::string& name, const std::string& team,
                                   const std::string& server, int port) {
    // The same limits as the settings file's fields.
    settings.playerName = CutText(name, kPlayerNameSize - 1);
    settings.port = port;
    settings.team = team.empty() ? settings.playerName : CutText(team, kTeamSize - 1);
    settings.server = CutText(server, kServerSize - 1);

    return ComputerSpeedFromName(settings.playerName);
}

}  // namespace vexari
