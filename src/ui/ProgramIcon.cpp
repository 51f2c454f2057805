// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgramIcon.h"

#include <QPixmap>
#include <algorithm>

#include "render/Bevel.h"
#include "ui/PixelImageQt.h"

namespace vexari {
namespace {

// Cells of a 4 x 4 well: column, row and colour value (as the game's cells:
// red, green and blue from bits 2, 1 and 0).
struct IconCell {
    int column, row, value;
};
constexpr IconCell kCells[] = {
    {1, 0, 5}, {2, 0, 5}, {3, 0, 5}, {2, 1, 5},  // the falling figure
    {0, 2, 4}, {0, 3, 1}, {1, 3, 2}, {3, 3, 6},  // the stack, its gap under the figure
};

Color CellFace(int v) { return MakeColor(v & 4 ? 255 : 0, v & 2 ? 255 : 0, v & 1 ? 255 : 0); }

}  // namespace

PixelImage DrawProgramIcon(int size) {
    PixelImage icon(size, size, kGrey);
    if (icon.IsNull()) return icon;
    const int bevel = std::max(1, size / 24);
    DrawRaisedBox(icon, 0, 0, size, size, bevel, kGrey, kWhite, kDarkGrey, false, true);
    const int margin = size < 32 ? 0 : size / 24;  // small icons keep their pixels for the cells
    const int inside = bevel + margin + bevel;      // edge, grey margin, the well's frame
    const int cell = std::max(1, (size - 2 * inside) / 4);
    const int well = 4 * cell;
    const int origin = (size - well) / 2;
    DrawSunkenFrame(icon, origin, origin, well, well, bevel, kBlack, kGrey, kWhite, kDarkGrey, true);
    const int cellBevel = cell >= 6 ? std::max(1, cell / 6) : 0;
    for (const IconCell& c : kCells)
        DrawRaisedBox(icon, origin + c.column * cell, origin + c.row * cell, cell, cell, cellBevel, CellFace(c.value),
                      MakeColor(240, 240, 240), MakeColor(64, 64, 64), false, true);
    return icon;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : kProgramIconSizes) icon.addPixmap(QPixmap::fromImage(AsQImage(DrawProgramIcon(size)).copy()));
    return icon;
}

}  // namespace vexari
