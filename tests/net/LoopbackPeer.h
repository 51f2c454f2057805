// SPDX-License-Identifier: GPL-3.0-or-later
// A test's client of the server over loopback (127.0.0.1 only), on a
// non-blocking socket: it sends what the socket takes and reads what has come.
#pragma once
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "net/Wire.h"

namespace vexari::test {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

inline VersionQuad OwnVersion() { return BuildVersion().value_or(VersionQuad{}); }

// One client on a non-blocking socket.
struct Peer {
    int fd = -1;
    ServerMessageStream stream;
    std::vector<ServerMessage> messages;
    bool closed = false;  // the server closed or cut the connection

    explicit Peer(std::uint16_t port) {
        fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(port);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);  // completes on loopback at once
    }
    ~Peer() { close(fd); }

    // Sends what the socket takes now; returns how much.
    std::size_t Offer(std::string_view bytes) {
        const ssize_t n = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        return n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    void SendAll(std::string_view bytes) {
        for (const auto end = Clock::now() + 5s; !bytes.empty() && Clock::now() < end;) {
            bytes.remove_prefix(Offer(bytes));
            if (!bytes.empty()) Wait(POLLOUT, 10);
        }
    }
    bool Wait(short events, int ms) {
        pollfd p{fd, events, 0};
        return poll(&p, 1, ms) > 0;
    }
    // Reads what has arrived, up to `most` bytes; `keep` false counts bytes
    // without keeping messages.
    std::size_t Read(bool keep = true, std::size_t most = SIZE_MAX) {
        char buffer[1 << 16];
        std::size_t total = 0;
        while (total < most) {
            const ssize_t n = recv(fd, buffer, std::min(sizeof buffer, most - total), MSG_DONTWAIT);
            if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) closed = true;
            if (n <= 0) break;
            total += static_cast<std::size_t>(n);
            if (keep) stream.Append(std::string_view(buffer, static_cast<std::size_t>(n)));
        }
        ServerMessage m;
        while (keep && stream.Next(m) == ReadStatus::Complete) messages.push_back(m);
        return total;
    }
    // Reads what has come until `done` holds or `limit` passes; true when it held.
    template <class Done>
    bool ReadUntil(Done done, Clock::duration limit) {
        for (const auto end = Clock::now() + limit;; Wait(POLLIN, 10)) {
            Read();
            if (done() || closed || Clock::now() >= end) return done();
        }
    }
    bool Heard(std::int32_t kind, const std::string& text = "") {
        return std::any_of(messages.begin(), messages.end(),
                           [&](const auto& m) { return m.kind == kind && m.text.find(text) != std::string::npos; });
    }
    // A message of `kind` (holding `text`) has come, or comes within `limit`.
    bool Hears(std::int32_t kind, const std::string& text = "", Clock::duration limit = 5s) {
        return ReadUntil([&] { return Heard(kind, text); }, limit);
    }
    void Join(const std::string& name) {
        SendAll(EncodeJoin(name, "T" + name, OwnVersion()));
        ASSERT_TRUE(Hears(MSG_JOIN)) << name;
    }
};

}  // namespace vexari::test
