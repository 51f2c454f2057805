// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/TileGrid.h"

#include <algorithm>

namespace vexari {

std::vector<Rect> FitTiles(int count, int areaW, int areaH, int gap, const std::function<int(int)>& heightForWidth) {
    std::vector<Rect> tiles;
    if (count <= 0 || areaW <= 0 || areaH <= 0) return tiles;
    auto rowsFor = [count](int columns) { return (count + columns - 1) / columns; };
    auto fits = [&](int width, int rows) { return rows * heightForWidth(width) + gap * (rows - 1) <= areaH; };
    int bestW = 0, bestColumns = 1;
    for (int columns = 1; columns <= count; ++columns) {
        const int rows = rowsFor(columns);
        // The widest tile that fits: as wide as the columns allow, or less
        // where the rows would not fit the height.
        int low = 0, high = (areaW - gap * (columns - 1)) / columns;
        if (high <= bestW) continue;
        while (low < high) {
            const int mid = (low + high + 1) / 2;
            if (fits(mid, rows)) low = mid;
            else high = mid - 1;
        }
        if (low > bestW) bestW = low, bestColumns = columns;
    }
    const int w = std::max(bestW, 1), h = std::max(heightForWidth(w), 1);
    const int columns = bestColumns, rows = rowsFor(columns);
    const int x0 = (areaW - (columns * w + gap * (columns - 1))) / 2;
    const int y0 = (areaH - (rows * h + gap * (rows - 1))) / 2;
    for (int i = 0; i < count; ++i) {
        const int row = i / columns, column = i % columns;
        const int inRow = row == rows - 1 ? count - row * columns : columns;
        const int xRow = x0 + (columns - inRow) * (w + gap) / 2;
        tiles.push_back({xRow + column * (w + gap), y0 + row * (h + gap), w, h});
    }
    return tiles;
}

}  // namespace vexari
