// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Figures.h"

namespace vexari {
namespace {

struct FigureShape {
    std::int32_t colour;
    int cells[4][2];  // (box column, box row)
};

constexpr FigureShape kShapes[kFigureCount] = {
    {5, {{0, 1}, {1, 1}, {2, 1}, {2, 2}}},
    {4, {{0, 1}, {1, 1}, {2, 1}, {3, 1}}},
    {1, {{0, 1}, {1, 1}, {2, 1}, {1, 2}}},
    {6, {{0, 1}, {1, 1}, {2, 1}, {0, 2}}},
    {2, {{1, 1}, {2, 1}, {1, 2}, {2, 2}}},
    {7, {{0, 1}, {1, 1}, {1, 2}, {2, 2}}},
    {3, {{1, 1}, {2, 1}, {0, 2}, {1, 2}}},
};

std::array<FigureMask, kFigureCount> BuildTable() {
    std::array<FigureMask, kFigureCount> table{};
    for (int f = 0; f < kFigureCount; ++f)
        for (const auto& c : kShapes[f].cells) table[static_cast<std::size_t>(f)].at(c[0], c[1]) = kShapes[f].colour;
    return table;
}

// Moves every column of the box by `by` columns (positive to the right),
// emptying the columns left behind.
void ShiftColumns(FigureMask& mask, int by) {
    FigureMask shifted;
    for (int u = 0; u < 4; ++u) {
        const int from = u - by;
        if (from < 0 || from > 3) continue;
        for (int v = 0; v < 4; ++v) shifted.at(u, v) = mask.at(from, v);
    }
    mask = shifted;
}

}  // namespace

const std::array<FigureMask, kFigureCount>& FigureTable() {
    static const std::array<FigureMask, kFigureCount> table = BuildTable();
    return table;
}

int FigureIndexOf(const FigureMask& mask) {
    std::int32_t colour = 0;
    for (const auto v : mask.e)
        if (v) colour = v;
    const auto& table = FigureTable();
    for (int f = 0; f < kFigureCount; ++f)
        for (const auto v : table[static_cast<std::size_t>(f)].e)
            if (v && v == colour) return f;
    return -1;
}

char FigureLetter(int figure) { return figure >= 0 && figure < kFigureCount ? "JITLOZS"[figure] : '?'; }

void RotateFigure(FigureMask& mask) {
    FigureMask turned;
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 4; ++k) turned.at(i, 3 - k) = mask.at(k, i);

    int filledColumns = 0;
    int lastTallColumn = -1;  // last column holding 3 or more cells
    for (int u = 0; u < 4; ++u) {
        int count = 0;
        for (int v = 0; v < 4; ++v) count += turned.at(u, v) != 0;
        if (count > 0) ++filledColumns;
        if (count >= 3) lastTallColumn = u;
    }
    bool lastColumnFilled = false;
    for (int v = 0; v < 4; ++v) lastColumnFilled |= turned.at(3, v) != 0;

    if (filledColumns == 3 && lastColumnFilled)
        ShiftColumns(turned, -1);
    else if (lastTallColumn >= 0)
        ShiftColumns(turned, 1 - lastTallColumn);
    mask = turned;
}

}  // namespace vexari

#include "game/Well.h"

namespace vexari {

bool FigureFits(const Well& well, const FigureMask& mask, int x, int y) {
    for (int u = 0; u < 4; ++u)
        for (int v = 0; v < 4; ++v) {
            if (mask.at(u, v) == 0) continue;
            if (x + u < 0 || x + u > 9) return false;
            if (well.at(x + u, y + v) != 0) return false;
        }
    return true;
}

int LandingRow(const Well& well, const FigureMask& mask, int x, int y) {
    while (FigureFits(well, mask, x, y + 1)) ++y;
    return y;
}

}  // namespace vexari
