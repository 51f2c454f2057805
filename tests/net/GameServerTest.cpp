// SPDX-License-Identifier: GPL-3.0-or-later
// The network game's wire format, its server and its client.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <functional>
#include <map>
#include <optional>

#include "../game/Fakes.h"
#include "RecordingConnection.h"
#include "net/Codepage.h"
#include "net/GameClient.h"
#include "net/GameServer.h"
#include "net/Wire.h"
#include "net/WireExtension.h"

namespace vexari {
namespace {

constexpr VersionQuad kVersion{1, 0, 0, 5};
const Tables kAnnJoined{{{"Ann", "Red", "-", 0, 0}}, {{"Red", "-/1", 0, 0}}};

// "03 41 6E 6E" -> bytes, so expected wire images read like a dump.
std::string Bytes(std::string_view hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 3)
        out += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    return out;
}

TEST(Wire, MessagesAndLengthPrefixesHaveTheirExactBytes) {
    const std::pair<std::string, const char*> cases[] = {
        {EncodeJoin("Ann", "Red", kVersion),
         "03 00 00 00 03 41 6E 6E 03 52 65 64 01 00 00 00 00 00 00 00 00 00 00 00 05 00 00 00"},
        {EncodePresent(2), "09 00 00 00 02 00 00 00"},
        {EncodeTables(kAnnJoined),
         "05 00 00 00 01 00 00 00 03 41 6E 6E 03 52 65 64 01 2D 00 00 00 00 00 00 00 00 "
         "01 00 00 00 03 52 65 64 03 2D 2F 31 00 00 00 00 00 00 00 00"},
        {EncodeLanded(-1, 70000, 4), "02 00 00 00 FF FF FF FF 70 11 01 00 04 00 00 00"},
        {EncodeStart(3, 258), "07 00 00 00 03 00 00 00 02 01 00 00"},
        {EncodeOptions({1, 2, 3, 4, 5, 6, 7, 8, 9}),
         "0A 00 00 00 01 00 00 00 02 00 00 00 03 00 00 00 04 00 00 00 05 00 00 00 "
         "06 00 00 00 07 00 00 00 08 00 00 00 09 00 00 00"},
        // Strings: the kind and the prefix of each length form, at its bounds.
        {EncodeText(""), "06 00 00 00 00"},
        {EncodeText(std::string(254, 'x')).substr(0, 5), "06 00 00 00 FE"},
        {EncodeText(std::string(255, 'x')).substr(0, 7), "06 00 00 00 FF FF 00"},
        {EncodeText(std::string(65533, 'x')).substr(0, 7), "06 00 00 00 FF FD FF"},
        {EncodeText(std::string(65534, 'x')).substr(0, 11), "06 00 00 00 FF FF FF FE FF 00 00"},
    };
    for (const auto& [encoded, bytes] : cases) EXPECT_EQ(encoded, Bytes(bytes)) << bytes;
}

// Every shorter prefix of a message of each kind waits for more and names a
// size in reach, so a stream never rereads a long message byte by byte; the
// whole is read to its end and no further. (What each field reads as, the
// server's and the client's tests see.)
TEST(Wire, EveryKindIsReadWholeAndWaitsForWhatItLacks) {
    const NetOptions options{30, 1, 2, 3, 4, 6, 5, 21, 0};
    const Tables tables{{{"Ann", "Red", "12", 3, 40}, {"Bob", std::string(300, 'b'), "-", -1, 0}},
                        {{"Red", "1/2", 7, 8}, {"", "-/0", 0, 0}}};
    const auto check = [](auto read, auto message, const std::string& bytes) {
        SCOPED_TRACE(bytes.substr(0, 1));
        const std::string stream = bytes + EncodePresent(3);
        std::size_t used = 0;
        for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
            ASSERT_EQ(read(std::string_view(stream).substr(0, cut), used, message), ReadStatus::Incomplete) << cut;
            ASSERT_TRUE(used > cut && used <= bytes.size()) << cut << " needs " << used;
        }
        EXPECT_EQ((std::tuple{read(stream, used, message), used}), std::tuple(ReadStatus::Complete, bytes.size()));
    };
    for (const std::string& bytes : {EncodeLanded(17, 12, 2), EncodeJoin("Ann", std::string(70000, 'r'), {1, 0, 0, 6}),
                                     EncodeText("hello\r\n"), EncodeStartRequest(4), EncodeOptions(options)})
        check(ReadClientMessage, ClientMessage{}, bytes);
    for (const std::string& bytes : {EncodeRefuse("Incompatible"), EncodeTables(tables), EncodeTables({}),
                                     EncodeStart(5, -123456789), EncodePresent(4), EncodeOptions(options)})
        check(ReadServerMessage, ServerMessage{}, bytes);
    // The load client's reader that only counts the players of the tables.
    for (const std::string& bytes : {EncodeTables(tables), EncodeTables({})}) check(ReadTablesPlayerCount, 0, bytes);
    std::size_t used = 0;
    std::int32_t players = -1;
    EXPECT_EQ(std::tuple(ReadTablesPlayerCount(EncodeTables(tables), used, players), players),
              std::tuple(ReadStatus::Complete, 2));
}

TEST(Wire, KindsWithoutFieldsOrUnknownToTheReceiverTakeOnlyTheKind) {
    // Each kind is followed by bytes that would be fields in the other direction.
    const std::string fields = Bytes("01 00 00 00 03 41 6E 6E");
    const auto bare = [&](auto read, auto message, std::initializer_list<std::int32_t> kinds) {
        for (std::int32_t kind : kinds) {
            std::size_t used = 0;
            EXPECT_EQ((std::tuple{read(EncodeKind(MessageKind(kind)) + fields, used, message), used, message.kind}),
                      std::tuple(ReadStatus::Complete, 4u, kind));
        }
    };
    bare(ReadClientMessage, ClientMessage{}, {MSG_PAUSE, MSG_FILLED, MSG_REFUSE, MSG_TABLES, MSG_PRESENT, -1});
    bare(ReadServerMessage, ServerMessage{}, {MSG_RESUME, MSG_JOIN, MSG_LANDED, 11, INT32_MIN, INT32_MAX});
}

// Every length form and wide strings are read; hostile lengths and counts are
// Invalid before their bytes arrive, and a stream stays Invalid.
TEST(Wire, ReaderTakesEveryLengthFormButNoHostileLengthOrCount) {
    const std::string big(kMaxWireString, 'z');
    const std::tuple<std::string, ReadStatus, std::string> cases[] = {
        {Bytes("06 00 00 00 FF 05 00 41 42 43 44 45"), ReadStatus::Complete, "ABCDE"},  // 16-bit form, short
        {Bytes("06 00 00 00 FF FF FF 03 00 00 00 41 42 43"), ReadStatus::Complete, "ABC"},  // 32-bit form, short
        {Bytes("06 00 00 00 FF FF FF 00 00 10 00") + big, ReadStatus::Complete, big},  // the longest accepted
        {Bytes("06 00 00 00 FF FE FF 03 41 00 E9 00 AC 20"), ReadStatus::Complete, "A\xE9\x80"},
        {Bytes("06 00 00 00 FF FE FF FF 03 00 3D D8 00 DE 21 00"), ReadStatus::Complete, "?!"},  // a pair is one
        {Bytes("06 00 00 00 FF FE FF FF FF FF 01 00 00 00 42 00"), ReadStatus::Complete, "B"},  // 32-bit count
        {Bytes("06 00 00 00 FF FF FF FF FF FF FF"), ReadStatus::Invalid, "4 GiB"},
        {Bytes("06 00 00 00 FF FF FF 01 00 10 00"), ReadStatus::Invalid, "1 MiB + 1"},
        {Bytes("06 00 00 00 FF FF FF 00 00 10 00"), ReadStatus::Incomplete, "1 MiB: waits for it"},
        {Bytes("06 00 00 00 FF FE FF FF FF FF 01 00 08 00"), ReadStatus::Invalid, "wide, 1 MiB + 2 bytes"},
        {Bytes("06 00 00 00 FF FE FF FF FF FF 00 00 08 00"), ReadStatus::Incomplete, "wide, 1 MiB of bytes"},
        {Bytes("05 00 00 00 FF FF FF FF"), ReadStatus::Invalid, "negative player count"},
        {Bytes("05 00 00 00 00 00 00 00 FE FF FF FF"), ReadStatus::Invalid, "negative team count"},
        {Bytes("05 00 00 00 FF FF FF 7F"), ReadStatus::Invalid, "more players than a message holds"},
        {Bytes("05 00 00 00 10 00 00 00"), ReadStatus::Incomplete, "16 players: waits for them"},
    };
    for (const auto& [bytes, status, text] : cases) {
        SCOPED_TRACE(text.substr(0, 40));
        ServerMessage m;
        std::size_t used = 0;
        ASSERT_EQ(ReadServerMessage(bytes, used, m), status);
        std::int32_t players = 0;
        if (bytes[0] == MSG_TABLES) {
            EXPECT_EQ(ReadTablesPlayerCount(bytes, used, players), status);
        }
        if (status == ReadStatus::Complete) {
            EXPECT_EQ(std::tuple(used, m.text), std::tuple(bytes.size(), text));
            continue;
        }
        ServerMessageStream stream;
        stream.Append(bytes);
        stream.Append(EncodePresent(1));
        EXPECT_EQ(std::pair(stream.Next(m), stream.Next(m)), std::pair(status, status));
    }
}

TEST(MessageStream, HandsOutWholeMessagesInOrderHoweverTheBytesArrive) {
    std::string all = EncodeStart(5, 99) + EncodeText(std::string(70000, 't'));
    for (int i = 0; i < 30; ++i) all += EncodePresent(i) + EncodeText("hi");
    // Whole, in pieces that cut messages and glue them together, and byte by byte.
    for (std::size_t piece : {all.size(), std::size_t{7}, std::size_t{1}}) {
        ServerMessageStream stream;
        ServerMessage m;
        std::string got;
        for (std::size_t at = 0; at < all.size(); at += piece) {
            stream.Append(std::string_view(all).substr(at, piece));
            while (stream.Next(m) == ReadStatus::Complete)
                got += m.kind == MSG_TEXT ? EncodeText(m.text) : m.kind == MSG_START ? EncodeStart(m.fallPeriod, m.seed)
                                                                                     : EncodePresent(m.rows);
        }
        EXPECT_TRUE(got == all && stream.Buffered() == 0) << piece;
    }
}

TEST(Codepage, ConvertsBetweenTheCodePageAndUnicode) {
    const std::pair<const char*, const char*> bothWays[] = {
        {"\x80\x9F\x8A\x99\x85", "\u20AC\u0178\u0160\u2122\u2026"},  // the Windows-1252 block
        {"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},  // its unassigned bytes
        {"A\xA0\xE9\xFF", "A\u00A0\u00E9\u00FF"},                       // ASCII and the Latin-1 half
    };
    for (const auto& [cp1252, utf8] : bothWays) {
        EXPECT_EQ(Cp1252ToUtf8(cp1252) + "|" + Utf8ToCp1252(utf8), std::string(utf8) + "|" + cp1252);
    }
    // UTF-8 the code page cannot hold, or that is broken: one '?' a character or a bad byte.
    const std::pair<const char*, const char*> toCodePage[] = {
        {"\u0080\u0100a\U0001F600b", "??a?b"},  // a C1 control it replaces, a letter it lacks, beyond U+FFFF
        {"\xE2\x82x\xC3", "?x?"},               // cut off before an ASCII byte, and at the end
        {"\x80\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80\xFF", "???????????"},  // stray, overlong, surrogate, too high
    };
    for (const auto& [utf8, cp1252] : toCodePage) EXPECT_EQ(Utf8ToCp1252(utf8), cp1252) << utf8;
    const std::u16string lone = std::u16string(1, u'\xDC00') + u"x" + std::u16string(1, u'\xD800');
    EXPECT_EQ(Utf16ToCp1252(u"A\u00E9\u20AC\u009D\U0001F600." + lone), "A\xE9\x80\x9D?.?x?");  // a pair is one
    // Printed on a terminal: the wire's line ends lose their '\r', and the text ends a line once.
    EXPECT_EQ(TerminalLines("a\r\n\r\nb") + TerminalLines("c\r\n") + TerminalLines(""), "a\n\nb\nc\n\n");
}

// ---- the server ----

// The last element, failing instead of reading past an empty vector.
template <class V>
typename V::value_type Last(const V& v) {
    EXPECT_FALSE(v.empty());
    return v.empty() ? typename V::value_type{} : v.back();
}

// Player and team names: connection i + 1 joins as entry i; an empty name is
// a connection that never joins.
using Roster = std::vector<std::pair<std::string, std::string>>;

// A server with its players joined. As its connections it records what is
// sent and closed; as its observer, the texts and round events.
struct Host : ServerConnections, ServerObserver {
    explicit Host(const Roster& roster = {}, std::optional<NetOptions> options = std::nullopt) {
        server.SetObserver(this);
        if (options) server.SetOptions(*options);
        ConnectionId id = 1;
        for (const auto& [name, team] : roster) {
            server.Accepted(id);
            if (!name.empty()) server.Received(id, EncodeJoin(name, team, kVersion));
            ++id;
        }
    }
    void Send(ConnectionId id, std::string_view bytes) override {
        sent[id].append(bytes);
        if (onSend) onSend(id);
    }
    void Close(ConnectionId id) override { closed.push_back(id); }
    void SendToMany(const std::vector<ConnectionId>& ids, std::string_view bytes) override {
        ++broadcasts;
        ServerConnections::SendToMany(ids, bytes);
    }
    bool DeferTables() override { return turns; }
    void TextToAll(std::string_view text) override { events.emplace_back(text); }
    void RoundStarted() override { events.emplace_back("started"); }
    void RoundEnded() override {
        events.emplace_back("ended");
        if (onEnded) onEnded();
    }

    void Land(ConnectionId id, std::int32_t height, std::int32_t removed) {
        server.Received(id, EncodeLanded(height, 0, removed));
    }
    void Filled(ConnectionId id) { server.Received(id, EncodeKind(MSG_FILLED)); }
    void Ticks(int count) { while (count-- > 0) server.ServerTick(); }
    // A round at once (start-in 0); what was sent before is forgotten.
    void Start() {
        server.StartCountdown();
        EXPECT_TRUE(server.RoundRunning());
        sent.clear();
    }
    // The messages sent to `id` since the last look.
    std::vector<ServerMessage> Take(ConnectionId id) {
        ServerMessageStream stream;
        stream.Append(std::exchange(sent[id], {}));
        std::vector<ServerMessage> out;
        ServerMessage m;
        while (stream.Next(m) == ReadStatus::Complete) out.push_back(m);
        EXPECT_TRUE(stream.Next(m) == ReadStatus::Incomplete && stream.Buffered() == 0)
            << "the server sent bytes that are not whole messages";
        return out;
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
        for (const auto& m : Take(id)) rows += m.kind == MSG_PRESENT ? m.rows : 0;
        return rows;
    }
    const NetPlayer& Player(ConnectionId id) { return *server.Players().at(id - 1); }  // while nobody has left
    const NetTeam& Team(const std::string& name) { return *server.Teams().at(name); }

    std::map<ConnectionId, std::string> sent;
    std::vector<ConnectionId> closed;
    std::vector<std::string> events;
    std::function<void(ConnectionId)> onSend;
    std::function<void()> onEnded;
    bool turns = false;  // the tables wait for SendTables()
    int broadcasts = 0;
    std::int64_t now = 65535 * 3 + 77;  // seeds 77
    GameServer server{*this, kVersion, [this] { return now; }};
};

TEST(GameServerJoin, AnswersOrRefusesAJoinAndReadsNothingAfterARefusal) {
    const std::tuple<const char*, VersionQuad, const char*> cases[] = {
        {"ann", kVersion, nullptr},  // names differ by case: accepted
        {"Ann", kVersion, "Player with the same name already exists"},
        {"Bob", {1, 0, 0, 6}, "Incompatible vexari versions"},
    };
    for (const auto& [name, version, refusal] : cases) {
        SCOPED_TRACE(name);
        Host h(Roster{{"Ann", "Red"}});
        EXPECT_EQ(h.sent[1], EncodeKind(MSG_JOIN) + EncodeTables(kAnnJoined));
        h.sent.clear();
        h.server.Accepted(2);
        h.server.Received(2, EncodeJoin(name, "Red", version) + EncodeText("hi"));
        if (refusal == nullptr) {
            // The tables follow once everything read with the join is handled.
            EXPECT_EQ(h.Kinds(2), (std::vector<std::int32_t>{MSG_JOIN, MSG_TEXT, MSG_TABLES}));
            EXPECT_EQ(h.Texts(1), std::vector<std::string>{"ann: hi\r\n"});
            h.server.Received(2, EncodeJoin("Zed", "Blue", kVersion));  // a second join is ignored
            EXPECT_EQ(h.server.Teams().size(), 1u);
            continue;
        }
        EXPECT_EQ(std::tie(h.sent[2], h.closed), std::tuple(EncodeRefuse(refusal), std::vector<ConnectionId>{2}));
        const auto toAnn = h.Take(1);  // the tables without the refused one, no chat
        EXPECT_TRUE(toAnn.size() == 1 && toAnn[0].tables == kAnnJoined);
    }
}

// A connection from before the round that joins now sits the round out; one
// that arrives during the round is refused once its name and team are read.
TEST(GameServerJoin, DuringARoundAJoinSitsItOutAndANewConnectionIsRefused) {
    Host h({{"Ann", "Red"}, {"Bob", "Blue"}, {"", ""}});
    h.Start();
    h.server.Received(3, EncodeJoin("Cid", "Blue", kVersion));
    EXPECT_EQ(std::tuple(h.Team("Blue").playersLeft, h.server.BuildTables().players[2].height), std::tuple(1, "-"));

    h.server.Accepted(4);
    const std::string join = EncodeJoin("Dan", "Gold", kVersion);
    h.server.Received(4, join.substr(0, 10));  // kind, name and part of the team
    EXPECT_TRUE(h.sent[4].empty());
    h.server.Received(4, join.substr(10, 3));  // the team complete, no version yet
    EXPECT_EQ(std::tuple(h.sent[4], h.closed, h.server.ConnectionCount()),
              std::tuple(EncodeRefuse("Network game has already started"), std::vector<ConnectionId>{4}, 3u));

    h.Land(1, 5, 4);
    EXPECT_EQ(h.PresentRows(3), 0);
    h.Filled(2);  // Blue's only player in the round
    EXPECT_FALSE(h.server.RoundRunning());
}

TEST(GameServerJoin, OptionsGoToEveryoneWithTheReportAndToLaterJoins) {
    const NetOptions options{.teamThrow = 2, .fallPeriod = 3, .height = 20};
    Host h;
    // The host's client sends its options right behind its join.
    h.server.Accepted(1);
    h.server.Received(1, EncodeJoin("Ann", "Red", kVersion) + EncodeOptions(options));
    const auto sent = h.Take(1);
    ASSERT_TRUE(sent.size() == 4 && sent[1].options == options);  // join, options, report, tables
    EXPECT_EQ(sent[2].text,
              "Options:\r\n  Start level: 7\r\n  Player win scores: 0\r\n  Team win scores: 1\r\n"
              "  Throw to all players of the most weak team\r\n  Play till 20 scores\r\n  Height 19\r\n\r\n");
    h.server.Accepted(2);
    h.server.Received(2, EncodeJoin("Bob", "Blue", kVersion));
    EXPECT_EQ(h.Kinds(2), (std::vector<std::int32_t>{MSG_JOIN, MSG_OPTIONS, MSG_TEXT, MSG_TABLES}));
}

TEST(GameServerJoin, ConnectionsBeyondTheLimitAreClosedAtOnce) {
    Host h;
    for (ConnectionId id = 1; id <= GameServer::kMaxConnections + 1; ++id) h.server.Accepted(id);
    EXPECT_EQ(std::tuple(h.server.ConnectionCount(), h.closed),
              std::tuple(GameServer::kMaxConnections, std::vector<ConnectionId>{GameServer::kMaxConnections + 1}));
}

TEST(GameServerCountdown, SaysTheSecondsLeftAndStartsTheRoundOnTheFourthTick) {
    Host h({{"Ann", "Red"}, {"Bob", "Blue"}}, NetOptions{.fallPeriod = 4, .countdownSeconds = 3});
    h.server.Received(1, EncodeStartRequest(9));
    h.sent.clear();
    for (int left : {2, 1, 0}) {
        h.Ticks(1);
        EXPECT_EQ(std::tuple(Last(h.Texts(2)), h.server.RoundRunning()),
                  std::tuple("&Starting in " + std::to_string(left) + " seconds.\r\nPress ESC to pause.\r\n", false));
    }
    h.Ticks(1);
    const auto sent = h.Take(2);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(std::tie(sent[0].kind, sent[0].fallPeriod, sent[0].seed, sent[1].tables.teams[0].members),
              std::tuple(MSG_START, 4, 77, "1/1"));
    EXPECT_EQ(h.server.Random(), 77u);
}

TEST(GameServerCountdown, PauseCancelsItAndResumeDuringARoundEndsInResume) {
    Host h({{"Ann", "Red"}, {"Bob", "Blue"}}, NetOptions{.countdownSeconds = 1});
    h.server.StartCountdown();
    h.server.Received(2, EncodeKind(MSG_PAUSE));
    h.Ticks(2);
    EXPECT_FALSE(h.server.RoundRunning());
    h.server.StartCountdown();
    h.Ticks(2);
    ASSERT_TRUE(h.server.RoundRunning());

    h.sent.clear();
    h.server.Received(2, EncodeKind(MSG_PAUSE));
    const auto sent = h.Take(1);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(std::tie(sent[0].kind, sent[1].text), std::tuple(MSG_PAUSE, "&Bob paused the game.\r\n"));
    h.server.Received(1, EncodeKind(MSG_RESUME));
    EXPECT_EQ(Last(h.Texts(2)), "Ann resumed the game.\r\n");
    h.Ticks(1);
    h.Take(2);
    h.Ticks(1);
    EXPECT_EQ(h.Kinds(2), (std::vector<std::int32_t>{MSG_RESUME}));
}

TEST(GameServerPresents, RowsRemovedBecomePresentsAnnouncedWithTraceMessages) {
    struct Case {
        std::int32_t removed;
        bool senderOut;
        std::int32_t trace, present;        // present: rows Bob receives
        std::vector<std::int32_t> landing;  // what Ann hears of her landing
    } cases[] = {
        {1, false, 1, 0, {MSG_TABLES}},
        {2, false, 1, 1, {MSG_TEXT, MSG_TABLES}},
        {3, false, 1, 2, {MSG_TEXT, MSG_TABLES}},
        {4, false, 1, 4, {MSG_TEXT, MSG_TABLES}},
        {4, true, 1, 0, {MSG_TABLES}},
        {4, false, 0, 4, {}},  // without trace messages the tables come on the tick
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.removed << (c.senderOut ? " out" : "") << " trace " << c.trace);
        Host h({{"Ann", "Red"}, {"Bob", "Blue"}, {"Cid", "Green"}}, NetOptions{.traceMessages = c.trace});
        h.Start();
        if (c.senderOut) h.Filled(1);
        h.sent.clear();
        h.Land(1, 7, c.removed);
        EXPECT_EQ(std::tuple(h.PresentRows(2), h.Player(2).height, h.Kinds(1)),
                  std::tuple(c.present, c.present, c.landing));
        if (c.landing.size() == 2) {
            EXPECT_EQ(h.events.back(), "Ann has sent a " + std::to_string(c.present) + "-line present.\r\n");
        }
        h.Ticks(1);
        EXPECT_EQ(h.Kinds(1), c.trace ? std::vector<std::int32_t>{} : std::vector<std::int32_t>{MSG_TABLES});
    }
}

// Ann (Red) removes rows while the others have landed at these heights.
// Among teams: she removes 4 rows, and Bob (Blue) or Cid and Dan (Green, with
// more free rows: the stronger team) receive. Inside a team: she removes 3, and
// 2 rows go to Green, whose members are Cid, Dan and Eve.
TEST(GameServerPresents, ThrowModesChooseTheReceivingTeamsAndTheirAliveMembers) {
    struct Case {
        bool inTeam;  // the mode is the in-team one, else the team one
        ThrowMode mode;
        std::array<std::int32_t, 3> heights;
        bool thirdOut;  // connection 3 is out: Cid among teams, Dan inside one
        std::uint32_t random;
        std::array<std::int32_t, 3> rows;  // connections 2, 3 and 4
    } cases[] = {
        {false, ThrowMode::All, {5, 10, 2}, false, 1, {4, 4, 4}},
        {false, ThrowMode::MostStrong, {5, 10, 2}, false, 1, {0, 4, 4}},
        {false, ThrowMode::MostStrong, {5, 10, 20}, false, 1, {4, 0, 0}},  // a tie: the first team in order
        {false, ThrowMode::MostStrong, {5, 30, 2}, true, 1, {0, 0, 4}},    // Cid, out, does not count
        {false, ThrowMode::MostWeak, {5, 10, 2}, false, 1, {4, 0, 0}},
        {false, ThrowMode::Random, {5, 10, 2}, false, 1, {0, 4, 4}},          // 41 % 2
        {false, ThrowMode::RandomDispatch, {5, 10, 2}, false, 4, {1, 3, 3}},  // 51, 17945, 27159, 386 % 2
        {true, ThrowMode::All, {10, 2, 20}, false, 1, {2, 2, 2}},
        {true, ThrowMode::All, {10, 2, 20}, true, 1, {2, 0, 2}},
        {true, ThrowMode::MostStrong, {10, 2, 20}, false, 1, {0, 2, 0}},
        {true, ThrowMode::MostStrong, {7, 7, 7}, false, 1, {2, 0, 0}},
        {true, ThrowMode::MostStrong, {26, 30, 27}, false, 1, {0, 0, 0}},
        {true, ThrowMode::MostWeak, {10, 2, 20}, false, 1, {0, 0, 2}},
        {true, ThrowMode::MostWeak, {10, 20, 20}, false, 1, {0, 2, 0}},  // a tie: the first member
        {true, ThrowMode::Random, {10, 2, 20}, false, 3, {2, 0, 0}},          // 48 % 3
        {true, ThrowMode::Random, {10, 2, 20}, true, 2, {0, 0, 2}},           // 45 % 2 among Cid and Eve
        {true, ThrowMode::RandomDispatch, {10, 2, 20}, false, 4, {1, 0, 1}},  // 51 % 3, 17945 % 3
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.inTeam ? "in team " : "team ") << static_cast<int>(c.mode));
        const auto mode = static_cast<std::int32_t>(c.mode);
        Host h(c.inTeam ? Roster{{"Ann", "Red"}, {"Cid", "Green"}, {"Dan", "Green"}, {"Eve", "Green"}}
                        : Roster{{"Ann", "Red"}, {"Bob", "Blue"}, {"Cid", "Green"}, {"Dan", "Green"}},
               NetOptions{.playerThrow = c.inTeam ? mode : 0, .teamThrow = c.inTeam ? 0 : mode});
        h.Start();
        if (c.thirdOut) h.Filled(3);  // its landing report comes after it
        for (ConnectionId id = 2; id <= 4; ++id) h.Land(id, c.heights[id - 2], 0);
        h.sent.clear();
        h.server.Random() = c.random;
        h.Land(1, 3, c.inTeam ? 3 : 4);
        EXPECT_EQ((std::array{h.PresentRows(2), h.PresentRows(3), h.PresentRows(4)}), c.rows);
        EXPECT_EQ(h.PresentRows(1), 0);
    }
}

// A team's points are its place times the team win scores option.
TEST(GameServerRound, TeamsScoreByTheOrderInWhichTheyAreOutAndTheLastIsAnnounced) {
    for (std::int32_t teamWin : {1, 3}) {
        Host h({{"A", "T1"}, {"B", "T2"}, {"C", "T3"}, {"D", "T4"}}, NetOptions{.teamWinScores = teamWin});
        h.Start();
        for (ConnectionId out : {3, 1, 4}) h.Filled(out);
        EXPECT_FALSE(h.server.RoundRunning());
        const std::pair<ConnectionId, const char*> order[] = {{3, "T3"}, {1, "T1"}, {4, "T4"}, {2, "T2"}};
        for (std::int32_t points = 0; points < 4; ++points)
            EXPECT_EQ(std::tuple(h.Team(order[points].second).roundScore, h.Player(order[points].first).roundScore),
                      std::tuple(points * teamWin, points));
        std::vector<std::string> events;
        for (const auto& m : h.Take(2)) {
            if (m.kind == MSG_TEXT) events.push_back(m.text.substr(0, m.text.find(':')));
            if (m.kind == MSG_FILLED) events.push_back("filled");
        }
        const char* const filled = " was filled up with presents.\r\n";
        EXPECT_EQ(events, (std::vector<std::string>{std::string("C") + filled, std::string("A") + filled,
                                                    std::string("D") + filled, "T2 won this round.\r\n", "filled",
                                                    "Player statistics"}));
        EXPECT_EQ(h.events.back(), "ended");  // after the texts
    }
}

TEST(GameServerRound, NoPointsTwiceNoWinnerOfOneTeamAndEachPlayersLinesOfTheRoundAndInTotal) {
    Host h({{"Ann", "Red"}, {"Bob", "Red"}, {"Cid", "Blue"}, {"Dan", "Green"}, {"Eve", "Gold"}});
    h.Start();
    for (ConnectionId out : {1, 2, 3}) h.Filled(out);
    h.Filled(1);         // again
    h.server.Closed(2);  // Red, already out, loses a member
    EXPECT_TRUE(h.server.RoundRunning());
    EXPECT_EQ(std::tuple(h.Player(1).roundScore, h.Team("Red").roundScore, h.Team("Blue").roundScore),
              std::tuple(0, 0, 1));

    // One team: no winner, but the points and each player's lines of the round and in total.
    Host one({{"Ann", "Red"}, {"Bob", "Red"}});
    one.Start();
    one.Land(1, 3, 1);
    one.Filled(1);
    EXPECT_TRUE(one.server.RoundRunning());
    one.Filled(2);
    EXPECT_FALSE(one.server.RoundRunning());
    for (const auto& text : one.Texts(1)) EXPECT_EQ(text.find("won this round"), std::string::npos) << text;
    EXPECT_EQ(one.Player(2).total, 1);
    one.Start();
    for (auto [id, removed] : {std::pair{1, 2}, {1, 2}, {2, 4}}) one.Land(id, 3, removed);
    for (ConnectionId out : {1, 2}) one.Filled(out);
    EXPECT_EQ(Last(one.Texts(1)),
              "Player statistics:\r\n"
              "  Ann:\r\n    1-lines: 0/1\r\n    2-lines: 2/2\r\n    3-lines: 0/0\r\n    4-lines: 0/0\r\n"
              "  Bob:\r\n    1-lines: 0/0\r\n    2-lines: 0/0\r\n    3-lines: 0/0\r\n    4-lines: 1/1\r\n");
}

TEST(GameServerRound, GameIsOverWhenATeamTotalReachesPlayTillComparedUnsigned) {
    const std::pair<std::int32_t, bool> cases[] = {{0, true}, {1, true}, {2, false}, {-1, false}};
    for (auto [playTill, over] : cases) {
        SCOPED_TRACE(playTill);
        Host h({{"Ann", "Red"}, {"Bob", "Blue"}}, NetOptions{.playTill = playTill});
        h.Start();
        h.Land(2, 3, 1);
        h.Filled(1);
        const std::string last = Last(h.Texts(2));
        EXPECT_EQ(over ? last : last.substr(0, 17), over ? "&Team results:\r\n  Blue: 1\r\n  Red: 0\r\n"
                                                          "Player results:\r\n  Bob: 1\r\n  Ann: 0\r\nGame over\r\n"
                                                        : "Player statistics");
        // A new game starts from nothing.
        EXPECT_EQ(std::tuple(h.Team("Blue").total, h.Player(2).total, h.Player(2).totalLines[0]),
                  over ? std::tuple(0, 0, 0) : std::tuple(1, 1, 1));
    }
}

TEST(GameServerLeave, TeamsAndTheRoundStayConsistent) {
    Host h({{"Ann", "Red"}, {"Bob", "Red"}, {"Cid", "Blue"}, {"", ""}});
    h.Start();
    h.server.Closed(4);  // never joined
    // A hostile stream (a 2 GiB chat line) is closed and handled as a leave.
    h.server.Received(1, EncodeKind(MSG_TEXT) + "\xFF\xFF\xFF\xFF\xFF\xFF\x7F");
    EXPECT_EQ(std::tuple(h.closed, h.server.RoundRunning(), Last(h.Take(3)).tables.teams[1].members),
              std::tuple(std::vector<ConnectionId>{1}, true, "1/1"));

    h.server.Closed(2);  // the last of Red: Blue has won
    EXPECT_EQ(std::tuple(h.server.RoundRunning(), h.server.Teams().count("Red"), h.Texts(3).at(0)),
              std::tuple(false, 0u, "Blue won this round.\r\n"));
    EXPECT_EQ(h.Team("Blue").roundScore, 1);

    // A round with nobody joined ends when its last connection leaves.
    h.server.Closed(3);
    h.server.Accepted(5);
    h.Start();
    h.server.Closed(5);
    EXPECT_EQ(std::tuple(h.server.RoundRunning(), h.events.back()), std::tuple(false, "ended"));
}

// The transport may report a close while the server sends, and the observer
// may call back when a round ends: both wait until the tables are consistent.
TEST(GameServerLeave, CloseDuringASendAndAnObserverRestartingTheRoundAreHandledAfterwards) {
    Host h({{"Ann", "Red"}, {"Bob", "Blue"}, {"Cid", "Blue"}});
    h.Start();
    bool dropped = false;
    h.onSend = [&](ConnectionId id) {  // a send to Bob stalls: the transport drops him
        if (id == 2 && !dropped) dropped = true, h.server.Closed(2);
    };
    h.Land(1, 5, 4);
    const NetTeam& blue = h.Team("Blue");
    EXPECT_EQ(std::tuple(blue.members.size(), blue.playersLeft, Last(h.Take(1)).tables.players.size()),
              std::tuple(1u, 1, 2u));

    int restarts = 1;
    h.onEnded = [&] {
        if (restarts-- > 0) h.server.StartCountdown();
    };
    h.server.Closed(1);
    ASSERT_EQ(std::tuple(h.server.RoundRunning(), h.events.back()), std::tuple(true, "started"));
    h.Filled(3);  // the new round counts Blue alone: outlasting nobody is worth nothing
    EXPECT_EQ(h.Team("Blue").roundScore, 0);
}

// However many connections close and land in one turn of the event loop, the
// tables go out once, encoded once; a connection is closed when it has not
// joined 10 whole seconds after it came, or 11 (a tick sees whole seconds).
TEST(GameServerLoad, OneSetOfTablesATurnAndConnectionsThatDoNotJoinAreClosed) {
    Roster roster{{"Ann", "Red"}, {"Bob", "Blue"}};
    roster.resize(103);  // connections that never join
    Host h(roster);
    h.Start();
    h.turns = true;
    for (ConnectionId id = 4; id <= 103; ++id) h.server.Closed(id);
    h.Land(1, 4, 0), h.Land(2, 6, 0);
    EXPECT_EQ(std::tuple(h.server.TablesDue(), h.Kinds(1)), std::tuple(true, std::vector<std::int32_t>{}));
    h.broadcasts = 0;
    h.server.SendTables();
    const auto sent = h.Take(2);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(std::tuple(h.broadcasts, sent[0].tables.players.size(), sent[0].tables.players[1].height),
              std::tuple(1, 3u, "6"));

    h.now += 5;
    h.server.Accepted(104);  // during the round: waits for its refusal
    std::vector<std::vector<ConnectionId>> closed;
    for (int step : {5, 1, 4, 1}) {
        h.now += step;
        h.Ticks(1);
        closed.push_back(h.closed);
    }
    EXPECT_EQ(closed, (std::vector<std::vector<ConnectionId>>{{}, {3}, {3}, {3, 104}}));
    EXPECT_EQ(h.server.ConnectionCount(), 2u);
}

// Without trace messages a second's tables go in parts, one a turn: each
// connection gets them once; tables everyone gets end the parts.
TEST(GameServerLoad, TheTablesOfASecondGoInPartsEachConnectionOnce) {
    Roster roster;
    for (int i = 0; i < 40; ++i) roster.emplace_back("P" + std::to_string(i), std::string(250, char('a' + i % 2)));
    Host h(roster, NetOptions{.traceMessages = 0});
    h.Start();
    h.turns = true;
    std::vector<int> got(41), parts;  // tables by connection; connections reached by each turn
    const auto turn = [&] {  // true while parts are left for later turns
        h.server.SendTables();
        parts.push_back(0);
        for (ConnectionId id = 1; id <= 40; ++id)
            for (const auto& m : h.Take(id)) parts.back() += m.kind == MSG_TABLES, got[id] += m.kind == MSG_TABLES;
        return h.server.TablesDue();
    };
    h.Ticks(1);
    while (turn()) {}
    EXPECT_TRUE(parts.size() >= 2 && parts.size() <= GameServer::kTablesRoundParts && parts.back() > 0);
    EXPECT_EQ(std::count(got.begin(), got.end(), 1), 40);
    h.Ticks(1);
    EXPECT_TRUE(turn());
    h.Filled(40);  // a change everyone sees at once
    EXPECT_FALSE(turn());
    EXPECT_EQ(std::tuple(parts.back(), std::count(got.begin(), got.end(), 3)), std::tuple(40, parts.end()[-2]));
}

TEST(GameServerLeave, CloseServerClosesEveryConnectionAndReturnsToIdle) {
    Host h({{"Ann", "Red"}, {"Bob", "Blue"}});
    h.Start();
    h.server.Accepted(3);  // waiting for its refusal
    h.server.CloseServer();
    EXPECT_EQ(h.closed, (std::vector<ConnectionId>{3, 1, 2}));
    EXPECT_TRUE(h.server.Teams().empty() && !h.server.RoundRunning() && !h.server.OptionsReceived());
    h.server.Accepted(4);
    EXPECT_EQ(h.server.ConnectionCount(), 1u);
}

// ---- the client ----

// Records what the client shows, each call as one line of text.
struct FakeWindow : ClientDisplay {
    std::vector<std::string> log;
    Tables tables;
    const GameRecord* record = nullptr;  // when set, texts note whether the game ran
    void ShowTables(const Tables& t) override { tables = t, log.push_back("tables"); }
    void AppendText(const std::string& text) override {
        log.push_back("text " + text + (record && record->running ? " (running)" : ""));
    }
    void ShowMessage(const std::string& text) override { log.push_back("message " + text); }
    void SetStartEnabled(bool enabled) override { log.push_back(enabled ? "start on" : "start off"); }
    void CannotPlayAlone() override { log.push_back("alone"); }
    void ChatLineArrived() override { log.push_back("chat"); }
    void RoundEnded() override { log.push_back("round ended"); }
};

enum class State { Waiting, Running, Paused };

// A network game of the main window with its client, connected to fakes.
struct ClientFixture : test::GameFixture {
    test::RecordingConnection connection;
    FakeWindow window;
    GameClient client{game, settings, kVersion};

    explicit ClientFixture(bool host = false, State state = State::Waiting) {
        std::tie(settings.playerName, settings.team, r().networkGame) = std::tuple("Ann", "Red", true);
        game.SetHooks({.painter = this, .clock = this, .keys = this, .network = &client, .window = this, .computer = this});
        game.ResetGame();
        client.Begin(connection, &window, host);
        connection.sent.clear();
        if (state != State::Waiting) game.ToggleRunning(false);
        if (state == State::Paused) game.ToggleRunning(false);
    }
    int pictures = 0;  // of the last end-of-game animation
    // Bytes from the server, then as the window goes on: the animation they
    // start runs out on time, and the messages held meanwhile are acted on.
    void Receive(const std::string& bytes) {
        ASSERT_TRUE(client.Received(bytes));
        pictures = game.Animating() ? 1 + RunAnimation() : 0;
        ASSERT_TRUE(client.ProcessPending());
    }
    State Now() const {
        const GameRecord& rec = game.record();
        return rec.running ? State::Running : rec.waitingForStart ? State::Waiting : State::Paused;
    }
    const std::string& Sent() const { return connection.sent; }
};

TEST(ClientJoin, TakesTheEntriesAndSendsNameTeamVersionAndTheHostsOptions) {
    struct Case {
        bool host;
        const char *name, *team;
        std::string join;   // in the code page, the name cut to 19; an empty team is named after the player
        int computerSpeed;  // 0: the computer does not play, the speed of before (5) stays
    } cases[] = {
        {true, "Ann", "Red", EncodeJoin("Ann", "Red", kVersion), 0},
        {false, "Zo\u00EB", "", EncodeJoin("Zo\xEB", "Zo\xEB", kVersion), 0},
        {false, "Comp3 with a name much too long", "T", EncodeJoin("Comp3 with a name m", "T", kVersion), 3},
    };
    for (const Case& c : cases) {
        test::GameFixture f;
        f.settings.playTill = 33;  // options other than the defaults
        std::tie(f.r().computerPlays, f.r().computerSpeed) = std::tuple(true, 5);
        GameClient client(f.game, f.settings, kVersion);
        test::RecordingConnection connection;
        f.game.EnterNetworkGame(TakeJoinEntries(f.settings, c.name, c.team, "example.org", 7001));
        client.Begin(connection, nullptr, c.host);
        EXPECT_EQ(connection.sent,
                  c.join + (c.host ? EncodeOptions(OptionsFromSettings(f.settings)) : "") + EncodeHello()) << c.name;
        const GameRecord& r = f.r();
        EXPECT_EQ(std::tie(f.settings.server, f.settings.port, f.settings.team, r.computerPlays, r.computerSpeed),
                  std::tuple("example.org", 7001, *c.team ? c.team : c.name, c.computerSpeed != 0,
                             c.computerSpeed ? c.computerSpeed : 5));
    }
}

TEST(ClientRound, StartResetsWithTheRoundsLevelAndSeedAndRuns) {
    const std::pair<int, int> periods[] = {{3, 3}, {0, 1}, {99, 10}};  // sent, kept in 1..10
    for (auto [sent, fallPeriod] : periods) {
        for (State before : {State::Waiting, State::Running}) {  // a game still under way is replaced
            ClientFixture f(false, before);
            f.r().score = 500;
            f.Receive(EncodeStart(sent, 4242));
            // The window comes to the front; the start is not echoed to the server.
            EXPECT_EQ(std::tuple(f.Now(), f.r().fallPeriod, f.settings.netFallPeriod, f.r().networkSeed, f.r().score,
                                 f.focus, f.Sent()),
                      std::tuple(State::Running, fallPeriod, fallPeriod, 4242u, 0, 1, "")) << sent;
        }
    }
}

TEST(ClientRound, PausesResumesAndPresentsFollowTheServerWithoutEcho) {
    struct Case {
        State before;
        std::string message;
        State after;
        int stackTop;  // an empty well has 25
        bool noFigure = false;  // a figure that never lands lets every row rise
    } cases[] = {
        {State::Running, EncodeKind(MSG_PAUSE), State::Paused, 25},
        {State::Waiting, EncodeKind(MSG_PAUSE), State::Waiting, 25},
        {State::Paused, EncodeKind(MSG_RESUME), State::Running, 25},
        {State::Waiting, EncodeKind(MSG_RESUME), State::Waiting, 25},
        {State::Running, EncodePresent(2), State::Running, 23},  // presents rise at once, also while paused,
        {State::Paused, EncodePresent(3), State::Paused, 22},
        {State::Waiting, EncodePresent(2), State::Waiting, 25},  // but not while the game waits
        {State::Running, EncodePresent(-4), State::Running, 25},
        {State::Paused, EncodePresent(INT_MAX), State::Waiting, 25},  // fills the well: lost and reported
        {State::Paused, EncodePresent(30), State::Paused, 0, true},  // a hostile count: cut to the height
    };
    for (const Case& c : cases) {
        ClientFixture f(false, c.before);
        if (c.noFigure) f.r().mask = {};
        f.Receive(EncodeWelcome(1));  // the server reads wells: risen rows are reported
        f.connection.sent.clear();
        f.Receive(c.message);
        SCOPED_TRACE(::testing::Message() << int(c.before) << " " << int(c.message[0]));
        EXPECT_EQ(std::tuple(f.Now(), f.r().stackTop), std::tuple(c.after, c.stackTop));
        const bool lost = c.after == State::Waiting && c.before != State::Waiting;
        EXPECT_EQ(lost ? f.Sent().substr(f.Sent().size() - 4) : f.Sent(),
                  lost ? EncodeKind(MSG_FILLED) : c.stackTop < 25 ? EncodeReport(PackWell(f.r())) : "");
    }
}

TEST(ClientRound, FilledEndsTheRoundAndEnablesStartOnTheHostOnly) {
    const std::tuple<State, bool, int> cases[] = {
        {State::Running, true, 40}, {State::Paused, false, 40}, {State::Waiting, true, 0}};  // animation steps
    for (const auto& [state, host, animationSteps] : cases) {
        ClientFixture f(host, state);
        f.r().score = 700;
        f.Receive(EncodeKind(MSG_FILLED));
        EXPECT_EQ(std::tuple(f.Now(), f.pictures, f.r().score),
                  std::tuple(State::Waiting, animationSteps, state == State::Waiting ? 700 : 0)) << int(state);
        // The server's end of round is not reported back.
        EXPECT_EQ(std::tuple(f.window.log, f.client.RoundsEnded(), f.Sent()),
                  std::tuple(std::vector<std::string>{host ? "start on" : "start off", "round ended"}, 1, ""));
    }
}

TEST(ClientMessages, TablesAndTextsReachTheWindowInUtf8) {
    ClientFixture f;
    const Tables tables{{{"Zo\xEB", "Caf\xE9", "-", 0, 0}, {"Ann", "Red", "12", 3, 40}},
                        {{"Caf\xE9", "-/1", 0, 0}, {"Red", "1/1", 3, 40}}};
    // A player's line is a chat line; the server's own texts are not.
    f.Receive(EncodeTables(tables) + EncodeText("&Starting in 3 seconds.\r\n") + EncodeText("Ann: \x80 5") +
              EncodeText("Anna: 1"));
    EXPECT_EQ(f.window.log, (std::vector<std::string>{"tables", "message Starting in 3 seconds.\r\n",
                                                      "text Starting in 3 seconds.\r\n", "text Ann: € 5", "chat",
                                                      "text Anna: 1"}));
    EXPECT_EQ(f.window.tables, (Tables{{{"Zoë", "Café", "-", 0, 0}, tables.players[1]},
                                       {{"Café", "-/1", 0, 0}, tables.teams[1]}}));
    EXPECT_EQ(f.client.LastTables(), tables);  // kept as wire bytes
}

// A close is the server's own only after it accepted the join, without a refusal.
TEST(ClientMessages, ARefusalIsTheDisconnectTextAndNothingHappensAfterTheEndUntilTheNextConnect) {
    ClientFixture f;
    EXPECT_EQ(std::tuple(f.client.DisconnectText(), f.client.Closed().serverClosed),
              std::tuple(GameClient::kServerClosed, false));
    f.Receive(EncodeKind(MSG_JOIN));
    EXPECT_TRUE(f.client.Closed().serverClosed);
    const std::string start = EncodeStart(3, 1);
    f.Receive(EncodeRefuse("Player with the same name already exists") + EncodeRefuse("Caf\xE9 refused") +
              start.substr(0, 5));  // a start cut off by the close
    EXPECT_EQ(std::tuple(f.client.Closed().text, f.client.Closed().serverClosed), std::tuple("Café refused", false));
    f.client.End();
    f.client.SendLanded(1, 2, 3);
    f.client.SendText("x");
    EXPECT_TRUE(f.client.Received(start.substr(5) + start));
    EXPECT_EQ(std::tuple(f.Sent(), f.Now()), std::tuple("", State::Waiting));
    f.client.Begin(f.connection, &f.window, false);
    EXPECT_EQ(f.client.DisconnectText(), GameClient::kServerClosed);
}

TEST(ClientOptions, TheHostsOptionsAreStoredAndHostileValuesKeptInRange) {
    const NetOptions host{30, 1, 2, 3, 4, 2, 5, 20, 0};
    const std::pair<NetOptions, NetOptions> cases[] = {  // received, stored
        {host, host},
        {{-1, 7, -5, -1, INT_MIN, 0, 11, 1000, 5}, {0, 4, 0, 0, 0, 1, 10, 25, 1}},
        {{INT_MAX, INT_MIN, 0, INT_MAX, 0, 11, -1, -3, -1}, {INT_MAX, 0, 0, 4, 0, 10, 0, 19, 1}},
    };
    for (const auto& [received, stored] : cases) {
        ClientFixture f;  // a joiner with its own LEVEL, SEC_BEFORE_START and height
        std::tie(f.settings.netFallPeriod, f.settings.countdownSeconds, f.settings.height) = std::tuple(7, 9, 24);
        f.Receive(EncodeOptions(received));
        EXPECT_EQ(OptionsFromSettings(f.settings), stored) << received.height;
    }
}

TEST(ClientHold, MessagesWaitForTheComputersKeysAndKeepTheirOrderUpToABrokenStream) {
    ClientFixture f;
    f.window.record = &f.r();
    f.busy = true;
    const std::string bytes = EncodeText("before") + EncodeStart(4, 7) + EncodeText("after") + EncodeKind(MSG_PAUSE);
    f.Receive(bytes.substr(0, 20));
    f.Receive(bytes.substr(20));
    EXPECT_EQ(std::tuple(f.window.log.size(), f.Now()), std::tuple(0u, State::Waiting));

    f.busy = false;
    EXPECT_TRUE(f.client.ProcessPending());
    EXPECT_EQ(std::tuple(f.window.log, f.Now()),
              std::tuple(std::vector<std::string>{"text before", "text after (running)"}, State::Paused));
    f.Receive(EncodeKind(MSG_FILLED) + EncodeStart(4, 8));  // held through the round's end, not undone by it
    EXPECT_EQ(std::tuple(f.pictures, f.Now()), std::tuple(40, State::Running));

    // A broken stream is reported after the messages before it.
    const std::string tooLong = EncodeKind(MSG_TEXT) + "\xFF\xFF\xFF\xFF\xFF\xFF\x7F";  // 2^31 - 1 bytes
    EXPECT_FALSE(f.client.Received(EncodeText("ok") + tooLong));
    EXPECT_EQ(f.window.log.back(), "text ok (running)");
    EXPECT_FALSE(f.client.ProcessPending());
}

// Starting needs two players; the network window's test starts through this client.
TEST(ClientReports, CommandsAndReportsGoToTheServer) {
    ClientFixture f(true);
    f.client.SendPause(), f.client.SendResume(), f.client.SendLanded(7, 1234, 2);
    f.client.SendFilled(), f.client.RequestPause(), f.client.SendText(""), f.client.SendText("café €");
    EXPECT_EQ(f.Sent(), EncodeKind(MSG_PAUSE) + EncodeKind(MSG_RESUME) + EncodeLanded(7, 1234, 2) +
                            EncodeKind(MSG_FILLED) + EncodeKind(MSG_PAUSE) + EncodeText("caf\xE9 \x80"));
    EXPECT_TRUE(f.window.log.empty());
}

}  // namespace
}  // namespace vexari
