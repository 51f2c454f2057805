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
#include "game/Game.h"

namespace vexari {

const char* const kSimUsage =
    "Usage: vexari-sim [OPTIONS]\n"
    "       vexari-sim analyze FILE\n"
    "       vexari-sim verify FILE...\n"
    "       vexari-sim replay FILE [--trace]\n"
    "       vexari-sim tune [TUNE OPTIONS] --out FILE.dem\n"
    "Plays whole Vexari games with the computer player as fast as the machine\n"
    "allows, one line per game and a summary; analyses one position; checks\n"
    "recorded games; searches for stronger weights. Games start at level 5 with\n"
    "the level rising, and are repeated exactly by their seeds.\n"
    "\n"
    "  --games N          games to play (default 1)\n"
    "  --seed S           game g uses the seed S + g - 1 (default 1)\n"
    "  --height H         well height in rows, 19 to 25 (default 25); this is the\n"
    "                     game's own count, one more than the Skill dialog and\n"
    "                     vexari-server --height show\n"
    "  --weights FILE     the computer's eight weights from a *.dem file\n"
    "  --speed 0-9        the computer's speed (default 2)\n"
    "  --bottom-lines     a line rises from the bottom every 15 landings\n"
    "  --no-next          play without the next-figure hint\n"
    "  --max-pieces M     stop a game after M figures (default 100000)\n"
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
    "\n"
    "Tune options:\n"
    "  --generations G    generations of the search (default 20)\n"
    "  --population N     weight sets drawn per generation (default 20)\n"
    "  --games K          games each set plays, seeds S to S + K - 1 (default 4)\n"
    "  --height H, --max-pieces M, --seed S, --jobs J   as above\n"
    "  --start FILE.dem   weights to start from (default: the default weights)\n"
    "  --out FILE.dem     where the best centre so far is written (required)\n";

namespace {

SimArgsResult Fail(std::string message) { return {std::nullopt, std::move(message)}; }

}  // namespace

SimArgsResult ParseSimArgs(const std::vector<std::string>& args) {
    SimOptions o;
    if (!args.empty() && args[0] == "analyze") {
        if (args.size() != 2) return Fail("analyze takes exactly one file name");
        o.analyze = true;
        o.analyzeFile = args[1];
        return {o, {}};
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto value = [&]() -> const std::string* { return i + 1 < args.size() ? &args[++i] : nullptr; };
        if (a == "--bottom-lines") {
            o.bottomLines = true;
        } else if (a == "--no-next") {
            o.next = false;
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--trace") {
            o.trace = true;
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--games" || a == "--seed" || a == "--height" || a == "--speed" || a == "--max-pieces" ||
                   a == "--weights" || a == "--jobs") {
            const std::string* v = value();
            if (!v) return Fail(a + " needs a value");
            if (a == "--weights") {
                if (v->empty()) return Fail("--weights needs a file name");
                o.weightsFile = *v;
            } else if (a == "--games") {
                if (!ParseWhole(*v, o.games) || o.games < 1) return Fail("--games must be a whole number of at least 1");
            } else if (a == "--seed") {
                if (!ParseWhole(*v, o.seed)) return Fail("--seed must be a whole number from 0 to 4294967295");
            } else if (a == "--height") {
                if (!ParseWhole(*v, o.height) || o.height < kMinWellHeight || o.height > kMaxWellHeight)
                    return Fail("--height must be a whole number of rows from 19 to 25 (one more than the Skill dialog shows)");
            } else if (a == "--jobs") {
                if (!ParseWhole(*v, o.jobs) || o.jobs < 1) return Fail("--jobs must be a whole number of at least 1");
            } else if (a == "--speed") {
                if (!ParseWhole(*v, o.speed) || o.speed < 0 || o.speed > 9)
                    return Fail("--speed must be a whole number from 0 to 9");
            } else {
                if (!ParseWhole(*v, o.maxPieces) || o.maxPieces < 1)
                    return Fail("--max-pieces must be a whole number of at least 1");
            }
        } else if (a == "analyze") {
            return Fail("analyze must come first: vexari-sim analyze FILE");
        } else {
            return Fail("unknown argument: " + a);
        }
    }
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

constexpr std::uint32_t kTickMs = 55;

}  // namespace

struct Simulator::Impl {
    SimOptions options;
    Settings settings;
    Game game{settings};
    ComputerPlayer player{game};
    VirtualClock clock;
    LandingCounter landings;
};

Simulator::Simulator(const SimOptions& options, const DemoWeights& weights) : impl_(std::make_unique<Impl>()) {
    Impl& s = *impl_;
    s.options = options;
    s.settings.level = 5;
    s.settings.incLevel = 1;
    s.settings.next = options.next ? 1 : 0;
    s.settings.botLines = options.bottomLines ? 1 : 0;
    s.settings.height = options.height;
    s.settings.animate = options.animate ? 1 : 0;
    s.settings.demo = weights;
    Game::Hooks hooks;
    hooks.clock = &s.clock;
    hooks.computer = &s.player;
    s.game.SetHooks(hooks);
    s.game.AddListener(&s.landings);
}

Simulator::~Simulator() = default;

SimGameResult Simulator::Play(int g, const std::function<void(const SimLanding&)>& onLanding) {
    Impl& s = *impl_;
    GameRecord& r = s.game.record();

    // A new game seeded the way a network round is, then played under the
    // rules of a single-player game.
    r.networkGame = true;
    r.networkSeed = s.options.seed + static_cast<std::uint32_t>(g - 1);
    r.networkLevel = s.settings.level;
    s.game.ResetGame();
    r.networkGame = false;

    s.landings.Start(g, &onLanding);
    StartDemo(s.game);
    r.computerSpeed = s.options.speed;

    SimGameResult result;
    result.game = g;
    for (;;) {
        s.clock.now += kTickMs;
        s.game.Tick();
        s.player.Finish();  // the pauses between key presses take no time
        if (r.waitingForStart || !r.running) break;  // game over
        if (s.landings.last().n >= s.options.maxPieces) {
            result.capped = true;
            break;
        }
    }
    s.game.FinishAnimation();  // the end-of-game pictures take no time either
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

std::vector<SimGameResult> PlayGames(const SimOptions& options, const DemoWeights& weights, std::ostream& out) {
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

// ---------------------------------------------------------------------------
// The analyzer

namespace {

AnalyzeParseResult ParseFail(int line, const std::string& message) {
    return {std::nullopt, "line " + std::to_string(line) + ": " + message};
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

bool ParseNumber(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc{} && ptr == end && value == value;
}

}  // namespace

AnalyzeParseResult ParseAnalyzeInput(std::istream& in) {
    AnalyzeInput input;
    bool haveHeight = false;
    bool haveFigure = false;
    bool haveWeights = false;
    int lineNo = 0;
    std::string line;

    const auto readLine = [&]() -> bool {
        if (!std::getline(in, line)) return false;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return true;
    };

    // The header, up to the line "well".
    for (;;) {
        if (!readLine()) return ParseFail(lineNo, "missing the line \"well\"");
        const auto w = Words(line);
        if (w.empty()) continue;
        if (w[0] == "well") {
            if (w.size() != 1) return ParseFail(lineNo, "\"well\" stands alone on its line");
            break;
        }
        if (w[0] == "height") {
            if (haveHeight) return ParseFail(lineNo, "height given twice");
            if (w.size() != 2 || !ParseWhole(w[1], input.height) || input.height < kMinWellHeight ||
                input.height > kMaxWellHeight)
                return ParseFail(lineNo, "expected \"height H\" with H from 19 to 25");
            haveHeight = true;
        } else if (w[0] == "figure") {
            if (haveFigure) return ParseFail(lineNo, "figure given twice");
            if (w.size() != 4 || !ParseWhole(w[1], input.figure) || !ParseWhole(w[2], input.x) ||
                !ParseWhole(w[3], input.y))
                return ParseFail(lineNo, "expected \"figure F X Y\" with whole numbers");
            if (input.figure < 0 || input.figure >= kFigureCount)
                return ParseFail(lineNo, "figure index must be from 0 to 6");
            haveFigure = true;
        } else if (w[0] == "weights") {
            if (haveWeights) return ParseFail(lineNo, "weights given twice");
            if (w.size() != 1 + DemoWeights::kCriteria) return ParseFail(lineNo, "expected \"weights\" and 8 numbers");
            for (int i = 0; i < DemoWeights::kCriteria; ++i)
                if (!ParseNumber(w[static_cast<std::size_t>(i + 1)], input.weights[i]))
                    return ParseFail(lineNo, "weight \"" + w[static_cast<std::size_t>(i + 1)] + "\" is not a number");
            haveWeights = true;
        } else {
            return ParseFail(lineNo, "unknown line \"" + w[0] + "\"");
        }
    }
    if (!haveHeight) return ParseFail(lineNo, "missing \"height H\" before \"well\"");
    if (!haveFigure) return ParseFail(lineNo, "missing \"figure F X Y\" before \"well\"");

    const int h = input.height;
    input.well.Reset(h);
    for (int v = 0; v < h; ++v) {
        if (!readLine()) return ParseFail(lineNo, "the well needs " + std::to_string(h) + " rows, found " + std::to_string(v));
        if (line.size() != static_cast<std::size_t>(Well::kColumns))
            return ParseFail(lineNo, "a well row has exactly 10 cells");
        for (int u = 0; u < Well::kColumns; ++u) {
            const char c = line[static_cast<std::size_t>(u)];
            if (c == '.')
                input.well.at(u, v) = 0;
            else if (c == '#')
                input.well.at(u, v) = 1;
            else if (c >= '1' && c <= '7')
                input.well.at(u, v) = c - '0';
            else
                return ParseFail(lineNo, std::string("bad cell '") + c + "': use '.', '#' or 1 to 7");
        }
    }
    while (readLine())
        if (!Words(line).empty()) return ParseFail(lineNo, "more rows than the height " + std::to_string(h));

    // The figure has to stand where it is said to be, with its box above the floor.
    const FigureMask& mask = FigureTable()[static_cast<std::size_t>(input.figure)];
    if (input.y < 0 || input.y > h - 3 || input.x < -3 || input.x > Well::kColumns ||
        !FigureFits(input.well, mask, input.x, input.y))
        return {std::nullopt, "figure " + std::to_string(input.figure) + " does not fit at " + std::to_string(input.x) +
                                  " " + std::to_string(input.y)};
    return {input, {}};
}

std::string AnalyzeJson(const AnalyzeInput& input) {
    CandidateTable table;
    const FigureMask& mask = FigureTable()[static_cast<std::size_t>(input.figure)];
    const PlacementResult best =
        FindBestPlacement(input.well, input.height, mask, input.x, input.y, input.weights, table);

    std::ostringstream out;
    out << "{\"best\":{\"rotations\":" << best.rotations << ",\"offset\":" << best.offset << ",\"score\":" << best.score
        << "},\"old_hole_row\":" << OldHoleRow(input.well, input.height) << ",\"candidates\":[";
    // The candidates in search order: by rotation count, then offset.
    for (int r = 0; r < CandidateTable::kRotations; ++r)
        for (int k = CandidateTable::kMinOffset; k <= CandidateTable::kMaxOffset; ++k) {
            const int n = table.Find(r, k);
            if (n < 0) continue;
            const auto& c = table.criteria[static_cast<std::size_t>(n)];
            if (n > 0) out << ",";
            out << "{\"n\":" << n << ",\"rotations\":" << r << ",\"offset\":" << k << ",\"criteria\":[";
            for (int i = 0; i < DemoWeights::kCriteria; ++i) out << (i ? "," : "") << c[static_cast<std::size_t>(i)];
            out << "],\"score\":" << WeightedScore(c, input.weights) << "}";
        }
    out << "]}";
    return out.str();
}

}  // namespace vexari
