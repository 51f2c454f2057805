// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the computer player's placement search and of whole simulated games.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "ai/Placement.h"
#include "ai/Simulator.h"

namespace {

using vexari::CandidateTable;
using vexari::ComputerWeights;
using vexari::FigureMask;
using vexari::FigureTable;
using vexari::Well;

// A well of height 25 whose bottom rows are given top to bottom.
Well Bottom(const std::vector<std::string>& rows) {
    Well w;
    w.Reset(25);
    int v = 25 - static_cast<int>(rows.size());
    for (const auto& row : rows) {
        for (int u = 0; u < 10; ++u) w.at(u, v) = row[static_cast<std::size_t>(u)] == '.' ? 0 : 1;
        ++v;
    }
    return w;
}

Well EmptyWell() { return Bottom({}); }

Well RaggedWell() {
    return Bottom({
        "......#...",
        "#.....##..",
        "##...###.#",
        "###.####.#",
        "########.#",
        "#########.",
    });
}

Well TallWellWithHoles() {
    return Bottom({
        "....#.....",
        "...###....",
        "#..####.#.",
        "##.#.####.",
        "####.#####",
        "#.######.#",
        "##.#######",
        "####.#####",
        "#######.##",
        "#.########",
        "######.###",
        "###.######",
        "########.#",
        ".#########",
        "#####.####",
        "##.#######",
    });
}

void Search(benchmark::State& state, const Well& well) {
    const ComputerWeights weights;
    CandidateTable table;
    int figure = 0;
    for (auto _ : state) {
        const FigureMask& mask = FigureTable()[static_cast<std::size_t>(figure)];
        benchmark::DoNotOptimize(vexari::FindBestPlacement(well, 25, mask, 3, 1, weights, table));
        figure = (figure + 1) % vexari::kFigureCount;
    }
}

void BM_SearchEmptyWell(benchmark::State& state) { Search(state, EmptyWell()); }
void BM_SearchRaggedWell(benchmark::State& state) { Search(state, RaggedWell()); }
void BM_SearchTallWellWithHoles(benchmark::State& state) { Search(state, TallWellWithHoles()); }

// One whole game of the simulator per iteration; reports pieces per second.
void BM_SimulatedGame(benchmark::State& state) {
    vexari::SimOptions options;
    options.maxPieces = 20000;
    vexari::Simulator simulator(options, ComputerWeights::Defaults());
    std::int64_t pieces = 0;
    for (auto _ : state) {
        const vexari::SimGameResult r = simulator.Play(1);
        pieces += r.pieces;
    }
    state.counters["pieces/s"] = benchmark::Counter(static_cast<double>(pieces), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_SearchEmptyWell);
BENCHMARK(BM_SearchRaggedWell);
BENCHMARK(BM_SearchTallWellWithHoles);
BENCHMARK(BM_SimulatedGame)->Unit(benchmark::kMillisecond);

}  // namespace
