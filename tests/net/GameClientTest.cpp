#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "../game/Fakes.h"
#include "net/GameClient.h"

namespace vexari {
namespace {

constexpr VersionQuad kVersion{1, 0, 0, 5};
constexpr int kDrop = 32;

// Records what the client sends.
struct FakeConnection : ClientConnection {
    std::string bytes;
    void Send(std::string_view b) override { bytes.append(b); }
};

// Records what the client shows, each entry as one line of text.
struct FakeWindow : ClientShell {
    std::vector<std::string> log;
    Tables tables;
    const GameRecord* record = nullptr;  // when set, texts note whether the game ran
    void ShowTables(const Tables& t) override {
        tables = t;
        log.push_back("tables");
    }
    void AppendText(const std::string& text) override {
        log.push_back("text " + text + (record && record->running ? " (running)" : ""));
    }
    void ShowMessage(const std::string& text) override { log.push_back("message " + text); }
    void SetStartEnabled(bool enabled) override { log.push_back(enabled ? "start on" : "start off"); }
    void CannotPlayAlone() override { log.push_back("alone"); }
};

std::string Describe(const ClientMessage& m) {
    switch (m.kind) {
    case MSG_PAUSE: return "pause";
    case MSG_RESUME: return "resume";
    case MSG_FILLED: return "filled";
    case MSG_LANDED:
        return "landed " + std::to_string(m.stackHeight) + " " + std::to_string(m.score) + " " +
               std::to_string(m.removed);
    case MSG_JOIN: {
        std::string s = "join " + m.name + "/" + m.team;
        for (int part : m.version) s += " " + std::to_string(part);
        return s;
    }
    case MSG_TEXT: return "text " + m.text;
    case MSG_START: return "start " + std::to_string(m.levelCode);
    case MSG_OPTIONS: return "options";
    default: return "kind " + std::to_string(m.kind);
    }
}

// The messages in the bytes sent, as the server reads them.
std::vector<ClientMessage> Decode(std::string_view bytes) {
    std::vector<ClientMessage> out;
    while (!bytes.empty()) {
        ClientMessage m;
        std::size_t used = 0;
        if (ReadClientMessage(bytes, used, m) != ReadStatus::Complete) {
            ADD_FAILURE() << "unreadable bytes sent";
            break;
        }
        out.push_back(m);
        bytes.remove_prefix(used);
    }
    return out;
}

std::vector<std::string> Described(std::string_view bytes) {
    std::vector<std::string> out;
    for (const ClientMessage& m : Decode(bytes)) out.push_back(Describe(m));
    return out;
}

enum class State { Waiting, Running, Paused };

const char* Name(State s) {
    return s == State::Waiting ? "waiting" : s == State::Running ? "running" : "paused";
}

// A network game of the main window with its client, connected to fakes.
struct ClientFixture : test::GameFixture {
    test::FakeComputer computer;
    FakeConnection connection;
    FakeWindow window;
    GameClient client{game, settings, kVersion};

    explicit ClientFixture(bool host = false) {
        settings.playerName = "Ann";
        settings.team = "Red";
        r().networkGame = true;
        game.SetHooks({&painter, &clock, &keys, &client, &shell, &computer});
        game.ResetGame();
        client.Begin(connection, &window, host);
        connection.bytes.clear();
    }
    void Receive(const std::string& bytes) { ASSERT_TRUE(client.Received(bytes)); }
    void Enter(State s) {
        if (s != State::Waiting) game.ToggleRunning(false);
        if (s == State::Paused) game.ToggleRunning(false);
    }
    State Now() const {
        const GameRecord& rec = game.record();
        return rec.running ? State::Running : rec.waitingForStart ? State::Waiting : State::Paused;
    }
    std::vector<std::string> Sent() const { return Described(connection.bytes); }
};

TEST(ClientJoin, SendsNameTeamAndVersionAndTheHostAlsoItsOptions) {
    struct Case {
        bool host;
        const char* name;
        const char* team;
        const char* server;
        std::vector<std::string> sent;
    };
    const Case cases[] = {
        {true, "Ann", "Red", "127.0.0.1", {"join Ann/Red 1 0 0 5", "options"}},
        {false, "Zoë", "", "example.org", {"join Zo\xEB/Zo\xEB 1 0 0 5"}},  // a team named after the player
    };
    for (const Case& c : cases) {
        test::GameFixture f;
        f.settings.maxScores = 33;
        f.settings.height = 21;
        GameClient client(f.game, f.settings, kVersion);
        FakeConnection connection;
        TakeJoinEntries(f.settings, f.r(), c.name, c.team, c.server, 7001);
        client.Begin(connection, nullptr, c.host);

        EXPECT_EQ(Described(connection.bytes), c.sent) << c.name;
        EXPECT_EQ(f.settings.server, c.server);
        EXPECT_EQ(f.settings.port, 7001);
        EXPECT_EQ(f.settings.team, *c.team ? c.team : c.name);
        const auto messages = Decode(connection.bytes);
        if (c.host && messages.size() == 2) {
            EXPECT_EQ(messages[1].options, OptionsFromSettings(f.settings));
        }
    }
}

TEST(ClientJoin, ANameBeginningWithCompLetsTheComputerPlay) {
    struct Case {
        const char* name;
        bool plays;
        int speed;  // 5 stays from before when the computer does not play
    };
    for (const Case c : {Case{"COMP9", true, 9}, Case{"Compx", true, 2}, Case{"comp", true, 2}, Case{"Com", false, 5},
                         Case{"Ann", false, 5}, Case{"Comp3 with a name much too long", true, 3}}) {
        Settings settings;
        GameRecord record;
        record.computerPlays = true;
        record.computerSpeed = 5;
        TakeJoinEntries(settings, record, c.name, "T", "host", 7000);
        EXPECT_EQ(record.computerPlays, c.plays) << c.name;
        EXPECT_EQ(record.computerSpeed, c.speed) << c.name;
        EXPECT_EQ(settings.playerName, std::string(c.name).substr(0, 19));
    }
}

TEST(ClientRound, StartResetsWithTheRoundsLevelAndSeedAndRuns) {
    struct Case {
        int levelCode;
        int fallPeriod;  // a level code out of range is kept inside 1..10
    };
    for (const Case c : {Case{3, 3}, Case{0, 1}, Case{99, 10}}) {
        ClientFixture a, b;
        a.Enter(State::Running);  // a game still under way is replaced
        a.r().score = 500;
        b.settings.netLevel = 8;
        for (ClientFixture* f : {&a, &b}) {
            f->Receive(EncodeStart(c.levelCode, 4242));
            EXPECT_EQ(f->Now(), State::Running) << c.levelCode;
            EXPECT_EQ(f->r().fallPeriod, c.fallPeriod);
            EXPECT_EQ(f->settings.netLevel, c.fallPeriod);
            EXPECT_EQ(f->r().networkSeed, 4242u);
            EXPECT_EQ(f->r().score, 0);
            EXPECT_EQ(f->shell.focus, 1);
            EXPECT_TRUE(f->Sent().empty()) << "the start is not echoed to the server";
        }
        for (int i = 0; i < 30; ++i) {
            ASSERT_EQ(a.r().mask, b.r().mask) << "figure " << i;
            a.game.TakeNextFigure();
            b.game.TakeNextFigure();
        }
    }
}

TEST(ClientRound, PauseAndResumeFollowTheServerWithoutEcho) {
    struct Case {
        State before;
        MessageKind kind;
        State after;
    };
    for (const Case c : {Case{State::Running, MSG_PAUSE, State::Paused}, Case{State::Paused, MSG_PAUSE, State::Paused},
                         Case{State::Waiting, MSG_PAUSE, State::Waiting},  // lost: nothing changes
                         Case{State::Paused, MSG_RESUME, State::Running},
                         Case{State::Running, MSG_RESUME, State::Running},
                         Case{State::Waiting, MSG_RESUME, State::Waiting}}) {
        ClientFixture f;
        f.Enter(c.before);
        f.Receive(EncodeKind(c.kind));
        EXPECT_EQ(f.Now(), c.after) << Name(c.before) << " " << c.kind;
        EXPECT_TRUE(f.Sent().empty()) << Name(c.before) << " " << c.kind;
    }
}

TEST(ClientRound, PresentsRiseAtOnceUnlessTheGameWaits) {
    struct Case {
        State state;
        int rows;
        int stackTop;  // afterwards; an empty well has 25
        bool lost;
    };
    for (const Case c : {Case{State::Running, 2, 23, false}, Case{State::Paused, 3, 22, false},
                         Case{State::Waiting, 2, 25, false}, Case{State::Running, -4, 25, false},
                         Case{State::Paused, INT_MAX, 25, true}}) {  // fills the well: lost, reset, waiting
        ClientFixture f;
        f.Enter(c.state);
        f.Receive(EncodePresent(c.rows));
        EXPECT_EQ(f.r().stackTop, c.stackTop) << Name(c.state) << " " << c.rows;
        EXPECT_EQ(f.Now(), c.lost ? State::Waiting : c.state);
        const auto sent = f.Sent();
        EXPECT_EQ(!sent.empty() && sent.back() == "filled", c.lost);
    }
}

TEST(ClientRound, FilledEndsTheRoundAndEnablesStartOnTheHostOnly) {
    struct Case {
        State state;
        bool host;
        int animationSteps;
    };
    for (const Case c : {Case{State::Running, true, 40}, Case{State::Paused, false, 40}, Case{State::Waiting, true, 0}}) {
        ClientFixture f(c.host);
        f.Enter(c.state);
        f.r().score = 700;
        f.r().well.at(0, 24) = 1;
        f.Receive(EncodeKind(MSG_FILLED));
        EXPECT_EQ(f.Now(), State::Waiting) << Name(c.state);
        EXPECT_EQ(f.clock.waits, c.animationSteps) << Name(c.state);
        EXPECT_EQ(f.r().score, c.state == State::Waiting ? 700 : 0);
        EXPECT_EQ(f.window.log, std::vector<std::string>{c.host ? "start on" : "start off"});
        EXPECT_EQ(f.client.RoundsEnded(), 1);
        EXPECT_TRUE(f.Sent().empty()) << "the server's end of round is not reported back";
    }
}

TEST(ClientMessages, TablesAndTextsReachTheWindowInUtf8) {
    ClientFixture f;
    Tables tables;
    tables.players = {{"Zo\xEB", "Caf\xE9", "-", 0, 0}, {"Ann", "Red", "12", 3, 40}};
    tables.teams = {{"Caf\xE9", "-/1", 0, 0}, {"Red", "1/1", 3, 40}};
    f.Receive(EncodeTables(tables) + EncodeText("&Starting in 3 seconds.\r\n") + EncodeText("Ann: \x80 5"));

    EXPECT_EQ(f.window.log, (std::vector<std::string>{"tables", "message Starting in 3 seconds.\r\n",
                                                      "text Starting in 3 seconds.\r\n", "text Ann: € 5"}));
    EXPECT_EQ(f.window.tables.players[0].name, "Zoë");
    EXPECT_EQ(f.window.tables.players[0].team, "Café");
    EXPECT_EQ(f.window.tables.teams[0].name, "Café");
    EXPECT_EQ(f.window.tables.players[1], tables.players[1]);
    EXPECT_EQ(f.client.LastTables(), tables);  // kept as wire bytes
}

TEST(ClientMessages, ARefusalBecomesTheDisconnectTextUntilTheNextConnect) {
    ClientFixture f;
    EXPECT_EQ(f.client.DisconnectText(), GameClient::kServerClosed);
    f.Receive(EncodeRefuse("Player with the same name already exists") + EncodeRefuse("Caf\xE9 refused"));
    EXPECT_EQ(f.client.DisconnectText(), "Café refused");
    f.client.End();
    f.client.Begin(f.connection, &f.window, false);
    EXPECT_EQ(f.client.DisconnectText(), GameClient::kServerClosed);
}

TEST(ClientOptions, TheHostsOptionsAreStoredAndHostileValuesKeptInRange) {
    const NetOptions host{30, 1, 2, 3, 4, 2, 5, 20, 0};
    struct Case {
        NetOptions received;
        NetOptions stored;
    };
    const Case cases[] = {
        {host, host},
        {{-1, 7, -5, -1, INT_MIN, 0, 11, 1000, 5}, {0, 4, 0, 0, 0, 1, 10, 25, 1}},
        {{INT_MAX, INT_MIN, 0, INT_MAX, 0, 11, -1, -3, -1}, {INT_MAX, 0, 0, 4, 0, 10, 0, 19, 1}},
    };
    for (const Case& c : cases) {
        ClientFixture f;  // a joiner with its own LEVEL, SEC_BEFORE_START and height
        f.settings.netLevel = 7;
        f.settings.secBeforeStart = 9;
        f.settings.height = 24;
        f.Receive(EncodeOptions(c.received));
        EXPECT_EQ(OptionsFromSettings(f.settings), c.stored) << c.received.height;

        // The host sends what it stored.
        f.client.SendOptions();
        const auto sent = Decode(f.connection.bytes);
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].options, c.stored);
    }
}

TEST(ClientHold, MessagesWaitForTheComputersKeysAndKeepTheirOrder) {
    ClientFixture f;
    f.window.record = &f.r();
    f.computer.busy = true;
    const std::string bytes = EncodeText("before") + EncodeStart(4, 7) + EncodeText("after") + EncodeKind(MSG_PAUSE);
    f.Receive(bytes.substr(0, 20));
    f.Receive(bytes.substr(20));
    EXPECT_TRUE(f.window.log.empty());
    EXPECT_EQ(f.Now(), State::Waiting);

    f.computer.busy = false;
    EXPECT_TRUE(f.client.ProcessPending());
    EXPECT_EQ(f.window.log, (std::vector<std::string>{"text before", "text after (running)"}));
    EXPECT_EQ(f.Now(), State::Paused);
}

TEST(ClientHold, ABrokenStreamIsReportedAfterTheMessagesBeforeIt) {
    ClientFixture f;
    const std::string tooLong("\x06\0\0\0\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 11);  // a text of 2^31 - 1 bytes
    EXPECT_FALSE(f.client.Received(EncodeText("ok") + tooLong));
    EXPECT_EQ(f.window.log, std::vector<std::string>{"text ok"});
    EXPECT_FALSE(f.client.ProcessPending());
}

TEST(ClientReports, CommandsAndReportsGoToTheServer) {
    using Act = std::function<void(ClientFixture&)>;
    struct Case {
        const char* what;
        int players;  // listed in the last tables
        Act act;
        std::vector<std::string> sent;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {"reports", 2,
         [](ClientFixture& f) {
             f.client.SendPause();
             f.client.SendResume();
             f.client.SendLanded(7, 1234, 2);
             f.client.SendFilled();
             f.client.RequestPause();
         },
         {"pause", "resume", "landed 7 1234 2", "filled", "pause"}, {}},
        {"chat", 2,
         [](ClientFixture& f) {
             f.client.SendText("");
             f.client.SendText("café €");
         },
         {"text caf\xE9 \x80"}, {}},
        {"start alone", 1, [](ClientFixture& f) { f.client.StartGame(); }, {}, {"alone"}},
        {"start with two", 2,
         [](ClientFixture& f) {
             f.settings.netLevel = 6;
             f.client.StartGame();
         },
         {"start 6"}, {"start off"}},
        {"landing with the stack pushed over the top", 2,
         [](ClientFixture& f) {
             f.Enter(State::Running);
             f.r().stackTop = -2;
             f.SetFigure(4, 3, 0);
             f.game.KeyDown(kDrop, 1);
         },
         {"landed 25 180 0"}, {}},
    };
    for (const Case& c : cases) {
        ClientFixture f(true);
        Tables t;
        t.players.resize(static_cast<std::size_t>(c.players));
        f.Receive(EncodeTables(t));
        f.window.log.clear();
        c.act(f);
        EXPECT_EQ(f.Sent(), c.sent) << c.what;
        EXPECT_EQ(f.window.log, c.shown) << c.what;
    }
}

TEST(ClientReports, NothingGoesOutOrIsActedOnAfterTheEnd) {
    ClientFixture f(true);
    f.client.Received(EncodeStart(3, 1).substr(0, 5));  // cut off by the close
    f.client.End();
    f.client.SendLanded(1, 2, 3);
    f.client.SendText("x");
    EXPECT_TRUE(f.client.Received(EncodeStart(3, 1).substr(5) + EncodeStart(3, 1)));
    EXPECT_TRUE(f.connection.bytes.empty());
    EXPECT_EQ(f.Now(), State::Waiting);
}

}  // namespace
}  // namespace vexari
