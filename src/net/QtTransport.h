#pragma once
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <string_view>
#include <unordered_map>

#include "net/GameClient.h"
#include "net/GameServer.h"

class QTcpServer;
class QTcpSocket;

// The sockets of the network game, on the game's own thread. Sends never
// block: each connection queues its output, and a peer that stops reading
// is closed once its unsent output passes kMaxUnsentBytes, so it never stalls
// the others.
namespace vexari {

inline constexpr std::int64_t kMaxUnsentBytes = std::int64_t{4} << 20;
// How long a client waits for the server to answer its connection.
inline constexpr int kConnectTimeoutMs = 15000;

// Listens on all IPv4 addresses and feeds a GameServer.
class QtServerTransport : public QObject, public ServerConnections {
    Q_OBJECT
public:
    explicit QtServerTransport(QObject* parent = nullptr);
    ~QtServerTransport() override;

    void SetServer(GameServer* server) { server_ = server; }
    // Listens on `port` (0: a free one) with a backlog of 5; false when the
    // socket cannot be created or bound.
    bool Listen(std::uint16_t port);
    void StopListening();
    bool Listening() const;
    std::uint16_t Port() const;

    // ServerConnections
    void Send(ConnectionId id, std::string_view bytes) override;
    void Close(ConnectionId id) override;

signals:
    // A pending connection could not be accepted ("Error accepting socket").
    void acceptFailed();

private:
    void OnNewConnection();
    void Drop(ConnectionId id);  // a connection ended: tell the server

    GameServer* server_ = nullptr;
    QTcpServer* listener_ = nullptr;
    std::unordered_map<ConnectionId, QTcpSocket*> sockets_;
    ConnectionId nextId_ = 1;
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
