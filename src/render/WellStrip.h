// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <vector>

namespace vexari {

// The strip of the other players' wells beside the player's own: which
// wells it shows and how their tiles are laid out.

// Up to this many wells show at once; with more players the player picks.
inline constexpr int kStripWells = 8;

// What the player picks: the highest wells, team mates first, or every
// well in a scrolled strip.
enum class WellChoice { Threats = 0, Team = 1, All = 2 };

struct StripEntry {
    std::int32_t number = 0;
    bool teamMate = false;
    int height = 0;  // the stack height as the tables tell it; out players count as 0
};

// The numbers of the wells to show, at most `room` of them but every one
// for All: the highest first picked, team mates before everyone else for
// Team; listed in the order of `others` (team mates first for Team), so that
// wells keep their places while the picks stay.
std::vector<std::int32_t> PickWells(const std::vector<StripEntry>& others, WellChoice choice, int room);

// A tile: the label lines above a frame around rows x 10 square cells.
struct TileMetrics {
    int wellRows = 19;
    int label = 0;
    int frame = 2;
    int gap = 4;  // between tiles, and around them
    int Width(int cell) const { return 10 * cell + 2 * frame; }
    int Height(int cell) const { return label + 2 * frame + wellRows * cell; }
};

struct TileGrid {
    int columns = 0, rows = 0;
    int cell = 0;  // logical pixels
    friend bool operator==(const TileGrid&, const TileGrid&) = default;
};

// The width a strip of `count` tiles wants beside a well of cells `ownCell`
// high in an area `height` high: tiles at half that cell size, in as few
// columns as lets their rows fit the height.
int StripWidth(int count, int height, int ownCell, const TileMetrics& m);

// The tiles' places in a strip of w x h: the columns that give the largest
// cells (the fewest for equal cells), never above `maxCell`. With `scroll`
// the rows may run below h: cells of `maxCell` (smaller only where one
// column is too narrow for them) in as many columns as the width takes.
TileGrid FitTiles(int count, int w, int h, int maxCell, const TileMetrics& m, bool scroll = false);

}  // namespace vexari
