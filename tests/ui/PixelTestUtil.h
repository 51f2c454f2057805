#pragma once
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ui/PixelImage.h"

namespace vexari::testing {

// A colour nothing under test draws: marks pixels that must stay untouched.
inline constexpr Color kUntouched = MakeColor(255, 0, 255);

inline std::string Describe(Color c) {
    return "(" + std::to_string(ColorRed(c)) + "," + std::to_string(ColorGreen(c)) + "," +
           std::to_string(ColorBlue(c)) + ")";
}

// Compares the rectangle of image at (x0, y0) with a map written by hand,
// one string per row, each character looked up in legend.
inline ::testing::AssertionResult PixelsAre(const PixelImage& image, int x0, int y0,
                                            const std::vector<std::string>& rows,
                                            const std::map<char, Color>& legend) {
    std::string faults;
    for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
        for (int x = 0; x < static_cast<int>(rows[static_cast<std::size_t>(y)].size()); ++x) {
            const char key = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            const Color want = legend.at(key);
            const Color got = image.Pixel(x0 + x, y0 + y);
            if (got != want && faults.size() < 2000) {
                faults += "  (" + std::to_string(x0 + x) + "," + std::to_string(y0 + y) + ") want '" + key + "' " +
                          Describe(want) + " got " + Describe(got) + "\n";
            }
        }
    }
    if (faults.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixels differ:\n" << faults;
}

}  // namespace vexari::testing
