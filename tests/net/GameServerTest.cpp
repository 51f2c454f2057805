#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "net/GameServer.h"
#include "net/Wire.h"

namespace vexari {
namespace {

const VersionQuad kServerVersion{1, 0, 0, 5};

// Records what the server sends and closes, per connection.
class FakeConnections : public ServerConnections {
public:
    void Send(ConnectionId id, std::string_view bytes) override {
        sent[id].append(bytes);
        if (onSend) onSend(id);
    }
    void Close(ConnectionId id) override { closed.push_back(id); }

    std::map<ConnectionId, std::string> sent;
    std::vector<ConnectionId> closed;
    std::function<void(ConnectionId)> onSend;
};

class Recorder : public ServerObserver {
public:
    void TextToAll(std::string_view text) override { events.emplace_back(text); }
    void RoundStarted() override { events.emplace_back("started"); }
    void RoundEnded() override {
        events.emplace_back("ended");
        if (onEnded) onEnded();
    }
    std::vector<std::string> events;
    std::function<void()> onEnded;
};

std::vector<ServerMessage> Decode(std::string_view bytes) {
    std::vector<ServerMessage> out;
    while (!bytes.empty()) {
        ServerMessage message;
        std::size_t used = 0;
        if (ReadServerMessage(bytes, used, message) != ReadStatus::Complete) {
            ADD_FAILURE() << "the server sent bytes that are not whole messages";
            break;
        }
        out.push_back(message);
        bytes.remove_prefix(used);
    }
    return out;
}

// "03 41 6E 6E" -> bytes.
std::string HexBytes(std::string_view hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 3)
        out += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    return out;
}

// Player names and team names; connection i + 1 joins as entry i, and an
// empty name is a connection that never joins.
using Roster = std::vector<std::pair<std::string, std::string>>;

// A server with its players joined, and what they were sent.
struct Host {
    explicit Host(const Roster& roster = {}, std::optional<NetOptions> options = std::nullopt) {
        server.SetObserver(&observer);
        if (options) server.SetOptions(*options);
        ConnectionId id = 1;
        for (const auto& [name, team] : roster) {
            if (name.empty())
                server.Accepted(id++);
            else
                Join(id++, name, team);
        }
    }
    void Join(ConnectionId id, const std::string& name, const std::string& team) {
        server.Accepted(id);
        server.Received(id, EncodeJoin(name, team, kServerVersion));
    }
    void Land(ConnectionId id, std::int32_t height, std::int32_t removed) {
        server.Received(id, EncodeLanded(height, 0, removed));
    }
    void Filled(ConnectionId id) { server.Received(id, EncodeKind(MSG_FILLED)); }
    // A round at once (start-in 0); what was sent before is forgotten.
    void Start() {
        server.StartCountdown();
        EXPECT_TRUE(server.RoundRunning());
        net.sent.clear();
    }
    std::vector<ServerMessage> Take(ConnectionId id) {
        auto messages = Decode(net.sent[id]);
        net.sent[id].clear();
        return messages;
    }
    std::vector<std::int32_t> Kinds(ConnectionId id) {
        std::vector<std::int32_t> kinds;
        for (const auto& m : Take(id)) kinds.push_back(m.kind);
        return kinds;
    }
    std::vector<std::string> Texts(ConnectionId id) {
        std::vector<std::string> texts;
        for (const auto& m : Take(id))
            if (m.kind == MSG_TEXT) texts.push_back(m.text);
        return texts;
    }
    std::int32_t PresentRows(ConnectionId id) {
        std::int32_t rows = 0;
        for (const auto& m : Take(id))
            if (m.kind == MSG_PRESENT) rows += m.rows;
        return rows;
    }
    const NetPlayer& Player(ConnectionId id) {
        for (const auto& p : server.Players())
            if (p->id == id) return *p;
        ADD_FAILURE() << "no connection " << id;
        return *server.Players().front();
    }
    const NetTeam& Team(const std::string& name) { return *server.Teams().at(name); }

    FakeConnections net;
    Recorder observer;
    std::int64_t now = 65535 * 3 + 77;  // seeds 77
    GameServer server{net, kServerVersion, [this] { return now; }};
};

NetOptions With(const std::function<void(NetOptions&)>& change) {
    NetOptions options;
    change(options);
    return options;
}

// --- Joining --------------------------------------------------------------------

TEST(GameServerJoin, RefusedForAnotherVersionOrAnEqualNameAndNothingAfterItIsRead) {
    struct Case {
        const char* name;
        VersionQuad version;
        const char* refusal;  // nullptr: accepted
    } cases[] = {
        {"ann", kServerVersion, nullptr},
        {"Ann", kServerVersion, "Player with the same name already exists"},
        {"Bob", {1, 0, 0, 6}, "Incompatible vexari versions"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Host h(Roster{{"Ann", "Red"}});
        h.Take(1);
        h.server.Accepted(2);
        h.server.Received(2, EncodeJoin(c.name, "Red", c.version) + EncodeText("hi"));
        const auto answer = h.Take(2);
        ASSERT_FALSE(answer.empty());
        if (c.refusal == nullptr) {
            EXPECT_EQ(answer[0].kind, MSG_JOIN);
            EXPECT_EQ(h.Team("Red").members.size(), 2u);
            EXPECT_TRUE(h.net.closed.empty());
            EXPECT_EQ(h.Texts(1), std::vector<std::string>{"ann: hi\r\n"});
        } else {
            ASSERT_EQ(answer.size(), 1u);
            EXPECT_EQ(answer[0].text, c.refusal);
            EXPECT_EQ(h.net.closed, std::vector<ConnectionId>{2});
            EXPECT_EQ(h.server.ConnectionCount(), 1u);
            EXPECT_EQ(h.Team("Red").members.size(), 1u);
            const auto toAnn = h.Take(1);
            ASSERT_EQ(toAnn.size(), 1u);  // the tables without the refused one, no chat
            EXPECT_EQ(toAnn[0].tables.players.size(), 1u);
        }
    }
}

TEST(GameServerJoin, AnswersJoinThenTheTablesAndIgnoresASecondJoin) {
    Host h;
    h.Join(1, "Ann", "Red");
    EXPECT_EQ(h.net.sent[1], HexBytes("03 00 00 00 "  // MSG_JOIN, then the 46 bytes of the tables
                                      "05 00 00 00 01 00 00 00 03 41 6E 6E 03 52 65 64 01 2D 00 00 00 00 "
                                      "00 00 00 00 01 00 00 00 03 52 65 64 03 2D 2F 31 00 00 00 00 00 00 00 00"));
    h.server.Received(1, EncodeJoin("Zed", "Blue", kServerVersion));
    EXPECT_EQ(h.Player(1).name, "Ann");
    EXPECT_EQ(h.server.Teams().size(), 1u);
}

TEST(GameServerJoin, ConnectionDuringARoundIsRefusedOnceItsJoinStartHasArrived) {
    Host h(Roster{{"Ann", "Red"}});
    h.Start();
    h.server.Accepted(2);
    const std::string join = EncodeJoin("Bob", "Blue", kServerVersion);
    h.server.Received(2, join.substr(0, 10));  // kind, name and part of the team
    EXPECT_TRUE(h.net.sent[2].empty());
    h.server.Received(2, join.substr(10, 3));  // the team complete, no version yet
    const auto answer = h.Take(2);
    ASSERT_EQ(answer.size(), 1u);
    EXPECT_EQ(answer[0].text, "Network game has already started");
    EXPECT_EQ(h.net.closed, std::vector<ConnectionId>{2});
    EXPECT_EQ(h.server.ConnectionCount(), 1u);
    EXPECT_TRUE(h.net.sent[1].empty());
}

TEST(GameServerJoin, JoinDuringTheFirstRoundSitsThatRoundOut) {
    Host h({{"Ann", "Red"}, {"Bob", "Blue"}, {"", ""}});
    h.Start();
    h.server.Received(3, EncodeJoin("Cid", "Blue", kServerVersion));
    EXPECT_EQ(h.Team("Blue").playersLeft, 1);
    h.Land(1, 5, 4);
    EXPECT_EQ(h.PresentRows(3), 0);
    EXPECT_EQ(h.Take(1).back().tables.players[2].height, "-");
    h.Filled(2);  // Blue's only player in the round
    EXPECT_FALSE(h.server.RoundRunning());
}

TEST(GameServerJoin, OptionsGoToEveryoneWithTheReportAndToLaterJoins) {
    const NetOptions options = With([](NetOptions& o) { o.teamThrow = 2; o.levelCode = 3; o.height = 20; });
    Host h;
    // The host's client sends its options right behind its join.
    h.server.Accepted(1);
    h.server.Received(1, EncodeJoin("Ann", "Red", kServerVersion) + EncodeOptions(options));
    const auto sent = h.Take(1);
    ASSERT_EQ(sent.size(), 4u);  // join, tables, options, report
    EXPECT_EQ(sent[2].options, options);
    EXPECT_EQ(sent[3].text,
              "Options:\r\n  Start level: 7\r\n  Player win scores: 0\r\n  Team win scores: 1\r\n"
              "  Throw to all players of the most weak team\r\n  Play till 20 scores\r\n  Height 19\r\n\r\n");
    h.Join(2, "Bob", "Blue");
    EXPECT_EQ(h.Kinds(2), (std::vector<std::int32_t>{MSG_JOIN, MSG_OPTIONS, MSG_TEXT, MSG_TABLES}));

    const std::pair<std::int32_t, const char*> phrases[] = {
        {1, "the most strong player"}, {3, "the random player"}, {4, "the random player dispatching lines"}, {5, "error"}};
    for (auto [mode, phrase] : phrases) {
        NetOptions o = options;
        o.playerThrow = mode;
        EXPECT_NE(OptionsReport(o).find(std::string("Throw to ") + phrase + " of"), std::string::npos) << mode;
    }
}

TEST(GameServerJoin, ConnectionsBeyondTheLimitAreClosedAtOnce) {
    Host h;
    for (ConnectionId id = 1; id <= GameServer::kMaxConnections + 1; ++id) h.server.Accepted(id);
    EXPECT_EQ(h.server.ConnectionCount(), GameServer::kMaxConnections);
    EXPECT_EQ(h.net.closed, std::vector<ConnectionId>{GameServer::kMaxConnections + 1});
}

// --- Countdown, pause and resume ----------------------------------------------

TEST(GameServerCountdown, SaysTheSecondsLeftAndStartsTheRoundOnTheFourthTick) {
    Host h({{"Ann", "Red"}, {"Bob", "Blue"}}, With([](NetOptions& o) { o.startIn = 3; o.levelCode = 4; }));
    h.server.Received(1, EncodeStartRequest(9));
    h.net.sent.clear();
    for (int left : {2, 1, 0}) {
        h.server.ServerTick();
        EXPECT_EQ(h.Texts(2), std::vector<std::string>{"&Starting in " + std::to_string(left) +
                                                       " seconds.\r\nPress ESC to pause.\r\n"});
        EXPECT_FALSE(h.server.RoundRunning());
    }
    h.server.ServerTick();
    const auto sent = h.Take(2);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].kind, MSG_START);
    EXPECT_EQ(sent[0].levelCode, 4);
    EXPECT_EQ(sent[0].seed, 77);
    EXPECT_EQ(sent[1].tables.teams[0].members, "1/1");
    EXPECT_EQ(h.server.Random(), 77u);

    // With no countdown the request starts the round at once.
    Host immediate(Roster{{"Ann", "Red"}});
    immediate.server.Received(1, EncodeStartRequest(0));
    EXPECT_TRUE(immediate.server.RoundRunning());
}

TEST(GameServerCountdown, PauseCancelsItAndResumeDuringARoundEndsInResume) {
    Host h({{"Ann", "Red"}, {"Bob", "Blue"}}, With([](NetOptions& o) { o.startIn = 1; }));
    h.server.StartCountdown();
    h.server.Received(2, EncodeKind(MSG_PAUSE));
    EXPECT_EQ(h.server.Countdown(), -1);
    h.server.ServerTick();
    EXPECT_FALSE(h.server.RoundRunning());

    h.server.StartCountdown();
    h.server.ServerTick();
    h.server.ServerTick();
    ASSERT_TRUE(h.server.RoundRunning());
    h.net.sent.clear();
    h.server.Received(2, EncodeKind(MSG_PAUSE));
    const auto sent = h.Take(1);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].kind, MSG_PAUSE);
    EXPECT_EQ(sent[1].text, "&Bob paused the game.\r\n");
    h.net.sent.clear();

    h.server.Received(1, EncodeKind(MSG_RESUME));
    EXPECT_EQ(h.Texts(2), std::vector<std::string>{"Ann resumed the game.\r\n"});
    h.server.ServerTick();
    h.Take(2);
    h.server.ServerTick();
    EXPECT_EQ(h.Kinds(2), (std::vector<std::int32_t>{MSG_RESUME}));
    EXPECT_TRUE(h.server.RoundRunning());
}

// --- Presents -------------------------------------------------------------------

TEST(GameServerPresents, RowsRemovedBecomePresentsAndCountInTheStatistics) {
    struct Case {
        std::int32_t removed;
        bool senderOut;
        std::int32_t present;  // rows Bob receives
    } cases[] = {{1, false, 0}, {2, false, 1}, {3, false, 2}, {4, false, 4}, {4, true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.removed);
        Host h({{"Ann", "Red"}, {"Bob", "Blue"}, {"Cid", "Green"}});
        h.Start();
        if (c.senderOut) h.Filled(1);
        h.net.sent.clear();
        h.Land(1, 7, c.removed);
        EXPECT_EQ(h.PresentRows(2), c.present);
        EXPECT_EQ(h.Player(2).height, c.present);
        EXPECT_EQ(h.Player(1).roundLines[static_cast<std::size_t>(c.removed - 1)], 1);
        std::vector<std::string> expected;
        if (c.present != 0) expected.push_back("Ann has sent a " + std::to_string(c.present) + "-line present.\r\n");
        EXPECT_EQ(h.Texts(3), expected);
    }
}

TEST(GameServerPresents, TraceMessagesAnnounceEachPresentOtherwiseTablesComeEachSecond) {
    for (std::int32_t trace : {1, 0}) {
        SCOPED_TRACE(trace);
        Host h({{"Ann", "Red"}, {"Bob", "Blue"}}, With([&](NetOptions& o) { o.trace = trace; }));
        h.Start();
        h.Land(1, 3, 3);
        const std::vector<std::int32_t> landing =
            trace ? std::vector<std::int32_t>{MSG_TEXT, MSG_PRESENT, MSG_TABLES} : std::vector<std::int32_t>{MSG_PRESENT};
        EXPECT_EQ(h.Kinds(2), landing);
        h.server.ServerTick();
        EXPECT_EQ(h.Kinds(2).size(), trace ? 0u : 1u);
    }
}

// Ann (Red) removes 4 rows; Bob (Blue, height 5) and Cid, Dan (Green, heights
// 10 and 2) may receive. Green has more free rows: it is the stronger team.
TEST(GameServerPresents, TeamThrowModesChooseTheReceivingTeams) {
    struct Case {
        ThrowMode mode;
        std::uint32_t random;
        std::array<std::int32_t, 3> rows;  // Bob, Cid, Dan
    } cases[] = {
        {ThrowMode::All, 1, {4, 4, 4}},
        {ThrowMode::MostStrong, 1, {0, 4, 4}},
        {ThrowMode::MostWeak, 1, {4, 0, 0}},
        {ThrowMode::Random, 1, {0, 4, 4}},               // 41 % 2
        {ThrowMode::Random, 3, {4, 0, 0}},               // 48 % 2
        {ThrowMode::RandomDispatch, 4, {1, 3, 3}},       // 51, 17945, 27159, 386 % 2
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        Host h({{"Ann", "Red"}, {"Bob", "Blue"}, {"Cid", "Green"}, {"Dan", "Green"}},
               With([&](NetOptions& o) { o.teamThrow = static_cast<std::int32_t>(c.mode); }));
        h.Start();
        h.Land(2, 5, 0);
        h.Land(3, 10, 0);
        h.Land(4, 2, 0);
        h.net.sent.clear();
        h.server.Random() = c.random;
        h.Land(1, 3, 4);
        EXPECT_EQ((std::array{h.PresentRows(2), h.PresentRows(3), h.PresentRows(4)}), c.rows);
        EXPECT_EQ(h.PresentRows(1), 0);
    }
}

// Ann (Red) removes 3 rows: 2 rows go to Green, whose members are Cid, Dan
// and Eve.
TEST(GameServerPresents, InTeamThrowModesChooseAmongTheAliveMembers) {
    struct Case {
        ThrowMode mode;
        std::array<std::int32_t, 3> heights;
        bool danOut;
        std::uint32_t random;
        std::array<std::int32_t, 3> rows;
    } cases[] = {
        {ThrowMode::All, {10, 2, 20}, false, 1, {2, 2, 2}},
        {ThrowMode::All, {10, 2, 20}, true, 1, {2, 0, 2}},
        {ThrowMode::MostStrong, {10, 2, 20}, false, 1, {0, 2, 0}},
        {ThrowMode::MostStrong, {7, 7, 7}, false, 1, {2, 0, 0}},
        {ThrowMode::MostStrong, {26, 30, 27}, false, 1, {0, 0, 0}},
        {ThrowMode::MostWeak, {10, 2, 20}, false, 1, {0, 0, 2}},
        {ThrowMode::MostWeak, {7, 7, 7}, false, 1, {2, 0, 0}},
        {ThrowMode::Random, {10, 2, 20}, false, 3, {2, 0, 0}},          // 48 % 3
        {ThrowMode::Random, {10, 2, 20}, true, 2, {0, 0, 2}},           // 45 % 2 among Cid and Eve
        {ThrowMode::RandomDispatch, {10, 2, 20}, false, 4, {1, 0, 1}},  // 51 % 3, 17945 % 3
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        Host h({{"Ann", "Red"}, {"Cid", "Green"}, {"Dan", "Green"}, {"Eve", "Green"}},
               With([&](NetOptions& o) { o.playerThrow = static_cast<std::int32_t>(c.mode); }));
        h.Start();
        for (ConnectionId id = 2; id <= 4; ++id) h.Land(id, c.heights[id - 2], 0);
        if (c.danOut) h.Filled(3);
        h.net.sent.clear();
        h.server.Random() = c.random;
        h.Land(1, 3, 3);
        EXPECT_EQ((std::array{h.PresentRows(2), h.PresentRows(3), h.PresentRows(4)}), c.rows);
    }
}

// --- Players out, rounds and the game ------------------------------------------

TEST(GameServerRound, TeamsScoreByTheOrderInWhichTheyAreOutAndTheLastIsAnnounced) {
    Host h({{"A", "T1"}, {"B", "T2"}, {"C", "T3"}, {"D", "T4"}});
    h.Start();
    for (ConnectionId out : {3, 1, 4}) h.Filled(out);
    EXPECT_FALSE(h.server.RoundRunning());
    const std::pair<ConnectionId, const char*> order[] = {{3, "T3"}, {1, "T1"}, {4, "T4"}, {2, "T2"}};
    for (std::int32_t points = 0; points < 4; ++points) {
        EXPECT_EQ(h.Team(order[points].second).roundScore, points);
        EXPECT_EQ(h.Player(order[points].first).roundScore, points);
    }
    std::vector<std::string> texts;
    std::size_t textsBeforeFilled = 0;
    for (const auto& m : h.Take(2)) {
        if (m.kind == MSG_TEXT) texts.push_back(m.text);
        if (m.kind == MSG_FILLED) textsBeforeFilled = texts.size();
    }
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0], "C was filled up with presents.\r\n");
    EXPECT_EQ(texts[3], "T2 won this round.\r\n");
    EXPECT_EQ(textsBeforeFilled, 4u);
    EXPECT_EQ(texts[4].rfind("Player statistics:\r\n", 0), 0u);
    // The observer hears each text to all once, between start and end.
    std::vector<std::string> expected{"started"};
    expected.insert(expected.end(), texts.begin(), texts.end());
    expected.push_back("ended");
    EXPECT_EQ(h.observer.events, expected);
}

TEST(GameServerRound, PlayerOrTeamAlreadyOutIsNotScoredAgain) {
    Host h({{"Ann", "Red"}, {"Bob", "Red"}, {"Cid", "Blue"}, {"Dan", "Green"}, {"Eve", "Gold"}});
    h.Start();
    for (ConnectionId out : {1, 2, 3}) h.Filled(out);
    h.Filled(1);             // again
    h.server.Closed(2);      // Red, already out, loses a member
    EXPECT_TRUE(h.server.RoundRunning());
    EXPECT_EQ(h.Player(1).roundScore, 0);
    EXPECT_EQ(h.Team("Red").roundScore, 0);
    EXPECT_EQ(h.Team("Blue").roundScore, 1);
}

TEST(GameServerRound, SingleTeamRoundEndsWithItsLastPlayerAndNoWinner) {
    Host h({{"Ann", "Red"}, {"Bob", "Red"}});
    h.Start();
    h.Filled(1);
    EXPECT_TRUE(h.server.RoundRunning());
    h.Filled(2);
    EXPECT_FALSE(h.server.RoundRunning());
    for (const auto& text : h.Texts(1)) EXPECT_EQ(text.find("won this round"), std::string::npos) << text;
    EXPECT_EQ(h.Player(2).total, 1);
}

TEST(GameServerRound, GameIsOverWhenATeamTotalReachesPlayTillComparedUnsigned) {
    const std::pair<std::int32_t, bool> cases[] = {{0, true}, {1, true}, {2, false}, {-1, false}};
    for (auto [playTill, over] : cases) {
        SCOPED_TRACE(playTill);
        Host h({{"Ann", "Red"}, {"Bob", "Blue"}}, With([&](NetOptions& o) { o.playTill = playTill; }));
        h.Start();
        h.Filled(1);
        const auto texts = h.Texts(2);
        ASSERT_FALSE(texts.empty());
        if (over) {
            EXPECT_EQ(texts.back(), "&Team results:\r\n  Blue: 1\r\n  Red: 0\r\n"
                                    "Player results:\r\n  Bob: 1\r\n  Ann: 0\r\nGame over\r\n");
            EXPECT_EQ(h.Team("Blue").total, 0);
            EXPECT_EQ(h.Player(2).total, 0);
        } else {
            EXPECT_EQ(texts.back().rfind("Player statistics", 0), 0u);
            EXPECT_EQ(h.Team("Blue").total, 1);
        }
    }
}

TEST(GameServerRound, StatisticsShowEachPlayersLinesOfTheRoundAndInTotal) {
    Host h({{"Ann", "Red"}, {"Bob", "Blue"}});
    h.Start();
    h.Land(1, 3, 1);
    h.Filled(2);
    h.Start();
    h.Land(1, 3, 2);
    h.Land(1, 3, 2);
    h.Land(2, 3, 4);
    h.Filled(2);
    EXPECT_EQ(h.Texts(1).back(),
              "Player statistics:\r\n"
              "  Ann:\r\n    1-lines: 0/1\r\n    2-lines: 2/2\r\n    3-lines: 0/0\r\n    4-lines: 0/0\r\n"
              "  Bob:\r\n    1-lines: 0/0\r\n    2-lines: 0/0\r\n    3-lines: 0/0\r\n    4-lines: 1/1\r\n");
}

// --- Leaving ----------------------------------------------------------------------

TEST(GameServerLeave, TeamsAndTheRoundStayConsistent) {
    Host h({{"Ann", "Red"}, {"Bob", "Red"}, {"Cid", "Blue"}, {"", ""}});
    h.Start();
    h.server.Closed(4);  // never joined
    h.server.Closed(1);
    EXPECT_TRUE(h.server.RoundRunning());
    EXPECT_EQ(h.Team("Red").members, std::vector<NetPlayer*>{h.server.Players()[0].get()});
    EXPECT_EQ(h.Take(3).back().tables.teams[1].members, "1/1");

    h.server.Closed(2);  // the last of Red: Blue has won
    EXPECT_FALSE(h.server.RoundRunning());
    EXPECT_EQ(h.server.Teams().count("Red"), 0u);
    const auto texts = h.Texts(3);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0], "Blue won this round.\r\n");
    EXPECT_EQ(h.Team("Blue").roundScore, 1);

    // A round with nobody joined ends when its last connection leaves.
    h.server.Closed(3);
    h.server.Accepted(5);
    h.Start();
    h.server.Closed(5);
    EXPECT_FALSE(h.server.RoundRunning());
    EXPECT_EQ(h.observer.events.back(), "ended");
}

TEST(GameServerLeave, HostileStreamIsClosedAndHandledAsALeave) {
    Host h({{"Ann", "Red"}, {"Bob", "Blue"}});
    h.net.sent.clear();
    h.server.Received(2, HexBytes("06 00 00 00 FF FF FF FF FF FF 7F"));  // a 2 GiB chat line
    EXPECT_EQ(h.net.closed, std::vector<ConnectionId>{2});
    EXPECT_EQ(h.server.Teams().count("Blue"), 0u);
    EXPECT_EQ(h.Take(1).back().tables.players.size(), 1u);
}

TEST(GameServerLeave, CloseReportedWhileTheServerSendsIsHandledAfterwards) {
    Host h({{"Ann", "Red"}, {"Bob", "Blue"}, {"Cid", "Blue"}});
    h.Start();
    // The transport drops Bob when a send to him stalls.
    h.net.onSend = [&h](ConnectionId id) {
        if (id == 2) {
            h.net.onSend = nullptr;
            h.server.Closed(2);
        }
    };
    h.Land(1, 5, 4);
    EXPECT_EQ(h.server.ConnectionCount(), 2u);
    EXPECT_EQ(h.Team("Blue").members.size(), 1u);
    EXPECT_EQ(h.Team("Blue").playersLeft, 1);
    EXPECT_EQ(h.Take(1).back().tables.players.size(), 2u);
}

TEST(GameServerLeave, ObserverMayStartTheNextRoundWhenARoundEnds) {
    Host h({{"Ann", "Red"}, {"Bob", "Blue"}, {"Cid", "Blue"}});
    int restarts = 1;
    h.observer.onEnded = [&] {
        if (restarts-- > 0) h.server.StartCountdown();
    };
    h.Start();
    h.server.Closed(1);
    ASSERT_TRUE(h.server.RoundRunning());
    EXPECT_EQ(h.observer.events.back(), "started");
    EXPECT_EQ(h.Team("Blue").playersLeft, 2);
    // The new round counts Blue alone: outlasting nobody is worth nothing.
    h.Filled(2);
    h.Filled(3);
    EXPECT_EQ(h.Team("Blue").roundScore, 0);
}

TEST(GameServerLeave, CloseServerClosesEveryConnectionAndReturnsToIdle) {
    Host h({{"Ann", "Red"}, {"Bob", "Blue"}}, NetOptions{});
    h.Start();
    h.server.Accepted(3);  // waiting for its refusal
    h.server.CloseServer();
    EXPECT_EQ(h.net.closed, (std::vector<ConnectionId>{3, 1, 2}));
    EXPECT_EQ(h.server.ConnectionCount(), 0u);
    EXPECT_TRUE(h.server.Teams().empty());
    EXPECT_FALSE(h.server.RoundRunning());
    EXPECT_FALSE(h.server.OptionsReceived());
    h.server.Accepted(4);
    EXPECT_EQ(h.server.ConnectionCount(), 1u);
}

}  // namespace
}  // namespace vexari
