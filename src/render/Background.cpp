// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Background.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "render/Bmp.h"

namespace vexari {

namespace {

// Largest file worth reading: the biggest picture the decoder accepts at
// 32 bits per pixel, plus room for headers and a colour table.
constexpr std::size_t kMaxBackgroundFileBytes =
    static_cast<std::size_t>(kBmpMaxSide) * kBmpMaxSide * 4 + (std::size_t{1} << 20);

int PositiveMod(long long a, int m) {
    const long long r = a % m;
    return static_cast<int>(r < 0 ? r + m : r);
}

}  // namespace

PixelImage MakeBlackImage() { return PixelImage(32, 32, kBlack); }

bool LoadBackgroundImage(const std::string& path, PixelImage& image) {
    if (path.empty()) {
        image = MakeBlackImage();
        return true;
    }
    std::vector<std::uint8_t> bytes;
    if (ReadWholeFile(path, bytes, kMaxBackgroundFileBytes)) {
        BmpResult decoded = DecodeBmp(bytes);  // rows stored top row first are refused
        if (decoded.ok()) {
            image = std::move(decoded.image);
            return true;
        }
    }
    image = MakeBlackImage();
    return false;
}

std::string BackgroundLoadErrorText(const std::string& path) {
    return "Cannon read bitmap file " + path + ".Please change the file pathname or set backround to BLACK";
}

std::string LoadBackgroundForWindow(const std::string& bitmapPath, PixelImage& image) {
    if (LoadBackgroundImage(bitmapPath, image)) return {};
    return BackgroundLoadErrorText(bitmapPath);
}

bool ColumnHasStroke(int k, int dotInterval) {
    const int interval = std::max(dotInterval, 1);
    return k % interval == 0;
}

void DrawEmptyCell(PixelImage& s, int x, int y, const PixelImage& bg, const EmptyCellStyle& st) {
    if (y < kWellOrigin) return;
    const int cw = st.cellW;
    const int ch = st.cellH;
    if (cw <= 0 || ch <= 0) return;

    const int bw = bg.Width();
    const int bh = bg.Height();
    if (bg.IsNull()) {
        s.FillRect(x, y, cw, ch, kBlack);
    } else {
        // Rectangular pieces: the first in each direction starts inside the
        // picture where the cell falls, the others at the picture's edge.
        int doneY = 0;
        int srcY = PositiveMod(static_cast<long long>(y) - kWellOrigin, bh);
        while (doneY < ch) {
            const int pieceH = std::min(ch - doneY, bh - srcY);
            int doneX = 0;
            int srcX = PositiveMod(static_cast<long long>(x) - kWellOrigin, bw);
            while (doneX < cw) {
                const int pieceW = std::min(cw - doneX, bw - srcX);
                s.CopyFrom(x + doneX, y + doneY, bg, srcX, srcY, pieceW, pieceH);
                doneX += pieceW;
                srcX = 0;
            }
            doneY += pieceH;
            srcY = 0;
        }
    }

    if (cw <= 5 || ch <= 5) return;
    const int k = (x - kWellOrigin) / cw + 1;
    if (!ColumnHasStroke(k, st.dotInterval)) return;
    const int dx = x + cw / 2 - 1;
    const int dy = y + ch / 2 - 1;
    switch (st.dots) {
    case kStrokeWhite: s.PatternFill(dx, dy, 2, 2, Pattern::White); break;
    case kStrokeBlack: s.PatternFill(dx, dy, 2, 2, Pattern::Black); break;
    case kStrokeInverted: s.PatternFill(dx, dy, 2, 2, Pattern::Invert); break;
    default: break;
    }
}

}  // namespace vexari
