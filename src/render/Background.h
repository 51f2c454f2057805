// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "render/PixelImage.h"

namespace vexari {

// Background strokes (the DOTS setting).
enum StrokeKind { kStrokeNone = 0, kStrokeWhite = 1, kStrokeBlack = 2, kStrokeInverted = 3 };

// Screen position of the well's top-left corner; the background picture is
// repeated over the screen from there.
inline constexpr int kWellOrigin = 10;

// The background shown behind empty cells: 32 x 32 black.
PixelImage MakeBlackImage();

// Loads a BMP file into image. An empty path gives the black image and
// success. A file that cannot be read or decoded (including one whose rows
// are stored top row first) leaves the black image and gives false.
bool LoadBackgroundImage(const std::string& path, PixelImage& image);

// The text shown when the background file named by path cannot be loaded.
std::string BackgroundLoadErrorText(const std::string& path);

// One pass of the main window's load sequence: loads the picture named by
// the BITMAP setting into image (black for an empty path). Returns an empty
// string on success, else the message to show; the image is black then and
// the caller reopens the design dialog and tries again with its new path.
std::string LoadBackgroundForWindow(const std::string& bitmapPath, PixelImage& image);

// What an empty cell looks like.
struct EmptyCellStyle {
    int cellW = 0;
    int cellH = 0;
    int dots = kStrokeWhite;  // StrokeKind; other values draw no stroke
    int dotInterval = 1;      // values below 1 count as 1
};

// Draws one empty cell with its top-left corner at (x, y) of surface, in the
// main window's coordinates: the background picture repeated from the well's
// corner (10, 10), then the 2 x 2 stroke in the middle of the cell for the
// columns whose number is a multiple of the interval. Nothing is drawn for
// y < 10. Without a background picture the cell is black.
void DrawEmptyCell(PixelImage& surface, int x, int y, const PixelImage& background, const EmptyCellStyle& style);

// Whether a stroke is drawn in cell column number k (1 to 10).
bool ColumnHasStroke(int k, int dotInterval);

}  // namespace vexari
