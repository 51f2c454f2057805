// SPDX-License-Identifier: GPL-3.0-or-later
// The server's sockets, their output side: queueing, the end of a turn of
// the loop, and closing or cutting off connections.
#include "net/ServerSockets.h"

#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>

namespace vexari {

// --- Output -------------------------------------------------------------------

void ServerSockets::Write(ConnectionId id, Peer& peer, std::string_view bytes,
                          const std::shared_ptr<const std::string>* shared) {
    const auto size = static_cast<std::int64_t>(bytes.size());
    if (size == 0) return;
    if (peer.out.Size() + size > limits_.unsent) {
        Cut(id, peer);  // the peer has stopped reading
        return;
    }
    caused_ += size;
    totalUnsent_ += size;
    if (shared)
        peer.out.Append(*shared);
    else
        peer.out.Append(bytes);
    if (!peer.listed) {
        peer.listed = true;
        withOutput_.push_back(id);
    }
    ScheduleBeforeSleep();
    if (totalUnsent_ > limits_.totalUnsent) CutLargestQueues();
}

void ServerSockets::Send(ConnectionId id, std::string_view bytes) {
    const auto it = peers_.find(id);
    if (it != peers_.end() && it->second.state == State::Open) Write(id, it->second, bytes, nullptr);
}

void ServerSockets::SendToMany(const std::vector<ConnectionId>& ids, std::string_view bytes) {
    if (bytes.empty()) return;
    // A small message is copied into each queue anyway: no shared copy.
    std::shared_ptr<const std::string> shared;
    if (bytes.size() >= OutputQueue::kSmall) shared = std::make_shared<const std::string>(bytes);
    for (const ConnectionId id : ids) {
        const auto it = peers_.find(id);
        if (it != peers_.end() && it->second.state == State::Open)
            Write(id, it->second, bytes, shared ? &shared : nullptr);
    }
}

// Hands the queue to the system, as much as it takes; the rest goes out
// when the socket has room again.
void ServerSockets::SendQueued(ConnectionId id, Peer& peer) {
    peer.waitsForOut = false;
    while (!peer.out.Empty()) {
        iovec parts[64];
        msghdr message{};
        message.msg_iov = parts;
        message.msg_iovlen = static_cast<std::size_t>(peer.out.Gather(parts, 64));
        const ssize_t sent = ::sendmsg(peer.fd, &message, MSG_DONTWAIT | MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) continue;
        if (sent < 0 && TryAgain(errno)) {
            peer.waitsForOut = true;
            break;
        }
        if (sent <= 0) {
            // Broken: an open connection is reported closed, a closing one
            // just goes.
            if (peer.state == State::Open)
                Cut(id, peer);
            else
                Destroy(id, true);
            return;
        }
        peer.out.Consume(sent);
        if (peer.state == State::Open) totalUnsent_ -= sent;
    }
    if (peer.state == State::Lingering && peer.out.Empty()) ::shutdown(peer.fd, SHUT_WR);
    ResumeIfDrained(peer);
    Watch(id, peer);
}

void ServerSockets::ResumeIfDrained(Peer& peer) {
    if (peer.waitsForQueue && peer.out.Size() <= limits_.readPauseQueue / 2) peer.waitsForQueue = false;
}

// The server's tables go out in BeforeSleep().
bool ServerSockets::DeferTables() {
    ScheduleBeforeSleep();
    return true;
}

void ServerSockets::ScheduleBeforeSleep() {
    if (beforeSleepDue_) return;
    beforeSleepDue_ = true;
    WantBeforeSleep();
}

void ServerSockets::BeforeSleep() {
    if (!beforeSleepDue_) return;
    std::vector<ConnectionId> cuts;
    cuts.swap(cuts_);
    for (const ConnectionId id : cuts) {
        const auto it = peers_.find(id);
        if (it == peers_.end() || it->second.state != State::Cut) continue;  // the server closed it meanwhile
        peers_.erase(it);
        if (server_) server_->Closed(id);
    }
    if (server_ && server_->TablesDue()) {
        const std::int64_t now = NowMs();
        if (now >= tablesSentMs_ + kTablesIntervalMs) {
            tablesSentMs_ = now;
            server_->SendTables();  // which may leave parts of the tables for later turns
        }
        if (server_->TablesDue() && !tablesTimer_) {
            tablesTimer_ = true;
            StartTimer(tablesSentMs_ + kTablesIntervalMs, TimerKind::Tables, 0);
        }
    }
    // A large broadcast (the tables to hundreds of players) is handed over
    // in slices of limits_.flushPerTurn, so the loop reads between them.
    beforeSleepDue_ = false;
    std::vector<ConnectionId> ids;
    ids.swap(withOutput_);
    std::int64_t flushed = 0;
    std::size_t k = 0;
    for (; k < ids.size() && flushed < limits_.flushPerTurn; ++k) {
        const auto it = peers_.find(ids[k]);
        if (it == peers_.end()) continue;
        Peer& peer = it->second;
        peer.listed = false;
        if (peer.state != State::Open || peer.waitsForOut) continue;  // EPOLLOUT sends it
        flushed += peer.out.Size();
        SendQueued(ids[k], peer);
    }
    if (k < ids.size()) withOutput_.insert(withOutput_.begin(), ids.begin() + static_cast<std::ptrdiff_t>(k), ids.end());
    // Cuts reported above may have caused output or further cuts.
    if (!withOutput_.empty() || !cuts_.empty()) ScheduleBeforeSleep();
}

// --- Closing ------------------------------------------------------------------

// The server closes a connection: what it queued still goes out (a refusal,
// say), then the socket goes away, at the latest after kLingerMs.
void ServerSockets::Close(ConnectionId id) {
    const auto it = peers_.find(id);
    if (it == peers_.end() || it->second.state == State::Lingering) return;
    Peer& peer = it->second;
    if (peer.state == State::Cut) {
        peers_.erase(it);  // its report is no longer due
        return;
    }
    totalUnsent_ -= peer.out.Size();
    peer.state = State::Lingering;
    peer.overBudget = peer.waitsForQueue = false;
    StartTimer(NowMs() + kLingerMs, TimerKind::LingerEnd, id);
    if (peer.waitsForOut) {
        Watch(id, peer);
        return;
    }
    SendQueued(id, peer);
}

// A peer that does not read: its socket goes at once, the server hears of
// it at the end of the turn (it may be in the middle of its own work).
void ServerSockets::Cut(ConnectionId id, Peer& peer) {
    if (peer.state != State::Open) return;
    totalUnsent_ -= peer.out.Size();
    peer.out.Clear();
    Abort(peer.fd);
    peer.state = State::Cut;
    cuts_.push_back(id);
    ScheduleBeforeSleep();
}

// All queues together have passed their cap: the longest go first, since a
// peer that reads keeps its queue short.
void ServerSockets::CutLargestQueues() {
    std::vector<std::pair<std::int64_t, ConnectionId>> queues;
    for (const auto& [id, peer] : peers_)
        if (peer.state == State::Open && !peer.out.Empty()) queues.emplace_back(peer.out.Size(), id);
    std::sort(queues.begin(), queues.end(), std::greater<>());
    for (const auto& [queued, id] : queues) {
        if (totalUnsent_ <= limits_.totalUnsent / 4 * 3) break;
        Cut(id, peers_.at(id));
    }
}

}  // namespace vexari
