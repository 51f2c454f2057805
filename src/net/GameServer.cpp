// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/GameServer.h"

#include <algorithm>
#include <utility>

#include "game/GameRules.h"
#include "net/ServerArithmetic.h"

namespace vexari {

namespace {

constexpr const char* kRefuseStarted = "Network game has already started";
constexpr const char* kRefuseVersion = "Incompatible vexari versions";
constexpr const char* kRefuseName = "Player with the same name already exists";

std::string ThrowPhrase(std::int32_t mode, const std::string& word) {
    switch (mode) {
        case 0: return "all " + word + "s";
        case 1: return "the most strong " + word;
        case 2: return "the most weak " + word;
        case 3: return "the random " + word;
        case 4: return "the random " + word + " dispatching lines";
        default: return "error";
    }
}

}  // namespace

std::string OptionsReport(const NetOptions& o) {
    return "Options:\r\n  Start level: " + std::to_string(Wrap(LevelOfFallPeriod(std::int64_t{o.fallPeriod}))) +
           "\r\n  Player win scores: " + std::to_string(o.playerWinScores) +
           "\r\n  Team win scores: " + std::to_string(o.teamWinScores) +
           "\r\n  Throw to " + ThrowPhrase(o.playerThrow, "player") + " of " + ThrowPhrase(o.teamThrow, "team") +
           "\r\n  Play till " + std::to_string(o.playTill) +
           " scores\r\n  Height " + std::to_string(Wrap(ShownWellHeight(std::int64_t{o.height}))) + "\r\n\r\n";
}

GameServer::GameServer(ServerConnections& connections, const VersionQuad& version,
                       std::function<std::int64_t()> nowSeconds)
    : connections_(connections), version_(version), now_(std::move(nowSeconds)) {}

GameServer::~GameServer() = default;

void GameServer::Settle() {
    if (settling_) return;  // an observer called back in: the loop below goes on
    settling_ = true;
    for (;;) {
        if (!closesLater_.empty()) {
            const ConnectionId id = closesLater_.front();
            closesLater_.erase(closesLater_.begin());
            ++depth_;
            if (refusing_.erase(id) == 0) Forget(id);
            ForgetSpectator(id);
            --depth_;
            continue;
        }
        if (notices_.empty()) {
            if (!TablesDue() || connections_.DeferTables()) break;
            ++depth_;
            FlushTables();
            --depth_;
            continue;  // a transport dropping a stalled peer meanwhile reports a close
        }
        Notice notice = std::move(notices_.front());
        notices_.pop_front();
        if (observer_ == nullptr) continue;
        switch (notice.kind) {
            case Notice::Kind::Text: observer_->TextToAll(notice.text); break;
            case Notice::Kind::PlayerJoined: observer_->PlayerJoined(); break;
            case Notice::Kind::RoundStarted: observer_->RoundStarted(); break;
            case Notice::Kind::RoundEnded: observer_->RoundEnded(); break;
        }
    }
    settling_ = false;
}

// --- Connections ----------------------------------------------------------------

NetPlayer* GameServer::Find(ConnectionId id) {
    const auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : it->second;
}

void GameServer::Accepted(ConnectionId id) {
    Busy busy(*this);
    if (players_.size() + refusing_.size() + spectators_.size() >= kMaxConnections) {
        connections_.Close(id);
        return;
    }
    if (roundRunning_) {
        refusing_[id].acceptedAt = now_();
        return;
    }
    auto player = std::make_unique<NetPlayer>();
    player->id = id;
    player->acceptedAt = now_();
    player->number = nextNumber_;
    nextNumber_ = nextNumber_ == INT32_MAX ? 1 : nextNumber_ + 1;  // two thousand million connections later
    byId_[id] = player.get();
    byNumber_[player->number] = player.get();
    players_.push_back(std::move(player));
}

void GameServer::Received(ConnectionId id, std::string_view bytes) {
    Busy busy(*this);
    if (auto it = refusing_.find(id); it != refusing_.end()) {
        ReceiveRefusing(id, it->second, bytes);
        return;
    }
    if (const auto it = spectators_.find(id); it != spectators_.end()) {
        ReceiveSpectator(*it->second, bytes);
        return;
    }
    NetPlayer* player = Find(id);
    if (player == nullptr) return;
    player->input.Append(bytes);
    for (;;) {
        ClientMessage message;
        const ReadStatus status = player->input.Next(message);
        if (status == ReadStatus::Incomplete) return;
        if (status == ReadStatus::Invalid) {
            connections_.Close(id);
            Forget(id);
            return;
        }
        Handle(*player, message);
        // A refusal closes the connection and discards the player.
        player = Find(id);
        if (player == nullptr) return;
    }
}

void GameServer::ReceiveRefusing(ConnectionId id, Refusing& refusing, std::string_view bytes) {
    refusing.bytes.append(bytes);
    if (Announced(id)) return;  // it came to watch
    if (refusing.bytes.size() < refusing.needed) return;
    std::size_t used = 0;
    switch (ReadJoinStart(refusing.bytes, used)) {
        case ReadStatus::Incomplete: refusing.needed = used; return;
        case ReadStatus::Complete: connections_.Send(id, EncodeRefuse(kRefuseStarted)); break;
        case ReadStatus::Invalid: break;
    }
    connections_.Close(id);
    refusing_.erase(id);
}

void GameServer::Closed(ConnectionId id) {
    Busy busy(*this);
    if (depth_ > 1) {
        closesLater_.push_back(id);
        return;
    }
    if (refusing_.erase(id) == 0) Forget(id);
    ForgetSpectator(id);
}

void GameServer::Refuse(ConnectionId id, std::string_view text) {
    connections_.Send(id, EncodeRefuse(text));
    connections_.Close(id);
    Forget(id);
}

// A connection has closed: the player leaves its round and its team.
void GameServer::Forget(ConnectionId id) {
    const auto found = byId_.find(id);
    if (found == byId_.end()) return;
    NetPlayer* const gone = found->second;
    byId_.erase(found);
    byNumber_.erase(gone->number);
    auto it = std::find_if(players_.begin(), players_.end(), [gone](const auto& p) { return p.get() == gone; });
    std::unique_ptr<NetPlayer> player = std::move(*it);
    players_.erase(it);
    Unsubscribe(id, player->wells);
    if (player->team != nullptr) rosterDue_ = true;
    NetTeam* team = player->team;
    if (roundRunning_ && team != nullptr) {
        player->alive = false;
        TeamMemberOut(*team);
    }
    if (team != nullptr) {
        std::erase(team->members, player.get());
        if (team->members.empty()) teams_.erase(team->name);
    }
    // Without teams nothing else could end a round whose players are all gone,
    // and every later connection would be refused.
    if (roundRunning_ && players_.empty()) EndRound();
    SendTablesAll();
}

void GameServer::CloseServer() {
    Busy busy(*this);
    for (const auto& entry : refusing_) connections_.Close(entry.first);
    refusing_.clear();
    while (!spectators_.empty()) {
        const ConnectionId id = spectators_.begin()->first;
        connections_.Close(id);
        ForgetSpectator(id);
    }
    while (!players_.empty()) {
        const ConnectionId id = players_.front()->id;
        connections_.Close(id);
        Forget(id);
    }
    optionsReceived_ = false;
    countdown_ = -1;
    roundRunning_ = false;
}

// --- Messages -------------------------------------------------------------------

void GameServer::Handle(NetPlayer& player, const ClientMessage& message) {
    switch (message.kind) {
        case MSG_PAUSE:
            countdown_ = -1;
            if (roundRunning_) SendAll(EncodeKind(MSG_PAUSE));
            SendTextAll("&" + player.name + " paused the game.\r\n");
            break;
        case MSG_RESUME:
            SendTextAll(player.name + " resumed the game.\r\n");
            BeginCountdown();
            break;
        case MSG_LANDED: Landed(player, message); break;
        case MSG_JOIN: Join(player, message); break;
        case MSG_TEXT: SendTextAll(player.name + ": " + message.text + "\r\n"); break;
        case MSG_START: BeginCountdown(); break;
        case MSG_FILLED: PlayerOut(player); break;
        case MSG_OPTIONS: {
            options_ = message.options;
            optionsReceived_ = true;
            const std::string report = OptionsReport(options_);
            SendAll(EncodeOptions(options_) + EncodeText(report));
            notices_.push_back({Notice::Kind::Text, report});
            break;
        }
        default:
            if (IsExtensionKind(message.kind)) HandleExtension(player, message);
            break;
    }
}

void GameServer::Join(NetPlayer& player, const ClientMessage& message) {
    // A player joins once; a repeated join would move it between teams.
    if (player.team != nullptr) return;
    if (message.version != version_) {
        Refuse(player.id, kRefuseVersion);
        return;
    }
    // Connections that have not joined have no name yet.
    for (const auto& other : players_) {
        if (other.get() != &player && other->team != nullptr && other->name == message.name) {
            Refuse(player.id, kRefuseName);
            return;
        }
    }
    player.name = message.name;
    player.teamName = message.team;
    connections_.Send(player.id, EncodeKind(MSG_JOIN));
    auto& slot = teams_[message.team];
    if (!slot) {
        slot = std::make_unique<NetTeam>();
        slot->name = message.team;
    }
    slot->members.push_back(&player);
    player.team = slot.get();
    rosterDue_ = true;
    if (roundRunning_) {
        // Joined after its round started: it sits this round out, so no team
        // counts it among the players left.
        player.alive = false;
        player.inRound = false;
        player.height = -1;
    }
    if (optionsReceived_) {
        connections_.Send(player.id, EncodeOptions(options_));
        connections_.Send(player.id, EncodeText(OptionsReport(options_)));
    }
    SendTablesAll();
    notices_.push_back({Notice::Kind::PlayerJoined, {}});
}

void GameServer::Landed(NetPlayer& player, const ClientMessage& message) {
    player.height = message.stackHeight;
    const std::int32_t removed = message.removed;
    if (removed >= 1 && removed <= 4) ++player.roundLines[static_cast<std::size_t>(removed - 1)];
    if (const std::int32_t rows = PresentRows(removed); rows > 0 && player.alive) {
        if (options_.traceMessages != 0)
            SendTextAll(player.name + " has sent a " + std::to_string(rows) + "-line present.\r\n");
        Dispatch(rows, player.team);
    }
    if (options_.traceMessages != 0) SendTablesAll();
}

void GameServer::PlayerOut(NetPlayer& player) {
    const bool wasAlive = player.alive;
    player.height = -1;
    SendTextAll(player.name + " was filled up with presents.\r\n");
    player.alive = false;
    rosterDue_ = true;
    if (!roundRunning_) return;
    // A player already out (or sitting the round out) is not placed again.
    if (wasAlive) {
        const auto alive = std::count_if(players_.begin(), players_.end(), [](const auto& p) { return p->alive; });
        player.roundScore = Wrap(std::int64_t{player.roundScore} + playersInRound_ - alive - 1);
        if (player.team != nullptr) TeamMemberOut(*player.team);
    }
    SendTablesAll();
}

// One of the team's members is no longer alive; the team is out with its last.
void GameServer::TeamMemberOut(NetTeam& team) {
    team.playersLeft = static_cast<std::int32_t>(
        std::count_if(team.members.begin(), team.members.end(), [](const NetPlayer* p) { return p->alive; }));
    // A team that is already out is not scored again.
    if (team.playersLeft != 0 || !team.alive) return;
    team.alive = false;
    NetTeam* left = nullptr;
    std::int64_t aliveTeams = 0;
    for (const auto& entry : teams_) {
        if (entry.second->alive) {
            ++aliveTeams;
            left = entry.second.get();
        }
    }
    team.roundScore = Wrap(team.roundScore + (teamsInRound_ - aliveTeams - 1) * options_.teamWinScores);
    if (aliveTeams <= 1) {
        if (aliveTeams == 1) SendTextAll(left->name + " won this round.\r\n");
        EndRound();
    }
}

// --- Sending --------------------------------------------------------------------

void GameServer::SendAll(std::string_view bytes) {
    recipients_.clear();
    for (const auto& p : players_) recipients_.push_back(p->id);
    connections_.SendToMany(recipients_, bytes);
}

void GameServer::SendTextAll(const std::string& text) {
    TextRecipients();
    connections_.SendToMany(recipients_, EncodeText(text));
    notices_.push_back({Notice::Kind::Text, text});
}

// The tables go out once, when the turn's events are all handled: a turn
// that closes or lands N connections sends one set, not N.
void GameServer::SendTablesAll() { tablesDue_ = true; }

// Without trace messages every connection gets the tables once a second.
// With hundreds of players that is megabytes, which sent at once would hold
// every present and well change of that moment behind it; so they go in
// parts, one a turn, each built as the tables then stand.
void GameServer::BeginTablesRound() {
    TextRecipients();
    tablesRound_ = recipients_;
    tablesRoundNext_ = 0;
}

void GameServer::FlushTables() {
    if (tablesDue_) {
        tablesDue_ = false;
        tablesRound_.clear();  // everyone gets them now
        TextRecipients();
        connections_.SendToMany(recipients_, EncodeTables(BuildTables()));
    } else if (!tablesRound_.empty()) {
        const std::string bytes = EncodeTables(BuildTables());
        const std::size_t all = tablesRound_.size();
        const std::size_t part = std::max((all + kTablesRoundParts - 1) / kTablesRoundParts,
                                          std::max<std::size_t>(1, kTablesPartBytes / bytes.size()));
        const std::size_t end = std::min(all, tablesRoundNext_ + part);
        recipients_.clear();
        for (std::size_t k = tablesRoundNext_; k < end; ++k) {
            const ConnectionId id = tablesRound_[k];
            if (byId_.count(id) || spectators_.count(id)) recipients_.push_back(id);  // still here
        }
        tablesRoundNext_ = end;
        if (end == all) tablesRound_.clear();
        connections_.SendToMany(recipients_, bytes);
    }
    // With them, at their pace (which stays the old peers' own); a change
    // without tables waits for the tick.
    SendRosterDue();
}

std::size_t GameServer::JoinedCount() const {
    return static_cast<std::size_t>(
        std::count_if(players_.begin(), players_.end(), [](const auto& p) { return p->team != nullptr; }));
}

Tables GameServer::BuildTables() const {
    Tables tables;
    tables.players.reserve(players_.size());
    for (const auto& p : players_)
        tables.players.push_back(
            {p->name, p->teamName, p->height < 0 ? "-" : std::to_string(p->height), p->roundScore, p->total});
    for (const auto& entry : teams_) {
        const NetTeam& t = *entry.second;
        const std::string members = std::to_string(t.members.size());
        tables.teams.push_back({t.name, (t.playersLeft > 0 ? std::to_string(t.playersLeft) : "-") + "/" + members,
                                t.roundScore, t.total});
    }
    return tables;
}

}  // namespace vexari
