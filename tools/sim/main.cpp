// SPDX-License-Identifier: GPL-3.0-or-later
// vexari-sim: plays games with the computer player, or analyses one position.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "ai/WeightsFile.h"
#include "ai/Simulator.h"
#include "base/ProgramVersion.h"
#include "ai/Tuner.h"
#include "ReplayCommands.h"

namespace {

std::string Usage() { return vexari::SimUsage() + vexari::TuneUsage(); }

int Error(const std::string& message) {
    std::cerr << "vexari-sim: " << message << "\n";
    return 2;
}

int Analyze(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Error("cannot open " + path);
    const vexari::AnalyzeParseResult parsed = vexari::ParseAnalyzeInput(in);
    if (!parsed.input) return Error(path + ": " + parsed.error);
    std::cout << vexari::AnalyzeJson(*parsed.input) << "\n";
    return 0;
}

int Tune(const std::vector<std::string>& args) {
    const vexari::TuneArgsResult parsed = vexari::ParseTuneArgs(args);
    if (!parsed.options) return Error(parsed.error);
    const vexari::TuneOptions& options = *parsed.options;
    if (options.help) {
        std::cout << Usage();
        return 0;
    }
    vexari::WeightValues start = vexari::DefaultWeightValues();
    if (!options.startFile.empty()) {
        std::string error;
        const std::optional<vexari::WeightValues> read = vexari::ReadAllWeightValues(options.startFile, error);
        if (!read) return Error(error);
        start = *read;
    }
    const std::string error = vexari::RunTune(options, start, std::cout);
    return error.empty() ? 0 : Error(error);
}

}  // namespace

int main(int argc, char** argv) {
    if (vexari::PrintVersionIfAsked(argc, argv, "vexari-sim")) return 0;
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "tune") return Tune({args.begin() + 1, args.end()});
    if (!args.empty() && args[0] == "verify") return vexari::sim::Verify({args.begin() + 1, args.end()});
    if (!args.empty() && args[0] == "replay") return vexari::sim::ReplayFile({args.begin() + 1, args.end()});
    const vexari::SimArgsResult parsed = vexari::ParseSimArgs(args);
    if (!parsed.options) return Error(parsed.error);
    const vexari::SimOptions& options = *parsed.options;
    if (options.help) {
        std::cout << Usage();
        return 0;
    }
    if (options.analyze) return Analyze(options.analyzeFile);

    vexari::ComputerWeights weights = vexari::ComputerWeights::Defaults();
    if (!options.weightsFile.empty()) {
        std::string error;
        const std::optional<vexari::WeightValues> read = vexari::ReadAllWeightValues(options.weightsFile, error);
        if (!read) return Error(error);
        weights = vexari::WeightsFromValues(*read);
    }

    const auto start = std::chrono::steady_clock::now();
    const std::vector<vexari::SimGameResult> results = vexari::PlayGames(options, weights, std::cout);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const vexari::SimSummary summary = vexari::Summarize(results, seconds);
    std::cout << (options.json ? vexari::SummaryJson(summary) : vexari::SummaryText(summary)) << "\n";
    return 0;
}
