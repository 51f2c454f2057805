// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <queue>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "net/GameServer.h"
#include "net/OutputQueue.h"

// The server's sockets: the listener and every connection in one epoll set,
// so a turn of the event loop costs what the connections that are ready
// need, however many others sit idle. Sends never block: each connection
// queues its output, and a peer that stops reading is cut off once its
// unsent output passes its limit, so it never stalls the others.
//
// Flood control: the bytes the server queues while it handles a
// connection's input (its echoes, say, to every player) are charged to that
// connection. A connection whose budget is spent, or whose own output queue
// is long, is not read: its bytes wait in the system and TCP slows the sender
// down, while the readers' queues stay short. The tables, which many
// connections' events change together, go out at most every
// kTablesIntervalMs however many events ask for them.
//
// The end of each turn of the event loop is one step, BeforeSleep(), run
// once the turn's events are handled and before the loop waits for more:
// connections cut off are reported to the server, the server's tables go
// out (at most every kTablesIntervalMs), then the turn's output, each
// connection's in one system call.
//
// No toolkit here: the event loop around it (QtServerTransport) watches
// PollFd() for input, and calls BeforeSleep() and OnTimers() when asked to.
namespace vexari {

// The server's limits on its output and on what a connection's input may
// cause; the defaults are the server's own (tests set them small).
struct ServerSocketLimits {
    // The server's output queued for all its connections together: past it
    // the largest queues are cut off first, down to three quarters of it.
    std::int64_t totalUnsent = std::int64_t{256} << 20;
    // One connection's queue: past it the peer has stopped reading, and is cut off.
    std::int64_t unsent = kMaxUnsentBytes;
    // A connection is not read while its own output queue holds more than
    // this; reading resumes once the queue is down to half of it.
    std::int64_t readPauseQueue = std::int64_t{1} << 20;
    // What a connection's input may cause to be sent to all connections
    // together, in bytes per second, with a burst of one second's worth: a
    // client that asks for more is not read until its budget has refilled,
    // so TCP slows it down. Real clients cause a few kilobytes a second.
    double causedPerSecond = 8 << 20;
    // The most output handed to the system in one turn of the loop before it
    // reads again (a connection's output of a turn is never split).
    std::int64_t flushPerTurn = 256 << 10;
};
// The server's tables go out at most this often (they are sent whole to
// every connection, so with many players they are most of its output).
inline constexpr std::int64_t kTablesIntervalMs = 20;
// A connection the server closed gets this long to hand its last bytes (a
// refusal, say) to a peer that has stopped reading before it is cut off.
inline constexpr std::int64_t kLingerMs = 5000;

class ServerSockets : public ServerConnections {
public:
    static constexpr int kListenBacklog = 4096;

    explicit ServerSockets(const ServerSocketLimits& limits = {});
    ~ServerSockets() override;
    ServerSockets(const ServerSockets&) = delete;
    ServerSockets& operator=(const ServerSockets&) = delete;

    void SetServer(GameServer* server) { server_ = server; }
    // Listens on every IPv4 address at `port` (0: a free one), or on the
    // loopback address only, for a game nobody else may reach; false when
    // the socket cannot be created or bound.
    bool Listen(std::uint16_t port, bool loopbackOnly = false);
    void StopListening();
    // Takes a connected socket as a new connection; 0 when it cannot be watched.
    ConnectionId Adopt(int fd);
    bool Listening() const { return listener_ >= 0; }
    std::uint16_t Port() const { return port_; }

    // ServerConnections
    void Send(ConnectionId id, std::string_view bytes) override;
    void Close(ConnectionId id) override;
    void SendToMany(const std::vector<ConnectionId>& ids, std::string_view bytes) override;
    bool DeferTables() override;

    // For the event loop: PollFd() has input: handles what is ready.
    int PollFd() const { return epoll_; }
    void OnReady();
    // The step before the loop sleeps, once WantBeforeSleep() asked for it
    // (a call without work to do is harmless).
    void BeforeSleep();
    // The time WantWakeAt() named has come (steady clock, milliseconds).
    void OnTimers();
    // The steady clock, in milliseconds, by which the limits and timers go.
    virtual std::int64_t NowMs() const;

protected:
    // BeforeSleep() is due once the events of this turn of the loop are
    // handled, even where the loop does not sleep at all (it is busy).
    virtual void WantBeforeSleep() = 0;
    // OnTimers() is due at `ms` (steady clock); a later call may move it
    // earlier.
    virtual void WantWakeAt(std::int64_t ms) = 0;
    // A pending connection could not be accepted ("Error accepting socket").
    virtual void AcceptFailed() = 0;

private:
    enum class State {
        Open,       // the server knows it
        Cut,        // cut off here; its close report to the server is queued
        Lingering,  // closed by the server: its last output still goes out
    };
    struct Peer {
        int fd = -1;
        State state = State::Open;
        OutputQueue out;
        std::uint32_t events = 0;    // registered with epoll
        double budget = 0;           // bytes its input may still cause
        std::int64_t refilledMs = 0;
        bool overBudget = false;     // a timer reads it again once the budget allows
        bool waitsForQueue = false;  // read again once its own queue is down
        bool waitsForOut = false;    // the system takes no more for now
        bool listed = false;         // in withOutput_
    };
    enum class TimerKind { Resume, LingerEnd, Tables, Accept };
    struct Timer {
        std::int64_t at;
        TimerKind kind;
        ConnectionId id;
        bool operator>(const Timer& other) const { return at > other.at; }
    };

    // Closes a socket at once, with a reset: its unsent output is dropped.
    static void Abort(int fd);
    // A call that failed with `error` may succeed later.
    static bool TryAgain(int error);
    void Accept();
    void Readable(ConnectionId id, Peer& peer);
    void Discard(ConnectionId id, Peer& peer);
    bool MayRead(Peer& peer, ConnectionId id);
    void Write(ConnectionId id, Peer& peer, std::string_view bytes,
               const std::shared_ptr<const std::string>* shared);
    void SendQueued(ConnectionId id, Peer& peer);
    void ResumeIfDrained(Peer& peer);
    void Watch(ConnectionId id, Peer& peer);
    // Adds `fd` to the epoll set or changes what it waits for (`op`);
    // `id` comes back with its events (0: the listener).
    bool Register(int op, int fd, std::uint32_t events, ConnectionId id);
    void ScheduleBeforeSleep();
    void StartTimer(std::int64_t at, TimerKind kind, ConnectionId id);
    void Cut(ConnectionId id, Peer& peer);
    void CutLargestQueues();
    void Drop(ConnectionId id);
    void Destroy(ConnectionId id, bool reset);

    const ServerSocketLimits limits_;
    GameServer* server_ = nullptr;
    int epoll_ = -1;
    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::unordered_map<ConnectionId, Peer> peers_;
    ConnectionId nextId_ = 1;  // 0 is the listener
    std::int64_t totalUnsent_ = 0;  // queued for open connections
    std::int64_t caused_ = 0;  // bytes queued since the server began on a connection's input
    std::vector<char> readBuffer_;
    std::vector<ConnectionId> withOutput_;
    std::vector<ConnectionId> cuts_;
    std::priority_queue<Timer, std::vector<Timer>, std::greater<>> timers_;
    bool beforeSleepDue_ = false;  // WantBeforeSleep() was called, BeforeSleep() not yet
    bool tablesTimer_ = false;     // a timer asks again once kTablesIntervalMs has passed
    std::int64_t tablesSentMs_ = 0;
};

}  // namespace vexari
