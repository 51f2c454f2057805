// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <istream>
#include <optional>
#include <string>

#include "game/Well.h"
#include "settings/Settings.h"

// `vexari-sim analyze`: one position read from a file, and what the search
// makes of it.
namespace vexari {

// A position for the analyzer:
//   height H
//   figure F X Y
//   weights w0 ... w7        (optional)
//   well
//   H rows, top to bottom: '.' empty, '#' or 1..7 filled
struct AnalyzeInput {
    int height = 25;
    int figure = 0;
    int x = 3;
    int y = 0;
    ComputerWeights weights;
    Well well;
};

struct AnalyzeParseResult {
    std::optional<AnalyzeInput> input;
    std::string error;
};

AnalyzeParseResult ParseAnalyzeInput(std::istream& in);

// The search on the position: the best placement, the old-hole row and every
// candidate in search order, as one JSON object.
std::string AnalyzeJson(const AnalyzeInput& input);

}  // namespace vexari
