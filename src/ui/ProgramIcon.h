// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QIcon>
#include <array>

#include "render/PixelImage.h"

namespace vexari {

// The sizes the icon is drawn in, as the desktop's icon theme takes them.
inline constexpr std::array<int, 8> kProgramIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

// The program's icon, size x size pixels in the game's own look: a raised
// grey frame around a black well, a figure falling onto a stack with a gap,
// every cell a bevelled block in its colour.
PixelImage DrawProgramIcon(int size);

// The icon in every size above, for windows and the About box.
QIcon ProgramIcon();

}  // namespace vexari
