// SPDX-License-Identifier: GPL-3.0-or-later
// The game server's extension: wells relayed to those that ask for them, and
// spectators. Peers that never announce it get none of this and see the
// same bytes as before it existed.
#include <algorithm>
#include <set>

#include "net/GameServer.h"

namespace vexari {

namespace {

constexpr const char* kRefuseSpectators = "Too many spectators";
// Longest spectator name kept (a real one is at most 19 bytes).
constexpr std::size_t kMaxSpectatorName = 31;

}  // namespace

std::size_t GameServer::SpectatorCount() const {
    return static_cast<std::size_t>(std::count_if(spectators_.begin(), spectators_.end(),
                                                  [](const auto& entry) { return entry.second->watching; }));
}

NetPlayer* GameServer::FindNumber(std::int32_t number) {
    const auto it = byNumber_.find(number);
    return it == byNumber_.end() ? nullptr : it->second;
}

// A connection refused for the running round, or one that has not joined,
// whose first message is the announcement becomes a spectator-to-be. What it
// sent so far is read again as that.
bool GameServer::Announced(ConnectionId id) {
    const auto it = refusing_.find(id);
    if (it != refusing_.end()) {
        std::size_t used = 0;
        ClientMessage first;
        if (it->second.bytes.size() < 4 ||
            ReadClientMessage(std::string_view(it->second.bytes).substr(0, 4), used, first) != ReadStatus::Complete ||
            first.kind != MSG_EXT_HELLO)
            return false;
    }
    auto spectator = std::make_unique<NetSpectator>();
    spectator->id = id;
    if (it != refusing_.end()) {
        spectator->acceptedAt = it->second.acceptedAt;
        spectator->input.Append(it->second.bytes);
        refusing_.erase(it);
    } else {
        const auto found = byId_.find(id);
        if (found == byId_.end() || found->second->team != nullptr) return false;
        NetPlayer* const player = found->second;
        spectator->acceptedAt = player->acceptedAt;
        spectator->input = std::move(player->input);
        byId_.erase(found);
        byNumber_.erase(player->number);
        // It never joined: no team, no round and no roster to tell. A round
        // of connections that never joined ends with the last of them.
        std::erase_if(players_, [player](const auto& p) { return p.get() == player; });
        if (roundRunning_ && players_.empty()) EndRound();
        Welcome(id, spectator->wells);
    }
    NetSpectator& placed = *(spectators_[id] = std::move(spectator));
    ReceiveSpectator(placed, {});
    return true;
}

void GameServer::ReceiveSpectator(NetSpectator& spectator, std::string_view bytes) {
    const ConnectionId id = spectator.id;
    spectator.input.Append(bytes);
    for (;;) {
        const auto it = spectators_.find(id);
        if (it == spectators_.end()) return;
        ClientMessage message;
        const ReadStatus status = it->second->input.Next(message);
        if (status == ReadStatus::Incomplete) return;
        if (status == ReadStatus::Invalid) {
            connections_.Close(id);
            ForgetSpectator(id);
            return;
        }
        HandleSpectator(*it->second, message);
    }
}

void GameServer::HandleSpectator(NetSpectator& spectator, const ClientMessage& message) {
    const ConnectionId id = spectator.id;
    switch (message.kind) {
        case MSG_EXT_HELLO:
            if (!spectator.wells.announced) Welcome(id, spectator.wells);
            break;
        case MSG_EXT_WATCH: {
            const auto name = ParseWatch(message.payload);
            if (spectator.watching || !name) break;
            if (SpectatorCount() >= maxSpectators_) {
                connections_.Send(id, EncodeRefuse(kRefuseSpectators));
                connections_.Close(id);
                ForgetSpectator(id);
                return;
            }
            spectator.watching = true;
            spectator.name = name->substr(0, kMaxSpectatorName);
            connections_.Send(id, EncodeKind(MSG_JOIN) + EncodeTables(BuildTables()));
            if (optionsReceived_) connections_.Send(id, EncodeText(OptionsReport(options_)));
            rosterDue_ = true;
            SendTextAll(spectator.name + " is watching.\r\n");
            Subscribe(id, spectator.wells, Subscription{true, {}});
            break;
        }
        case MSG_EXT_SUBSCRIBE:
            if (!spectator.watching) break;
            if (const auto subscription = ParseSubscribe(message.payload))
                Subscribe(id, spectator.wells, *subscription);
            else
                RefuseWells(id, spectator.wells);
            break;
        case MSG_TEXT:
            if (spectator.watching) SendTextAll(spectator.name + " (watching): " + message.text + "\r\n");
            break;
        default:  // a spectator neither plays, pauses, starts nor sets options
            break;
    }
}

void GameServer::HandleExtension(NetPlayer& player, const ClientMessage& message) {
    if (!player.wells.announced) {
        // Before the announcement a kind of the extension is just a kind.
        if (message.kind != MSG_EXT_HELLO) return;
        if (player.team == nullptr) {
            Announced(player.id);  // gone from the player table: a spectator-to-be
            return;
        }
        Welcome(player.id, player.wells);
        return;
    }
    switch (message.kind) {
        case MSG_EXT_SUBSCRIBE:
            if (const auto subscription = ParseSubscribe(message.payload))
                Subscribe(player.id, player.wells, *subscription);
            else
                RefuseWells(player.id, player.wells);
            break;
        case MSG_EXT_REPORT: Report(player, message); break;
        default: break;
    }
}

void GameServer::Welcome(ConnectionId id, WellsPeer& peer) {
    peer.announced = true;
    // The roster as it stands comes with the welcome; the others hear of
    // the newcomer with the next tables or tick.
    connections_.Send(id, EncodeWelcome(kExtensionVersion) + EncodeRoster(BuildRoster()));
    rosterDue_ = true;
}

// Takes a new subscription; the wells it did not have before come whole.
void GameServer::Subscribe(ConnectionId id, WellsPeer& peer, const Subscription& subscription) {
    if (peer.refused) return;
    std::set<std::int32_t> had(peer.watched.begin(), peer.watched.end());
    const bool hadAll = peer.watchAll;
    Unsubscribe(id, peer);
    peer.watchAll = subscription.all;
    if (peer.watchAll) allWatchers_.push_back(id);
    const std::set<std::int32_t> numbers(subscription.numbers.begin(), subscription.numbers.end());
    for (const auto& p : players_) {
        if (p->id == id || !(peer.watchAll || numbers.count(p->number))) continue;
        if (!peer.watchAll) {
            peer.watched.push_back(p->number);
            p->watchers.push_back(id);
        }
        if (p->well && !hadAll && !had.count(p->number)) connections_.Send(id, EncodeWell(p->number, *p->well));
    }
}

void GameServer::Unsubscribe(ConnectionId id, WellsPeer& peer) {
    std::erase(allWatchers_, id);
    for (const std::int32_t number : peer.watched)
        if (NetPlayer* p = FindNumber(number)) std::erase(p->watchers, id);
    peer.watched.clear();
    peer.watchAll = false;
}

// A player's well changed: whoever wants it gets the change, all from the
// same bytes (every one of them holds the last well).
void GameServer::Report(NetPlayer& player, const ClientMessage& message) {
    if (player.wells.refused || player.team == nullptr) return;
    std::optional<WellRows> well = ParseReport(message.payload);
    if (!well || !ValidWell(*well)) {
        RefuseWells(player.id, player.wells);
        player.well.reset();
        return;
    }
    if (player.well == well) return;
    const std::string bytes =
        player.well ? EncodeWellChange(player.number, *player.well, *well) : EncodeWell(player.number, *well);
    player.well = std::move(well);
    recipients_.clear();
    for (const ConnectionId id : allWatchers_)
        if (id != player.id) recipients_.push_back(id);
    recipients_.insert(recipients_.end(), player.watchers.begin(), player.watchers.end());
    if (!recipients_.empty()) connections_.SendToMany(recipients_, bytes);
}

// A peer that sent what no real one does loses the wells: it gets none, and
// its own reach nobody. It stays in the room and the round.
void GameServer::RefuseWells(ConnectionId id, WellsPeer& peer) {
    Unsubscribe(id, peer);
    peer.refused = true;
}

void GameServer::ForgetSpectator(ConnectionId id) {
    const auto it = spectators_.find(id);
    if (it == spectators_.end()) return;
    std::unique_ptr<NetSpectator> spectator = std::move(it->second);
    spectators_.erase(it);
    Unsubscribe(id, spectator->wells);
    if (spectator->watching) {
        rosterDue_ = true;
        SendTextAll(spectator->name + " stopped watching.\r\n");
    }
}

// Texts and tables go to the players and to those watching.
void GameServer::TextRecipients() {
    recipients_.clear();
    for (const auto& p : players_) recipients_.push_back(p->id);
    for (const auto& [id, spectator] : spectators_)
        if (spectator->watching) recipients_.push_back(id);
}

void GameServer::SendRosterDue() {
    if (!rosterDue_) return;
    rosterDue_ = false;
    recipients_.clear();
    for (const auto& p : players_)
        if (p->wells.announced) recipients_.push_back(p->id);
    for (const auto& [id, spectator] : spectators_)
        if (spectator->watching) recipients_.push_back(id);
    if (!recipients_.empty()) connections_.SendToMany(recipients_, EncodeRoster(BuildRoster()));
}

Roster GameServer::BuildRoster() const {
    Roster roster;
    roster.roundRunning = roundRunning_;
    for (const auto& p : players_) {
        if (p->team == nullptr) continue;
        // One who joined after the round started waits for the next, as between rounds.
        const MemberState state = !roundRunning_ || !p->inRound ? MemberState::Waiting
                                  : p->alive                    ? MemberState::Playing
                                                                : MemberState::Out;
        roster.members.push_back({p->number, p->name, p->teamName, state});
    }
    for (const auto& [id, spectator] : spectators_)
        if (spectator->watching) roster.members.push_back({0, spectator->name, {}, MemberState::Watching});
    return roster;
}

}  // namespace vexari
