// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/QtTransport.h"

#include <QAbstractEventDispatcher>
#include <QHostAddress>
#include <QMetaObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtGlobal>

#include <sys/socket.h>
#include <sys/uio.h>

#include <cerrno>

#include <algorithm>
#include <chrono>
#include <functional>

namespace vexari {
namespace {

// A connection the server closed gets this long to hand its last bytes (a
// refusal, say) to a peer that has stopped reading before it is cut off.
constexpr int kLingerMs = 5000;
// After a failed accept (out of descriptors, for instance) the listener
// rests this long, so a connection it cannot take does not spin the loop.
constexpr int kAcceptRetryMs = 200;
// The most a server connection buffers before the server reads it; what
// does not fit waits in the system, so a connection that is not read (see
// the flood control below) is slowed down by TCP itself.
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
// sockets_ maps every connection the server knows to its peer; a peer whose
// socket is null is a connection this side cut off whose close report to the
// server is still queued.
//
// Flood control: the bytes the server queues while it handles a
// connection's input (its echoes, say, to every player) are charged to that
// connection. A connection whose budget is spent, or whose own output queue
// is long, is not read: its bytes wait in the socket and TCP slows the sender
// down, while the readers' queues stay short. The tables, which many
// connections' events change together, go out at most every
// kTablesIntervalMs however many events ask for them.

namespace {

std::int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

QtServerTransport::QtServerTransport(QObject* parent)
    : QObject(parent), listener_(new QTcpServer(this)), turnTimer_(new QTimer(this)) {
    turnTimer_->setSingleShot(true);
    turnTimer_->setInterval(0);
    connect(turnTimer_, &QTimer::timeout, this, [this] {
        if (turnScheduled_) TurnEnd();
    });
    if (QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance(thread())) {
        connect(loop, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            if (turnScheduled_) TurnEnd();
        });
    }
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
    for (auto& [id, peer] : sockets_) {
        if (!peer.socket) continue;
        disconnect(peer.socket, nullptr, this, nullptr);
        peer.socket->abort();
        delete peer.socket;
    }
    sockets_.clear();
    listener_->close();
}

bool QtServerTransport::Listen(std::uint16_t port) {
    StopListening();
    // A burst of connections waits in the system's queue instead of in SYN
    // retries; the listener hands over all it has accepted at once.
#if QT_VERSION >= QT_VERSION_CHECK(6, 3, 0)
    listener_->setListenBacklogSize(kListenBacklog);
#endif
    listener_->setMaxPendingConnections(kListenBacklog);
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
        Peer& peer = sockets_[id];
        peer.socket = socket;
        peer.refilledMs = NowMs();

        connect(socket, &QIODevice::readyRead, this, [this, id] { ReadFrom(id); });
        connect(socket, &QIODevice::bytesWritten, this, [this, id](qint64 bytes) { Written(id, bytes); });
        connect(socket, &QAbstractSocket::disconnected, this, [this, id] { Drop(id); });
        connect(socket, &QAbstractSocket::errorOccurred, this, [this, id] { Drop(id); });

        if (server_) server_->Accepted(id);
    }
}

void QtServerTransport::ReadFrom(ConnectionId id) {
    // The server may close this or any connection while it reads, so the
    // socket is looked up again after each delivery.
    for (;;) {
        const auto it = sockets_.find(id);
        if (it == sockets_.end() || !it->second.socket || it->second.socket->bytesAvailable() <= 0) return;
        if (!MayRead(id, it->second)) return;
        const QByteArray bytes = it->second.socket->readAll();
        if (!server_) continue;
        caused_ = 0;
        server_->Received(id, View(bytes));
        Charge(id, caused_);
    }
}

bool QtServerTransport::MayRead(ConnectionId id, Peer& peer) {
    if (peer.queued > kReadPauseQueueBytes) {
        peer.waitsForQueue = true;  // ResumeIfDrained() reads again
        return false;
    }
    const std::int64_t now = NowMs();
    peer.budget = std::min(kCausedBytesPerSecond,
                           peer.budget + static_cast<double>(now - peer.refilledMs) * kCausedBytesPerSecond / 1000);
    peer.refilledMs = now;
    if (peer.budget >= 0) return true;
    if (!peer.resumeTimer) {
        peer.resumeTimer = true;
        const int waitMs = static_cast<int>(std::min(-peer.budget * 1000 / kCausedBytesPerSecond + 1, 60e3));
        QTimer::singleShot(waitMs, peer.socket, [this, id] {
            const auto it = sockets_.find(id);
            if (it == sockets_.end()) return;
            it->second.resumeTimer = false;
            ReadFrom(id);
        });
    }
    return false;
}

void QtServerTransport::Charge(ConnectionId id, std::int64_t bytes) {
    const auto it = sockets_.find(id);
    if (it != sockets_.end()) it->second.budget -= static_cast<double>(bytes);
}

void QtServerTransport::Written(ConnectionId id, qint64 bytes) {
    const auto it = sockets_.find(id);
    if (it == sockets_.end() || !it->second.socket) return;
    Peer& peer = it->second;
    const std::int64_t counted = std::min<std::int64_t>(bytes, peer.queued);
    peer.queued -= counted;
    totalUnsent_ -= counted;
    ResumeIfDrained(id, peer);
}

void QtServerTransport::ResumeIfDrained(ConnectionId id, Peer& peer) {
    if (!peer.waitsForQueue || peer.queued > kReadPauseQueueBytes / 2) return;
    peer.waitsForQueue = false;
    // Not from inside a write of the server's: later, on the loop.
    QMetaObject::invokeMethod(this, [this, id] { ReadFrom(id); }, Qt::QueuedConnection);
}

void QtServerTransport::Write(ConnectionId id, Peer& peer, const QByteArray& bytes) {
    const std::int64_t size = bytes.size();
    if (size == 0) return;
    if (peer.queued + size > kMaxUnsentBytes) {
        Cut(id);  // the peer has stopped reading
        return;
    }
    caused_ += size;
    peer.queued += size;
    totalUnsent_ += size;
    // Small pieces are joined; a large broadcast is kept by reference, so
    // all its recipients share one copy.
    constexpr qsizetype kSmall = 4096;
    if (peer.pending.empty()) withPending_.push_back(id);
    if (!peer.pending.empty() && peer.pending.back().size() < kSmall && size < kSmall)
        peer.pending.back().append(bytes);
    else
        peer.pending.push_back(bytes);
    ScheduleTurnEnd();
    if (totalUnsent_ > kMaxTotalUnsentBytes) CutLargestQueues();
}

void QtServerTransport::Send(ConnectionId id, std::string_view bytes) {
    const auto it = sockets_.find(id);
    if (it == sockets_.end() || !it->second.socket || bytes.empty()) return;
    Write(id, it->second, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

void QtServerTransport::SendToMany(const std::vector<ConnectionId>& ids, std::string_view bytes) {
    if (bytes.empty()) return;
    const QByteArray shared(bytes.data(), static_cast<qsizetype>(bytes.size()));
    for (const ConnectionId id : ids) {
        const auto it = sockets_.find(id);
        if (it != sockets_.end() && it->second.socket) Write(id, it->second, shared);
    }
}

bool QtServerTransport::RequestEndOfTurn() {
    turnRequested_ = true;
    ScheduleTurnEnd();
    return true;
}

// The turn ends when the event loop is about to wait for more events, so
// the output costs no round of the loop (and no poll of every socket) of its
// own. A zero timer stands in where the loop never waits (processEvents calls
// without WaitForMoreEvents) and for the rest of a large broadcast.
void QtServerTransport::ScheduleTurnEnd() {
    if (turnScheduled_) return;
    turnScheduled_ = true;
    turnTimer_->start();
}

// After the events of one turn of the loop: the server's tables (at most
// every kTablesIntervalMs), then each connection's output of the turn in one
// system call.
void QtServerTransport::TurnEnd() {
    turnScheduled_ = false;
    turnTimer_->stop();
    if (turnRequested_) {
        const std::int64_t now = NowMs();
        const std::int64_t wait = tablesSentMs_ + kTablesIntervalMs - now;
        if (wait <= 0) {
            turnRequested_ = false;
            tablesSentMs_ = now;
            if (server_) server_->EndOfTurn();
        } else if (!tablesTimer_) {
            tablesTimer_ = true;
            QTimer::singleShot(static_cast<int>(wait), this, [this] {
                tablesTimer_ = false;
                ScheduleTurnEnd();
            });
        }
    }
    // A large broadcast (the tables to hundreds of players) is handed over
    // in slices of kFlushBytesPerTurn, so the loop reads between them.
    std::vector<ConnectionId> ids;
    ids.swap(withPending_);
    std::int64_t flushed = 0;
    std::size_t k = 0;
    for (; k < ids.size() && flushed < kFlushBytesPerTurn; ++k) {
        const auto it = sockets_.find(ids[k]);
        if (it == sockets_.end() || !it->second.socket) continue;
        flushed += FlushPending(it->second);
        ResumeIfDrained(ids[k], it->second);
    }
    if (k < ids.size()) {
        withPending_.assign(ids.begin() + static_cast<std::ptrdiff_t>(k), ids.end());
        ScheduleTurnEnd();
    }
}

// Hands the turn's output to the system, as much as it takes at once when
// nothing waits in the socket before it; the rest waits in the socket.
// Returns the bytes handed over either way.
std::int64_t QtServerTransport::FlushPending(Peer& peer) {
    std::int64_t bytes = 0;
    for (const QByteArray& piece : peer.pending) bytes += piece.size();
    std::size_t first = 0;
    qsizetype offset = 0;  // into pending[first]
    if (peer.socket->bytesToWrite() == 0) {
        const int fd = static_cast<int>(peer.socket->socketDescriptor());
        while (first < peer.pending.size()) {
            iovec parts[64];
            int count = 0;
            std::int64_t total = 0;
            for (std::size_t k = first; k < peer.pending.size() && count < 64; ++k, ++count) {
                const qsizetype skip = k == first ? offset : 0;
                parts[count].iov_base = const_cast<char*>(peer.pending[k].constData() + skip);
                parts[count].iov_len = static_cast<std::size_t>(peer.pending[k].size() - skip);
                total += static_cast<std::int64_t>(parts[count].iov_len);
            }
            msghdr message{};
            message.msg_iov = parts;
            message.msg_iovlen = static_cast<std::size_t>(count);
            const ssize_t sent = ::sendmsg(fd, &message, MSG_DONTWAIT | MSG_NOSIGNAL);
            if (sent < 0 && errno == EINTR) continue;
            if (sent <= 0) break;  // full, or broken: the socket finds out
            peer.queued -= sent;
            totalUnsent_ -= sent;
            for (std::int64_t left = sent; left > 0;) {
                const qsizetype rest = peer.pending[first].size() - offset;
                if (left < rest) {
                    offset += static_cast<qsizetype>(left);
                    break;
                }
                left -= rest;
                ++first;
                offset = 0;
            }
            if (sent < total) break;
        }
    }
    for (std::size_t k = first; k < peer.pending.size(); ++k)
        peer.socket->write(k == first && offset > 0 ? peer.pending[k].sliced(offset) : peer.pending[k]);
    peer.pending.clear();
    return bytes;
}

void QtServerTransport::Forget(Peer& peer) {
    totalUnsent_ -= peer.queued;
    peer.queued = 0;
    peer.pending.clear();
}

void QtServerTransport::Cut(ConnectionId id) {
    const auto it = sockets_.find(id);
    if (it == sockets_.end() || !it->second.socket) return;
    QTcpSocket* socket = it->second.socket;
    Forget(it->second);
    it->second.socket = nullptr;
    AbortQuietly(socket, this);
    // The server is in the middle of its own work (it may be walking its
    // tables), so it hears of the close later.
    QMetaObject::invokeMethod(
        this,
        [this, id] {
            const auto pending = sockets_.find(id);
            if (pending == sockets_.end() || pending->second.socket) return;  // the server closed it meanwhile
            sockets_.erase(pending);
            if (server_) server_->Closed(id);
        },
        Qt::QueuedConnection);
}

// All queues together have passed their cap: the longest go first, since a
// peer that reads keeps its queue short.
void QtServerTransport::CutLargestQueues() {
    std::vector<std::pair<std::int64_t, ConnectionId>> queues;
    for (const auto& [id, peer] : sockets_)
        if (peer.socket && peer.queued > 0) queues.emplace_back(peer.queued, id);
    std::sort(queues.begin(), queues.end(), std::greater<>());
    for (const auto& [queued, id] : queues) {
        if (totalUnsent_ <= kMaxTotalUnsentBytes / 4 * 3) break;
        Cut(id);
    }
}

void QtServerTransport::Drop(ConnectionId id) {
    auto it = sockets_.find(id);
    if (it == sockets_.end() || !it->second.socket) return;
    QTcpSocket* socket = it->second.socket;
    // Whole messages that came before the close are still acted on.
    if (socket->bytesAvailable() > 0) {
        const QByteArray bytes = socket->readAll();
        if (server_) server_->Received(id, View(bytes));
        it = sockets_.find(id);
        if (it == sockets_.end() || it->second.socket != socket) return;  // the server closed it meanwhile
    }
    Forget(it->second);
    sockets_.erase(it);
    AbortQuietly(socket, this);
    if (server_) server_->Closed(id);
}

void QtServerTransport::Close(ConnectionId id) {
    const auto it = sockets_.find(id);
    if (it == sockets_.end()) return;
    QTcpSocket* socket = it->second.socket;
    if (socket) FlushPending(it->second);  // a refusal, say, goes out before the close
    Forget(it->second);
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
