// SPDX-License-Identifier: GPL-3.0-or-later
// The game server fed fuzzed connection events. Each step is one byte:
//   0 accept a new connection          1 bytes arrive: connection, length, bytes
//   2 the peer closes: connection      3 the once-a-second tick
//   4 the connection fails during the server's next send to it: connection
//   5 start the countdown              6 close the server
// (the byte modulo 7; a connection is a byte picking one of the open ones).
// After every event, and whenever the observer is called, the tables are
// consistent: every team's members are players of the table, no team is
// empty, a joined player is in its team, no closed connection is left (as a
// player or a spectator), and spectators stay within their limit.
#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "net/GameServer.h"

namespace {

using namespace vexari;

struct FakeConnections final : ServerConnections {
    GameServer* server = nullptr;
    std::vector<ConnectionId> open;  // accepted and not closed, oldest first
    std::set<ConnectionId> closedByServer;
    std::set<ConnectionId> closedByPeer;
    std::set<ConnectionId> failOnSend;
    ConnectionId lastId = 0;

    void Send(ConnectionId id, std::string_view) override {
        FUZZ_CHECK(id >= 1 && id <= lastId, "send to connection %llu never accepted",
                   static_cast<unsigned long long>(id));
        FUZZ_CHECK(!closedByServer.count(id), "send to connection %llu after closing it",
                   static_cast<unsigned long long>(id));
        if (failOnSend.erase(id)) PeerClosed(id);  // reported in the middle of the server's work
    }
    void Close(ConnectionId id) override {
        FUZZ_CHECK(!closedByServer.count(id), "connection %llu closed twice", static_cast<unsigned long long>(id));
        closedByServer.insert(id);
        std::erase(open, id);
    }
    void PeerClosed(ConnectionId id) {
        if (std::find(open.begin(), open.end(), id) == open.end()) return;
        std::erase(open, id);
        closedByPeer.insert(id);
        server->Closed(id);
    }
};

void CheckTables(const GameServer& server, const FakeConnections& connections) {
    std::set<const NetPlayer*> players;
    for (const auto& p : server.Players()) {
        FUZZ_CHECK(players.insert(p.get()).second, "a player listed twice");
        const auto id = static_cast<unsigned long long>(p->id);
        FUZZ_CHECK(!connections.closedByServer.count(p->id), "closed connection %llu still a player", id);
        if (p->team == nullptr) continue;
        const auto it = server.Teams().find(p->team->name);
        FUZZ_CHECK(it != server.Teams().end() && it->second.get() == p->team, "player %llu in a lost team", id);
        FUZZ_CHECK(std::count(p->team->members.begin(), p->team->members.end(), p.get()) == 1,
                   "player %llu not once among its team's members", id);
    }
    for (const auto& [name, team] : server.Teams()) {
        FUZZ_CHECK(!team->members.empty(), "team \"%s\" is empty", name.c_str());
        FUZZ_CHECK(team->name == name, "team \"%s\" filed as \"%s\"", team->name.c_str(), name.c_str());
        for (const NetPlayer* member : team->members) {
            FUZZ_CHECK(players.count(member), "a member of team \"%s\" is not in the player table", name.c_str());
            FUZZ_CHECK(member->team == team.get(), "a member of team \"%s\" names another team", name.c_str());
        }
    }
    for (const auto& [id, spectator] : server.Spectators()) {
        FUZZ_CHECK(spectator->id == id && !connections.closedByServer.count(id) && !connections.closedByPeer.count(id),
                   "closed connection %llu still a spectator", static_cast<unsigned long long>(id));
        FUZZ_CHECK(!spectator->wells.watchAll || spectator->watching, "a spectator-to-be gets wells");
    }
    FUZZ_CHECK(server.SpectatorCount() <= GameServer::kDefaultMaxSpectators, "%zu spectators", server.SpectatorCount());
    FUZZ_CHECK(server.ConnectionCount() <= GameServer::kMaxConnections, "%zu connections", server.ConnectionCount());
}

// Checks the tables each time the server says they are consistent.
struct CheckingObserver final : ServerObserver {
    const GameServer* server = nullptr;
    const FakeConnections* connections = nullptr;
    void TextToAll(std::string_view) override { CheckTables(*server, *connections); }
    void RoundStarted() override { CheckTables(*server, *connections); }
    void RoundEnded() override { CheckTables(*server, *connections); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ByteReader in(data, size);
    FakeConnections connections;
    std::int64_t now = 1000;
    GameServer server(connections, {1, 0, 0, 5}, [&now] { return now; });
    connections.server = &server;
    CheckingObserver observer;
    observer.server = &server;
    observer.connections = &connections;
    server.SetObserver(&observer);

    const auto pick = [&](std::uint8_t b) -> ConnectionId {
        return connections.open.empty() ? 0 : connections.open[b % connections.open.size()];
    };
    while (!in.Empty()) {
        const std::uint8_t op = in.Byte();
        switch (op % 7) {
            case 0:
                connections.open.push_back(++connections.lastId);
                server.Accepted(connections.lastId);
                break;
            case 1: {
                const ConnectionId id = pick(in.Byte());
                const std::string_view bytes = in.Bytes(in.Byte());
                if (id != 0) server.Received(id, bytes);
                break;
            }
            case 2:
                if (const ConnectionId id = pick(in.Byte())) connections.PeerClosed(id);
                break;
            case 3:
                ++now;
                server.ServerTick();
                break;
            case 4:
                if (const ConnectionId id = pick(in.Byte())) connections.failOnSend.insert(id);
                break;
            case 5: server.StartCountdown(); break;
            case 6: server.CloseServer(); break;
        }
        CheckTables(server, connections);
        for (const auto& p : server.Players())
            FUZZ_CHECK(!connections.closedByPeer.count(p->id), "connection %llu closed by its peer is still a player",
                       static_cast<unsigned long long>(p->id));
    }
    return 0;
}
