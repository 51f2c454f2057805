// SPDX-License-Identifier: GPL-3.0-or-later
#include "ai/WeightsFile.h"

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

WeightValues DefaultWeightValues() { return DialogValuesFromWeights(ComputerWeights::Defaults()); }

SaveResult WriteWeightsFile(const std::string& path, const WeightValues& values) {
    std::string text;
    for (const int v : values) {
        text += std::to_string(v);
        text += "\r\n";
    }
    return WriteFileSafely(path, text);
}

int ParseWeightValues(std::istream& in, WeightValues& values) {
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

int ParseWeightValues(std::string_view text, WeightValues& values) {
    std::istringstream in{std::string(text)};
    return ParseWeightValues(in, values);
}

WeightsReadResult ReadWeightsFile(const std::string& path, WeightValues& values) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) return {};  // opens, but cannot be read
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return {true, ParseWeightValues(in, values)};
}

std::optional<WeightValues> ReadAllWeightValues(const std::string& path, std::string& error) {
    WeightValues values{};
    const WeightsReadResult read = ReadWeightsFile(path, values);
    if (!read.opened) {
        error = "cannot open " + path;
        return std::nullopt;
    }
    if (read.count != ComputerWeights::kCriteria) {
        error = path + ": expected " + std::to_string(ComputerWeights::kCriteria) + " whole numbers, found " +
                std::to_string(read.count);
        return std::nullopt;
    }
    return values;
}

void ScaleWeightsForDialog(ComputerWeights& weights) {
    double largest = 0;  // 0 when every weight is negative
    for (int i = 0; i < ComputerWeights::kCriteria; ++i)
        if (weights[i] > largest) largest = weights[i];
    if (!(largest > 1000)) return;
    for (int i = 0; i < ComputerWeights::kCriteria; ++i) weights[i] = weights[i] * 500 / largest;
}

WeightValues DialogValuesFromWeights(const ComputerWeights& weights) {
    WeightValues values{};
    for (int i = 0; i < ComputerWeights::kCriteria; ++i) values[static_cast<std::size_t>(i)] = TruncateToInt(weights[i]);
    return values;
}

void ApplyDialogValues(const WeightsDialogData& data, ComputerWeights& weights, bool& learnMode) {
    learnMode = data.learnMode;
    for (int i = 0; i < ComputerWeights::kCriteria; ++i) weights[i] = data.values[static_cast<std::size_t>(i)];
}

ComputerWeights WeightsFromValues(const WeightValues& values) {
    ComputerWeights weights;
    bool learnMode = false;  // not part of the values
    ApplyDialogValues({values, false}, weights, learnMode);
    return weights;
}

}  // namespace vexari
