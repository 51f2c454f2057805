// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Layout.h"

#include <algorithm>

namespace vexari {

WindowLayout ComputeLayout(int clientW, int clientH, int height, int textHeight, const WindowLayout& previous,
                           bool resize) {
    WindowLayout l = previous;
    l.clientW = clientW;
    l.clientH = clientH;
    l.height = height;
    l.textHeight = textHeight;
    if (resize) {
        l.cellW = (clientW - 20) / 15;
        l.cellH = (clientH - 70) / height;
    }
    l.bevel = std::min((l.cellW + 4) / 8, (l.cellH + 4) / 8);
    const int cw = l.cellW, ch = l.cellH, t = textHeight;
    const int x0 = l.sideX = 11 * cw + 10;

    l.well = {10, 10, 10 * cw, (height - 1) * ch};
    l.indicatorRow = {10, (height - 1) * ch + 20, 10 * cw, ch};
    l.statusLine = {10, height * ch + 35, 203, 26};
    l.nextLabelY = 10;
    l.nextPanel = {x0, t + ch + 10, 4 * cw, 4 * ch};
    l.scoreLabelY = t + 6 * ch + 10;
    l.scoreBox = {x0, t + 7 * ch + 30, 60, 20};
    l.levelLabelY = t + 8 * ch + 46;
    l.levelBox = {x0, t + 9 * ch + 66, 60, 20};
    l.linesLabelY = t + 10 * ch + 82;
    l.linesBox = {x0, t + 11 * ch + 102, 60, 20};
    l.picture = {x0, t + 13 * ch + 110, 60, 60};
    return l;
}

}  // namespace vexari
