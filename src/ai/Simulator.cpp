// SPDX-License-Identifier: GPL-3.0-or-later
#include "ai/Simulator.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <sstream>
#include <thread>

#include "ai/ComputerPlayer.h"
#include "base/CommandLine.h"
#include "game/Game.h"
#include "game/GameRules.h"
#include "game/GameRunner.h"

namespace vexari {

std::string SimUsage() {
    const auto option = [](std::string_view text) { return UsageOption(text, 21); };
    const auto number = [](long long n) { return std::to_string(n); };
    const SimOptions defaults;
    return "Usage: vexari-sim [OPTIONS]\n"
           "       vexari-sim analyze FILE\n"
           "       vexari-sim verify FILE...\n"
           "       vexari-sim replay FILE [--trace]\n"
           "       vexari-sim tune [TUNE OPTIONS] --out FILE.dem\n"
           "Plays whole Vexari games with the computer player as fast as the machine\n"
           "allows, one line per game and a summary; analyses one position; checks\n"
           "recorded games; searches for stronger weights. Games start at level " +
           number(LevelOfFallPeriod(Settings{}.fallPeriod)) +
           " with\n"
           "the level rising, and are repeated exactly by their seeds.\n"
           "\n"
           "  --games N          games to play (default " +
           number(defaults.games) +
           ")\n"
           "  --seed S           game g uses the seed S + g - 1 (default " +
           number(defaults.seed) +
           ")\n"
           "  --height H         well height in rows, " +
           number(kMinWellHeight) + " to " + number(kMaxWellHeight) + " (default " + number(defaults.height) +
           "); this is the\n"
           "                     game's own count, one more than the Skill dialog and\n"
           "                     vexari-server --height show\n"
           "  --weights FILE     the computer's eight weights from a *.dem file\n" +
           option("--speed " + UsageRange(kMinComputerSpeed, kMaxComputerSpeed)) + "the computer's speed (default " +
           number(defaults.speed) + ")\n" + option("--bottom-lines") + "a line rises from the bottom every " +
           number(kLandingsPerBottomLine) +
           " landings\n"
           "  --no-next          play without the next-figure hint\n"
           "  --max-pieces M     stop a game after M figures (default " +
           number(defaults.maxPieces) +
           ")\n"
           "  --json             one JSON object per game instead of text\n"
           "  --trace            one JSON line per landing before each game's line\n"
           "  --jobs J           games played at once on J threads (default: one per\n"
           "                     core); the output is the same for any J\n"
           "  --help             show this text\n"
           "  --version          show the version\n"
           "\n"
           "analyze FILE: one placement search on the position in FILE, as JSON.\n"
           "verify FILE...: replays each recorded game and checks its score, lines\n"
           "and well; exit status 1 at the first that does not match.\n"
           "replay FILE: plays a recorded game, with --trace figure by figure.\n"
           "\n";
}

SimArgsResult ParseSimArgs(const std::vector<std::string>& args) {
    SimOptions o;
    if (!args.empty() && args[0] == "analyze") {
        if (args.size() != 2) return {std::nullopt, "analyze takes exactly one file name"};
        o.analyze = true;
        o.analyzeFile = args[1];
        return {o, {}};
    }
    bool noNext = false;
    std::string error;
    const bool parsed = CommandLine()
                            .Number("--games", o.games, 1)
                            .Number("--seed", o.seed)
                            .Number("--height", o.height, kMinWellHeight, kMaxWellHeight)
                            .Text("--weights", o.weightsFile, true)
                            .Number("--speed", o.speed, kMinComputerSpeed, kMaxComputerSpeed)
                            .Flag("--bottom-lines", o.bottomLines)
                            .Flag("--no-next", noNext)
                            .Number("--max-pieces", o.maxPieces, 1)
                            .Flag("--json", o.json)
                            .Flag("--trace", o.trace)
                            .Number("--jobs", o.jobs, 1)
                            .Parse(args, o.help, error);
    if (!parsed && std::find(args.begin(), args.end(), "analyze") != args.end())
        return {std::nullopt, "analyze must come first: vexari-sim analyze FILE"};
    if (!parsed) return {std::nullopt, error};
    o.next = !noNext;
    return {o, {}};
}

// ---------------------------------------------------------------------------
// Playing games

namespace {

// Time stands still unless the simulator moves it.
class VirtualClock final : public GameClock {
public:
    std::uint32_t now = 0;
    std::int64_t Seconds() override { return 0; }
    std::uint32_t TickCount() override { return now; }
};

// Counts the landings of one game as the game reports them.
class LandingCounter final : public GameEvents {
public:
    void Start(int game, const std::function<void(const SimLanding&)>* onLanding) {
        landing_ = SimLanding{};
        landing_.game = game;
        onLanding_ = onLanding;
    }
    const SimLanding& last() const { return landing_; }

    void FigureLanded(const Landing& l) override {
        ++landing_.n;
        static_cast<Landing&>(landing_) = l;
        if (onLanding_ && *onLanding_) (*onLanding_)(landing_);
    }

private:
    SimLanding landing_;
    const std::function<void(const SimLanding&)>* onLanding_ = nullptr;
};

}  // namespace

struct Simulator::Impl {
    SimOptions options;
    Settings settings;
    Game game{settings};
    ComputerPlayer player{game};
    VirtualClock clock;
    GameRunner runner{game, clock};
    LandingCounter landings;
};

Simulator::Simulator(const SimOptions& options, const ComputerWeights& weights) : impl_(std::make_unique<Impl>()) {
    Impl& s = *impl_;
    s.options = options;
    s.settings.fallPeriod = 5;
    s.settings.incLevel = 1;
    s.settings.next = options.next ? 1 : 0;
    s.settings.botLines = options.bottomLines ? 1 : 0;
    s.settings.height = options.height;
    s.settings.animate = options.animate ? 1 : 0;
    s.settings.weights = weights;
    s.game.SetHooks({.clock = &s.clock, .computer = &s.player});
    s.game.AddListener(&s.landings);
}

Simulator::~Simulator() = default;

SimGameResult Simulator::Play(int g, const std::function<void(const SimLanding&)>& onLanding) {
    Impl& s = *impl_;
    const GameRecord& r = s.game.record();

    // A new game seeded the way a network round is, then played under the
    // rules of a single-player game.
    s.game.ResetWithSeed(s.options.seed + static_cast<std::uint32_t>(g - 1));
    s.landings.Start(g, &onLanding);
    s.game.SwitchComputerOn(s.options.speed);

    SimGameResult result;
    result.game = g;
    for (;;) {
        s.clock.now += kTickMs;
        s.runner.Tick();
        s.runner.FinishPendingWork();  // the computer's pauses and the pictures take no time
        if (r.waitingForStart || !r.running) break;  // game over
        if (s.landings.last().n >= s.options.maxPieces) {
            result.capped = true;
            break;
        }
    }
    const SimLanding& last = s.landings.last();
    result.pieces = last.n;
    result.lines = last.lines;
    result.score = last.score;
    return result;
}

// ---------------------------------------------------------------------------
// Playing many games

namespace {

// Plays game `g` and returns its report lines.
std::string PlayGameLines(Simulator& simulator, const SimOptions& options, int g, SimGameResult& result) {
    std::string lines;
    const auto onLanding = [&lines](const SimLanding& landing) {
        lines += LandingJson(landing);
        lines += '\n';
    };
    result = options.trace ? simulator.Play(g, onLanding) : simulator.Play(g);
    lines += options.json ? GameResultJson(result) : GameResultText(result);
    lines += '\n';
    return lines;
}

}  // namespace

int SimJobs(const SimOptions& options) {
    if (options.jobs > 0) return options.jobs;
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

std::vector<SimGameResult> PlayGames(const SimOptions& options, const ComputerWeights& weights, std::ostream& out) {
    const int games = options.games;
    std::vector<SimGameResult> results(static_cast<std::size_t>(std::max(games, 0)));
    const int jobs = std::min(SimJobs(options), games);
    if (jobs <= 1) {
        Simulator simulator(options, weights);
        for (int g = 1; g <= games; ++g)
            out << PlayGameLines(simulator, options, g, results[static_cast<std::size_t>(g - 1)]) << std::flush;
        return results;
    }

    // Each thread takes the next game not yet taken; this thread writes the
    // finished games' lines in game order as soon as each one's turn comes.
    struct Finished {
        std::string lines;
        bool done = false;
    };
    std::vector<Finished> finished(results.size());
    std::mutex mutex;
    std::condition_variable gameDone;
    std::atomic<int> nextGame{0};
    const auto work = [&] {
        Simulator simulator(options, weights);
        for (int i = nextGame++; i < games; i = nextGame++) {
            const auto slot = static_cast<std::size_t>(i);
            SimGameResult result;
            std::string lines = PlayGameLines(simulator, options, i + 1, result);
            const std::lock_guard lock(mutex);
            results[slot] = result;
            finished[slot] = {std::move(lines), true};
            gameDone.notify_one();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(static_cast<std::size_t>(jobs));
    for (int t = 0; t < jobs; ++t) threads.emplace_back(work);
    for (auto& game : finished) {
        std::string lines;
        {
            std::unique_lock lock(mutex);
            gameDone.wait(lock, [&game] { return game.done; });
            lines.swap(game.lines);
        }
        out << lines << std::flush;
    }
    for (auto& thread : threads) thread.join();
    return results;
}

// ---------------------------------------------------------------------------
// Reports

namespace {

std::string Format(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

}  // namespace

std::string LandingJson(const SimLanding& l) {
    std::ostringstream out;
    out << "{\"game\":" << l.game << ",\"n\":" << l.n << ",\"figure\":" << l.figure << ",\"x\":" << l.x
        << ",\"y\":" << l.y << ",\"removed\":" << l.removed << ",\"score\":" << l.score << ",\"lines\":" << l.lines
        << ",\"stack_top\":" << l.stackTop << "}";
    return out.str();
}

std::string GameResultJson(const SimGameResult& r) {
    std::ostringstream out;
    out << "{\"game\":" << r.game << ",\"pieces\":" << r.pieces << ",\"lines\":" << r.lines << ",\"score\":" << r.score
        << ",\"capped\":" << (r.capped ? "true" : "false") << "}";
    return out.str();
}

std::string GameResultText(const SimGameResult& r) {
    std::ostringstream out;
    out << "game " << r.game << ": " << r.pieces << " pieces, " << r.lines << " lines, score " << r.score;
    if (r.capped) out << " (stopped at the piece limit)";
    return out.str();
}

SimSummary Summarize(const std::vector<SimGameResult>& results, double seconds) {
    SimSummary s;
    s.games = static_cast<int>(results.size());
    if (results.empty()) return s;
    std::vector<std::int32_t> lines;
    double lineSum = 0;
    double scoreSum = 0;
    double pieces = 0;
    for (const auto& r : results) {
        lines.push_back(r.lines);
        lineSum += r.lines;
        scoreSum += r.score;
        pieces += static_cast<double>(r.pieces);
    }
    std::sort(lines.begin(), lines.end());
    const std::size_t n = lines.size();
    s.medianLines = n % 2 ? lines[n / 2] : (static_cast<double>(lines[n / 2 - 1]) + lines[n / 2]) / 2;
    s.maxLines = lines.back();
    s.meanLines = lineSum / static_cast<double>(n);
    s.meanScore = scoreSum / static_cast<double>(n);
    s.piecesPerSecond = seconds > 0 ? pieces / seconds : 0;
    return s;
}

std::string SummaryJson(const SimSummary& s) {
    return "{\"summary\":{\"games\":" + std::to_string(s.games) + ",\"mean_lines\":" + Format("%.2f", s.meanLines) +
           ",\"median_lines\":" + Format("%.1f", s.medianLines) + ",\"max_lines\":" + std::to_string(s.maxLines) +
           ",\"mean_score\":" + Format("%.2f", s.meanScore) +
           ",\"pieces_per_second\":" + Format("%.0f", s.piecesPerSecond) + "}}";
}

std::string SummaryText(const SimSummary& s) {
    return std::to_string(s.games) + (s.games == 1 ? " game" : " games") + ": mean " + Format("%.2f", s.meanLines) +
           " lines, median " + Format("%.1f", s.medianLines) + ", max " + std::to_string(s.maxLines) +
           ", mean score " + Format("%.2f", s.meanScore) + ", " + Format("%.0f", s.piecesPerSecond) + " pieces/s";
}

}  // namespace vexari
