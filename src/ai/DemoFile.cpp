// SPDX-License-Identifier: GPL-3.0-or-later
#include "ai/DemoFile.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <limits>
#include <system_error>

namespace vexari {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Truncates toward zero, keeping the result within the range of int.
int TruncateToInt(double value) {
    if (!(value == value)) return 0;
    const double t = std::trunc(value);
    if (t >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (t <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(t);
}

}  // namespace

DemoValues DefaultDemoValues() { return DialogValuesFromWeights(DemoWeights::Defaults()); }

SaveResult WriteDemoFile(const std::string& path, const DemoValues& values) {
    std::string text;
    for (const int v : values) {
        text += std::to_string(v);
        text += "\r\n";
    }
    return WriteFileSafely(path, text);
}

int ParseDemoValues(std::istream& in, DemoValues& values) {
    int count = 0;
    while (count < static_cast<int>(values.size())) {
        int c = in.peek();
        while (c != EOF && IsSpace(static_cast<char>(c))) {
            in.get();
            c = in.peek();
        }
        bool negative = false;
        if (c == '+' || c == '-') {
            negative = c == '-';
            in.get();
            c = in.peek();
        }
        if (c == EOF || c < '0' || c > '9') break;  // not a whole number: stop here
        long long magnitude = 0;
        for (; c != EOF && c >= '0' && c <= '9'; c = in.peek()) {
            in.get();
            if (magnitude <= std::numeric_limits<int>::max()) magnitude = magnitude * 10 + (c - '0');
        }
        // A number too large for an int is kept at the nearest end of its range.
        const long long value = negative ? -magnitude : magnitude;
        values[static_cast<std::size_t>(count++)] = static_cast<int>(
            value < std::numeric_limits<int>::min()   ? std::numeric_limits<int>::min()
            : value > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                      : value);
    }
    return count;
}

int ParseDemoValues(std::string_view text, DemoValues& values) {
    std::istringstream in{std::string(text)};
    return ParseDemoValues(in, values);
}

DemoReadResult ReadDemoFile(const std::string& path, DemoValues& values) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) return {};  // opens, but cannot be read
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return {true, ParseDemoValues(in, values)};
}

void ScaleWeightsForDialog(DemoWeights& weights) {
    double largest = 0;  // 0 when every weight is negative
    for (int i = 0; i < DemoWeights::kCriteria; ++i)
        if (weights[i] > largest) largest = weights[i];
    if (!(largest > 1000)) return;
    for (int i = 0; i < DemoWeights::kCriteria; ++i) weights[i] = weights[i] * 500 / largest;
}

DemoValues DialogValuesFromWeights(const DemoWeights& weights) {
    DemoValues values{};
    for (int i = 0; i < DemoWeights::kCriteria; ++i) values[static_cast<std::size_t>(i)] = TruncateToInt(weights[i]);
    return values;
}

void ApplyDialogValues(const DemoDialogData& data, DemoWeights& weights, bool& learnMode) {
    learnMode = data.learnMode;
    for (int i = 0; i < DemoWeights::kCriteria; ++i) weights[i] = data.values[static_cast<std::size_t>(i)];
}

}  // namespace vexari
