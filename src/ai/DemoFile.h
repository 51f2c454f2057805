// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <istream>
#include <string>
#include <string_view>

#include "settings/SafeFile.h"
#include "settings/Settings.h"

namespace vexari {

// The eight weights as the Demo parameters dialog and the *.dem files hold
// them: whole numbers in the order HOLE, MINHOLE, HEIGHT, ILLLINE, ILL2LINE,
// SURFACE, YFIGURE, GREED.
using DemoValues = std::array<int, DemoWeights::kCriteria>;

// What the dialog exchanges: the eight values and the learn-mode check box.
struct DemoDialogData {
    DemoValues values{};
    bool learnMode = false;

    friend bool operator==(const DemoDialogData&, const DemoDialogData&) = default;
};

// The default weights as whole numbers: 41, 5, 0, 7, 1, 1, 1, 1.
DemoValues DefaultDemoValues();

// Writes the eight values, each followed by CR LF, through WriteFileSafely.
SaveResult WriteDemoFile(const std::string& path, const DemoValues& values);

struct DemoReadResult {
    bool opened = false;  // false: the file could not be opened, nothing read
    int count = 0;        // how many of the eight values were read
};

// Reads up to eight whole numbers separated by any white space into
// `values`, stopping at the end of the file or at the first item that is not
// a whole number; the values not read keep their contents.
DemoReadResult ReadDemoFile(const std::string& path, DemoValues& values);
// The same reading from a stream or from text in memory; returns the count.
int ParseDemoValues(std::istream& in, DemoValues& values);
int ParseDemoValues(std::string_view text, DemoValues& values);

// Before the dialog opens: when the largest weight (0 if all are negative)
// exceeds 1000, every weight is scaled so that the largest becomes 500.
void ScaleWeightsForDialog(DemoWeights& weights);

// The dialog's values: each weight truncated toward zero.
DemoValues DialogValuesFromWeights(const DemoWeights& weights);

// OK in the dialog: the weights become the dialog's whole numbers and the
// learn mode takes the check box's state.
void ApplyDialogValues(const DemoDialogData& data, DemoWeights& weights, bool& learnMode);

}  // namespace vexari
