// SPDX-License-Identifier: GPL-3.0-or-later
// The server's sockets: its output queues, and the sockets with a game
// server, a turn of the loop at a time, the clock in the test's hands.
#include <netinet/tcp.h>

#include <memory>
#include <string>

#include "LoopbackPeer.h"
#include "net/GameServer.h"
#include "net/OutputQueue.h"
#include "net/ServerSockets.h"

namespace vexari {
namespace {

using namespace test;

// What the queue would hand to the system, gathered a few pieces at a time.
std::string Front(const OutputQueue& queue, int most) {
    iovec parts[8];
    std::string out;
    for (int k = 0, n = queue.Gather(parts, most); k < n; ++k)
        out.append(static_cast<const char*>(parts[k].iov_base), parts[k].iov_len);
    return out;
}

// Sends that the system takes in parts of any size give back exactly the
// bytes appended, in order, whether small pieces were joined or a large one
// is shared with other queues.
TEST(OutputQueue, PartialSendsGiveBackEveryByteInOrder) {
    const auto big = std::make_shared<const std::string>(OutputQueue::kSmall + 5, 'B');
    std::string expected;
    OutputQueue queue, other;
    for (const std::string& small : {std::string("ab"), std::string("cde")}) {
        queue.Append(small);
        expected += small;
    }
    queue.Append(big);
    other.Append(big);
    queue.Append(std::string_view("fg"));
    expected += *big + "fg";
    ASSERT_EQ(queue.Size(), static_cast<std::int64_t>(expected.size()));

    std::string sent;
    for (const std::int64_t step : {1, 3, 4000, 7, 100000}) {
        const std::string front = Front(queue, 2);
        const auto taken = std::min<std::int64_t>(step, static_cast<std::int64_t>(front.size()));
        sent += front.substr(0, static_cast<std::size_t>(taken));
        queue.Consume(taken);
        EXPECT_EQ(queue.Size(), static_cast<std::int64_t>(expected.size() - sent.size()));
    }
    sent += Front(queue, 8);
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(Front(other, 8), *big);  // the shared piece is untouched
}

// The event loop around the sockets: it runs what is ready, the end of the
// turn and the timers when the test says, by the test's clock.
class Loop : public ServerSockets {
public:
    using ServerSockets::ServerSockets;
    std::int64_t NowMs() const override { return now; }
    // Input for the sockets is ready, or comes within `ms`.
    bool Ready(int ms) {
        pollfd p{PollFd(), POLLIN, 0};
        return poll(&p, 1, ms) > 0;
    }
    void Turn(int waitMs = 1000) {
        if (Ready(waitMs)) OnReady();
        for (int k = 0; k < 50 && sleepDue; ++k) sleepDue = false, BeforeSleep();
    }
    void Advance(std::int64_t ms) {
        now += ms;
        if (wakeAt <= now) wakeAt = INT64_MAX, OnTimers();
        Turn(0);
    }
    std::int64_t now = 1000, wakeAt = INT64_MAX;
    bool sleepDue = false;

protected:
    void WantBeforeSleep() override { sleepDue = true; }
    void WantWakeAt(std::int64_t ms) override { wakeAt = ms; }
    void AcceptFailed() override {}
};

// A game server on the sockets, and its clients over loopback.
struct Hosted {
    explicit Hosted(const ServerSocketLimits& limits = {}) : loop(limits) { loop.SetServer(&server); }
    // A client whose connection the sockets take as their listener would.
    Peer& Connect() {
        sockaddr_in a{};
        socklen_t size = sizeof a;
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof a);
        listen(listener, 1);
        getsockname(listener, reinterpret_cast<sockaddr*>(&a), &size);
        peers.push_back(std::make_unique<Peer>(ntohs(a.sin_port)));
        ids.push_back(loop.Adopt(accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)));
        close(listener);
        return *peers.back();
    }
    // Joins a player; its tables go out at once.
    Peer& Join(const std::string& name) {
        Peer& peer = Connect();
        peer.SendAll(EncodeJoin(name, "T" + name, OwnVersion()));
        loop.now += kTablesIntervalMs;
        loop.Turn();
        EXPECT_TRUE(peer.Hears(MSG_TABLES)) << name;
        return peer;
    }

    std::vector<std::unique_ptr<Peer>> peers;  // outlast the sockets
    std::vector<ConnectionId> ids;
    Loop loop;
    GameServer server{loop, OwnVersion(), [] { return 0; }};
};

// What the client's end shows within `ms`: POLLRDHUP once the server has
// closed in order, POLLHUP once the connection was reset.
short Ends(const Peer& peer, short events, int ms) {
    pollfd p{peer.fd, events, 0};
    poll(&p, 1, ms);
    return p.revents & (POLLRDHUP | POLLHUP);
}

// A connection is not read while its own queue is long, nor once its input
// has caused more than its budget; then it is not watched for input either
// (a flood would spin the loop). It is read again once its queue has drained,
// or its budget refilled.
TEST(ServerSockets, AConnectionHeldBackIsReadAgainOnceItsQueueDrainsOrItsBudgetRefills) {
    Hosted h({.readPauseQueue = 1000, .causedPerSecond = 2000});
    Peer& ann = h.Join("Ann");
    Peer& bob = h.Join("Bob");
    h.loop.Send(h.ids[0], EncodeText(std::string(1000, 'q')));
    ann.SendAll(EncodeText("one"));
    h.loop.Turn();
    EXPECT_FALSE(bob.Hears(MSG_TEXT, "Ann: one", 0s));
    h.loop.Turn();
    EXPECT_TRUE(bob.Hears(MSG_TEXT, "Ann: one"));

    ann.SendAll(EncodeText(std::string(1500, 'b')));  // echoed twice: 3,000 bytes
    h.loop.Turn();
    ann.SendAll(EncodeText("three"));
    h.loop.Turn();
    EXPECT_FALSE(h.loop.Ready(0));
    EXPECT_FALSE(bob.Hears(MSG_TEXT, "Ann: three", 0s));
    h.loop.Advance(1000);
    EXPECT_TRUE(bob.Hears(MSG_TEXT, "Ann: three"));
}

// The tables go out at most every kTablesIntervalMs, those asked for sooner
// by a timer rather than with some later event. A turn hands the system its
// slice of output; the connections past it get theirs in the next turn.
TEST(ServerSockets, TablesGoOutAtMostEvery20MsByTimerAndOutputPastATurnsSliceInTheNext) {
    Hosted h({.flushPerTurn = 1000});
    Peer& ann = h.Join("Ann");
    h.loop.now += 5;
    Peer& bob = h.Connect();
    bob.SendAll(EncodeJoin("Bob", "TBob", OwnVersion()));
    h.loop.Turn();
    ASSERT_TRUE(bob.Hears(MSG_JOIN));
    EXPECT_FALSE(bob.Heard(MSG_TABLES));
    EXPECT_EQ(h.loop.wakeAt, h.loop.now - 5 + kTablesIntervalMs);
    h.loop.Advance(14);
    EXPECT_FALSE(bob.Hears(MSG_TABLES, "", 0s));
    h.loop.Advance(1);
    EXPECT_TRUE(bob.Hears(MSG_TABLES));

    ann.Read();
    for (const ConnectionId id : h.ids) h.loop.Send(id, std::string(1000, 's'));
    h.loop.sleepDue = false;
    h.loop.BeforeSleep();
    ann.Wait(POLLIN, 1000);
    EXPECT_EQ(ann.Read(false), 1000u);
    EXPECT_EQ(bob.Read(false), 0u);
    h.loop.Turn(0);
    bob.Wait(POLLIN, 1000);
    EXPECT_EQ(bob.Read(false), 1000u);
}

// A peer whose queue passes its own limit is cut off, and so are the largest
// queues once all together pass theirs, down to three quarters of it. The
// server hears of each: the players left are those that read.
TEST(ServerSockets, CutsTheLargestQueuesFirstAndTellsTheServer) {
    Hosted h({.totalUnsent = 1000, .unsent = 500});
    for (const char* name : {"Ann", "Bob", "Cid", "Dan"}) h.Join(name);
    h.loop.Send(h.ids[3], std::string(501, 'x'));
    h.loop.Turn(0);
    const std::pair<std::size_t, std::size_t> sends[] = {{0, 400}, {1, 100}, {2, 450}, {1, 100}};
    for (const auto& [k, bytes] : sends) h.loop.Send(h.ids[k], std::string(bytes, 'x'));
    h.loop.Turn(0);
    std::vector<std::string> left;
    for (const auto& player : h.server.Players()) left.push_back(player->name);
    EXPECT_EQ(left, (std::vector<std::string>{"Ann", "Bob"}));
}

// A peer's last whole messages before its connection fails are acted on. A
// connection the server closed keeps a peer that never closes at most
// kLingerMs; at exit the server closes its connections in order.
TEST(ServerSockets, LastMessagesCountAndClosedConnectionsLingerAtMost5SecondsAndCloseInOrderAtExit) {
    auto h = std::make_unique<Hosted>();
    Peer& ann = h->Join("Ann");
    Peer& bob = h->Join("Bob");
    Peer& cid = h->Join("Cid");
    cid.SendAll(EncodeText("bye"));
    const linger reset{1, 0};
    setsockopt(cid.fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    close(cid.fd);
    cid.fd = -1;
    h->loop.Turn();
    EXPECT_TRUE(ann.Hears(MSG_TEXT, "Cid: bye"));
    EXPECT_EQ(h->server.ConnectionCount(), 2u);

    h->loop.Close(h->ids[1]);
    EXPECT_EQ(Ends(bob, POLLRDHUP, 1000), POLLRDHUP);
    h->loop.Advance(kLingerMs - 1);
    EXPECT_EQ(Ends(bob, POLLRDHUP, 0), POLLRDHUP);
    h->loop.Advance(1);
    EXPECT_TRUE(Ends(bob, 0, 1000) & POLLHUP);

    const auto peers = std::move(h->peers);
    h.reset();
    EXPECT_EQ(Ends(ann, POLLRDHUP, 1000), POLLRDHUP);
}

}  // namespace
}  // namespace vexari
