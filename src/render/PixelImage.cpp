// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/PixelImage.h"

#include <algorithm>
#include <cstring>

namespace vexari {

namespace {

// Clips the span [pos, pos + len) to [0, limit); returns false when empty.
// Works in 64 bits so that no sum of two ints can overflow.
bool ClipSpan(std::int64_t& pos, std::int64_t& len, std::int64_t limit) {
    if (len <= 0) return false;
    if (pos < 0) {
        len += pos;
        pos = 0;
    }
    if (pos + len > limit) len = limit - pos;
    return len > 0;
}

}  // namespace

PixelImage::PixelImage(int width, int height, Color fill) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return;
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

Color PixelImage::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kBlack;
    return Row(y)[x];
}

void PixelImage::SetPixel(int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    Row(y)[x] = c;
}

void PixelImage::Fill(Color c) { std::fill(pixels_.begin(), pixels_.end(), c); }

void PixelImage::FillRect(int x, int y, int w, int h, Color c) {
    std::int64_t px = x, py = y, pw = w, ph = h;
    if (!ClipSpan(px, pw, width_) || !ClipSpan(py, ph, height_)) return;
    for (std::int64_t row = py; row < py + ph; ++row) {
        std::uint32_t* p = Row(static_cast<int>(row)) + px;
        std::fill(p, p + pw, c);
    }
}

void PixelImage::PatternFill(int x, int y, int w, int h, Pattern p) {
    switch (p) {
    case Pattern::Black: FillRect(x, y, w, h, kBlack); return;
    case Pattern::White: FillRect(x, y, w, h, kWhite); return;
    case Pattern::Invert: break;
    }
    std::int64_t px = x, py = y, pw = w, ph = h;
    if (!ClipSpan(px, pw, width_) || !ClipSpan(py, ph, height_)) return;
    for (std::int64_t row = py; row < py + ph; ++row) {
        std::uint32_t* q = Row(static_cast<int>(row)) + px;
        for (std::int64_t i = 0; i < pw; ++i) q[i] = InvertColor(q[i]);
    }
}

void PixelImage::CopyFrom(int dx, int dy, const PixelImage& src, int sx, int sy, int w, int h) {
    std::int64_t ddx = dx, ddy = dy, ssx = sx, ssy = sy, cw = w, ch = h;
    if (cw <= 0 || ch <= 0) return;
    // Trim the left/top so that both start inside their images.
    std::int64_t cut = std::max({std::int64_t{0}, -ddx, -ssx});
    ddx += cut;
    ssx += cut;
    cw -= cut;
    cut = std::max({std::int64_t{0}, -ddy, -ssy});
    ddy += cut;
    ssy += cut;
    ch -= cut;
    // Trim the right/bottom to the smaller room of the two.
    cw = std::min({cw, std::int64_t{width_} - ddx, std::int64_t{src.width_} - ssx});
    ch = std::min({ch, std::int64_t{height_} - ddy, std::int64_t{src.height_} - ssy});
    if (cw <= 0 || ch <= 0) return;

    const std::size_t bytes = static_cast<std::size_t>(cw) * sizeof(std::uint32_t);
    auto copyRow = [&](std::int64_t r) {
        std::memmove(Row(static_cast<int>(ddy + r)) + ddx, src.Row(static_cast<int>(ssy + r)) + ssx, bytes);
    };
    // Within one image, copy rows in the order that never reads a row
    // already overwritten; memmove handles overlap within a row.
    if (&src == this && ddy > ssy) {
        for (std::int64_t r = ch - 1; r >= 0; --r) copyRow(r);
    } else {
        for (std::int64_t r = 0; r < ch; ++r) copyRow(r);
    }
}

}  // namespace vexari

namespace vexari {

void TilePicture(PixelImage& target, const PixelImage& picture) {
    const int pw = picture.Width();
    const int ph = picture.Height();
    if (picture.IsNull()) return;
    for (int x = 0; x < target.Width(); x += pw) {
        for (int y = 0; y < target.Height(); y += ph) {
            target.CopyFrom(x, y, picture, 0, 0, std::min(pw, target.Width() - x), std::min(ph, target.Height() - y));
        }
    }
}

}  // namespace vexari
