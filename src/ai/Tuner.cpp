// SPDX-License-Identifier: GPL-3.0-or-later
#include "ai/Tuner.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <ostream>
#include <thread>

#include "ai/Simulator.h"
#include "base/CommandLine.h"
#include "game/Well.h"

namespace vexari {

namespace {

constexpr int kCriteria = ComputerWeights::kCriteria;

}  // namespace

TuneArgsResult ParseTuneArgs(const std::vector<std::string>& args) {
    TuneOptions o;
    std::string error;
    const bool parsed = CommandLine()
                            .Number("--generations", o.generations, 1)
                            .Number("--population", o.population, 2)
                            .Number("--games", o.games, 1)
                            .Number("--height", o.height, kMinWellHeight, kMaxWellHeight)
                            .Number("--max-pieces", o.maxPieces, 1)
                            .Number("--seed", o.seed)
                            .Number("--jobs", o.jobs, 1)
                            .Text("--start", o.startFile, true)
                            .Text("--out", o.outFile, true)
                            .Parse(args, o.help, error);
    if (!parsed) return {std::nullopt, error};
    if (!o.help && o.outFile.empty()) return {std::nullopt, "tune needs --out FILE.dem"};
    return {o, {}};
}

std::string TuneUsage() {
    const auto number = [](long long n) { return std::to_string(n); };
    const TuneOptions defaults;
    return "Tune options:\n"
           "  --generations G    generations of the search (default " +
           number(defaults.generations) +
           ")\n"
           "  --population N     weight sets drawn per generation (default " +
           number(defaults.population) +
           ")\n"
           "  --games K          games each set plays, seeds S to S + K - 1 (default " +
           number(defaults.games) +
           ")\n"
           "  --height H, --max-pieces M, --seed S, --jobs J   as above\n"
           "  --start FILE.dem   weights to start from (default: the default weights)\n"
           "  --out FILE.dem     where the best centre so far is written (required)\n";
}

// ---------------------------------------------------------------------------
// The search

namespace {

// A sampled or mean weight as a candidate takes it: rounded, within the bounds.
int Bounded(double weight) {
    return static_cast<int>(std::clamp(std::round(weight), double{kTuneWeightMin}, double{kTuneWeightMax}));
}

}  // namespace

CrossEntropyTuner::CrossEntropyTuner(const WeightValues& start, int population, std::uint32_t seed)
    : population_(population), random_(seed) {
    for (int i = 0; i < kCriteria; ++i) {
        const auto k = static_cast<std::size_t>(i);
        mean_[k] = std::clamp(start[k], kTuneWeightMin, kTuneWeightMax);
        deviation_[k] = std::max(kStartDeviation, std::abs(mean_[k]) / 2);
    }
}

int CrossEntropyTuner::EliteCount(int population) { return std::max(1, (population + 2) / 5); }

TuneGeneration CrossEntropyTuner::Step(const TuneEvaluate& evaluate) {
    // The sampled candidates, and last the centre they were drawn around.
    std::vector<WeightValues> candidates(static_cast<std::size_t>(population_) + 1);
    const auto sampled = static_cast<std::size_t>(population_);
    for (std::size_t i = 0; i < sampled; ++i) {
        for (std::size_t k = 0; k < mean_.size(); ++k) {
            std::normal_distribution<double> normal(mean_[k], deviation_[k]);
            candidates[i][k] = Bounded(normal(random_));
        }
    }
    for (std::size_t k = 0; k < mean_.size(); ++k) candidates[sampled][k] = Bounded(mean_[k]);
    const std::vector<double> scores = evaluate(candidates);

    // Best first; equal scores keep the sampling order so the result does not
    // depend on the sort's implementation.
    std::vector<std::size_t> order(sampled);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return scores[a] > scores[b]; });

    const auto elite = static_cast<std::size_t>(EliteCount(population_));
    for (std::size_t k = 0; k < mean_.size(); ++k) {
        double sum = 0;
        for (std::size_t e = 0; e < elite; ++e) sum += candidates[order[e]][k];
        const double m = sum / static_cast<double>(elite);
        double squares = 0;
        for (std::size_t e = 0; e < elite; ++e) squares += (candidates[order[e]][k] - m) * (candidates[order[e]][k] - m);
        mean_[k] = m;
        deviation_[k] = std::sqrt(squares / static_cast<double>(elite)) + kDeviationFloor;
    }

    TuneGeneration g;
    g.generation = ++generation_;
    g.bestLines = scores[order[0]];
    g.meanLines = std::accumulate(scores.begin(), scores.begin() + static_cast<std::ptrdiff_t>(sampled), 0.0) /
                  static_cast<double>(sampled);
    g.centreLines = scores[sampled];
    g.mean = mean_;
    if (scores[sampled] > bestEverLines_) {
        bestEverLines_ = scores[sampled];
        bestEver_ = candidates[sampled];
    }
    g.bestEver = bestEver_;
    g.bestEverLines = bestEverLines_;
    return g;
}

// ---------------------------------------------------------------------------
// Playing the candidates' games

std::vector<double> PlayCandidates(const TuneOptions& options, const std::vector<WeightValues>& candidates) {
    SimOptions sim;
    sim.games = options.games;
    sim.seed = options.seed;
    sim.height = options.height;
    sim.maxPieces = options.maxPieces;
    sim.jobs = options.jobs;

    // One task per candidate and game; each result has its own slot, so the
    // sums do not depend on which thread played what.
    const int games = options.games;
    const int tasks = static_cast<int>(candidates.size()) * games;
    std::vector<std::int64_t> lines(static_cast<std::size_t>(tasks));
    std::atomic<int> next{0};
    const auto work = [&] {
        for (int t = next++; t < tasks; t = next++) {
            Simulator simulator(sim, WeightsFromValues(candidates[static_cast<std::size_t>(t / games)]));
            lines[static_cast<std::size_t>(t)] = simulator.Play(t % games + 1).lines;
        }
    };
    const int jobs = std::min(SimJobs(sim), tasks);
    if (jobs <= 1) {
        work();
    } else {
        std::vector<std::thread> threads;
        threads.reserve(static_cast<std::size_t>(jobs));
        for (int j = 0; j < jobs; ++j) threads.emplace_back(work);
        for (auto& thread : threads) thread.join();
    }

    std::vector<double> means(candidates.size());
    for (std::size_t c = 0; c < candidates.size(); ++c) {
        std::int64_t sum = 0;
        for (int g = 0; g < games; ++g) sum += lines[c * static_cast<std::size_t>(games) + static_cast<std::size_t>(g)];
        means[c] = static_cast<double>(sum) / games;
    }
    return means;
}

// ---------------------------------------------------------------------------
// Progress and the whole run

std::string TuneProgressLine(const TuneGeneration& g, int generations, double elapsedSeconds) {
    std::string line;
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "gen %d/%d  best %.1f  mean %.1f  centre %.1f  weights", g.generation,
                  generations, g.bestLines, g.meanLines, g.centreLines);
    line += buffer;
    for (const double w : g.mean) {
        std::snprintf(buffer, sizeof buffer, " %.1f", w);
        line += buffer;
    }
    const double left = g.generation > 0 ? elapsedSeconds / g.generation * (generations - g.generation) : 0;
    std::snprintf(buffer, sizeof buffer, "  elapsed %.0fs  left %.0fs", elapsedSeconds, left);
    line += buffer;
    return line;
}

std::string RunTune(const TuneOptions& options, const WeightValues& start, std::ostream& progress,
                    const TuneEvaluate& evaluate) {
    const TuneEvaluate play = evaluate ? evaluate : [&options](const std::vector<WeightValues>& candidates) {
        return PlayCandidates(options, candidates);
    };
    CrossEntropyTuner tuner(start, options.population, options.seed);
    const auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < options.generations; ++i) {
        const TuneGeneration g = tuner.Step(play);
        const SaveResult saved = WriteWeightsFile(options.outFile, g.bestEver);
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        progress << TuneProgressLine(g, options.generations, elapsed) << std::endl;
        if (!saved) return "cannot write " + options.outFile + ": " + saved.reason;
    }
    return {};
}

}  // namespace vexari
