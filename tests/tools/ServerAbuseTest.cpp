// SPDX-License-Identifier: GPL-3.0-or-later
// vexari-server under abuse, over loopback: a flooder, a peer that does not
// read, a thousand connections that never join, and a stdout nobody reads.
// Every client here talks to 127.0.0.1 only, sends a bounded amount and
// gives up after a bounded time. The bounds catch stalls and runaway memory;
// the server's speed is measured by vexari-netload, not here.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <fstream>
#include <memory>

#include "../net/LoopbackPeer.h"

namespace vexari {
namespace {

using namespace test;

// A vexari-server of its own, its stdout a pipe this test reads when it likes.
class ServerAbuse : public ::testing::Test {
protected:
    void SetUp() override {
        int out[2];
        ASSERT_EQ(pipe(out), 0);
        pid_ = fork();
        ASSERT_GE(pid_, 0);
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            execl(VEXARI_SERVER_PATH, "vexari-server", "--port", "0", "--trace", "0", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        stdout_ = out[0];
        const std::string first = ReadStdout("\n", 10s);
        ASSERT_EQ(std::sscanf(first.c_str(), "listening on port %hu", &port_), 1) << first;
    }
    void TearDown() override {
        if (pid_ > 0) kill(pid_, SIGKILL), waitpid(pid_, nullptr, 0);
        close(stdout_);
    }
    // Reads the server's stdout until `text` has come, or `limit` passes.
    std::string ReadStdout(const std::string& text, Clock::duration limit) {
        std::string got;
        char c[4096];
        for (const auto end = Clock::now() + limit; got.find(text) == std::string::npos && Clock::now() < end;) {
            pollfd p{stdout_, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0) continue;
            const ssize_t n = read(stdout_, c, text == "\n" ? 1 : sizeof c);
            if (n <= 0) break;
            got.append(c, static_cast<std::size_t>(n));
        }
        return got;
    }
    long RssKb() {
        std::ifstream in("/proc/" + std::to_string(pid_) + "/status");
        for (std::string key; in >> key;)
            if (key == "VmRSS:") return in >> key, std::stol(key);
        return -1;
    }
    // Waits for the server to exit; its status, or -1 after `limit`.
    int Exit(Clock::duration limit) {
        for (const auto end = Clock::now() + limit; Clock::now() < end; usleep(10000)) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) return pid_ = 0, WIFEXITED(status) ? WEXITSTATUS(status) : 128;
        }
        return -1;
    }
    // One chat line from `from` reaches `to`.
    static bool Echoes(Peer& from, Peer& to, const std::string& line) {
        from.SendAll(EncodeText(line));
        return to.Hears(MSG_TEXT, line);
    }

    pid_t pid_ = -1;
    int stdout_ = -1;
    std::uint16_t port_ = 0;
};

// A client sends 1,000-byte chat lines as fast as its socket takes them and
// reads its echoes; three clients read at 4 MB/s, far above any game's
// traffic but slower than the server could echo, and are never cut off. A
// fourth never reads: it alone is cut off, at its cap.
TEST_F(ServerAbuse, AFlooderSlowsDownAloneAndAPeerThatDoesNotReadIsCutOff) {
    std::vector<std::unique_ptr<Peer>> peers;
    for (const char* name : {"Flood", "R1", "R2", "R3", "Deaf"}) {
        peers.push_back(std::make_unique<Peer>(port_));
        peers.back()->Join(name);
    }
    Peer& flooder = *peers[0];
    const std::string line = EncodeText(std::string(1000, 'f'));
    std::string out;
    std::size_t read = 0;
    const auto start = Clock::now();
    for (auto now = start; now < start + 6s; now = Clock::now()) {
        while (out.size() < (1u << 16)) out += line;
        out.erase(0, flooder.Offer(out));
        const auto pace = static_cast<std::size_t>(std::chrono::duration<double>(now - start).count() * 4e6 * 4);
        for (std::size_t k = 0; k < 4; ++k) read += peers[k]->Read(false, read < pace ? (pace - read) / 4 + 1 : 0);
        flooder.Wait(POLLOUT, 1);
    }
    for (std::size_t k = 0; k < 4; ++k) EXPECT_FALSE(peers[k]->closed) << k;
    EXPECT_GT(read, std::size_t{16} << 20);  // each had more than its cap
    // What reached the deaf one before its cut, then the close.
    Peer& deaf = *peers[4];
    EXPECT_TRUE(deaf.ReadUntil([&] { return deaf.closed; }, 5s));
    EXPECT_TRUE(Echoes(*peers[1], *peers[3], "after the flood"));
}

// A thousand connections that never join, closed at once, neither stall the
// players nor make the server's memory grow; one that never joins is closed
// 10 s after it came.
TEST_F(ServerAbuse, ConnectionsThatNeverJoinAreClosedAndTheirCloseIsCheap) {
    const auto start = Clock::now();
    Peer silent(port_), ann(port_), bob(port_);
    ann.Join("Ann");
    bob.Join("Bob");
    std::vector<std::unique_ptr<Peer>> idle;
    for (int i = 0; i < 1000; ++i) idle.push_back(std::make_unique<Peer>(port_));
    // A join's tables list every connection: wait until they hold all of them.
    std::size_t listed = 0;
    for (int k = 0; k < 50 && listed < 1004; ++k) {
        Peer probe(port_);
        probe.Join("Probe" + std::to_string(k));
        probe.ReadUntil([&] { return probe.messages.back().kind == MSG_TABLES; }, 5s);
        listed = probe.messages.back().tables.players.size();
        if (listed < 1004) usleep(100000);
    }
    ASSERT_GE(listed, 1004u);
    const long rssBefore = RssKb();
    idle.clear();  // all closed at once
    EXPECT_TRUE(Echoes(ann, bob, "still here"));
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(Echoes(ann, bob, "ping " + std::to_string(i)));
    EXPECT_LT(RssKb() - rssBefore, 100 * 1024);

    EXPECT_TRUE(silent.ReadUntil([&] { return silent.closed; }, 15s - (Clock::now() - start)));
    EXPECT_GE(Clock::now() - start, 10s);
    ann.Read(), bob.Read();
    EXPECT_FALSE(ann.closed || bob.closed);
}

// Nobody reads the server's stdout: play goes on, lines that do not fit are
// dropped and counted once it flows again, and SIGTERM still ends the server.
TEST_F(ServerAbuse, AStdoutThatIsNeverReadBlocksNeitherPlayNorSigterm) {
    Peer ann(port_), bob(port_);
    ann.Join("Ann");
    bob.Join("Bob");
    const auto chat = [&](const std::string& last) {
        for (int i = 0; i < 2000; ++i) {  // 2 MB of echoes on stdout
            ann.SendAll(EncodeText(std::to_string(i) + std::string(1000, 'c')));
            ann.Read(false), bob.Read(false);
        }
        return Echoes(ann, bob, last);
    };
    EXPECT_TRUE(chat("first"));
    EXPECT_NE(ReadStdout("lines of output dropped", 10s).find("lines of output dropped"), std::string::npos);
    EXPECT_TRUE(chat("second"));
    kill(pid_, SIGTERM);
    EXPECT_EQ(Exit(3s), 0);
}

}  // namespace
}  // namespace vexari
