// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplayCommands.h"

#include <iostream>

#include "ai/Simulator.h"
#include "replay/ReplayCodec.h"
#include "replay/ReplayPlayer.h"

namespace vexari::sim {

namespace {

int Usage(const std::string& message) {
    std::cerr << "vexari-sim: " << message << "\n";
    return 2;
}

// Prints every landing as the simulator's trace does.
class TraceLandings final : public GameEvents {
public:
    void FigureLanded(const Landing& l) override {
        ++landing_.n;
        landing_.game = 1;
        std::tie(landing_.figure, landing_.x, landing_.y, landing_.removed) = std::tuple(l.figure, l.x, l.y, l.removed);
        std::tie(landing_.score, landing_.lines, landing_.stackTop) = std::tuple(l.score, l.lines, l.stackTop);
        std::cout << LandingJson(landing_) << "\n";
    }

private:
    SimLanding landing_;
};

std::string Result(const Replay& r) {
    return std::string(KindName(KindOf(r))) + " game of " + (r.player.empty() ? "(no name)" : r.player) + ", " +
           std::to_string(r.landings.size()) + " pieces, " + std::to_string(r.claims.lines) + " lines, score " +
           std::to_string(r.claims.score) + ", " + std::to_string(r.claims.ticks) + " ticks" +
           (r.claims.end == ReplayEnd::Filled ? "" : " (left before the well filled)");
}

}  // namespace

int Verify(const std::vector<std::string>& args) {
    if (args.empty()) return Usage("verify needs at least one file");
    for (const std::string& a : args)
        if (a.starts_with("--")) return Usage("unknown argument: " + a);
    int status = 0;
    for (const std::string& path : args) {
        const ReplayReadResult read = ReadReplayFile(path);
        if (!read.replay) {
            std::cout << path << ": " << read.error << "\n";
            status = 1;
            continue;
        }
        const ReplayVerdict verdict = VerifyReplay(*read.replay);
        if (verdict.ok) {
            std::cout << path << ": ok, " << Result(*read.replay) << "\n";
        } else {
            std::cout << path << ": does not verify: " << verdict.message << "\n";
            status = 1;
        }
    }
    return status;
}

int ReplayFile(const std::vector<std::string>& args) {
    std::string path;
    bool trace = false;
    for (const std::string& a : args) {
        if (a == "--trace") trace = true;
        else if (a.starts_with("--")) return Usage("unknown argument: " + a);
        else if (path.empty()) path = a;
        else return Usage("replay takes one file");
    }
    if (path.empty()) return Usage("replay needs a file");
    const ReplayReadResult read = ReadReplayFile(path);
    if (!read.replay) {
        std::cout << path << ": " << read.error << "\n";
        return 1;
    }
    ReplayPlayer player(*read.replay);
    TraceLandings tracer;
    if (trace) player.game().AddListener(&tracer);
    player.RunToEnd();
    player.game().RemoveListener(&tracer);
    const ReplayVerdict& verdict = player.Verdict();
    std::cout << Result(*read.replay) << "\n";
    if (!verdict.ok) std::cout << "does not verify: " << verdict.message << "\n";
    return verdict.ok ? 0 : 1;
}

}  // namespace vexari::sim
