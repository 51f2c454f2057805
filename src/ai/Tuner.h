// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "ai/Simulator.h"
#include "ai/WeightsFile.h"

namespace vexari {

// Command line of the weight search:
//   vexari-sim tune [--generations G] [--population N] [--games K] [--height H] [--max-pieces M]
//                   [--seed S] [--jobs J] [--start FILE.dem] --out FILE.dem
struct TuneOptions {
    int generations = 20;
    int population = 20;
    int games = 4;
    int height = kMaxWellHeight;
    std::int64_t maxPieces = kDefaultMaxPieces;
    std::uint32_t seed = 1;  // candidates play games with seeds S to S + K - 1
    int jobs = 0;            // 0: one thread per core
    std::string startFile;   // empty: start from the default weights
    std::string outFile;
    bool help = false;
};

struct TuneArgsResult {
    std::optional<TuneOptions> options;
    std::string error;  // one line, when options is empty
};

// Parses the arguments after "tune".
TuneArgsResult ParseTuneArgs(const std::vector<std::string>& args);
// The tune options' part of vexari-sim's usage text.
std::string TuneUsage();

// The weights the search tries stay within these bounds: whole numbers the
// Demo parameters dialog shows as they are (it scales weights down only when
// the largest exceeds 1000).
constexpr int kTuneWeightMin = -1000;
constexpr int kTuneWeightMax = 1000;

// The evaluation of one generation: a score (mean lines) per candidate, in
// the candidates' order.
using TuneEvaluate = std::function<std::vector<double>(const std::vector<WeightValues>& candidates)>;

struct TuneGeneration {
    int generation = 0;  // from 1
    double bestLines = 0;  // best and mean score of this generation's sampled candidates
    double meanLines = 0;
    double centreLines = 0;  // score of the centre they were drawn around
    std::array<double, ComputerWeights::kCriteria> mean{};  // the distribution after the update
    WeightValues bestEver{};  // the best-scoring centre so far
    double bestEverLines = 0;
};

// Gaussian cross-entropy search over the eight weights: every generation
// samples `population` candidates from a normal distribution per weight
// (rounded to whole numbers within the bounds above), scores them, and moves
// each weight's mean and standard deviation to those of the best fifth.
//
// The centre of the distribution (its means, rounded) is scored with them,
// and the best-scoring centre is the result. The best single candidate would
// be a poor one: games' line counts scatter widely, so the top score of a
// generation is mostly luck, and such a pick cleared about half the lines
// of the centre on fresh games.
class CrossEntropyTuner {
public:
    // Each weight starts with a spread of half its size, at least this much,
    // so the first generations stay near the start, whose scale they keep.
    static constexpr double kStartDeviation = 5.0;
    static constexpr double kDeviationFloor = 1.0;  // keeps the search from freezing

    CrossEntropyTuner(const WeightValues& start, int population, std::uint32_t seed);

    TuneGeneration Step(const TuneEvaluate& evaluate);

    const std::array<double, ComputerWeights::kCriteria>& mean() const { return mean_; }
    const std::array<double, ComputerWeights::kCriteria>& deviation() const { return deviation_; }
    static int EliteCount(int population);

private:
    std::array<double, ComputerWeights::kCriteria> mean_{};
    std::array<double, ComputerWeights::kCriteria> deviation_{};
    int population_;
    int generation_ = 0;
    std::mt19937 random_;
    WeightValues bestEver_{};
    double bestEverLines_ = -std::numeric_limits<double>::infinity();
};

// Mean lines of each candidate over games with seeds options.seed to
// options.seed + options.games - 1, played on SimJobs threads; the same for
// any number of threads.
std::vector<double> PlayCandidates(const TuneOptions& options, const std::vector<WeightValues>& candidates);

// "gen 3/20  best 812.5  mean 301.2  centre 650.0  weights 40.1 5.3 ...  elapsed 12s  left 68s"
std::string TuneProgressLine(const TuneGeneration& g, int generations, double elapsedSeconds);

// Runs the whole search with real games, printing a progress line per
// generation to `progress` and writing the best weights so far to
// options.outFile after each one. Returns an error line, or empty.
std::string RunTune(const TuneOptions& options, const WeightValues& start, std::ostream& progress,
                    const TuneEvaluate& evaluate = {});

}  // namespace vexari
