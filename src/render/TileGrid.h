// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <vector>

#include "render/Layout.h"

namespace vexari {

// `count` tiles of one kind laid out in rows across an area, as large as
// the area lets them be: the column count that gives the widest tiles, each
// as tall as `heightForWidth` says (growing with the width), `gap` pixels
// between them, the whole grid centred and a last row that is not full
// centred too. Row by row, left to right; nothing when the area is empty.
std::vector<Rect> FitTiles(int count, int areaW, int areaH, int gap, const std::function<int(int)>& heightForWidth);

}  // namespace vexari
