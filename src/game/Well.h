// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>

#include "settings/Settings.h"

namespace vexari {

// The well: 12 columns (-1 to 10) of 27 cells, stored column by column, row 0
// at the top. Columns 0..9 and rows 0..H-1 are the playing field; row H of the
// playing columns is the floor and columns -1 and 10 are the walls (value 1).
// 0 is empty, 1..7 are colour values.
struct Well {
    static constexpr int kColumns = 10;      // playing columns 0..9
    static constexpr int kStoredColumns = 12;  // with the two walls
    static constexpr int kRows = 27;         // cells stored per column
    static constexpr int kMaxHeight = kMaxWellHeight;  // largest playing height H

    std::array<std::int32_t, kStoredColumns * kRows> cells{};

    // Cell (column u, row v), u from -1 to 10, v from 0 to 26.
    std::int32_t& at(int u, int v) { return cells[static_cast<std::size_t>((u + 1) * kRows + v)]; }
    std::int32_t at(int u, int v) const { return cells[static_cast<std::size_t>((u + 1) * kRows + v)]; }

    // Empties the playing field of height h and builds the floor and walls.
    void Reset(int h) {
        cells.fill(0);
        for (int u = 0; u < kColumns; ++u) at(u, h) = 1;
        for (int v = 0; v < h; ++v) {
            at(-1, v) = 1;
            at(kColumns, v) = 1;
        }
    }

    friend bool operator==(const Well&, const Well&) = default;
};

}  // namespace vexari
