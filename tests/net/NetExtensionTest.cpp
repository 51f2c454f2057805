// SPDX-License-Identifier: GPL-3.0-or-later
// The network extension: wells on the wire, spectators, and rooms where
// clients with and without it play together.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <memory>

#include "../game/Fakes.h"
#include "ai/ComputerPlayer.h"
#include "net/GameClient.h"
#include "net/GameServer.h"
#include "net/WireExtension.h"

namespace vexari {

namespace {

constexpr VersionQuad kVersion{1, 0, 0, 5};

// A well of height 20 from rows given bottom first, '.' empty, a digit a colour.
WellRows WellOf(std::initializer_list<const char*> rows) {
    WellRows well{20, {}};
    int v = 0;
    for (std::string_view row : rows) {
        for (std::size_t u = 0; u < row.size(); ++u) well.SetCell(int(u), v, row[u] == '.' ? 0 : row[u] - '0');
        ++v;
    }
    return well;
}

// The extension's messages cut out, as a server without it would never send them.
std::string WithoutExtension(std::string_view bytes) {
    std::string kept;
    for (std::size_t at = 0, used = 0; at < bytes.size(); at += used) {
        ServerMessage m;
        EXPECT_EQ(ReadServerMessage(bytes.substr(at), used, m), ReadStatus::Complete);
        if (!IsExtensionKind(m.kind)) kept.append(bytes.substr(at, used));
    }
    return kept;
}

// A server with recorded connections; connection i + 1 joins as name i,
// announcing the extension where the name is lower case.
struct Room : ServerConnections {
    std::map<ConnectionId, std::string> sent;
    std::vector<ConnectionId> closed;
    GameServer server{*this, kVersion, [] { return std::int64_t{1000}; }};

    explicit Room(std::initializer_list<const char*> names) {
        ConnectionId id = 0;
        for (const char* name : names) {
            server.Accepted(++id);
            server.Received(id, EncodeJoin(name, name, kVersion) + (std::islower(*name) ? EncodeHello() : ""));
        }
        sent.clear();
    }
    void Send(ConnectionId id, std::string_view bytes) override { sent[id].append(bytes); }
    void Close(ConnectionId id) override { closed.push_back(id); }
    std::vector<ServerMessage> Take(ConnectionId id) {
        ServerMessageStream stream;
        stream.Append(std::exchange(sent[id], {}));
        std::vector<ServerMessage> out;
        for (ServerMessage m; stream.Next(m) == ReadStatus::Complete;) out.push_back(m);
        return out;
    }
};

TEST(WireExtensionServer, WellsGoWholeThenChangedToThoseWhoAskAndAHostileReportCostsOnlyWells) {
    const WellRows a1 = WellOf({"1111.11111", "11.1111111", "....2"}), a2 = WellOf({"1111.11111", "11.1111111", "....24"}),
                   c1 = WellOf({"..5......."});
    const std::pair<std::string, bool> reports[] = {  // what Cid reports; whether its stream breaks
        {EncodeReport(c1), false},
        {EncodeReport(WellOf({"....8"})), false},
        {EncodeReport(WellOf({".....8"})), false},
        {EncodeReport(WellRows{26, c1.rows}), false},
        {EncodeReport(WellRows{20, c1.rows + std::string(5, '\0')}), false},  // the top row empty
        {EncodeFramed(MSG_EXT_REPORT, EncodeReport(WellOf({".."})).substr(8, 6)), false},  // cut short
        {EncodeReport(WellRows{20, std::string(21 * 5, '\x11')}), false},                  // above the well
        {EncodeFramed(MSG_EXT_REPORT, std::string(kMaxClientPayload + 1, '\0')), true},
    };
    for (const auto& [report, broken] : reports) {
        Room room{"ann", "Bob", "cid"};
        room.server.Received(3, EncodeSubscribe({true, {}}));
        room.server.Received(1, EncodeSubscribe({false, {3}}) + EncodeReport(a1));
        room.server.Received(3, report);
        const bool good = report == EncodeReport(c1);
        std::vector<ServerMessage> toAnn = room.Take(1);
        std::erase_if(toAnn, [](const ServerMessage& m) { return !IsExtensionKind(m.kind); });
        ASSERT_EQ(toAnn.size(), good || broken ? 1u : 0u);  // Cid's well, or the roster without Cid
        EXPECT_TRUE(!good || ParseWell(toAnn[0].kind, toAnn[0].payload, {})->well == c1);
        room.server.Received(1, EncodeReport(a2) + EncodeReport(a2));  // the same again goes nowhere
        const auto toCid = room.Take(3);
        ASSERT_EQ(toCid.size(), good ? 2u : 1u) << "a hostile peer gets no more wells";
        // The change is the row that changed, shorter than the whole well.
        EXPECT_TRUE(!good || (toCid[1].kind == MSG_EXT_WELL_DIFF &&
                              ParseWell(toCid[1].kind, toCid[1].payload, {{1, a1}})->well == a2));
        // Bob never announced: nothing of this reaches him; Cid keeps its place unless its stream broke.
        EXPECT_EQ(std::tuple(WithoutExtension(room.sent[2]), room.closed.size(), room.server.JoinedCount()),
                  std::tuple(room.sent[2], broken ? 1u : 0u, broken ? 2u : 3u));
    }
}

TEST(WireExtensionServer, ASpectatorJoinsMidRoundGetsEveryWellAndLeavesTheRoundAlone) {
    Room room{"ann", "Bob", "cid"};
    room.server.StartCountdown();
    room.server.Received(1, EncodeReport(WellOf({"1"})));
    room.server.Received(3, EncodeReport(WellOf({"..3"})));
    room.sent.clear();
    room.server.Accepted(4);
    room.server.Received(4, EncodeHello() + EncodeWatch("Sam") + EncodeText("hi") + EncodeKind(MSG_PAUSE));
    std::map<std::int32_t, WellRows> wells;
    std::vector<std::int32_t> kinds;
    for (const ServerMessage& m : room.Take(4)) {
        kinds.push_back(m.kind);
        if (const auto well = ParseWell(m.kind, m.payload, {})) wells[well->number] = well->well;
        EXPECT_TRUE(m.kind != MSG_TABLES || m.tables.players.size() == 3u);  // not among the players
    }
    EXPECT_EQ(kinds, (std::vector<std::int32_t>{MSG_EXT_WELCOME, MSG_EXT_ROSTER, MSG_JOIN, MSG_TABLES, MSG_TEXT,
                                                MSG_EXT_WELL, MSG_EXT_WELL, MSG_TEXT}));
    room.server.ServerTick();  // the roster with the spectator
    EXPECT_EQ(ParseRoster(room.Take(4).at(0).payload)->members.back().state, MemberState::Watching);
    EXPECT_EQ(wells, (std::map<std::int32_t, WellRows>{{1, WellOf({"1"})}, {3, WellOf({"..3"})}}));
    // One more than the limit is refused; Sam leaves. An old player saw texts only (no pause, tables, player).
    room.server.SetMaxSpectators(1), room.server.Accepted(5);
    room.server.Received(5, EncodeHello() + EncodeWatch("Tim"));
    EXPECT_TRUE(room.sent[5].ends_with(EncodeRefuse("Too many spectators")));
    room.server.Closed(4);
    std::vector<std::string> toBob;
    for (const ServerMessage& m : room.Take(2)) toBob.push_back(m.kind == MSG_TEXT ? m.text : "kind");
    EXPECT_EQ(toBob, (std::vector<std::string>{"Sam is watching.\r\n", "Sam (watching): hi\r\n",
                                               "Sam stopped watching.\r\n"}));
    EXPECT_EQ(std::tuple(room.server.RoundRunning(), room.server.JoinedCount(), room.server.SpectatorCount()),
              std::tuple(true, 3u, 0u));
    // One who joins once the round has started waits for the next; one whose well filled is out of this one.
    Room late{"ann", "bob", "cid"};
    late.server.Accepted(4);
    late.server.StartCountdown();
    late.server.Received(4, EncodeJoin("dan", "dan", kVersion));
    late.server.Received(3, EncodeKind(MSG_FILLED));
    std::vector<MemberState> states;
    for (const RosterEntry& m : late.server.BuildRoster().members) states.push_back(m.state);
    EXPECT_EQ(states, (std::vector<MemberState>{MemberState::Playing, MemberState::Playing, MemberState::Out,
                                                MemberState::Waiting}));
}

// ---- rooms of real games ----

struct Seat : test::GameFixture, ClientConnection {
    GameClient client{game, settings, kVersion};
    ComputerPlayer computer{game};
    std::string out, sentAll, received;
    std::optional<WellRows> live, final;  // the well as last painted, and when the game ended
    void Send(std::string_view bytes) override { out.append(bytes), sentAll.append(bytes); }
    void PaintGame() override {  // the end-of-game pictures push the well out
        if (!game.Animating()) live = PackWell(r());
    }
};

using Played = std::vector<std::unique_ptr<Seat>>;

// Four players in four teams play one round: the computer plays the first and
// the third (and sends presents), the others move their figures their own way.
Played PlayRound(std::array<bool, 4> announce, bool serverAnswers) {
    Room room{};
    Played seats;
    for (int i = 0; i < 4; ++i) {
        Seat& s = *seats.emplace_back(std::make_unique<Seat>());
        std::tie(s.settings.playerName, s.settings.team, s.settings.netFallPeriod, s.settings.countdownSeconds) =
            std::tuple("P" + std::to_string(i), "T" + std::to_string(i), 1, 0);
        s.r().networkGame = true;
        s.game.SetHooks({.painter = &s,
                         .clock = &s,
                         .keys = &s,
                         .network = &s.client,
                         .window = &s,
                         .computer = i % 2 == 0 ? static_cast<ComputerHooks*>(&s.computer) : &s});
        s.r().computerPlays = i % 2 == 0;
        s.game.ResetGame();
        s.client.SetAnnounce(announce[i]);
        s.client.SetSubscription({true, {}});
        room.server.Accepted(static_cast<ConnectionId>(i + 1));
        s.client.Begin(s, nullptr, i == 0);
    }
    const auto pump = [&] {
        for (bool moved = true; moved;) {
            moved = false;
            for (std::size_t i = 0; i < 4; ++i) {
                Seat& s = *seats[i];
                if (!s.out.empty()) moved = true, room.server.Received(i + 1, std::exchange(s.out, {}));
                std::string bytes = std::exchange(room.sent[i + 1], {});
                if (!serverAnswers) bytes = WithoutExtension(bytes);
                if (!bytes.empty()) moved = true, s.received += bytes;
                EXPECT_TRUE(s.client.Received(bytes));
                if (!s.game.Animating()) continue;
                if (!s.final) s.final = s.live;
                s.RunAnimation(), s.client.ProcessPending(), moved = true;
            }
        }
    };
    pump();
    seats[0]->client.StartGame();
    pump();
    for (int step = 0; step < 50000 && room.server.RoundRunning(); ++step) {
        for (std::size_t i = 0; i < 4; ++i) {
            Seat& s = *seats[i];
            if (!s.r().running) continue;
            if (i % 2 == 0) s.computer.Finish();
            if (i % 2 && step % int(3 + i) == 0) s.game.PressKey(step % int(7 + 2 * i) < 4 ? KeyCode::Left : KeyCode::Right);
            if (i % 2 && step % 11 == int(i)) s.game.PressKey(KeyCode::Up);
            s.game.Tick();
        }
        pump();
    }
    EXPECT_FALSE(room.server.RoundRunning());
    return seats;
}

TEST(WireExtensionRoom, OldClientsGetTodaysBytesNewOnesSeeTheWellsTheGamesEndWith) {
    const Played old = PlayRound({false, false, false, false}, true);
    const Played mixed = PlayRound({true, false, true, false}, true);
    // A server that never answers the announcement: the same round, and the
    // clients sent it nothing but the announcement more than old ones.
    const Played silent = PlayRound({true, true, true, true}, false);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(WithoutExtension(old[i]->received), old[i]->received);
        EXPECT_TRUE(i % 2 == 0 || mixed[i]->received == old[i]->received) << i;
        EXPECT_EQ(std::tie(silent[i]->received, mixed[i]->final), std::tie(old[i]->received, old[i]->final));
        std::string sent = old[i]->sentAll;
        sent.insert(EncodeJoin("P0", "T0", kVersion).size() + (i == 0 ? EncodeOptions({}).size() : 0), EncodeHello());
        EXPECT_EQ(silent[i]->sentAll, sent);
    }
    ASSERT_TRUE(mixed[0]->final && mixed[2]->final);
    EXPECT_EQ(mixed[0]->client.Room().Wells(), (std::map<std::int32_t, WellRows>{{3, *mixed[2]->final}}));
    EXPECT_EQ(mixed[2]->client.Room().Wells(), (std::map<std::int32_t, WellRows>{{1, *mixed[0]->final}}));
}

}  // namespace
}  // namespace vexari
