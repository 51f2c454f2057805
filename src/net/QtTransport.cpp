#include "net/QtTransport.h"

#include <QHostAddress>
#include <QMetaObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtGlobal>

namespace vexari {
namespace {

// A connection the server closed gets this long to hand its last bytes (a
// refusal, say) to a peer that has stopped reading before it is cut off.
constexpr int kLingerMs = 5000;
// After a failed accept (out of descriptors, for instance) the listener
// rests this long, so a connection it cannot take does not spin the loop.
constexpr int kAcceptRetryMs = 200;
// The most a server connection buffers before the server reads it. Each read
// is handed to the server at once and its answers go out before the next
// read, so a client that floods the server (long chat lines, say) is slowed
// down by TCP itself instead of piling its echoes onto everyone's output.
constexpr qint64 kServerReadChunk = 64 * 1024;

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

// --- Server -------------------------------------------------------------------
//
// sockets_ maps every connection the server knows to its socket; an entry
// holding nullptr is a connection this side cut off whose close report to
// the server is still queued.

QtServerTransport::QtServerTransport(QObject* parent) : QObject(parent), listener_(new QTcpServer(this)) {
    connect(listener_, &QTcpServer::newConnection, this, &QtServerTransport::OnNewConnection);
    connect(listener_, &QTcpServer::acceptError, this, [this](QAbstractSocket::SocketError) {
        // The listener pauses itself after a hard accept error; try again a
        // little later, the server goes on meanwhile.
        emit acceptFailed();
        QTimer::singleShot(kAcceptRetryMs, listener_, [this] {
            if (listener_->isListening()) listener_->resumeAccepting();
        });
    });
}

QtServerTransport::~QtServerTransport() {
    for (auto& [id, socket] : sockets_) {
        if (!socket) continue;
        disconnect(socket, nullptr, this, nullptr);
        socket->abort();
        delete socket;
    }
    sockets_.clear();
    listener_->close();
}

bool QtServerTransport::Listen(std::uint16_t port) {
    StopListening();
#if QT_VERSION >= QT_VERSION_CHECK(6, 3, 0)
    listener_->setListenBacklogSize(5);
#endif
    listener_->setMaxPendingConnections(5);
    return listener_->listen(QHostAddress::AnyIPv4, port);
}

void QtServerTransport::StopListening() {
    if (listener_->isListening()) listener_->close();
}

bool QtServerTransport::Listening() const { return listener_->isListening(); }

std::uint16_t QtServerTransport::Port() const { return listener_->serverPort(); }

void QtServerTransport::OnNewConnection() {
    while (listener_->hasPendingConnections()) {
        QTcpSocket* socket = listener_->nextPendingConnection();
        if (!socket) {
            emit acceptFailed();
            return;
        }
        socket->setParent(this);
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        socket->setReadBufferSize(kServerReadChunk);
        const ConnectionId id = nextId_++;
        sockets_[id] = socket;

        connect(socket, &QIODevice::readyRead, this, [this, id] {
            // The server may close this or any connection while it reads, so
            // the socket is looked up again after each delivery.
            for (;;) {
                const auto it = sockets_.find(id);
                if (it == sockets_.end() || !it->second || it->second->bytesAvailable() <= 0) return;
                const QByteArray bytes = it->second->readAll();
                if (server_) server_->Received(id, View(bytes));
            }
        });
        connect(socket, &QAbstractSocket::disconnected, this, [this, id] { Drop(id); });
        connect(socket, &QAbstractSocket::errorOccurred, this, [this, id] { Drop(id); });

        if (server_) server_->Accepted(id);
    }
}

void QtServerTransport::Drop(ConnectionId id) {
    auto it = sockets_.find(id);
    if (it == sockets_.end() || !it->second) return;
    QTcpSocket* socket = it->second;
    // Whole messages that came before the close are still acted on.
    if (socket->bytesAvailable() > 0) {
        const QByteArray bytes = socket->readAll();
        if (server_) server_->Received(id, View(bytes));
        it = sockets_.find(id);
        if (it == sockets_.end() || it->second != socket) return;  // the server closed it meanwhile
    }
    sockets_.erase(it);
    AbortQuietly(socket, this);
    if (server_) server_->Closed(id);
}

void QtServerTransport::Send(ConnectionId id, std::string_view bytes) {
    const auto it = sockets_.find(id);
    if (it == sockets_.end() || !it->second || bytes.empty()) return;
    QTcpSocket* socket = it->second;
    if (!WouldOverflow(*socket, bytes)) {
        socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
        return;
    }
    // The peer has stopped reading. The server is in the middle of its own
    // work (it may be walking its tables), so it hears of the close later.
    it->second = nullptr;
    AbortQuietly(socket, this);
    QMetaObject::invokeMethod(
        this,
        [this, id] {
            const auto pending = sockets_.find(id);
            if (pending == sockets_.end() || pending->second) return;  // the server closed it meanwhile
            sockets_.erase(pending);
            if (server_) server_->Closed(id);
        },
        Qt::QueuedConnection);
}

void QtServerTransport::Close(ConnectionId id) {
    const auto it = sockets_.find(id);
    if (it == sockets_.end()) return;
    QTcpSocket* socket = it->second;
    sockets_.erase(it);
    if (socket) CloseQuietly(socket, this);
}

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
