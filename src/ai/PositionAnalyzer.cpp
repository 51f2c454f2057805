// SPDX-License-Identifier: GPL-3.0-or-later
#include "ai/PositionAnalyzer.h"

#include <sstream>
#include <vector>

#include "base/CommandLine.h"
#include "ai/Placement.h"
#include "game/Figures.h"

namespace vexari {

namespace {

AnalyzeParseResult ParseFail(int line, const std::string& message) {
    return {std::nullopt, "line " + std::to_string(line) + ": " + message};
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

bool ParseNumber(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc{} && ptr == end && value == value;
}

}  // namespace

AnalyzeParseResult ParseAnalyzeInput(std::istream& in) {
    AnalyzeInput input;
    bool haveHeight = false;
    bool haveFigure = false;
    bool haveWeights = false;
    int lineNo = 0;
    std::string line;

    const auto readLine = [&]() -> bool {
        if (!std::getline(in, line)) return false;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return true;
    };

    // The header, up to the line "well".
    for (;;) {
        if (!readLine()) return ParseFail(lineNo, "missing the line \"well\"");
        const auto w = Words(line);
        if (w.empty()) continue;
        if (w[0] == "well") {
            if (w.size() != 1) return ParseFail(lineNo, "\"well\" stands alone on its line");
            break;
        }
        if (w[0] == "height") {
            if (haveHeight) return ParseFail(lineNo, "height given twice");
            if (w.size() != 2 || !ParseWhole(w[1], input.height) || input.height < kMinWellHeight ||
                input.height > kMaxWellHeight)
                return ParseFail(lineNo, "expected \"height H\" with H from 19 to 25");
            haveHeight = true;
        } else if (w[0] == "figure") {
            if (haveFigure) return ParseFail(lineNo, "figure given twice");
            if (w.size() != 4 || !ParseWhole(w[1], input.figure) || !ParseWhole(w[2], input.x) ||
                !ParseWhole(w[3], input.y))
                return ParseFail(lineNo, "expected \"figure F X Y\" with whole numbers");
            if (input.figure < 0 || input.figure >= kFigureCount)
                return ParseFail(lineNo, "figure index must be from 0 to 6");
            haveFigure = true;
        } else if (w[0] == "weights") {
            if (haveWeights) return ParseFail(lineNo, "weights given twice");
            if (w.size() != 1 + ComputerWeights::kCriteria) return ParseFail(lineNo, "expected \"weights\" and 8 numbers");
            for (int i = 0; i < ComputerWeights::kCriteria; ++i)
                if (!ParseNumber(w[static_cast<std::size_t>(i + 1)], input.weights[i]))
                    return ParseFail(lineNo, "weight \"" + w[static_cast<std::size_t>(i + 1)] + "\" is not a number");
            haveWeights = true;
        } else {
            return ParseFail(lineNo, "unknown line \"" + w[0] + "\"");
        }
    }
    if (!haveHeight) return ParseFail(lineNo, "missing \"height H\" before \"well\"");
    if (!haveFigure) return ParseFail(lineNo, "missing \"figure F X Y\" before \"well\"");

    const int h = input.height;
    input.well.Reset(h);
    for (int v = 0; v < h; ++v) {
        if (!readLine()) return ParseFail(lineNo, "the well needs " + std::to_string(h) + " rows, found " + std::to_string(v));
        if (line.size() != static_cast<std::size_t>(Well::kColumns))
            return ParseFail(lineNo, "a well row has exactly 10 cells");
        for (int u = 0; u < Well::kColumns; ++u) {
            const char c = line[static_cast<std::size_t>(u)];
            if (c == '.')
                input.well.at(u, v) = 0;
            else if (c == '#')
                input.well.at(u, v) = 1;
            else if (c >= '1' && c <= '7')
                input.well.at(u, v) = c - '0';
            else
                return ParseFail(lineNo, std::string("bad cell '") + c + "': use '.', '#' or 1 to 7");
        }
    }
    while (readLine())
        if (!Words(line).empty()) return ParseFail(lineNo, "more rows than the height " + std::to_string(h));

    // The figure has to stand where it is said to be, with its box above the floor.
    const FigureMask& mask = FigureTable()[static_cast<std::size_t>(input.figure)];
    if (input.y < 0 || input.y > h - 3 || input.x < -3 || input.x > Well::kColumns ||
        !FigureFits(input.well, mask, input.x, input.y))
        return {std::nullopt, "figure " + std::to_string(input.figure) + " does not fit at " + std::to_string(input.x) +
                                  " " + std::to_string(input.y)};
    return {input, {}};
}

std::string AnalyzeJson(const AnalyzeInput& input) {
    CandidateTable table;
    const FigureMask& mask = FigureTable()[static_cast<std::size_t>(input.figure)];
    const PlacementResult best =
        FindBestPlacement(input.well, input.height, mask, input.x, input.y, input.weights, table);

    std::ostringstream out;
    out << "{\"best\":{\"rotations\":" << best.rotations << ",\"offset\":" << best.offset << ",\"score\":" << best.score
        << "},\"old_hole_row\":" << OldHoleRow(input.well, input.height) << ",\"candidates\":[";
    // The candidates in search order: by rotation count, then offset.
    for (int r = 0; r < CandidateTable::kRotations; ++r)
        for (int k = CandidateTable::kMinOffset; k <= CandidateTable::kMaxOffset; ++k) {
            const int n = table.Find(r, k);
            if (n < 0) continue;
            const auto& c = table.criteria[static_cast<std::size_t>(n)];
            if (n > 0) out << ",";
            out << "{\"n\":" << n << ",\"rotations\":" << r << ",\"offset\":" << k << ",\"criteria\":[";
            for (int i = 0; i < ComputerWeights::kCriteria; ++i) out << (i ? "," : "") << c[static_cast<std::size_t>(i)];
            out << "],\"score\":" << WeightedScore(c, input.weights) << "}";
        }
    out << "]}";
    return out.str();
}

}  // namespace vexari
