// SPDX-License-Identifier: GPL-3.0-or-later
// vexari-netload: many network-game clients on one thread against a running
// vexari-server, measuring how long presents take and whether any connection
// goes without data.
//
//   vexari-netload --port P [--host 127.0.0.1] --players N [--teams T]
//                  [--seconds S] [--rate L] [--trace 0|1] [--no-start]
//                  [--server-pid PID] [--parse-tables] [--setup-timeout S]
//                  [--echo] [--idle K [--idle-close-at S2]] [--wells K]
//                  [--spectators N]
//
// Every client joins as "loadK" in team "team<K mod T>"; client 0 sends the
// options (random throws, a play-till nobody reaches, start in 0 seconds) and
// starts the round once the tables list all N players. For S seconds, every
// 10 ms, the clients report landings that removed two rows, round robin, L per
// second in all. The server answers each with exactly one one-row present to
// some client; presents are matched first-in first-out to the waves of
// landings that are still missing presents, so each latency is measured from
// the wave's send time and is an upper bound of the real one.
//
// With --echo, client 0 also sends a chat line every 50 ms and measures how
// long its echo takes. With --idle K, K more connections connect a second
// before the players (so the server lists them in its tables) and never join
// nor read; S2 seconds into the measurement (default
// half of it) they are all closed at once, and the echoes and presents of
// the two seconds after are reported apart. With --server-pid, the server's
// resident memory is sampled every 10 ms. --wells K and --spectators N: see
// NetLoadWells.h; the spectators come once the round runs.
//
// The joined clients read everything the server sends as soon as it arrives,
// so they never hold the server back. It prints one summary line and one JSON line,
// and exits with 1 when a present is missing, a connection was closed, or the
// setup did not finish.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/CommandLine.h"
#include "NetLoadWells.h"
#include "net/Wire.h"

namespace {

using vexari::ReadStatus;
using vexari::ServerMessage;
using vexari::netload::Percentile;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }
double Millis(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Config {
    std::string host = "127.0.0.1";
    int port = -1;
    int players = 0;
    int teams = 4;
    double seconds = 20;
    double rate = -1;  // landings per second over all players; default 2 per player
    int trace = 0;
    bool sendStart = true;
    bool parseTables = false;
    long serverPid = 0;
    double setupTimeout = 180;
    std::string dumpFile;  // one line per present: wave send time and latency, in ms
    bool echo = false;
    int idle = 0;
    double idleCloseAt = -1;  // default: half the measurement
    int wells = -1;           // wells each client shows; -1: the clients do not announce the extension
    int spectators = 0;       // connections watching every well (needs --wells)
};

[[noreturn]] void Usage(const char* why) {
    std::fprintf(stderr,
                 "vexari-netload: %s\n"
                 "usage: vexari-netload --port P [--host 127.0.0.1] --players N [--teams T] [--seconds S]\n"
                 "                      [--rate L] [--trace 0|1] [--no-start] [--server-pid PID]\n"
                 "                      [--parse-tables] [--setup-timeout S] [--dump FILE]\n"
                 "                      [--echo] [--idle K [--idle-close-at S2]] [--wells K]\n"
                 "                      [--spectators N]\n",
                 why);
    std::exit(2);
}

Config ParseArgs(int argc, char** argv) {
    Config c;
    bool noStart = false, help = false;
    std::string error;
    const bool ok = vexari::CommandLine()
                        .Number("--port", c.port, 1, vexari::kMaxPort)
                        .Text("--host", c.host)
                        .Number("--players", c.players, 2, 100000)
                        .Number("--teams", c.teams, 2, 100000)
                        .Real("--seconds", c.seconds)
                        .Real("--rate", c.rate)
                        .Number("--trace", c.trace, 0, 1)
                        .Flag("--no-start", noStart)
                        .Flag("--parse-tables", c.parseTables)
                        .Number("--server-pid", c.serverPid, 1, 2147483647)
                        .Real("--setup-timeout", c.setupTimeout)
                        .Text("--dump", c.dumpFile)
                        .Flag("--echo", c.echo)
                        .Number("--wells", c.wells, 0, 100000)
                        .Number("--spectators", c.spectators, 0, 10000)
                        .Number("--idle", c.idle, 0, 100000)
                        .Real("--idle-close-at", c.idleCloseAt)
                        .Parse(std::vector<std::string>(argv + 1, argv + argc), help, error);
    if (!ok) Usage(error.c_str());
    if (help) Usage("the options are");
    c.sendStart = !noStart;
    if (c.port <= 0) Usage("--port is required");
    if (c.players < 2) Usage("--players must be at least 2");
    // Random team throws need an opponent team, or no present is ever sent.
    if (c.teams < 2 || c.teams > c.players) Usage("--teams must be between 2 and the number of players");
    if (c.seconds <= 0) Usage("--seconds must be positive");
    if (c.rate < 0) c.rate = 2.0 * c.players;
    if (c.rate <= 0) Usage("--rate must be positive");
    if (c.trace != 0 && c.trace != 1) Usage("--trace is 0 or 1");
    if (c.idle < 0) Usage("--idle must not be negative");
    if (c.idleCloseAt < 0) c.idleCloseAt = c.seconds / 2;
    if (c.spectators > 0 && c.wells < 0) Usage("--spectators needs --wells (the players' wells to watch)");
    return c;
}

vexari::VersionQuad OwnVersion() { return vexari::BuildVersion().value_or(vexari::VersionQuad{}); }

// Processor seconds (user + system) a process has used so far, or -1.
double ProcessCpuSeconds(long pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(in, line)) return -1;
    // Fields after the command name, which is in parentheses and may hold spaces.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int n = 3; fields >> field; ++n) {  // field 3 is the state
        if (n == 14) utime = std::stoull(field);
        if (n == 15) {
            stime = std::stoull(field);
            return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
        }
    }
    return -1;
}

double OwnCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Resident memory of a process in MB, or -1.
double ResidentMb(long pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string key; in >> key;)
        if (key == "VmRSS:") return in >> key ? std::stod(key) / 1024 : -1;
    return -1;
}

std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    double one = 0, five = 0, fifteen = 0;
    in >> one >> five >> fifteen;
    char text[64];
    std::snprintf(text, sizeof text, "%.2f %.2f %.2f", one, five, fifteen);
    return text;
}

struct Client {
    int fd = -1;
    int index = 0;
    bool connecting = false;  // the TCP connect has not completed
    bool connected = false;
    bool spectator = false;   // watches instead of playing
    bool joined = false;      // the server accepted the join (or the watch)
    bool started = false;     // MSG_START arrived
    bool closed = false;      // the server closed the connection (or it broke)
    std::string in;           // received bytes not yet parsed
    std::string out;          // bytes the socket did not take yet
    bool wantWrite = false;
    Clock::time_point lastReceive{};
    double maxGapMs = 0;      // longest time without data while measuring
    long long bytesMeasured = 0;
};

struct Wave {
    Clock::time_point sent;
    int missing = 0;  // presents still to come for this wave
};

class NetLoad {
public:
    explicit NetLoad(const Config& config)
        : config_(config),
          clients_(static_cast<std::size_t>(config.players + config.spectators)),
          wells_(config.players, config.wells, config.spectators) {}

    int Run();

private:
    bool Resolve();
    bool OpenConnection(Client& c);
    void Send(Client& c, std::string_view bytes);
    void Flush(Client& c);
    void UpdateEvents(Client& c);
    void OnReadable(Client& c);
    void OnMessageBytes(Client& c);
    void OnMessage(Client& c, const ServerMessage& m);
    void OnTables(Client& c, std::int32_t players);
    void MarkClosed(Client& c, const char* why);
    // Waits for socket events up to `until` and handles them.
    void Poll(Clock::time_point until);
    void SendWave(int landings);
    void SendEcho();
    bool OpenIdle();
    void CloseIdle();
    bool AfterIdleClose() const;
    void Report();

    Config config_;
    std::vector<Client> clients_;
    vexari::netload::WellLoad wells_;
    sockaddr_in address_{};
    int epoll_ = -1;
    Clock::time_point now_ = Clock::now();

    // Setup.
    int connectsOpened_ = 0;
    int joinedCount_ = 0;
    int watchingCount_ = 0;
    int startedCount_ = 0;
    std::int32_t tablesPlayersSeenByFirst_ = 0;
    bool startSent_ = false;
    bool failed_ = false;
    std::string failure_;

    // Measurement.
    bool measuring_ = false;
    Clock::time_point measureStart_{}, measureEnd_{};
    std::deque<Wave> waves_;
    std::vector<double> latenciesMs_;
    std::vector<double> waveTimesMs_;  // the send time of each latency's wave, for --dump
    long long landingsSent_ = 0;
    long long presentsReceived_ = 0;
    long long presentRows_ = 0;
    long long unmatchedPresents_ = 0;
    long long roundEnds_ = 0;
    long long lateWaves_ = 0;
    int nextLander_ = 0;
    int closedByServer_ = 0;
    long long bytesTotal_ = 0;
    long long bytesMeasured_ = 0;
    long long tablesMeasured_ = 0;
    long long textsMeasured_ = 0;
    double serverCpuStart_ = -1, serverCpuEnd_ = -1;
    double ownCpuStart_ = 0, ownCpuEnd_ = 0;
    std::string loadStart_, loadEnd_;

    // Echoes, idle connections, memory.
    long long echoSeq_ = 0, echoWaves_ = 0;
    std::deque<std::pair<long long, Clock::time_point>> echoesOut_;
    std::vector<double> echoMs_, echoAfterIdleMs_, presentAfterIdleMs_;
    long long echoesLost_ = 0;
    std::vector<int> idleFds_;
    Clock::time_point idleClosed_{};
    double rssPeakMb_ = -1, rssBeforeCloseMb_ = -1, rssEndMb_ = -1;
    int closedReports_ = 0;
};

bool NetLoad::Resolve() {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(config_.host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return false;
    std::memcpy(&address_, found->ai_addr, sizeof address_);
    address_.sin_port = htons(static_cast<std::uint16_t>(config_.port));
    freeaddrinfo(found);
    return true;
}

bool NetLoad::OpenConnection(Client& c) {
    c.fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (c.fd < 0) return false;
    const int one = 1;
    setsockopt(c.fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (connect(c.fd, reinterpret_cast<const sockaddr*>(&address_), sizeof address_) == 0) {
        c.connected = true;
    } else if (errno == EINPROGRESS) {
        c.connecting = true;
    } else {
        return false;
    }
    epoll_event ev{};
    ev.events = EPOLLIN | (c.connecting ? std::uint32_t{EPOLLOUT} : 0u);
    ev.data.u32 = static_cast<std::uint32_t>(c.index);
    c.wantWrite = c.connecting;
    epoll_ctl(epoll_, EPOLL_CTL_ADD, c.fd, &ev);
    c.lastReceive = Clock::now();
    if (c.spectator) {
        Send(c, vexari::netload::WellLoad::Opening());
        return true;
    }
    // The join goes out at once; it waits in `out` while the connect runs.
    Send(c, vexari::EncodeJoin("load" + std::to_string(c.index),
                               "team" + std::to_string(c.index % config_.teams), OwnVersion()));
    if (config_.wells >= 0) Send(c, vexari::netload::WellLoad::Opening());
    if (c.index == 0) {
        vexari::NetOptions o;
        o.playTill = 0x7FFFFFFF;
        o.playerThrow = static_cast<std::int32_t>(vexari::ThrowMode::Random);
        o.playerWinScores = 0;
        o.teamThrow = static_cast<std::int32_t>(vexari::ThrowMode::Random);
        o.teamWinScores = 1;
        o.fallPeriod = 5;
        o.countdownSeconds = 0;
        o.height = 25;
        o.traceMessages = config_.trace;
        Send(c, vexari::EncodeOptions(o));
    }
    return true;
}

void NetLoad::UpdateEvents(Client& c) {
    const bool want = c.connecting || !c.out.empty();
    if (want == c.wantWrite || c.closed) return;
    c.wantWrite = want;
    epoll_event ev{};
    ev.events = EPOLLIN | (want ? std::uint32_t{EPOLLOUT} : 0u);
    ev.data.u32 = static_cast<std::uint32_t>(c.index);
    epoll_ctl(epoll_, EPOLL_CTL_MOD, c.fd, &ev);
}

void NetLoad::Send(Client& c, std::string_view bytes) {
    if (c.closed) return;
    c.out.append(bytes);
    Flush(c);
}

void NetLoad::Flush(Client& c) {
    while (!c.connecting && !c.closed && !c.out.empty()) {
        const ssize_t n = send(c.fd, c.out.data(), c.out.size(), MSG_NOSIGNAL);
        if (n > 0) {
            c.out.erase(0, static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break;
        } else {
            MarkClosed(c, "send failed");
            return;
        }
    }
    UpdateEvents(c);
}

void NetLoad::MarkClosed(Client& c, const char* why) {
    if (c.closed) return;
    c.closed = true;
    ++closedByServer_;
    if (++closedReports_ <= 10) std::fprintf(stderr, "vexari-netload: connection %d closed (%s)\n", c.index, why);
    epoll_ctl(epoll_, EPOLL_CTL_DEL, c.fd, nullptr);
    close(c.fd);
    c.fd = -1;
    if (!measuring_) {
        failed_ = true;
        failure_ = "a connection closed during setup";
    }
}

void NetLoad::OnReadable(Client& c) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = recv(c.fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            bytesTotal_ += n;
            if (measuring_) {
                bytesMeasured_ += n;
                c.bytesMeasured += n;
                c.maxGapMs = std::max(c.maxGapMs, Millis(now_ - std::max(c.lastReceive, measureStart_)));
            }
            c.lastReceive = now_;
            c.in.append(buffer, static_cast<std::size_t>(n));
            if (static_cast<std::size_t>(n) < sizeof buffer) break;  // the socket is empty
        } else if (n == 0) {
            OnMessageBytes(c);
            MarkClosed(c, "closed by the server");
            return;
        } else if (errno == EINTR) {
            continue;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            break;
        } else {
            OnMessageBytes(c);
            MarkClosed(c, std::strerror(errno));
            return;
        }
    }
    OnMessageBytes(c);
}

void NetLoad::OnMessageBytes(Client& c) {
    std::size_t start = 0;
    ServerMessage message;
    while (!c.closed && c.in.size() - start >= 4) {
        const std::string_view rest = std::string_view(c.in).substr(start);
        std::int32_t kind = 0;
        std::memcpy(&kind, rest.data(), 4);  // little-endian host
        std::size_t used = 0;
        ReadStatus status;
        if (kind == vexari::MSG_TABLES && !config_.parseTables) {
            std::int32_t players = 0;
            status = vexari::ReadTablesPlayerCount(rest, used, players);
            if (status == ReadStatus::Complete) OnTables(c, players);
        } else {
            status = vexari::ReadServerMessage(rest, used, message);
            if (status == ReadStatus::Complete) {
                if (kind == vexari::MSG_TABLES) OnTables(c, static_cast<std::int32_t>(message.tables.players.size()));
                else if (vexari::IsExtensionKind(kind)) Send(c, wells_.Take(c.index, message, used, now_, measuring_));
                else OnMessage(c, message);
            }
        }
        if (status == ReadStatus::Incomplete) break;
        if (status == ReadStatus::Invalid) {
            c.in.clear();
            MarkClosed(c, "invalid bytes from the server");
            return;
        }
        start += used;
    }
    c.in.erase(0, start);
}

void NetLoad::OnTables(Client& c, std::int32_t players) {
    if (measuring_) ++tablesMeasured_;
    if (c.index == 0) tablesPlayersSeenByFirst_ = players;
}

void NetLoad::OnMessage(Client& c, const ServerMessage& m) {
    switch (m.kind) {
        case vexari::MSG_JOIN:
            if (!c.joined) {
                c.joined = true;
                ++(c.spectator ? watchingCount_ : joinedCount_);
            }
            break;
        case vexari::MSG_REFUSE:
            failed_ = true;
            failure_ = "connection " + std::to_string(c.index) + " refused: " + m.text;
            break;
        case vexari::MSG_START:
            if (!c.started) {
                c.started = true;
                ++startedCount_;
            }
            break;
        case vexari::MSG_PRESENT:
            if (!measuring_ && measureEnd_ == Clock::time_point{}) break;
            ++presentsReceived_;
            presentRows_ += m.rows;
            if (waves_.empty()) {
                ++unmatchedPresents_;
                break;
            }
            latenciesMs_.push_back(Millis(now_ - waves_.front().sent));
            if (AfterIdleClose()) presentAfterIdleMs_.push_back(latenciesMs_.back());
            waveTimesMs_.push_back(Millis(waves_.front().sent - measureStart_));
            if (--waves_.front().missing == 0) waves_.pop_front();
            break;
        case vexari::MSG_FILLED:
            ++roundEnds_;  // the round ended: no landings should have been lost to it
            break;
        case vexari::MSG_TEXT:
            if (measuring_) ++textsMeasured_;
            if (c.index == 0 && m.text.rfind("load0: echo ", 0) == 0) {
                const long long seq = std::atoll(m.text.c_str() + 12);
                while (!echoesOut_.empty() && echoesOut_.front().first < seq) {
                    echoesOut_.pop_front();
                    ++echoesLost_;
                }
                if (!echoesOut_.empty() && echoesOut_.front().first == seq) {
                    echoMs_.push_back(Millis(now_ - echoesOut_.front().second));
                    if (AfterIdleClose()) echoAfterIdleMs_.push_back(echoMs_.back());
                    echoesOut_.pop_front();
                }
            }
            break;
        default:
            break;
    }
}

void NetLoad::Poll(Clock::time_point until) {
    epoll_event events[256];
    now_ = Clock::now();
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(until - now_).count();
    const int n = epoll_wait(epoll_, events, 256, static_cast<int>(std::max<long long>(0, wait)));
    now_ = Clock::now();
    for (int i = 0; i < n; ++i) {
        Client& c = clients_[events[i].data.u32];
        if (c.closed) continue;
        now_ = Clock::now();  // arrival time of this connection's bytes
        if (c.connecting && (events[i].events & (EPOLLOUT | EPOLLERR | EPOLLHUP))) {
            int error = 0;
            socklen_t length = sizeof error;
            getsockopt(c.fd, SOL_SOCKET, SO_ERROR, &error, &length);
            c.connecting = false;
            if (error != 0) {
                MarkClosed(c, std::strerror(error));
                continue;
            }
            c.connected = true;
        }
        if (events[i].events & (EPOLLIN | EPOLLHUP | EPOLLERR)) OnReadable(c);
        if (!c.closed) Flush(c);
    }
}

void NetLoad::SendWave(int landings) {
    Wave wave{now_, 0};
    for (int i = 0; i < landings; ++i) {
        // Round robin over the connections that are still open.
        for (int tries = 0; tries < config_.players; ++tries) {
            Client& c = clients_[static_cast<std::size_t>(nextLander_)];
            nextLander_ = (nextLander_ + 1) % config_.players;
            if (c.closed) continue;
            Send(c, vexari::EncodeLanded(5, 0, 2));
            if (config_.wells >= 0) Send(c, wells_.Report(c.index, now_));
            ++wave.missing;
            break;
        }
    }
    landingsSent_ += wave.missing;
    if (wave.missing > 0) waves_.push_back(wave);
}

void NetLoad::SendEcho() {
    if (clients_[0].closed) return;
    echoesOut_.emplace_back(++echoSeq_, now_);
    Send(clients_[0], vexari::EncodeText("echo " + std::to_string(echoSeq_)));
}

// Connections that never join nor read; they are not polled.
bool NetLoad::OpenIdle() {
    for (int i = 0; i < config_.idle; ++i) {
        const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0) return false;
        idleFds_.push_back(fd);
        if (connect(fd, reinterpret_cast<const sockaddr*>(&address_), sizeof address_) != 0 && errno != EINPROGRESS)
            return false;
    }
    const auto until = Clock::now() + std::chrono::seconds(1);  // for the server to accept them
    while (Clock::now() < until) Poll(until);
    return true;
}

void NetLoad::CloseIdle() {
    if (config_.serverPid > 0) rssBeforeCloseMb_ = ResidentMb(config_.serverPid);
    for (const int fd : idleFds_) close(fd);
    idleFds_.clear();
    idleClosed_ = Clock::now();
}

bool NetLoad::AfterIdleClose() const {
    return idleClosed_ != Clock::time_point{} && now_ - idleClosed_ < std::chrono::seconds(2);
}

int NetLoad::Run() {
    if (!Resolve()) {
        std::fprintf(stderr, "vexari-netload: cannot resolve %s\n", config_.host.c_str());
        return 1;
    }
    epoll_ = epoll_create1(EPOLL_CLOEXEC);
    for (std::size_t i = 0; i < clients_.size(); ++i) {
        clients_[i].index = static_cast<int>(i);
        clients_[i].spectator = wells_.IsSpectator(static_cast<int>(i));
    }

    if (config_.idle > 0 && !OpenIdle()) {
        std::fprintf(stderr, "vexari-netload: cannot open the idle connections: %s\n", std::strerror(errno));
        return 1;
    }
    // Setup: connect a few at a time (the server listens with a backlog of 5,
    // and a dropped handshake would cost seconds of retransmission), start,
    // then the spectators join the running round.
    const auto setupStart = Clock::now();
    const auto setupDeadline = setupStart + std::chrono::duration_cast<Clock::duration>(
                                                std::chrono::duration<double>(config_.setupTimeout));
    constexpr int kConnectWindow = 4;
    const int connections = static_cast<int>(clients_.size());
    while (!failed_ && (startedCount_ < config_.players || watchingCount_ < config_.spectators)) {
        const int opened = startedCount_ < config_.players ? config_.players : connections;
        while (connectsOpened_ < opened && connectsOpened_ - joinedCount_ - watchingCount_ < kConnectWindow) {
            Client& c = clients_[static_cast<std::size_t>(connectsOpened_++)];
            if (!OpenConnection(c)) {
                failed_ = true;
                failure_ = std::string("cannot open a connection: ") + std::strerror(errno);
                break;
            }
        }
        if (config_.sendStart && !startSent_ && joinedCount_ == config_.players &&
            tablesPlayersSeenByFirst_ >= config_.players) {
            Send(clients_[0], vexari::EncodeStartRequest(5));
            startSent_ = true;
        }
        if (Clock::now() > setupDeadline) {
            failed_ = true;
            failure_ = "setup timed out: " + std::to_string(joinedCount_) + " joined, " +
                       std::to_string(startedCount_) + " started, " + std::to_string(watchingCount_) + " watching";
            break;
        }
        Poll(std::min(setupDeadline, Clock::now() + std::chrono::milliseconds(100)));
    }
    if (failed_) {
        std::fprintf(stderr, "vexari-netload: %s\n", failure_.c_str());
        return 1;
    }
    const double setupSeconds = Seconds(Clock::now() - setupStart);
    std::fprintf(stderr,
                 "vexari-netload: %d players joined and started, %d spectators watch, in %.2f s; the tables list %d "
                 "connections\n",
                 config_.players, watchingCount_, setupSeconds, tablesPlayersSeenByFirst_);

    // Waves: landings are due at an even rate; every 10 ms the ones due go out.
    loadStart_ = LoadAverage();
    if (config_.serverPid > 0) serverCpuStart_ = ProcessCpuSeconds(config_.serverPid);
    ownCpuStart_ = OwnCpuSeconds();
    measuring_ = true;
    measureStart_ = now_ = Clock::now();
    for (Client& c : clients_) c.lastReceive = measureStart_;
    const auto period = std::chrono::milliseconds(10);
    const auto end = measureStart_ + std::chrono::duration_cast<Clock::duration>(
                                         std::chrono::duration<double>(config_.seconds));
    auto nextWave = measureStart_;
    long long due = 0;
    while (now_ < end) {
        if (now_ >= nextWave) {
            if (now_ - nextWave > std::chrono::milliseconds(5)) ++lateWaves_;
            const double elapsed = Seconds(now_ - measureStart_) + Seconds(period);
            due = static_cast<long long>(std::floor(elapsed * config_.rate));
            SendWave(static_cast<int>(due - landingsSent_));
            if ((config_.echo || config_.idle > 0) && ++echoWaves_ % 5 == 0) SendEcho();
            if (config_.serverPid > 0) rssPeakMb_ = std::max(rssPeakMb_, ResidentMb(config_.serverPid));
            if (!idleFds_.empty() && now_ - measureStart_ >= std::chrono::duration<double>(config_.idleCloseAt))
                CloseIdle();
            nextWave += period;
            if (nextWave < now_) nextWave = now_ + period;  // far behind: the next wave catches up
        }
        Poll(std::min(nextWave, end));
    }
    // Let the last presents arrive, up to two seconds.
    measureEnd_ = now_;
    const auto drainEnd = now_ + std::chrono::seconds(2);
    while (!waves_.empty() && now_ < drainEnd) Poll(drainEnd);
    const auto finished = now_;
    measuring_ = false;
    for (Client& c : clients_) {
        if (!c.closed) c.maxGapMs = std::max(c.maxGapMs, Millis(finished - c.lastReceive));
    }
    ownCpuEnd_ = OwnCpuSeconds();
    if (config_.serverPid > 0) serverCpuEnd_ = ProcessCpuSeconds(config_.serverPid);
    if (config_.serverPid > 0) rssEndMb_ = ResidentMb(config_.serverPid);
    echoesLost_ += static_cast<long long>(echoesOut_.size());
    loadEnd_ = LoadAverage();
    Report();
    for (Client& c : clients_) {
        if (c.fd >= 0) close(c.fd);
    }
    close(epoll_);
    for (const int fd : idleFds_) close(fd);
    return presentsReceived_ == landingsSent_ && unmatchedPresents_ == 0 && closedByServer_ == 0 && echoesLost_ == 0
               ? 0
               : 1;
}

void NetLoad::Report() {
    if (!config_.dumpFile.empty()) {
        std::ofstream dump(config_.dumpFile);
        for (std::size_t i = 0; i < latenciesMs_.size(); ++i) dump << waveTimesMs_[i] << ' ' << latenciesMs_[i] << '\n';
    }
    std::sort(latenciesMs_.begin(), latenciesMs_.end());
    const double p50 = Percentile(latenciesMs_, 0.50);
    const double p99 = Percentile(latenciesMs_, 0.99);
    const double max = latenciesMs_.empty() ? 0 : latenciesMs_.back();
    double maxGap = 0;
    int gapClient = 0;
    for (const Client& c : clients_) {
        if (c.maxGapMs > maxGap) {
            maxGap = c.maxGapMs;
            gapClient = c.index;
        }
    }
    const double measured = Seconds(measureEnd_ - measureStart_);
    const double serverCpu = serverCpuStart_ >= 0 && serverCpuEnd_ >= 0 ? serverCpuEnd_ - serverCpuStart_ : -1;
    std::printf(
        "players %d teams %d trace %d rate %.0f/s over %.1f s: landings %lld presents %lld, latency p50 %.2f ms "
        "p99 %.2f ms max %.2f ms, bytes %lld (%lld while measuring), largest gap %.1f ms (load%d), closed %d, "
        "server cpu %.2f s (-1: no --server-pid), own cpu %.2f s, load average %s -> %s\n",
        config_.players, config_.teams, config_.trace, config_.rate, measured, landingsSent_, presentsReceived_, p50,
        p99, max, bytesTotal_, bytesMeasured_, maxGap, gapClient, closedByServer_, serverCpu, ownCpuEnd_ - ownCpuStart_,
        loadStart_.c_str(), loadEnd_.c_str());
    std::printf(
        "{\"players\":%d,\"teams\":%d,\"trace\":%d,\"rate\":%.1f,\"seconds\":%.3f,\"landings_sent\":%lld,"
        "\"presents_received\":%lld,\"present_rows\":%lld,\"unmatched_presents\":%lld,\"p50_ms\":%.3f,"
        "\"p99_ms\":%.3f,\"max_ms\":%.3f,\"bytes_received\":%lld,\"bytes_measured\":%lld,\"tables_measured\":%lld,"
        "\"texts_measured\":%lld,\"max_gap_ms\":%.1f,\"closed_by_server\":%d,\"round_ends\":%lld,"
        "\"late_waves\":%lld,\"server_cpu_s\":%.3f,\"client_cpu_s\":%.3f,\"loadavg_start\":\"%s\","
        "\"loadavg_end\":\"%s\"}\n",
        config_.players, config_.teams, config_.trace, config_.rate, measured, landingsSent_, presentsReceived_,
        presentRows_, unmatchedPresents_, p50, p99, max, bytesTotal_, bytesMeasured_, tablesMeasured_,
        textsMeasured_, maxGap, closedByServer_, roundEnds_, lateWaves_, serverCpu, ownCpuEnd_ - ownCpuStart_,
        loadStart_.c_str(), loadEnd_.c_str());
    if (config_.wells >= 0) {
        std::vector<long long> received;
        for (const Client& c : clients_) received.push_back(c.bytesMeasured);
        wells_.Print(Seconds(measureEnd_ - measureStart_), received);
    }
    if (config_.echo || config_.idle > 0) {
        std::sort(echoMs_.begin(), echoMs_.end());
        std::sort(echoAfterIdleMs_.begin(), echoAfterIdleMs_.end());
        std::sort(presentAfterIdleMs_.begin(), presentAfterIdleMs_.end());
        const auto last = [](const std::vector<double>& v) { return v.empty() ? 0.0 : v.back(); };
        std::printf(
            "echoes %zu (lost %lld): p50 %.2f ms p99 %.2f ms max %.2f ms; idle %d closed at %.1f s: in the 2 s after, "
            "echo max %.2f ms (%zu), present max %.2f ms (%zu); server memory peak %.1f MB, before the close %.1f MB, "
            "at the end %.1f MB\n",
            echoMs_.size(), echoesLost_, Percentile(echoMs_, 0.5), Percentile(echoMs_, 0.99), last(echoMs_),
            config_.idle, config_.idleCloseAt, last(echoAfterIdleMs_), echoAfterIdleMs_.size(),
            last(presentAfterIdleMs_), presentAfterIdleMs_.size(), rssPeakMb_, rssBeforeCloseMb_, rssEndMb_);
    }
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const Config config = ParseArgs(argc, argv);
    NetLoad load(config);
    return load.Run();
}
