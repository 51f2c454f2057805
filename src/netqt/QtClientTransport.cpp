// SPDX-License-Identifier: GPL-3.0-or-later
#include "netqt/QtClientTransport.h"

#include <QMetaObject>
#include <QTcpSocket>
#include <QTimer>

namespace vexari {
namespace {

// The server gets this long to take the last bytes of a connection the
// player leaves before it is cut off.
constexpr int kLingerMs = 5000;

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

bool WouldOverflow(const QTcpSocket& socket, std::string_view bytes) {
    return socket.bytesToWrite() + static_cast<std::int64_t>(bytes.size()) > kMaxUnsentBytes;
}

// Closes a socket nobody listens to any more: queued output still goes out,
// then the socket goes away (at the latest after kLingerMs).
void CloseQuietly(QTcpSocket* socket, QObject* owner) {
    QObject::disconnect(socket, nullptr, owner, nullptr);
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState) {
        socket->deleteLater();
        return;
    }
    QObject::connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QAbstractSocket::errorOccurred, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    QTimer::singleShot(kLingerMs, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
}

// Cuts a socket off at once, dropping its queued output.
void AbortQuietly(QTcpSocket* socket, QObject* owner) {
    QObject::disconnect(socket, nullptr, owner, nullptr);
    socket->abort();
    socket->deleteLater();
}

}  // namespace

// --- Client -------------------------------------------------------------------
//
// open_ without a socket means the connection was cut off here and closed()
// is still to be emitted; Close() or a new Connect() cancels that.

QtClientTransport::QtClientTransport(QObject* parent) : QObject(parent) {}

QtClientTransport::~QtClientTransport() {
    if (socket_) {
        disconnect(socket_, nullptr, this, nullptr);
        socket_->abort();
        delete socket_;
        socket_ = nullptr;
    }
}

void QtClientTransport::Connect(const QString& host, std::uint16_t port) {
    Close();
    QTcpSocket* socket = new QTcpSocket(this);
    socket_ = socket;

    connect(socket, &QAbstractSocket::connected, this, [this, socket] {
        if (socket_ != socket) return;
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        open_ = true;
        emit connected();
    });
    connect(socket, &QIODevice::readyRead, this, [this, socket] {
        // onBytes may close the connection (a broken stream), so check again
        // after each delivery.
        while (socket_ == socket && open_ && socket->bytesAvailable() > 0) {
            const QByteArray bytes = socket->readAll();
            if (onBytes) onBytes(View(bytes));
        }
    });
    auto ended = [this, socket] {
        if (socket_ != socket) return;
        if (!open_) {
            socket_ = nullptr;
            AbortQuietly(socket, this);
            emit connectFailed();
            return;
        }
        // Whole messages that came before the close are still acted on.
        while (socket_ == socket && open_ && socket->bytesAvailable() > 0) {
            const QByteArray bytes = socket->readAll();
            if (onBytes) onBytes(View(bytes));
        }
        if (socket_ != socket || !open_) return;  // closed by onBytes
        socket_ = nullptr;
        open_ = false;
        AbortQuietly(socket, this);
        emit closed();
    };
    connect(socket, &QAbstractSocket::disconnected, this, ended);
    connect(socket, &QAbstractSocket::errorOccurred, this, ended);

    // A host that never answers would leave the player waiting for minutes
    // of the system's own retries.
    QTimer::singleShot(kConnectTimeoutMs, socket, [this, socket] {
        if (socket_ != socket || open_) return;
        socket_ = nullptr;
        AbortQuietly(socket, this);
        emit connectFailed();
    });
    socket->connectToHost(host, port);
}

void QtClientTransport::Close() {
    open_ = false;
    if (!socket_) return;
    QTcpSocket* socket = socket_;
    socket_ = nullptr;
    if (socket->state() == QAbstractSocket::ConnectedState)
        CloseQuietly(socket, this);
    else
        AbortQuietly(socket, this);
}

bool QtClientTransport::IsOpen() const { return socket_ && open_; }

void QtClientTransport::Send(std::string_view bytes) {
    if (!IsOpen() || bytes.empty()) return;
    if (!WouldOverflow(*socket_, bytes)) {
        socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
        return;
    }
    // The server has stopped reading: give up on it, and say so once the
    // caller's own work is done.
    QTcpSocket* socket = socket_;
    socket_ = nullptr;  // open_ stays set: closed() is due
    AbortQuietly(socket, this);
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (socket_ || !open_) return;  // closed or reconnected meanwhile
            open_ = false;
            emit closed();
        },
        Qt::QueuedConnection);
}

}  // namespace vexari
