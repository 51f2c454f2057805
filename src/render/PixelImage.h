// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <vector>

namespace vexari {

// A colour as stored in a PixelImage: 0xFFRRGGBB. The top byte is always
// 0xFF so that the buffer can be shown directly as a 32-bit RGB image.
using Color = std::uint32_t;

constexpr Color MakeColor(int r, int g, int b) {
    return 0xFF000000u | (static_cast<Color>(r & 0xFF) << 16) | (static_cast<Color>(g & 0xFF) << 8) |
           static_cast<Color>(b & 0xFF);
}
constexpr int ColorRed(Color c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr int ColorGreen(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int ColorBlue(Color c) { return static_cast<int>(c & 0xFF); }
// Each component becomes 255 minus its value.
constexpr Color InvertColor(Color c) { return c ^ 0x00FFFFFFu; }

inline constexpr Color kBlack = MakeColor(0, 0, 0);
inline constexpr Color kWhite = MakeColor(255, 255, 255);
inline constexpr Color kGrey = MakeColor(192, 192, 192);
inline constexpr Color kDarkGrey = MakeColor(128, 128, 128);

// The three fixed patterns of a pattern fill.
enum class Pattern { Black, White, Invert };

// An off-screen drawing surface: width x height pixels, row by row from the
// top, no padding. Every operation is pixel-exact and clipped to the image;
// parts of a rectangle that lie outside are ignored.
class PixelImage {
public:
    // Images larger than this in either direction are refused (made empty).
    static constexpr int kMaxSide = 16384;

    PixelImage() = default;
    // A negative or too large size gives an empty image.
    PixelImage(int width, int height, Color fill = kBlack);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsNull() const { return width_ <= 0 || height_ <= 0; }

    // Outside the image Pixel gives black and SetPixel does nothing.
    Color Pixel(int x, int y) const;
    void SetPixel(int x, int y, Color c);

    // Raw rows for showing the image; stride is in bytes.
    std::uint32_t* Bits() { return pixels_.data(); }
    const std::uint32_t* Bits() const { return pixels_.data(); }
    int Stride() const { return width_ * 4; }
    std::uint32_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_); }
    const std::uint32_t* Row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }

    void Fill(Color c);
    void FillRect(int x, int y, int w, int h, Color c);
    void PatternFill(int x, int y, int w, int h, Pattern p);
    void HLine(int x, int y, int length, Color c) { FillRect(x, y, length, 1, c); }
    void VLine(int x, int y, int length, Color c) { FillRect(x, y, 1, length, c); }

    // Copies the w x h rectangle at (sx, sy) of src to (dx, dy) of this image.
    // Only pixels that lie inside both images are copied. src may be this
    // image; overlapping rectangles are copied as if through a temporary.
    void CopyFrom(int dx, int dy, const PixelImage& src, int sx, int sy, int w, int h);

    friend bool operator==(const PixelImage&, const PixelImage&) = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace vexari

namespace vexari {

// Repeats picture over target from its top-left corner: for x = 0, pw,
// 2 pw, ... below the target's width and, within each, y = 0, ph, ... below
// its height, the picture's top-left part that still fits is copied to
// (x, y). An empty picture draws nothing.
void TilePicture(PixelImage& target, const PixelImage& picture);

}  // namespace vexari
