// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

#include "settings/SafeFile.h"
#include "settings/Settings.h"

namespace vexari {

// The eight weights as the Demo parameters dialog and the *.dem files hold
// them: whole numbers in the order HOLE, MINHOLE, HEIGHT, ILLLINE, ILL2LINE,
// SURFACE, YFIGURE, GREED.
using WeightValues = std::array<int, ComputerWeights::kCriteria>;

// What the dialog exchanges: the eight values and the learn-mode check box.
struct WeightsDialogData {
    WeightValues values{};
    bool learnMode = false;

    friend bool operator==(const WeightsDialogData&, const WeightsDialogData&) = default;
};

// The default weights as whole numbers: 41, 5, 0, 7, 1, 1, 1, 1.
WeightValues DefaultWeightValues();

// Writes the eight values, each followed by CR LF, through WriteFileSafely.
SaveResult WriteWeightsFile(const std::string& path, const WeightValues& values);

struct WeightsReadResult {
    bool opened = false;  // false: the file could not be opened, nothing read
    int count = 0;        // how many of the eight values were read
};

// Reads up to eight whole numbers separated by any white space into
// `values`, stopping at the end of the file or at the first item that is not
// a whole number; the values not read keep their contents.
WeightsReadResult ReadWeightsFile(const std::string& path, WeightValues& values);
// A file named on a command line: all eight values, or nothing and an error
// line ("cannot open PATH", "PATH: expected 8 whole numbers, found N").
std::optional<WeightValues> ReadAllWeightValues(const std::string& path, std::string& error);
// The same reading from a stream or from text in memory; returns the count.
int ParseWeightValues(std::istream& in, WeightValues& values);
int ParseWeightValues(std::string_view text, WeightValues& values);

// Before the dialog opens: when the largest weight (0 if all are negative)
// exceeds 1000, every weight is scaled so that the largest becomes 500.
void ScaleWeightsForDialog(ComputerWeights& weights);

// The dialog's values: each weight truncated toward zero.
WeightValues DialogValuesFromWeights(const ComputerWeights& weights);

// OK in the dialog: the weights become the dialog's whole numbers and the
// learn mode takes the check box's state.
void ApplyDialogValues(const WeightsDialogData& data, ComputerWeights& weights, bool& learnMode);
// The weights of eight whole numbers, the other criteria 0.
ComputerWeights WeightsFromValues(const WeightValues& values);

}  // namespace vexari
