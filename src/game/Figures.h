// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>

namespace vexari {

// A figure in its 4 x 4 box, stored column by column: element u * 4 + v is box
// column u, box row v (row 0 at the top). Non-zero elements are the figure's
// cells and hold its colour value.
struct FigureMask {
    std::array<std::int32_t, 16> e{};

    std::int32_t& at(int u, int v) { return e[static_cast<std::size_t>(u * 4 + v)]; }
    std::int32_t at(int u, int v) const { return e[static_cast<std::size_t>(u * 4 + v)]; }

    friend bool operator==(const FigureMask&, const FigureMask&) = default;
};

inline constexpr int kFigureCount = 7;

// The seven figures in their first orientation (box rows 1 and 2).
const std::array<FigureMask, kFigureCount>& FigureTable();

// Which of the seven figures a mask shows, in any orientation (each has its
// own colour value); -1 for an empty mask or a colour of none.
int FigureIndexOf(const FigureMask& mask);

// The letter the figure's shape is known by (J, I, T, L, O, Z, S); '?'
// for no figure.
char FigureLetter(int figure);

// Turns the mask a quarter turn counter-clockwise within its box and moves it
// sideways so that figures keep a steady column; rows are never shifted.
void RotateFigure(FigureMask& mask);

}  // namespace vexari

namespace vexari {
struct Well;
// True when `mask` can stand with its box at column x, row y of `well`: every
// figure cell lies in columns 0..9 on an empty well cell. Rows are not tested;
// the floor stops every downward move.
bool FigureFits(const Well& well, const FigureMask& mask, int x, int y);
// The row where `mask`, let fall straight down from row y at column x, comes
// to rest: the last row of the fall on which it still fits (y when it fits
// no lower).
int LandingRow(const Well& well, const FigureMask& mask, int x, int y);
}  // namespace vexari
