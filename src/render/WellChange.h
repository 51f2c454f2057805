// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace vexari {

// A row of a resting well: the ten cells' values (0 empty, 1 to 7 a colour).
using CellRow = std::array<std::uint8_t, 10>;
// A well's rows from the bottom up; rows above the last are empty.
using CellRows = std::vector<CellRow>;

// What happened between two states of another player's well, for showing
// it: rows pushed in at the bottom (a present: the old rows rose whole), or
// rows of the old well that a landing removed. Neither for a plain landing,
// a new round or a change that fits no single event; the new well is then
// simply shown.
struct WellChange {
    int risen = 0;
    std::vector<int> removed;  // rows of the old well, from the bottom
    friend bool operator==(const WellChange&, const WellChange&) = default;
};

// The two wells must have the same playing height; empty rows at the top
// of either do not matter.
WellChange CompareWells(const CellRows& before, const CellRows& after);

}  // namespace vexari
