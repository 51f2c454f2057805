#include <gtest/gtest.h>

#include <climits>

#include "../game/Fakes.h"
#include "net/GameClient.h"

namespace vexari {
namespace {

constexpr VersionQuad kVersion{1, 0, 0, 5};

// Records what the client sends.
struct FakeConnection : ClientConnection {
    std::string bytes;
    void Send(std::string_view b) override { bytes.append(b); }
};

// Records what the client shows, each call as one line of text.
struct FakeWindow : ClientShell {
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
};

enum class State { Waiting, Running, Paused };

// A network game of the main window with its client, connected to fakes.
struct ClientFixture : test::GameFixture {
    FakeConnection connection;
    FakeWindow window;
    GameClient client{game, settings, kVersion};

    explicit ClientFixture(bool host = false, State state = State::Waiting) {
        std::tie(settings.playerName, settings.team, r().networkGame) = std::tuple("Ann", "Red", true);
        game.SetHooks({this, this, this, &client, this, this});
        game.ResetGame();
        client.Begin(connection, &window, host);
        connection.bytes.clear();
        if (state != State::Waiting) game.ToggleRunning(false);
        if (state == State::Paused) game.ToggleRunning(false);
    }
    void Receive(const std::string& bytes) { ASSERT_TRUE(client.Received(bytes)); }
    State Now() const {
        const GameRecord& rec = game.record();
        return rec.running ? State::Running : rec.waitingForStart ? State::Waiting : State::Paused;
    }
    const std::string& Sent() const { return connection.bytes; }
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
        f.settings.maxScores = 33;  // options other than the defaults
        std::tie(f.r().computerPlays, f.r().computerSpeed) = std::tuple(true, 5);
        GameClient client(f.game, f.settings, kVersion);
        FakeConnection connection;
        TakeJoinEntries(f.settings, f.r(), c.name, c.team, "example.org", 7001);
        client.Begin(connection, nullptr, c.host);
        EXPECT_EQ(connection.bytes, c.join + (c.host ? EncodeOptions(OptionsFromSettings(f.settings)) : "")) << c.name;
        const GameRecord& r = f.r();
        EXPECT_EQ(std::tie(f.settings.server, f.settings.port, f.settings.team, r.computerPlays, r.computerSpeed),
                  std::tuple("example.org", 7001, *c.team ? c.team : c.name, c.computerSpeed != 0,
                             c.computerSpeed ? c.computerSpeed : 5));
    }
}

TEST(ClientRound, StartResetsWithTheRoundsLevelAndSeedAndRuns) {
    const std::pair<int, int> levels[] = {{3, 3}, {0, 1}, {99, 10}};  // level code, kept in 1..10
    for (auto [levelCode, fallPeriod] : levels) {
        for (State before : {State::Waiting, State::Running}) {  // a game still under way is replaced
            ClientFixture f(false, before);
            f.r().score = 500;
            f.Receive(EncodeStart(levelCode, 4242));
            // The window comes to the front; the start is not echoed to the server.
            EXPECT_EQ(std::tuple(f.Now(), f.r().fallPeriod, f.settings.netLevel, f.r().networkSeed, f.r().score,
                                 f.focus, f.Sent()),
                      std::tuple(State::Running, fallPeriod, fallPeriod, 4242u, 0, 1, "")) << levelCode;
        }
    }
}

TEST(ClientRound, PausesResumesAndPresentsFollowTheServerWithoutEcho) {
    struct Case {
        State before;
        std::string message;
        State after;
        int stackTop;  // an empty well has 25
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
    };
    for (const Case& c : cases) {
        ClientFixture f(false, c.before);
        f.Receive(c.message);
        SCOPED_TRACE(::testing::Message() << int(c.before) << " " << int(c.message[0]));
        EXPECT_EQ(std::tuple(f.Now(), f.r().stackTop), std::tuple(c.after, c.stackTop));
        const bool lost = c.after == State::Waiting && c.before != State::Waiting;
        EXPECT_TRUE(lost ? f.Sent().ends_with(EncodeKind(MSG_FILLED)) : f.Sent().empty());
    }
}

TEST(ClientRound, FilledEndsTheRoundAndEnablesStartOnTheHostOnly) {
    const std::tuple<State, bool, int> cases[] = {
        {State::Running, true, 40}, {State::Paused, false, 40}, {State::Waiting, true, 0}};  // animation steps
    for (const auto& [state, host, animationSteps] : cases) {
        ClientFixture f(host, state);
        f.r().score = 700;
        f.Receive(EncodeKind(MSG_FILLED));
        EXPECT_EQ(std::tuple(f.Now(), f.waits, f.r().score),
                  std::tuple(State::Waiting, animationSteps, state == State::Waiting ? 700 : 0)) << int(state);
        // The server's end of round is not reported back.
        EXPECT_EQ(std::tuple(f.window.log, f.client.RoundsEnded(), f.Sent()),
                  std::tuple(std::vector<std::string>{host ? "start on" : "start off"}, 1, ""));
    }
}

TEST(ClientMessages, TablesAndTextsReachTheWindowInUtf8) {
    ClientFixture f;
    const Tables tables{{{"Zo\xEB", "Caf\xE9", "-", 0, 0}, {"Ann", "Red", "12", 3, 40}},
                        {{"Caf\xE9", "-/1", 0, 0}, {"Red", "1/1", 3, 40}}};
    f.Receive(EncodeTables(tables) + EncodeText("&Starting in 3 seconds.\r\n") + EncodeText("Ann: \x80 5"));
    EXPECT_EQ(f.window.log, (std::vector<std::string>{"tables", "message Starting in 3 seconds.\r\n",
                                                      "text Starting in 3 seconds.\r\n", "text Ann: € 5"}));
    EXPECT_EQ(f.window.tables, (Tables{{{"Zoë", "Café", "-", 0, 0}, tables.players[1]},
                                       {{"Café", "-/1", 0, 0}, tables.teams[1]}}));
    EXPECT_EQ(f.client.LastTables(), tables);  // kept as wire bytes
}

TEST(ClientMessages, ARefusalIsTheDisconnectTextAndNothingHappensAfterTheEndUntilTheNextConnect) {
    ClientFixture f;
    EXPECT_EQ(f.client.DisconnectText(), GameClient::kServerClosed);
    const std::string start = EncodeStart(3, 1);
    f.Receive(EncodeRefuse("Player with the same name already exists") + EncodeRefuse("Caf\xE9 refused") +
              start.substr(0, 5));  // a start cut off by the close
    EXPECT_EQ(f.client.DisconnectText(), "Café refused");
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
        std::tie(f.settings.netLevel, f.settings.secBeforeStart, f.settings.height) = std::tuple(7, 9, 24);
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

    // A broken stream is reported after the messages before it.
    const std::string tooLong = EncodeKind(MSG_TEXT) + "\xFF\xFF\xFF\xFF\xFF\xFF\x7F";  // 2^31 - 1 bytes
    EXPECT_FALSE(f.client.Received(EncodeText("ok") + tooLong));
    EXPECT_EQ(f.window.log.back(), "text ok");
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
