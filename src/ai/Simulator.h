// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ai/Placement.h"
#include "ai/PositionAnalyzer.h"
#include "game/GameHooks.h"
#include "game/GameRules.h"
#include "game/Well.h"
#include "settings/Settings.h"

namespace vexari {

// Command line of the simulator:
//   vexari-sim [--games N] [--seed S] [--height H] [--weights FILE.dem] [--speed SPEED]
//              [--bottom-lines] [--no-next] [--max-pieces M] [--json] [--trace] [--jobs J]
//   vexari-sim analyze FILE
// Where a game stops when the well does not fill first: the simulator's and
// the weight search's default.
inline constexpr std::int64_t kDefaultMaxPieces = 100000;

struct SimOptions {
    bool analyze = false;
    std::string analyzeFile;

    int games = 1;
    std::uint32_t seed = 1;  // game g uses seed + g - 1 for figures and bottom lines
    int height = kMaxWellHeight;
    std::string weightsFile;  // empty: the default weights
    int speed = kDefaultComputerSpeed;
    bool bottomLines = false;
    bool next = true;
    std::int64_t maxPieces = kDefaultMaxPieces;
    bool json = false;
    bool trace = false;
    int jobs = 0;  // threads playing the games; 0: one per core
    bool animate = false;  // the game's animation setting (changes no result)
    bool help = false;
};

struct SimArgsResult {
    std::optional<SimOptions> options;
    std::string error;  // one line, when options is empty
};

// Parses the arguments after the program name.
SimArgsResult ParseSimArgs(const std::vector<std::string>& args);

// The usage text of vexari-sim, up to the tune options (TuneUsage()).
std::string SimUsage();

// One landing of a simulated game, as the game reports it, and which.
struct SimLanding : Landing {
    int game = 0;
    std::int64_t n = 0;  // landings so far in this game, from 1
};

struct SimGameResult {
    int game = 0;
    std::int64_t pieces = 0;
    std::int32_t lines = 0;
    std::int32_t score = 0;
    bool capped = false;  // stopped at the piece limit
};

// Plays whole games with the computer player through the game's own timer
// ticks and key handling, on a virtual clock: the computer's pauses between
// key presses and the end-of-game animation take no time, nothing is drawn
// and the high-score table is not shown.
class Simulator {
public:
    Simulator(const SimOptions& options, const ComputerWeights& weights);
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Plays game `g` (from 1). `onLanding`, if set, sees every landing.
    SimGameResult Play(int g, const std::function<void(const SimLanding&)>& onLanding = {});

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The number of threads `PlayGames` uses: options.jobs, or one per core when
// that is 0 (at least 1).
int SimJobs(const SimOptions& options);

// Plays games 1 to options.games on SimJobs(options) threads, each with its own
// simulator, and writes each game's lines to `out` in game order: its trace
// if asked for, then its result line. Each game's lines are written whole, so
// the output is the same for any number of threads. Returns the results in
// game order.
std::vector<SimGameResult> PlayGames(const SimOptions& options, const ComputerWeights& weights, std::ostream& out);

// Formats the report lines of the simulator.
std::string LandingJson(const SimLanding& landing);
std::string GameResultJson(const SimGameResult& result);
std::string GameResultText(const SimGameResult& result);

struct SimSummary {
    int games = 0;
    double meanLines = 0;
    double medianLines = 0;
    std::int32_t maxLines = 0;
    double meanScore = 0;
    double piecesPerSecond = 0;
};
SimSummary Summarize(const std::vector<SimGameResult>& results, double seconds);
std::string SummaryJson(const SimSummary& summary);
std::string SummaryText(const SimSummary& summary);

}  // namespace vexari
