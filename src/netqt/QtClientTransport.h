// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <string_view>

#include "net/GameClient.h"

class QTcpSocket;

namespace vexari {

// How long a client waits for the server to answer its connection.
inline constexpr int kConnectTimeoutMs = 15000;

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
