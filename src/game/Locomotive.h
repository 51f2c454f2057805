// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vexari {

inline constexpr int kLocomotiveRows = 25;
inline constexpr int kLocomotiveColumns = 40;
inline constexpr int kLocomotiveSteps = 40;

// Cell value (0 or 1) of the end-of-game picture: frame 0 or 1, picture row
// 0..24 (top to bottom), picture column 0..39.
int LocomotiveCell(int frame, int row, int column);

}  // namespace vexari
