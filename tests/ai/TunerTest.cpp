// SPDX-License-Identifier: GPL-3.0-or-later
#include "ai/Tuner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace vexari {
namespace {

// A quadratic with its optimum at `target`. The last weight starts and has
// its optimum beyond the bounds, so the search must stay at the bound.
TEST(CrossEntropyTuner, MeanMovesToTheOptimumWithinTheBounds) {
    const std::array<double, 8> target{30, -10, 5, 50, 0, 12, 3, 1050};
    bool inBounds = true;
    const TuneEvaluate quadratic = [&](const std::vector<WeightValues>& candidates) {
        std::vector<double> scores;
        for (const WeightValues& c : candidates) {
            double s = 0;
            for (std::size_t k = 0; k < c.size(); ++k) {
                inBounds = inBounds && c[k] >= kTuneWeightMin && c[k] <= kTuneWeightMax;
                s -= (c[k] - target[k]) * (c[k] - target[k]);
            }
            scores.push_back(s);
        }
        return scores;
    };
    WeightValues start = DefaultWeightValues();
    start[7] = 5000;
    // After one generation the only centre scored is the start, within the bounds.
    EXPECT_EQ(CrossEntropyTuner(start, 20, 7).Step(quadratic).bestEver, (WeightValues{41, 5, 0, 7, 1, 1, 1, 1000}));
    CrossEntropyTuner tuner(start, 20, 7);
    TuneGeneration g;
    for (int i = 0; i < 25; ++i) g = tuner.Step(quadratic);
    EXPECT_TRUE(inBounds);
    for (std::size_t k = 0; k < 7; ++k) EXPECT_NEAR(tuner.mean()[k], target[k], 3.0) << "weight " << k;
    EXPECT_NEAR(tuner.mean()[7], kTuneWeightMax, 3.0);
    EXPECT_GE(tuner.deviation()[0], CrossEntropyTuner::kDeviationFloor);
    // The result is the best-scoring centre, not the luckiest sample: near
    // the optimum, and scored no worse than the last centre.
    for (std::size_t k = 0; k < 7; ++k) EXPECT_NEAR(g.bestEver[k], target[k], 3.0) << "weight " << k;
    EXPECT_GE(g.bestEverLines, g.centreLines);
    EXPECT_EQ(g.generation, 25);
}

TEST(TuneProgress, LineFormat) {
    TuneGeneration g;
    g.generation = 2;
    g.bestLines = 812.5;
    g.meanLines = 301.25;
    g.centreLines = 650;
    g.mean = {41, 5.04, 0, -7.26, 1, 1, 1, 1};
    EXPECT_EQ(TuneProgressLine(g, 5, 20.0),
              "gen 2/5  best 812.5  mean 301.2  centre 650.0  weights 41.0 5.0 0.0 -7.3 1.0 1.0 1.0 1.0  elapsed 20s  "
              "left 30s");
}

std::string TempFile(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("vexari-tuner-" + name)).string();
}

// The best weights are on disk after every generation, and the same run on
// one or two threads prints the same figures and writes the same file.
TEST(RunTune, WritesTheBestAfterEachGenerationTheSameForAnyThreads) {
    std::vector<std::pair<WeightValues, WeightValues>> files;  // after the first generation, at the end
    std::vector<std::string> progress;
    for (const int jobs : {1, 2}) {
        TuneOptions o;
        o.generations = 2;
        o.population = 4;
        o.games = 1;
        o.maxPieces = 50;
        o.seed = 3;
        o.jobs = jobs;
        o.outFile = TempFile("out" + std::to_string(jobs) + ".dem");
        std::filesystem::remove(o.outFile);

        int calls = 0;
        WeightValues afterFirst{};
        int readAfterFirst = 0;
        const TuneEvaluate playing = [&](const std::vector<WeightValues>& candidates) {
            if (++calls == 2) readAfterFirst = ReadWeightsFile(o.outFile, afterFirst).count;
            return PlayCandidates(o, candidates);
        };
        std::ostringstream out;
        ASSERT_EQ(RunTune(o, DefaultWeightValues(), out, playing), "");
        EXPECT_EQ(readAfterFirst, 8);
        WeightValues best{};
        EXPECT_EQ(ReadWeightsFile(o.outFile, best).count, 8);
        std::filesystem::remove(o.outFile);

        // One line a generation (its format is pinned above); the times
        // aside, the same for any thread count.
        std::istringstream text(out.str());
        std::string figures;
        for (int gen = 1; gen <= 2; ++gen) {
            std::string line;
            ASSERT_TRUE(std::getline(text, line));
            EXPECT_EQ(line.rfind("gen " + std::to_string(gen) + "/2  best ", 0), 0u) << line;
            figures += line.substr(0, line.find("  elapsed")) + "\n";
        }
        std::string extra;
        EXPECT_FALSE(std::getline(text, extra)) << extra;
        files.emplace_back(afterFirst, best);
        progress.push_back(figures);
    }
    EXPECT_EQ(files[0], files[1]);
    EXPECT_EQ(progress[0], progress[1]);
}

}  // namespace
}  // namespace vexari
