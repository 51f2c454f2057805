// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/WellStrip.h"

#include <algorithm>
#include <numeric>

namespace vexari {
namespace {

// Cells smaller than this show no well worth the look.
constexpr int kMinCell = 2;

int RowsFor(int count, int columns) { return (count + columns - 1) / columns; }

// The largest cell at which `columns` x `rows` tiles fit w x h.
int CellFor(int columns, int rows, int w, int h, const TileMetrics& m) {
    const int across = (w - m.gap * (columns + 1)) / columns - 2 * m.frame;
    const int down = (h - m.gap * (rows + 1)) / rows - m.label - 2 * m.frame;
    return std::min(across / 10, down / std::max(m.wellRows, 1));
}

}  // namespace

std::vector<std::int32_t> PickWells(const std::vector<StripEntry>& others, WellChoice choice, int room) {
    std::vector<std::size_t> order(others.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    if (choice == WellChoice::All) room = static_cast<int>(others.size());
    const auto before = [&](std::size_t a, std::size_t b) {
        if (choice == WellChoice::Team && others[a].teamMate != others[b].teamMate) return others[a].teamMate;
        return others[a].height > others[b].height;
    };
    std::stable_sort(order.begin(), order.end(), before);
    order.resize(std::min(order.size(), static_cast<std::size_t>(std::max(room, 0))));
    // Back into the room's order, team mates still first for Team.
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (choice == WellChoice::Team && others[a].teamMate != others[b].teamMate) return others[a].teamMate;
        return a < b;
    });
    std::vector<std::int32_t> numbers;
    for (const std::size_t i : order) numbers.push_back(others[i].number);
    return numbers;
}

int StripWidth(int count, int height, int ownCell, const TileMetrics& m) {
    if (count <= 0) return 0;
    const int cell = std::max(ownCell / 2, kMinCell);
    int columns = 1;
    while (columns < count && RowsFor(count, columns) * (m.Height(cell) + m.gap) + m.gap > height) ++columns;
    return columns * (m.Width(cell) + m.gap) + m.gap;
}

TileGrid FitTiles(int count, int w, int h, int maxCell, const TileMetrics& m, bool scroll) {
    if (count <= 0) return {};
    if (scroll) {
        // As many columns as take whole tiles of `maxCell` across.
        constexpr int kUnbounded = 1 << 20;
        int columns = 1;
        while (columns < count && CellFor(columns + 1, 1, w, kUnbounded, m) >= maxCell) ++columns;
        return {columns, RowsFor(count, columns), std::clamp(CellFor(columns, 1, w, kUnbounded, m), 1, maxCell)};
    }
    TileGrid best{1, count, 0};
    for (int columns = 1; columns <= count; ++columns) {
        const int rows = RowsFor(count, columns);
        const int cell = std::min(CellFor(columns, rows, w, h, m), maxCell);
        if (cell > best.cell) best = {columns, rows, cell};
    }
    best.cell = std::max(best.cell, 1);
    return best;
}

}  // namespace vexari
