// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartArgs.h"

#include "base/CommandLine.h"

namespace vexari {

std::optional<StartArgs> ParseStartArgs(const std::vector<std::string>& args, int defaultPort, std::string& error) {
    StartArgs parsed;
    std::string watch;
    if (!CommandLine().Text("--watch", watch, true).Operand(parsed.replayFile).Parse(args, parsed.help, error))
        return std::nullopt;
    if (parsed.help || watch.empty()) return parsed;
    parsed.watch = ParseServerAddress(watch, defaultPort);
    if (!parsed.watch) error = "--watch: expected HOST or HOST:PORT (port 1 to 65535), got \"" + watch + "\"";
    else if (!parsed.replayFile.empty()) error = "--watch and a replay file exclude each other";
    if (!error.empty()) return std::nullopt;
    return parsed;
}

}  // namespace vexari
