// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vexari {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Where everything of the main window's client area goes. The cell size
// follows from the client size and the well height; the rest is placed in
// cells and fixed offsets from it.
struct WindowLayout {
    int clientW = 0, clientH = 0;
    int cellW = 8, cellH = 8;
    int bevel = 1;       // n: bevel width of every box and frame
    int textHeight = 0;  // T
    int height = 25;     // H the layout was made for
    int sideX = 0;       // x0, left edge of the side column

    // Framed black areas.
    Rect well, indicatorRow, nextPanel, scoreBox, levelBox, linesBox;
    // Controls; the labels' width and height come from their text.
    Rect statusLine, picture;
    int nextLabelY = 0, scoreLabelY = 0, levelLabelY = 0, linesLabelY = 0;

    // Screen positions of a well cell, an indicator cell and a next-panel cell.
    int CellX(int column) const { return 10 + column * cellW; }
    int CellY(int row) const { return 10 + (row - 1) * cellH; }
    int IndicatorY() const { return (height - 1) * cellH + 20; }
    int NextCellX(int u) const { return sideX + u * cellW; }
    int NextCellY(int v) const { return textHeight + 10 + (v + 1) * cellH; }
    bool CellsDrawable() const { return cellW > 2 && cellH > 2; }
};

// The layout for a client area of clientW x clientH, well height H and text
// height T. `previous` gives the cell size kept when `resize` is false (a
// size change that is neither a restore nor a maximise).
WindowLayout ComputeLayout(int clientW, int clientH, int height, int textHeight, const WindowLayout& previous,
                           bool resize = true);

}  // namespace vexari
