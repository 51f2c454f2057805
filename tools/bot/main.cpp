// SPDX-License-Identifier: GPL-3.0-or-later
// vexari-bot: computer players of a network game, without a window, at the
// game's real pace. Each player runs the same game, computer player and
// network client as the window does.
#include <QCoreApplication>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "BotPlayer.h"
#include "Watcher.h"
#include "ai/WeightsFile.h"
#include "base/CommandLine.h"
#include "base/ProgramVersion.h"

namespace {

using vexari::bot::BotEvent;
using vexari::bot::BotPlayer;

constexpr int kMaxCount = 100;

// The usage text, its ranges and defaults from the rules and the settings.
std::string Usage() {
    const auto option = [](std::string_view text) { return vexari::UsageOption(text, 21); };
    return "Usage: vexari-bot --server HOST --name NAME [options]\n"
           "Joins a Vexari network game with computer players and plays its rounds.\n"
           "Texts from the server are printed on stdout, and a line\n"
           "\"NAME received a N-line present\" for every present that arrives.\n"
           "\n"
           "  --server HOST      address or name of the server (required)\n"
           "  --port N           server port (default " +
           std::to_string(vexari::Settings{}.port) +
           ")\n"
           "  --name NAME        player name (required); with --count the players are\n"
           "                     NAME1 .. NAMEC\n"
           "  --team TEAM        team name (default: each player's own name)\n" +
           option("--speed " + vexari::UsageRange(vexari::kMinComputerSpeed, vexari::kMaxComputerSpeed)) +
           "the computer's speed (default " + std::to_string(vexari::kDefaultComputerSpeed) +
           ")\n"
           "  --rounds K         leave after K rounds have ended (default: stay until the\n"
           "                     server closes)\n"
           "  --count C          run C players in this process (default 1)\n"
           "  --weights FILE     the computer's eight weights from a demo-parameters file\n"
           "                     (*.dem: eight whole numbers), e.g. to field a weak player\n"
           "  --record DIR       keep a replay of every game in DIR (the newest " +
           std::to_string(vexari::ReplayLibrary::kKeptNewest) +
           ")\n"
           "  --watch            watch instead of playing: join as the spectator NAME\n"
           "                     and print one line per change of a player's well,\n"
           "                     \"PLAYER (TEAM): R rows of H: ROW/ROW/...\" (the rows from\n"
           "                     the bottom, '.' empty, else the colour 1-7); --rounds\n"
           "                     counts the rounds seen end\n"
           "  --help             show this text\n"
           "  --version          show the version\n"
           "\n"
           "Exit status: 0 after the rounds or when the server closes, 1 when refused,\n"
           "the server cannot be reached or (--watch) cannot be watched, 2 for a bad\n"
           "option.\n";
}

struct BotArgs {
    std::string server;
    int port = vexari::Settings{}.port;
    std::string name;
    std::string team;
    int speed = vexari::kDefaultComputerSpeed;
    int rounds = 0;  // 0: until the server closes
    int count = 1;
    std::string weightsFile;
    std::string recordDir;
    bool watch = false;
    bool help = false;
};

std::optional<BotArgs> ParseArgs(const std::vector<std::string>& args, std::string& error) {
    BotArgs parsed;
    const bool ok = vexari::CommandLine()
                        .Number("--port", parsed.port, 1, vexari::kMaxPort)
                        .Number("--speed", parsed.speed, vexari::kMinComputerSpeed, vexari::kMaxComputerSpeed)
                        .Number("--rounds", parsed.rounds, 1)
                        .Number("--count", parsed.count, 1, kMaxCount)
                        .Flag("--watch", parsed.watch)
                        .Text("--server", parsed.server)
                        .Text("--name", parsed.name)
                        .Text("--team", parsed.team)
                        .Text("--weights", parsed.weightsFile)
                        .Text("--record", parsed.recordDir)
                        .Parse(args, parsed.help, error);
    if (!ok) return std::nullopt;
    if (parsed.help) return parsed;
    if (parsed.server.empty()) error = "--server HOST is required";
    else if (parsed.name.empty()) error = "--name NAME is required";
    if (!error.empty()) return std::nullopt;
    return parsed;
}

// The weights of a demo-parameters file, or an error text.
std::optional<vexari::ComputerWeights> LoadWeights(const std::string& path, std::string& error) {
    const std::optional<vexari::WeightValues> values = vexari::ReadAllWeightValues(path, error);
    if (!values) {
        error = "--weights: " + error;
        return std::nullopt;
    }
    return vexari::WeightsFromValues(*values);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (vexari::PrintVersionIfAsked(argc, argv, "vexari-bot")) return 0;
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const std::optional<BotArgs> parsed = ParseArgs(args, error);
    std::optional<vexari::ComputerWeights> weights = vexari::ComputerWeights::Defaults();
    if (parsed && !parsed->help && !parsed->weightsFile.empty()) weights = LoadWeights(parsed->weightsFile, error);
    if (!parsed || !weights) {
        std::fprintf(stderr, "vexari-bot: %s\n", error.c_str());
        return 2;
    }
    if (parsed->help) {
        std::fputs(Usage().c_str(), stdout);
        return 0;
    }

    QCoreApplication app(argc, argv);
    const vexari::VersionQuad version = vexari::BuildVersion().value_or(vexari::VersionQuad{});
    if (parsed->watch) {
        vexari::bot::Watcher watcher(parsed->server, parsed->port, parsed->name, parsed->rounds, version,
                                     [](int status) { QCoreApplication::exit(status); });
        watcher.Connect();
        return app.exec();
    }
    std::vector<std::unique_ptr<BotPlayer>> players;
    int closed = 0;
    bool leaving = false;

    auto leave = [&](int status) {
        if (leaving) return;
        leaving = true;
        for (auto& player : players) player->Stop();
        QCoreApplication::exit(status);
    };
    auto onEvent = [&](BotPlayer& player, BotEvent event, const std::string& text) {
        switch (event) {
        case BotEvent::RoundEnded: {
            if (parsed->rounds == 0) return;
            bool done = true;
            for (const auto& each : players) done = done && each->RoundsEnded() >= parsed->rounds;
            if (done) leave(0);
            return;
        }
        case BotEvent::ServerClosed:
            if (++closed == static_cast<int>(players.size())) leave(0);
            return;
        case BotEvent::Failed:
            if (parsed->count > 1)
                std::fprintf(stderr, "%s: %s\n", player.Name().c_str(), text.c_str());
            else
                std::fprintf(stderr, "%s\n", text.c_str());
            leave(1);
            return;
        }
    };

    for (int i = 1; i <= parsed->count; ++i) {
        vexari::bot::PlayerConfig config;
        config.name = parsed->count > 1 ? parsed->name + std::to_string(i) : parsed->name;
        config.team = parsed->team;
        config.server = parsed->server;
        config.port = parsed->port;
        config.speed = parsed->speed;
        config.weights = *weights;
        config.recordDir = parsed->recordDir;
        if (parsed->count > 1) config.outputPrefix = config.name + ": ";
        players.push_back(std::make_unique<BotPlayer>(config, version, onEvent));
    }
    for (auto& player : players) player->Connect();
    return app.exec();
}
