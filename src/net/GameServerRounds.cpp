// SPDX-License-Identifier: GPL-3.0-or-later
// The game server's rounds: the countdown, the start and end of a round and
// its scores, and the presents that landings send to the other teams.
#include "net/GameServer.h"

#include <algorithm>
#include <string>

#include "net/ServerArithmetic.h"

namespace vexari {

namespace {

// Seconds since 1970 modulo 65535 (not 65536): the round's seeds.
std::int32_t Seed(std::int64_t seconds) {
    std::int64_t seed = seconds % 65535;
    if (seed < 0) seed += 65535;
    return static_cast<std::int32_t>(seed);
}

std::string CountdownText(int seconds) {
    return "&Starting in " + std::to_string(seconds) + " seconds.\r\nPress ESC to pause.\r\n";
}

}  // namespace

// --- Countdown and rounds -------------------------------------------------------

void GameServer::ServerTick() {
    Busy busy(*this);
    CloseLateJoiners();
    Tick();
    SendRosterDue();
}

void GameServer::SendTables() {
    Busy busy(*this);
    FlushTables();
}

// A connection holds buffers and a place in the tables: one that does not
// join in time is closed.
void GameServer::CloseLateJoiners() {
    const std::int64_t now = now_();
    std::vector<ConnectionId> late;
    for (const auto& p : players_)
        if (p->team == nullptr && now - p->acceptedAt >= kJoinTimeoutSeconds) late.push_back(p->id);
    for (const auto& [id, refusing] : refusing_)
        if (now - refusing.acceptedAt >= kJoinTimeoutSeconds) late.push_back(id);
    for (const auto& [id, spectator] : spectators_)
        if (!spectator->watching && now - spectator->acceptedAt >= kJoinTimeoutSeconds) late.push_back(id);
    for (const ConnectionId id : late) {
        connections_.Close(id);
        if (refusing_.erase(id) == 0) Forget(id);
        ForgetSpectator(id);
    }
}

void GameServer::Tick() {
    if (countdown_ >= 0) {
        --countdown_;
        if (countdown_ >= 0) {
            SendTextAll(CountdownText(countdown_));
        } else if (roundRunning_) {
            SendAll(EncodeKind(MSG_RESUME));
        } else {
            StartRound();
        }
    }
    if (options_.traceMessages == 0 && roundRunning_) BeginTablesRound();
}

void GameServer::StartCountdown() {
    Busy busy(*this);
    BeginCountdown();
}

void GameServer::BeginCountdown() {
    countdown_ = options_.countdownSeconds;
    if (countdown_ == 0) Tick();
}

void GameServer::SetOptions(const NetOptions& options) {
    options_ = options;
    optionsReceived_ = true;
}

void GameServer::StartRound() {
    playersInRound_ = 0;
    random_ = static_cast<std::uint32_t>(Seed(now_()));
    roundRunning_ = true;
    SendAll(EncodeStart(options_.fallPeriod, Seed(now_())));
    for (const auto& p : players_) {
        p->alive = true;
        p->inRound = true;
        p->height = 0;
        p->roundScore = 0;
        p->roundLines = {};
        ++playersInRound_;
    }
    teamsInRound_ = 0;
    for (const auto& entry : teams_) {
        NetTeam& team = *entry.second;
        team.alive = true;
        team.roundScore = 0;
        team.playersLeft = static_cast<std::int32_t>(team.members.size());
        ++teamsInRound_;
    }
    SendTablesAll();
    rosterDue_ = true;
    notices_.push_back({Notice::Kind::RoundStarted, {}});
}

void GameServer::EndRound() {
    SendAll(EncodeKind(MSG_FILLED));
    for (const auto& p : players_) {
        if (p->alive) {
            p->alive = false;
            p->roundScore = Wrap(std::int64_t{p->roundScore} + playersInRound_ - 1);
        }
        for (std::size_t k = 0; k < 4; ++k) p->totalLines[k] = Wrap(std::int64_t{p->totalLines[k]} + p->roundLines[k]);
        p->total = Wrap(std::int64_t{p->total} + p->roundScore);
        if (p->team != nullptr)
            p->team->roundScore =
                Wrap(p->team->roundScore + std::int64_t{p->roundScore} * options_.playerWinScores);
    }
    bool gameOver = false;
    for (const auto& entry : teams_) {
        NetTeam& team = *entry.second;
        if (team.alive) {
            team.roundScore = Wrap(team.roundScore + std::int64_t{teamsInRound_ - 1} * options_.teamWinScores);
            team.alive = false;
        }
        team.total = Wrap(std::int64_t{team.total} + team.roundScore);
        if (static_cast<std::uint32_t>(team.total) >= static_cast<std::uint32_t>(options_.playTill)) gameOver = true;
    }
    roundRunning_ = false;

    std::string statistics = "Player statistics:\r\n";
    for (const auto& p : players_) {
        statistics += "  " + p->name + ":\r\n";
        for (std::size_t k = 0; k < 4; ++k)
            statistics += "    " + std::to_string(k + 1) + "-lines: " + std::to_string(p->roundLines[k]) + "/" +
                          std::to_string(p->totalLines[k]) + "\r\n";
    }
    SendTextAll(statistics);

    if (gameOver) {
        std::vector<const NetTeam*> teams;
        for (const auto& entry : teams_) teams.push_back(entry.second.get());
        std::stable_sort(teams.begin(), teams.end(), [](const NetTeam* a, const NetTeam* b) { return a->total > b->total; });
        std::vector<const NetPlayer*> players;
        for (const auto& p : players_) players.push_back(p.get());
        std::stable_sort(players.begin(), players.end(),
                         [](const NetPlayer* a, const NetPlayer* b) { return a->total > b->total; });
        std::string results = "&Team results:\r\n";
        for (const NetTeam* t : teams) results += "  " + t->name + ": " + std::to_string(t->total) + "\r\n";
        results += "Player results:\r\n";
        for (const NetPlayer* p : players) results += "  " + p->name + ": " + std::to_string(p->total) + "\r\n";
        results += "Game over\r\n";
        SendTextAll(results);
        for (const auto& entry : teams_) entry.second->total = 0;
        for (const auto& p : players_) {
            p->total = 0;
            p->totalLines = {};
        }
    }
    SendTablesAll();
    rosterDue_ = true;
    notices_.push_back({Notice::Kind::RoundEnded, {}});
}

// --- Presents -------------------------------------------------------------------

std::uint32_t GameServer::Draw() {
    random_ = random_ * 214013u + 2531011u;
    return (random_ >> 16) & 32767u;
}

// Rows removed by a player of team `sender` go to the other teams still alive.
void GameServer::Dispatch(std::int32_t rows, const NetTeam* sender) {
    std::vector<NetTeam*>& eligible = eligibleTeams_;
    eligible.clear();
    for (const auto& entry : teams_)
        if (entry.second->alive && entry.second.get() != sender) eligible.push_back(entry.second.get());
    // The lower the value, the more free rows the team's alive members have.
    const auto strength = [this](const NetTeam* team) {
        std::int64_t value = 0;
        for (const NetPlayer* p : team->members)
            if (p->alive) value += p->height;
        return value - std::int64_t{options_.height} * team->playersLeft;
    };
    const std::size_t k = eligible.size();
    switch (options_.teamThrow) {
        case static_cast<std::int32_t>(ThrowMode::All):
            for (NetTeam* team : eligible) TeamReceives(*team, rows);
            break;
        case static_cast<std::int32_t>(ThrowMode::MostStrong): {
            NetTeam* best = nullptr;
            std::int64_t bestValue = 25000;
            for (NetTeam* team : eligible) {
                const std::int64_t value = strength(team);
                if (value < bestValue) {
                    best = team;
                    bestValue = value;
                }
            }
            if (best != nullptr) TeamReceives(*best, rows);
            break;
        }
        case static_cast<std::int32_t>(ThrowMode::MostWeak): {
            NetTeam* best = nullptr;
            std::int64_t bestValue = 0;
            for (NetTeam* team : eligible) {
                const std::int64_t value = strength(team);
                if (best == nullptr || value > bestValue) {
                    best = team;
                    bestValue = value;
                }
            }
            if (best != nullptr) TeamReceives(*best, rows);
            break;
        }
        case static_cast<std::int32_t>(ThrowMode::Random):
            if (k != 0) TeamReceives(*eligible[Draw() % k], rows);
            break;
        case static_cast<std::int32_t>(ThrowMode::RandomDispatch):
            if (k != 0)
                for (std::int32_t i = 0; i < rows; ++i) TeamReceives(*eligible[Draw() % k], 1);
            break;
        default: break;  // an unknown mode sends nothing
    }
}

void GameServer::TeamReceives(NetTeam& team, std::int32_t rows) {
    std::vector<NetPlayer*>& alive = aliveMembers_;
    alive.clear();
    for (NetPlayer* p : team.members)
        if (p->alive) alive.push_back(p);
    // Positions are counted modulo the players left, which matches the alive
    // members; should they ever disagree, modulo the alive members instead.
    std::size_t left = alive.size();
    if (team.playersLeft > 0 && static_cast<std::size_t>(team.playersLeft) <= alive.size())
        left = static_cast<std::size_t>(team.playersLeft);
    switch (options_.playerThrow) {
        case static_cast<std::int32_t>(ThrowMode::All):
            for (NetPlayer* p : alive) PlayerReceives(*p, rows);
            break;
        case static_cast<std::int32_t>(ThrowMode::MostStrong): {
            NetPlayer* best = nullptr;
            for (NetPlayer* p : alive)
                if (p->height < 26 && (best == nullptr || p->height < best->height)) best = p;
            if (best != nullptr) PlayerReceives(*best, rows);
            break;
        }
        case static_cast<std::int32_t>(ThrowMode::MostWeak): {
            NetPlayer* best = nullptr;
            for (NetPlayer* p : alive)
                if (best == nullptr || p->height > best->height) best = p;
            if (best != nullptr) PlayerReceives(*best, rows);
            break;
        }
        case static_cast<std::int32_t>(ThrowMode::Random): {
            const std::uint32_t v = Draw();
            if (left != 0) PlayerReceives(*alive[v % left], rows);
            break;
        }
        case static_cast<std::int32_t>(ThrowMode::RandomDispatch):
            for (std::int32_t i = 0; i < rows; ++i) {
                const std::uint32_t v = Draw();
                if (left != 0) PlayerReceives(*alive[v % left], 1);
            }
            break;
        default: break;
    }
}

void GameServer::PlayerReceives(NetPlayer& player, std::int32_t rows) {
    player.height = Wrap(std::int64_t{player.height} + rows);
    connections_.Send(player.id, EncodePresent(rows));
}

}  // namespace vexari
