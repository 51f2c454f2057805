// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "net/ServerAddress.h"

namespace vexari {

// What the program is asked to do at start, from the arguments Qt left.
struct StartArgs {
    std::string replayFile;              // play this recorded game
    std::optional<ServerAddress> watch;  // watch this network game
    bool help = false;
};

// Nothing, with a one-line `error`, for arguments it cannot read; the port
// of --watch is `defaultPort` unless given.
std::optional<StartArgs> ParseStartArgs(const std::vector<std::string>& args, int defaultPort, std::string& error);

}  // namespace vexari
