// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "settings/Settings.h"
#include "render/PixelImage.h"

namespace vexari {

// How the figures' cells are drawn: the DESIGN settings that shape them.
struct CellLook {
    bool color = true;
    int palette = kPaletteClassic;
    bool marks = false;

    static CellLook Of(const Settings& settings) {
        return {settings.color != 0, settings.palette, settings.marks != 0};
    }
    friend bool operator==(const CellLook&, const CellLook&) = default;
};

// The face colour of cell value 1..7 in a palette. The distinct palette is
// Okabe and Ito's, each colour standing for the classic one of like hue.
Color CellFace(int value, int palette);
// Grey when the look has no colours.
Color CellFace(int value, const CellLook& look);

// A raised cell of w x h pixels with a bevel n wide for cell value 0..7:
// value 0, and every value of a look without colours, is grey with white
// and dark grey edges; a marked look writes the letter of the value's
// figure on its face.
PixelImage MakeCellImage(int value, int w, int h, int n, const CellLook& look);

}  // namespace vexari
