// SPDX-License-Identifier: GPL-3.0-or-later
// vexari-server: hosts a network game without a window. Every participant
// connects with its own copy of the game (or with vexari-bot); the texts the
// server sends to everyone are echoed on stdout.
#include <QCoreApplication>
#include <QDateTime>
#include <QSocketNotifier>
#include <QTimer>

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "base/CommandLine.h"
#include "base/ProgramVersion.h"
#include "base/TerminationSignalWake.h"
#include "game/GameRules.h"
#include "net/Codepage.h"
#include "net/GameClient.h"
#include "net/GameServer.h"
#include "netqt/QtServerTransport.h"
#include "settings/Settings.h"

namespace {

using vexari::NetOptions;

// The usage text, its ranges and defaults from the rules and the settings.
std::string Usage() {
    using vexari::UsageRange;
    const auto option = [](std::string_view text) { return vexari::UsageOption(text, 22); };
    const auto number = [](long long n) { return std::to_string(n); };
    const vexari::Settings defaults;
    const NetOptions options = vexari::OptionsFromSettings(defaults);
    return "Usage: vexari-server [options]\n"
           "Hosts a Vexari network game without a window; players join with the game's\n"
           "\"Join network game\" command or with vexari-bot. Texts sent to all players\n"
           "are printed on stdout; the first line is \"listening on port N\".\n"
           "\n" +
           option("--port N") + "TCP port to listen on, 0 picks a free one (default " + number(defaults.port) +
           ")\n" + option("--level " + UsageRange(vexari::kMinLevel, vexari::kMaxLevel)) +
           "start level of every round (default " + number(vexari::LevelOfFallPeriod(options.fallPeriod)) + ")\n" +
           option("--height " + UsageRange(vexari::kMinShownWellHeight, vexari::kMaxShownWellHeight)) +
           "well height as players enter it (default " + number(vexari::ShownWellHeight(options.height)) + ")\n" +
           option("--play-till N") +
           "the game ends after the round in which a team's total\n"
           "                      reaches N (default " +
           number(options.playTill) + ")\n" + option("--player-throw " + UsageRange(0, vexari::kMaxThrowMode)) +
           "how presents pick a player inside a team: 0 all,\n"
           "                      1 most strong, 2 most weak, 3 random, 4 random dispatch\n"
           "                      (default " +
           number(options.playerThrow) + ")\n" + option("--team-throw " + UsageRange(0, vexari::kMaxThrowMode)) +
           "how presents pick a team, the same values (default " + number(options.teamThrow) + ")\n" +
           option("--player-win N") + "factor of a player's round score for its team (default " +
           number(options.playerWinScores) + ")\n" + option("--team-win N") + "points per outlasted team (default " +
           number(options.teamWinScores) + ")\n" +
           option("--start-in " + UsageRange(0, vexari::kMaxCountdownSeconds)) +
           "seconds of countdown before a round starts (default " + number(options.countdownSeconds) + ")\n" +
           option("--trace 0|1") +
           "announce presents and send the tables after every landing\n"
           "                      (default " +
           number(options.traceMessages) + ")\n" + option("--autostart N") +
           "start a round whenever none runs and at least N players\n"
           "                      have joined (default: only when a player asks)\n" +
           option("--max-spectators N") +
           "spectators taken at most; one more is refused with\n"
           "                      \"Too many spectators\" (default " +
           number(vexari::GameServer::kDefaultMaxSpectators) + ")\n" + option("--help") + "show this text\n" +
           option("--version") +
           "show the version\n"
           "\n"
           "SIGINT, SIGTERM or SIGHUP closes every connection and exits with status 0; a\n"
           "second one ends the server at once.\n";
}

struct ServerArgs {
    int port = 7000;
    NetOptions options;
    int autostart = 0;  // 0: off
    int maxSpectators = static_cast<int>(vexari::GameServer::kDefaultMaxSpectators);
    bool help = false;
};

// Parses the arguments after the program name; on failure `error` holds one line.
std::optional<ServerArgs> ParseArgs(const std::vector<std::string>& args, std::string& error) {
    ServerArgs parsed;
    // Defaults: the NET section of fresh settings.
    parsed.options = vexari::OptionsFromSettings(vexari::Settings{});
    parsed.port = vexari::Settings{}.port;
    NetOptions& o = parsed.options;
    const bool ok =
        vexari::CommandLine()
            .Number("--port", parsed.port, 0, vexari::kMaxPort)
            .Number("--level", o.fallPeriod, vexari::kMinLevel, vexari::kMaxLevel, vexari::FallPeriodOfLevel<int>)
            .Number("--height", o.height, vexari::kMinShownWellHeight, vexari::kMaxShownWellHeight,
                    vexari::WellHeightOfShown<int>)
            .Number("--play-till", o.playTill, 0)
            .Number("--player-throw", o.playerThrow, 0, vexari::kMaxThrowMode)
            .Number("--team-throw", o.teamThrow, 0, vexari::kMaxThrowMode)
            .Number("--player-win", o.playerWinScores, 0)
            .Number("--team-win", o.teamWinScores, 0)
            .Number("--start-in", o.countdownSeconds, 0, vexari::kMaxCountdownSeconds)
            .Number("--trace", o.traceMessages, 0, 1)
            .Number("--autostart", parsed.autostart, 1, vexari::GameServer::kMaxConnections)
            .Number("--max-spectators", parsed.maxSpectators, 0, vexari::GameServer::kMaxConnections)
            .Parse(args, parsed.help, error);
    if (!ok) return std::nullopt;
    return parsed;
}

// Standard output that never holds the server up: lines wait in a bounded
// buffer while a thread of their own writes them out. When the reader of
// stdout falls behind (a pipe nobody reads, a terminal stopped with Ctrl+S)
// and the buffer is full, lines are dropped and counted; once output flows
// again one line says how many.
class LogOutput {
public:
    static constexpr std::size_t kMaxBuffered = std::size_t{1} << 20;

    LogOutput() : thread_([this] { Run(); }) {}

    void Print(std::string_view text) {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            if (buffer_.size() + text.size() > kMaxBuffered) {
                ++dropped_;
                return;
            }
            buffer_.append(text);
        }
        wake_.notify_one();
    }

    // Gives the writer until `deadline` to write what is buffered; true when
    // it has finished. Otherwise the writer is left blocked where it is, and
    // must outlive the process' own exit.
    bool Finish(std::chrono::steady_clock::time_point deadline) {
        std::unique_lock<std::mutex> lock(mutex_);
        stop_ = true;
        wake_.notify_one();
        if (!done_.wait_until(lock, deadline, [this] { return finished_; })) {
            thread_.detach();
            return false;
        }
        lock.unlock();
        thread_.join();
        return true;
    }

private:
    void Run() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stop_ || !buffer_.empty(); });
            if (buffer_.empty()) break;  // stopping, and all is written
            std::string out;
            out.swap(buffer_);
            lock.unlock();
            const bool written = WriteAll(out);
            lock.lock();
            if (!written) break;  // stdout is gone: nothing will ever flow again
            if (dropped_ > 0) {
                buffer_.insert(0, "vexari-server: " + std::to_string(dropped_) +
                                      " lines of output dropped: standard output did not keep up\n");
                dropped_ = 0;
            }
        }
        finished_ = true;
        done_.notify_all();
    }

    static bool WriteAll(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }

    std::mutex mutex_;
    std::condition_variable wake_, done_;
    std::string buffer_;
    std::uint64_t dropped_ = 0;
    bool stop_ = false;
    bool finished_ = false;
    std::thread thread_;  // last: starts once the rest is ready
};

// Never destroyed: a writer blocked in its write at exit still refers to it.
LogOutput& Log() {
    static LogOutput* const log = new LogOutput;
    return *log;
}

void PrintLine(const std::string& text) { Log().Print(text); }

// Texts to all players, echoed on stdout with plain newlines.
class EchoObserver final : public vexari::ServerObserver {
public:
    explicit EchoObserver(std::function<void()> onJoin) : onJoin_(std::move(onJoin)) {}

    void PlayerJoined() override { onJoin_(); }
    void TextToAll(std::string_view text) override { PrintLine(vexari::TerminalLines(vexari::Cp1252ToUtf8(text))); }

private:
    std::function<void()> onJoin_;
};

}  // namespace

int main(int argc, char* argv[]) {
    if (vexari::PrintVersionIfAsked(argc, argv, "vexari-server")) return 0;
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const std::optional<ServerArgs> parsed = ParseArgs(args, error);
    if (!parsed) {
        std::fprintf(stderr, "vexari-server: %s\n", error.c_str());
        return 2;
    }
    if (parsed->help) {
        std::fputs(Usage().c_str(), stdout);
        return 0;
    }
    // A reader of stdout that goes away must not end the server.
    std::signal(SIGPIPE, SIG_IGN);
    const vexari::TerminationSignalWake termination;
    if (!termination.Installed()) {
        std::perror("vexari-server: signal handlers");
        return 1;
    }

    QCoreApplication app(argc, argv);
    vexari::QtServerTransport transport;
    vexari::GameServer server(transport, vexari::BuildVersion().value_or(vexari::VersionQuad{}), [] { return QDateTime::currentSecsSinceEpoch(); });
    // Checked at each join and each tick, so rounds follow one another.
    const int autostart = parsed->autostart;
    auto checkAutostart = [&server, autostart] {
        if (autostart > 0 && !server.RoundRunning() && server.Countdown() < 0 &&
            server.JoinedCount() >= static_cast<std::size_t>(autostart))
            server.StartCountdown();
    };
    EchoObserver echo(checkAutostart);
    server.SetObserver(&echo);
    server.SetOptions(parsed->options);
    server.SetMaxSpectators(static_cast<std::size_t>(parsed->maxSpectators));
    transport.SetServer(&server);
    QObject::connect(&transport, &vexari::QtServerTransport::acceptFailed, [] {
        std::fputs("vexari-server: Error accepting socket\n", stderr);
    });

    if (!transport.Listen(static_cast<std::uint16_t>(parsed->port))) {
        std::fputs("Cannot create server socket\n", stderr);
        return 1;
    }
    PrintLine("listening on port " + std::to_string(transport.Port()) + "\n");

    QTimer second;
    QObject::connect(&second, &QTimer::timeout, [&] {
        server.ServerTick();
        checkAutostart();
    });
    second.start(vexari::kServerSecondMs);

    QSocketNotifier signalNotifier(termination.WakeFd(), QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, [&] {
        termination.Drain();
        signalNotifier.setEnabled(false);
        second.stop();
        transport.StopListening();
        server.CloseServer();
        // Let the last sends and closes reach the sockets before leaving.
        QTimer::singleShot(100, &app, &QCoreApplication::quit);
    });

    const int status = app.exec();
    server.SetObserver(nullptr);
    transport.SetServer(nullptr);
    // The last lines get a moment to go out; a stdout that takes nothing
    // does not keep the server from ending.
    if (!Log().Finish(std::chrono::steady_clock::now() + std::chrono::milliseconds(500))) std::_Exit(status);
    return status;
}
