// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>
#include <QByteArray>
#include <cstdint>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "net/GameClient.h"
#include "net/GameServer.h"

class QTcpServer;
class QTcpSocket;
class QTimer;

// The sockets of the network game, on the game's own thread. Sends never
// block: each connection queues its output, and a peer that stops reading
// is closed once its unsent output passes kMaxUnsentBytes, so it never stalls
// the others.
namespace vexari {

inline constexpr std::int64_t kMaxUnsentBytes = std::int64_t{4} << 20;
// The server's output queued for all its connections together: past it the
// largest queues are cut off first, down to three quarters of it.
inline constexpr std::int64_t kMaxTotalUnsentBytes = std::int64_t{256} << 20;
// A server connection is not read while its own output queue holds more
// than this; reading resumes once the queue is down to half of it.
inline constexpr std::int64_t kReadPauseQueueBytes = std::int64_t{1} << 20;
// What a server connection's input may cause to be sent to all connections
// together, in bytes per second, with a burst of one second's worth: a
// client that asks for more is not read until its budget has refilled, so
// TCP slows it down. Real clients cause a few kilobytes a second.
inline constexpr double kCausedBytesPerSecond = 8 << 20;
// The server's tables go out at most this often (they are sent whole to
// every connection, so with many players they are most of its output).
inline constexpr std::int64_t kTablesIntervalMs = 20;
// The most output a server hands to the system in one turn of the loop
// before it reads again (a connection's output of a turn is never split).
inline constexpr std::int64_t kFlushBytesPerTurn = 256 << 10;
// How long a client waits for the server to answer its connection.
inline constexpr int kConnectTimeoutMs = 15000;

// Listens on all IPv4 addresses and feeds a GameServer.
class QtServerTransport : public QObject, public ServerConnections {
    Q_OBJECT
public:
    explicit QtServerTransport(QObject* parent = nullptr);
    ~QtServerTransport() override;

    void SetServer(GameServer* server) { server_ = server; }
    // Listens on `port` (0: a free one) with a backlog of kListenBacklog;
    // false when the socket cannot be created or bound.
    static constexpr int kListenBacklog = 4096;
    bool Listen(std::uint16_t port);
    void StopListening();
    bool Listening() const;
    std::uint16_t Port() const;

    // ServerConnections
    void Send(ConnectionId id, std::string_view bytes) override;
    void Close(ConnectionId id) override;
    void SendToMany(const std::vector<ConnectionId>& ids, std::string_view bytes) override;
    bool RequestEndOfTurn() override;

signals:
    // A pending connection could not be accepted ("Error accepting socket").
    void acceptFailed();

private:
    // One connection. A null socket is a connection this side cut off whose
    // close report to the server is still queued.
    struct Peer {
        QTcpSocket* socket = nullptr;
        std::vector<QByteArray> pending;  // this turn's output, sent at its end
        std::int64_t queued = 0;     // pending, or queued in the socket and not yet handed to the system
        double budget = kCausedBytesPerSecond;  // bytes its input may still cause
        std::int64_t refilledMs = 0;
        bool resumeTimer = false;    // a timer reads it again once the budget allows
        bool waitsForQueue = false;  // read again once its own queue is down
    };

    void OnNewConnection();
    void ReadFrom(ConnectionId id);
    bool MayRead(ConnectionId id, Peer& peer);
    void Charge(ConnectionId id, std::int64_t bytes);
    void Write(ConnectionId id, Peer& peer, const QByteArray& bytes);
    void Written(ConnectionId id, qint64 bytes);
    void ResumeIfDrained(ConnectionId id, Peer& peer);
    void ScheduleTurnEnd();
    void TurnEnd();
    std::int64_t FlushPending(Peer& peer);
    void Cut(ConnectionId id);    // a peer that does not read: drop it, report later
    void CutLargestQueues();
    void Forget(Peer& peer);      // its queued bytes no longer count
    void Drop(ConnectionId id);  // a connection ended: tell the server

    GameServer* server_ = nullptr;
    QTcpServer* listener_ = nullptr;
    std::unordered_map<ConnectionId, Peer> sockets_;
    ConnectionId nextId_ = 1;
    std::int64_t totalUnsent_ = 0;
    std::int64_t caused_ = 0;  // bytes queued since the server began on a connection's input
    QTimer* turnTimer_ = nullptr;
    bool turnScheduled_ = false;  // TurnEnd() is due
    bool turnRequested_ = false;  // the server asked for EndOfTurn()
    bool tablesTimer_ = false;    // a timer asks again once kTablesIntervalMs has passed
    std::int64_t tablesSentMs_ = 0;
    std::vector<ConnectionId> withPending_;
};

// One client's connection to the server.
class QtClientTransport : public QObject, public ClientConnection {
    Q_OBJECT
public:
    explicit QtClientTransport(QObject* parent = nullptr);
    ~QtClientTransport() override;

    // Resolves `host` (a dotted address or a name) and connects; one of
    // connected() or connectFailed() follows.
    void Connect(const QString& host, std::uint16_t port);
    // Closes without reporting closed().
    void Close();
    bool IsOpen() const;

    // Bytes as they arrive, in order.
    std::function<void(std::string_view)> onBytes;

    // ClientConnection
    void Send(std::string_view bytes) override;

signals:
    void connected();
    void connectFailed();  // refused, unreachable or not resolved
    void closed();         // the server closed a connection that was open

private:
    QTcpSocket* socket_ = nullptr;
    bool open_ = false;
};

}  // namespace vexari
