#pragma once
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ui/PixelImage.h"

namespace vexari::testing {

// A colour nothing under test draws: marks pixels that must stay untouched.
inline constexpr Color kUntouched = MakeColor(255, 0, 255);

// A picture whose pixel (x, y) is (x, y, blue): every pixel says where it lies.
inline PixelImage Numbered(int w, int h, int blue) {
    PixelImage p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.SetPixel(x, y, MakeColor(x, y, blue));
    return p;
}

// Compares the rectangle of image at (x0, y0) with a map written by hand,
// one string per row, each character looked up in legend; on a difference it
// shows both maps side by side ('?': a colour not in the legend).
inline ::testing::AssertionResult PixelsAre(const PixelImage& image, int x0, int y0,
                                            const std::vector<std::string>& rows,
                                            const std::map<char, Color>& legend) {
    std::vector<std::string> got = rows;
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            const Color c = image.Pixel(x0 + static_cast<int>(x), y0 + static_cast<int>(y));
            got[y][x] = '?';
            for (const auto& [key, colour] : legend)
                if (colour == c && (got[y][x] == '?' || key == rows[y][x])) got[y][x] = key;
        }
    if (got == rows) return ::testing::AssertionSuccess();
    std::string text;
    for (std::size_t y = 0; y < rows.size(); ++y) text += "  " + rows[y] + "   " + got[y] + "\n";
    return ::testing::AssertionFailure() << "pixels differ (wanted, drawn):\n" << text;
}

}  // namespace vexari::testing
