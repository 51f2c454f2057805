// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/ServerSockets.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <functional>

namespace vexari {
namespace {

// After a failed accept (out of descriptors, for instance) the listener
// rests this long, so a connection it cannot take does not spin the loop.
constexpr std::int64_t kAcceptRetryMs = 200;
// The most read from one connection at a time; what does not fit waits in
// the system, so a connection that is not read is slowed down by TCP.
constexpr std::size_t kReadChunk = 64 * 1024;
// Events taken from epoll at a time, and connections accepted at a time, so
// a burst leaves room for the others in between.
constexpr int kEventsPerWake = 256;
constexpr int kAcceptsPerWake = 256;
// What a closing connection still delivers from its input, at most.
constexpr int kLastReads = 16;

}  // namespace

void ServerSockets::Abort(int fd) {
    const linger now{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &now, sizeof now);
    ::close(fd);
}

bool ServerSockets::TryAgain(int error) { return error == EAGAIN || error == EWOULDBLOCK || error == EINTR; }

std::int64_t ServerSockets::NowMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

ServerSockets::ServerSockets(const ServerSocketLimits& limits)
    : limits_(limits), epoll_(::epoll_create1(EPOLL_CLOEXEC)), readBuffer_(kReadChunk) {}

// What the system holds of a connection's output still goes out after the
// server has gone (a closing connection's last bytes, say).
ServerSockets::~ServerSockets() {
    for (auto& [id, peer] : peers_)
        if (peer.state != State::Cut) ::close(peer.fd);
    StopListening();
    if (epoll_ >= 0) ::close(epoll_);
}

// --- Listening ----------------------------------------------------------------

bool ServerSockets::Listen(std::uint16_t port, bool loopbackOnly) {
    StopListening();
    if (epoll_ < 0) return false;
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(loopbackOnly ? INADDR_LOOPBACK : INADDR_ANY);
    socklen_t length = sizeof address;
    // A burst of connections waits in the system's queue instead of in SYN
    // retries.
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, kListenBacklog) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        !Register(EPOLL_CTL_ADD, fd, EPOLLIN, 0)) {
        ::close(fd);
        return false;
    }
    listener_ = fd;
    port_ = ntohs(address.sin_port);
    return true;
}

void ServerSockets::StopListening() {
    if (listener_ < 0) return;
    ::close(listener_);
    listener_ = -1;
    port_ = 0;
}

void ServerSockets::Accept() {
    for (int k = 0; k < kAcceptsPerWake && listener_ >= 0; ++k) {
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (TryAgain(errno)) return;
            if (errno == ECONNABORTED || errno == EPROTO) continue;
            // Out of descriptors or memory: the listener rests a little, the
            // server goes on meanwhile.
            Register(EPOLL_CTL_MOD, listener_, 0, 0);
            StartTimer(NowMs() + kAcceptRetryMs, TimerKind::Accept, 0);
            AcceptFailed();
            return;
        }
        if (Adopt(fd) == 0) {
            AcceptFailed();
            return;
        }
    }
}

ConnectionId ServerSockets::Adopt(int fd) {
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    const ConnectionId id = nextId_++;
    Peer& peer = peers_[id];
    peer.fd = fd;
    peer.budget = limits_.causedPerSecond;
    peer.refilledMs = NowMs();
    if (!Register(EPOLL_CTL_ADD, fd, EPOLLIN, id)) {
        peers_.erase(id);
        Abort(fd);
        return 0;
    }
    peer.events = EPOLLIN;
    if (server_) server_->Accepted(id);
    return id;
}

// --- Events -------------------------------------------------------------------

void ServerSockets::OnReady() {
    epoll_event events[kEventsPerWake];
    const int count = ::epoll_wait(epoll_, events, kEventsPerWake, 0);
    for (int k = 0; k < count; ++k) {
        const ConnectionId id = events[k].data.u64;
        if (id == 0) {
            Accept();
            continue;
        }
        // An earlier event of this batch may have closed it.
        const auto it = peers_.find(id);
        if (it == peers_.end() || it->second.state == State::Cut) continue;
        Peer& peer = it->second;
        const std::uint32_t what = events[k].events;
        if (peer.state == State::Lingering) {
            if (what & EPOLLOUT) SendQueued(id, peer);
            if (peers_.count(id) && (what & (EPOLLIN | EPOLLERR | EPOLLHUP))) Discard(id, peer);
            continue;
        }
        if (what & (EPOLLERR | EPOLLHUP)) {
            Drop(id);
            continue;
        }
        if (what & EPOLLOUT) SendQueued(id, peer);
        if (what & EPOLLIN) {
            const auto again = peers_.find(id);
            if (again != peers_.end() && again->second.state == State::Open) Readable(id, again->second);
        }
    }
}

void ServerSockets::Readable(ConnectionId id, Peer& peer) {
    if (!MayRead(peer, id)) {
        Watch(id, peer);
        return;
    }
    const ssize_t got = ::read(peer.fd, readBuffer_.data(), readBuffer_.size());
    if (got < 0 && TryAgain(errno)) return;
    if (got <= 0) {
        Drop(id);
        return;
    }
    if (!server_) return;
    caused_ = 0;
    server_->Received(id, std::string_view(readBuffer_.data(), static_cast<std::size_t>(got)));
    // The server may have closed this or any connection meanwhile.
    const auto it = peers_.find(id);
    if (it != peers_.end()) it->second.budget -= static_cast<double>(caused_);
}

bool ServerSockets::MayRead(Peer& peer, ConnectionId id) {
    if (peer.out.Size() > limits_.readPauseQueue) {
        peer.waitsForQueue = true;  // ResumeIfDrained() reads again
        return false;
    }
    const std::int64_t now = NowMs();
    const double rate = limits_.causedPerSecond;
    peer.budget = std::min(rate, peer.budget + static_cast<double>(now - peer.refilledMs) * rate / 1000);
    peer.refilledMs = now;
    if (peer.budget >= 0) return true;
    if (!peer.overBudget) {
        peer.overBudget = true;
        const auto waitMs = static_cast<std::int64_t>(std::min(-peer.budget * 1000 / rate + 1, 60e3));
        StartTimer(now + waitMs, TimerKind::Resume, id);
    }
    return false;
}

// A connection the server has closed: its input is read and thrown away
// until the peer closes too, so the close is not turned into a reset that
// could destroy the last bytes on their way.
void ServerSockets::Discard(ConnectionId id, Peer& peer) {
    const ssize_t got = ::read(peer.fd, readBuffer_.data(), readBuffer_.size());
    if (got > 0 || (got < 0 && TryAgain(errno))) return;
    Destroy(id, false);
}

// The peer has closed or failed: whole messages that came before are still
// acted on, then the server hears of the close.
void ServerSockets::Drop(ConnectionId id) {
    for (int k = 0; k < kLastReads; ++k) {
        const auto it = peers_.find(id);
        if (it == peers_.end() || it->second.state != State::Open) return;  // the server closed it meanwhile
        const ssize_t got = ::read(it->second.fd, readBuffer_.data(), readBuffer_.size());
        if (got <= 0) break;
        if (server_) server_->Received(id, std::string_view(readBuffer_.data(), static_cast<std::size_t>(got)));
    }
    const auto it = peers_.find(id);
    if (it == peers_.end() || it->second.state != State::Open) return;
    Destroy(id, true);
    if (server_) server_->Closed(id);
}

void ServerSockets::Destroy(ConnectionId id, bool reset) {
    const auto it = peers_.find(id);
    if (it == peers_.end()) return;
    Peer& peer = it->second;
    if (peer.state == State::Open) totalUnsent_ -= peer.out.Size();
    if (peer.state != State::Cut) {
        if (reset)
            Abort(peer.fd);
        else
            ::close(peer.fd);
    }
    peers_.erase(it);
}

// Registers what the peer waits for: input while it is read, room for
// output while the system takes no more. Errors and hang-ups come anyway.
void ServerSockets::Watch(ConnectionId id, Peer& peer) {
    std::uint32_t events = 0;
    if (peer.state == State::Lingering || (!peer.overBudget && !peer.waitsForQueue)) events |= EPOLLIN;
    if (peer.waitsForOut) events |= EPOLLOUT;
    if (events == peer.events) return;
    Register(EPOLL_CTL_MOD, peer.fd, events, id);
    peer.events = events;
}

bool ServerSockets::Register(int op, int fd, std::uint32_t events, ConnectionId id) {
    epoll_event event{};
    event.events = events;
    event.data.u64 = id;
    return ::epoll_ctl(epoll_, op, fd, &event) == 0;
}

// --- Timers -------------------------------------------------------------------

void ServerSockets::StartTimer(std::int64_t at, TimerKind kind, ConnectionId id) {
    const bool earliest = timers_.empty() || at < timers_.top().at;
    timers_.push(Timer{at, kind, id});
    if (earliest) WantWakeAt(at);
}

void ServerSockets::OnTimers() {
    const std::int64_t now = NowMs();
    while (!timers_.empty() && timers_.top().at <= now) {
        const Timer timer = timers_.top();
        timers_.pop();
        const auto it = peers_.find(timer.id);
        switch (timer.kind) {
            case TimerKind::Resume:
                if (it != peers_.end() && it->second.state == State::Open) {
                    it->second.overBudget = false;
                    Watch(timer.id, it->second);
                }
                break;
            case TimerKind::LingerEnd:
                if (it != peers_.end() && it->second.state == State::Lingering) Destroy(timer.id, true);
                break;
            case TimerKind::Tables:
                tablesTimer_ = false;
                ScheduleBeforeSleep();
                break;
            case TimerKind::Accept:
                if (listener_ >= 0) Register(EPOLL_CTL_MOD, listener_, EPOLLIN, 0);
                break;
        }
    }
    if (!timers_.empty()) WantWakeAt(timers_.top().at);
}

}  // namespace vexari
