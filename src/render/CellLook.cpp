// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/CellLook.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "game/Figures.h"
#include "render/Bevel.h"

namespace vexari {
namespace {

constexpr std::array<Color, 8> kDistinct = {
    kBlack,
    MakeColor(0, 114, 178),    // blue
    MakeColor(0, 158, 115),    // bluish green
    MakeColor(86, 180, 233),   // sky blue
    MakeColor(213, 94, 0),     // vermillion
    MakeColor(204, 121, 167),  // reddish purple
    MakeColor(240, 228, 66),   // yellow
    MakeColor(230, 159, 0),    // orange
};

// The seven letters in 5 x 7 pixels, a row a byte, the leftmost pixel in bit 4.
using Glyph = std::array<std::uint8_t, 7>;
Glyph GlyphOf(char letter) {
    switch (letter) {
        case 'I': return {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E};
        case 'O': return {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E};
        case 'T': return {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04};
        case 'S': return {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E};
        case 'Z': return {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F};
        case 'L': return {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F};
        case 'J': return {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C};
        default: return {};
    }
}

// The figure whose cells have colour value v.
int FigureOfValue(int value) {
    for (int f = 0; f < kFigureCount; ++f)
        for (const auto v : FigureTable()[static_cast<std::size_t>(f)].e)
            if (v == value) return f;
    return -1;
}

// Writes the letter in the middle of the face, in black on a light face and
// white on a dark one, as large as whole pixels allow within about two
// thirds of the face; nothing on a face too small for it.
void DrawMark(PixelImage& cell, int n, char letter, Color face) {
    const int faceW = cell.Width() - 2 * n, faceH = cell.Height() - 2 * n;
    const int scale = std::min(faceW / 10, faceH / 14);
    const int size = std::max(scale, 1);
    if (faceW < 5 * size + 2 || faceH < 7 * size + 2) return;
    const int luma = 299 * ColorRed(face) + 587 * ColorGreen(face) + 114 * ColorBlue(face);
    const Color ink = luma < 128000 ? kWhite : kBlack;
    const int left = (cell.Width() - 5 * size) / 2, top = (cell.Height() - 7 * size) / 2;
    const Glyph glyph = GlyphOf(letter);
    for (int row = 0; row < 7; ++row)
        for (int column = 0; column < 5; ++column)
            if (glyph[static_cast<std::size_t>(row)] & (0x10 >> column))
                cell.FillRect(left + column * size, top + row * size, size, size, ink);
}

}  // namespace

Color CellFace(int value, int palette) {
    const int v = value & 7;
    if (palette == kPaletteDistinct) return kDistinct[static_cast<std::size_t>(v)];
    return MakeColor(v & 4 ? 255 : 0, v & 2 ? 255 : 0, v & 1 ? 255 : 0);
}

Color CellFace(int value, const CellLook& look) { return look.color ? CellFace(value, look.palette) : kGrey; }

PixelImage MakeCellImage(int value, int w, int h, int n, const CellLook& look) {
    PixelImage cell(w, h);
    const bool grey = value == 0 || !look.color;
    const Color face = grey ? kGrey : CellFace(value, look.palette);
    if (grey)
        DrawRaisedBox(cell, 0, 0, w, h, n, kGrey, kWhite, kDarkGrey, false, true);
    else
        DrawRaisedBox(cell, 0, 0, w, h, n, face, MakeColor(240, 240, 240), MakeColor(64, 64, 64), false, true);
    const int figure = FigureOfValue(value);
    if (look.marks && figure >= 0) DrawMark(cell, n, FigureLetter(figure), face);
    return cell;
}

}  // namespace vexari
