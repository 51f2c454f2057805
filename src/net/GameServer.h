// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "net/Wire.h"
#include "net/WireExtension.h"

namespace vexari {

using ConnectionId = std::uint64_t;

// The server's sockets, as the game server sees them.
class ServerConnections {
public:
    virtual ~ServerConnections() = default;
    // Queues bytes for one connection; never blocks.
    virtual void Send(ConnectionId id, std::string_view bytes) = 0;
    // Closes a connection. The transport does not report it back as closed:
    // the server has already forgotten it.
    virtual void Close(ConnectionId id) = 0;
    // Queues the same bytes for every connection in `ids`, in that order; a
    // transport may share one copy among them.
    virtual void SendToMany(const std::vector<ConnectionId>& ids, std::string_view bytes) {
        for (const ConnectionId id : ids) Send(id, bytes);
    }
    // The tables changed. True: the transport sends them in its step before
    // its event loop sleeps, at its own pace (it calls GameServer::SendTables()
    // when TablesDue()). False (the default): the server sends them at the
    // end of each call from outside.
    virtual bool DeferTables() { return false; }
};

// What the server tells the program around it.
class ServerObserver {
public:
    virtual ~ServerObserver() = default;
    // A text that went to every connection (wire bytes).
    virtual void TextToAll(std::string_view text) { (void)text; }
    // A player's join was accepted.
    virtual void PlayerJoined() {}
    // A round started or ended.
    virtual void RoundStarted() {}
    virtual void RoundEnded() {}
};

struct NetTeam;

// A connection's part in the extension (WireExtension.h).
struct WellsPeer {
    bool announced = false;  // sent MSG_EXT_HELLO: it reads extension messages
    bool refused = false;    // sent a well no game could have: no wells either way
    bool watchAll = false;   // wants every player's well
    std::vector<std::int32_t> watched;  // else the numbers of the players whose wells it wants
};

// One connection in the player table.
struct NetPlayer {
    ConnectionId id = 0;
    std::int64_t acceptedAt = 0;  // seconds, by the server's clock
    ClientMessageStream input;
    std::string name;      // empty until MSG_JOIN
    std::string teamName;  // from MSG_JOIN
    NetTeam* team = nullptr;
    bool alive = false;
    bool inRound = false;  // there when the running (or last) round started
    std::int32_t height = -1;
    std::int32_t roundScore = 0;
    std::int32_t total = 0;
    std::array<std::int32_t, 4> roundLines{};  // landings that removed 1, 2, 3 and 4 rows
    std::array<std::int32_t, 4> totalLines{};
    // The extension: the player's number in the roster, what it receives, its
    // last well and who wants that well (beside those that want every well).
    std::int32_t number = 0;
    WellsPeer wells;
    std::optional<WellRows> well;
    std::vector<ConnectionId> watchers;
};

// A connection that announced the extension before anything else: a
// spectator once its MSG_EXT_WATCH arrives. It never enters the player table.
struct NetSpectator {
    ConnectionId id = 0;
    std::int64_t acceptedAt = 0;
    ClientMessageStream input;
    std::string name;  // empty until MSG_EXT_WATCH
    bool watching = false;
    WellsPeer wells;
};

struct NetTeam {
    std::string name;
    std::vector<NetPlayer*> members;  // in the order of joining
    bool alive = false;
    std::int32_t playersLeft = -1;
    std::int32_t roundScore = 0;
    std::int32_t total = 0;
};

// The hosting side of a network game: players and teams, options, countdown,
// rounds, presents and scores. It reads and writes bytes through
// ServerConnections and is told of accepted, readable and closed connections
// and of the once-a-second tick; it knows nothing of sockets.
class GameServer {
public:
    // Refuse further connections beyond this many (each holds buffers).
    static constexpr std::size_t kMaxConnections = 2000;
    // A connection whose join has not been accepted this many whole seconds
    // after it was accepted is closed at a tick (so after 10 to 12 s).
    static constexpr std::int64_t kJoinTimeoutSeconds = 11;
    // Spectators taken unless the host says otherwise.
    static constexpr std::size_t kDefaultMaxSpectators = 200;
    // The once-a-second tables (without trace messages) go out in parts,
    // one a turn that asks for it: each part about this many bytes in all,
    // and a second's tables in at most kTablesRoundParts parts.
    static constexpr std::size_t kTablesPartBytes = 256 << 10;
    static constexpr std::size_t kTablesRoundParts = 25;

    GameServer(ServerConnections& connections, const VersionQuad& version,
               std::function<std::int64_t()> nowSeconds);
    ~GameServer();
    GameServer(const GameServer&) = delete;
    GameServer& operator=(const GameServer&) = delete;

    void SetObserver(ServerObserver* observer) { observer_ = observer; }

    // Connection events from the transport. A close reported while the server
    // is sending (a transport dropping a stalled peer) is handled once the
    // event in progress is done. Observer calls come last, when the tables are
    // consistent, so the observer may call back into the server.
    void Accepted(ConnectionId id);
    void Received(ConnectionId id, std::string_view bytes);
    void Closed(ConnectionId id);

    // About once a second: the countdown, the tables without trace messages,
    // and the close of connections that have not joined in time.
    void ServerTick();
    // Tables wait to go out: something changed them since they were last
    // sent, or parts of the last ones wait for a later turn.
    bool TablesDue() const { return tablesDue_ || !tablesRound_.empty(); }
    // For a transport that defers the tables: they go to every connection
    // once, built and encoded once, however many events changed them.
    void SendTables();
    // Handles every connection as closed (closing it), and forgets the options.
    void CloseServer();

    // Options that count as received from the host (the headless server);
    // stored only, sent to players as they join.
    void SetOptions(const NetOptions& options);
    // Starts the countdown as a start request does.
    void StartCountdown();
    // How many spectators watch at most; a further one is refused.
    void SetMaxSpectators(std::size_t count) { maxSpectators_ = count; }

    bool RoundRunning() const { return roundRunning_; }
    int Countdown() const { return countdown_; }
    bool OptionsReceived() const { return optionsReceived_; }
    const NetOptions& Options() const { return options_; }
    // Players whose join was accepted.
    std::size_t JoinedCount() const;
    std::size_t ConnectionCount() const { return players_.size(); }
    std::size_t SpectatorCount() const;
    const std::map<ConnectionId, std::unique_ptr<NetSpectator>>& Spectators() const { return spectators_; }
    const std::vector<std::unique_ptr<NetPlayer>>& Players() const { return players_; }
    const std::map<std::string, std::unique_ptr<NetTeam>>& Teams() const { return teams_; }
    std::uint32_t& Random() { return random_; }
    // The tables as they would be sent now.
    Tables BuildTables() const;
    // The roster as extension peers get it now.
    Roster BuildRoster() const;

private:
    // A connection accepted during a round: it is read up to the start of its
    // join, then refused and closed; it never enters the player table.
    struct Refusing {
        std::string bytes;
        std::size_t needed = 0;  // fewer buffered bytes cannot hold the join start
        std::int64_t acceptedAt = 0;
    };
    // What the observer is told once the server's tables are consistent again.
    struct Notice {
        enum class Kind { Text, PlayerJoined, RoundStarted, RoundEnded } kind;
        std::string text;
    };
    // Marks a call from outside. When the outermost one returns, closes that
    // came in meanwhile are handled and the observer is told what happened.
    class Busy {
    public:
        explicit Busy(GameServer& server) : server_(server) { ++server_.depth_; }
        ~Busy() {
            if (--server_.depth_ == 0) server_.Settle();
        }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        GameServer& server_;
    };

    NetPlayer* Find(ConnectionId id);
    void ReceiveRefusing(ConnectionId id, Refusing& refusing, std::string_view bytes);
    void Handle(NetPlayer& player, const ClientMessage& message);
    void Join(NetPlayer& player, const ClientMessage& message);
    void Refuse(ConnectionId id, std::string_view text);
    void Landed(NetPlayer& player, const ClientMessage& message);
    void PlayerOut(NetPlayer& player);
    void TeamMemberOut(NetTeam& team);
    void Forget(ConnectionId id);
    void Tick();
    void BeginCountdown();
    void StartRound();
    void EndRound();
    void Dispatch(std::int32_t rows, const NetTeam* sender);
    void TeamReceives(NetTeam& team, std::int32_t rows);
    void PlayerReceives(NetPlayer& player, std::int32_t rows);
    std::uint32_t Draw();
    void SendAll(std::string_view bytes);
    void SendTextAll(const std::string& text);
    void SendTablesAll();
    void BeginTablesRound();
    void FlushTables();
    void CloseLateJoiners();
    void Settle();
    // The extension (GameServerWells.cpp).
    bool Announced(ConnectionId id);  // a connection whose first message is the announcement
    void ReceiveSpectator(NetSpectator& spectator, std::string_view bytes);
    void HandleSpectator(NetSpectator& spectator, const ClientMessage& message);
    void HandleExtension(NetPlayer& player, const ClientMessage& message);
    void Welcome(ConnectionId id, WellsPeer& peer);
    void Subscribe(ConnectionId id, WellsPeer& peer, const Subscription& subscription);
    void Unsubscribe(ConnectionId id, WellsPeer& peer);
    void Report(NetPlayer& player, const ClientMessage& message);
    void RefuseWells(ConnectionId id, WellsPeer& peer);
    void ForgetSpectator(ConnectionId id);
    NetPlayer* FindNumber(std::int32_t number);
    void TextRecipients();
    void SendRosterDue();

    ServerConnections& connections_;
    ServerObserver* observer_ = nullptr;
    VersionQuad version_;
    std::function<std::int64_t()> now_;
    std::vector<std::unique_ptr<NetPlayer>> players_;
    std::unordered_map<ConnectionId, NetPlayer*> byId_;
    std::unordered_map<std::int32_t, NetPlayer*> byNumber_;
    std::vector<ConnectionId> recipients_;  // every connection, in table order, for a broadcast
    std::vector<NetTeam*> eligibleTeams_;    // a present's candidates, kept for their memory
    std::vector<NetPlayer*> aliveMembers_;
    std::map<ConnectionId, std::unique_ptr<NetSpectator>> spectators_;
    std::vector<ConnectionId> allWatchers_;  // connections that want every well
    std::size_t maxSpectators_ = kDefaultMaxSpectators;
    std::int32_t nextNumber_ = 1;
    bool rosterDue_ = false;  // the roster changed since it was last sent
    std::map<std::string, std::unique_ptr<NetTeam>> teams_;
    int playersInRound_ = 0;
    int teamsInRound_ = 0;
    int countdown_ = -1;
    std::uint32_t random_ = 1;
    bool roundRunning_ = false;
    bool optionsReceived_ = false;
    NetOptions options_;
    std::map<ConnectionId, Refusing> refusing_;
    std::vector<ConnectionId> closesLater_;  // closes reported while the server was busy
    std::deque<Notice> notices_;
    int depth_ = 0;
    bool settling_ = false;
    bool tablesDue_ = false;    // something changed the tables since they were last sent
    std::vector<ConnectionId> tablesRound_;  // this second's tables still go to these, from tablesRoundNext_ on
    std::size_t tablesRoundNext_ = 0;
};

// The options report sent after every MSG_OPTIONS.
std::string OptionsReport(const NetOptions& options);

}  // namespace vexari
