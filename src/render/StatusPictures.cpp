// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/StatusPictures.h"

#include <algorithm>
#include <array>

namespace vexari {

namespace {

// A 5 x 7 capital letter, one string per row, '#' for ink.
using Glyph = std::array<const char*, 7>;

constexpr std::array<Glyph, 26> kLetters = {{
    {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"},  // A
    {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."},  // B
    {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."},  // C
    {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."},  // D
    {"#####", "#....", "#....", "####.", "#....", "#....", "#####"},  // E
    {"#####", "#....", "#....", "####.", "#....", "#....", "#...."},  // F
    {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"},  // G
    {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"},  // H
    {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."},  // I
    {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."},  // J
    {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"},  // K
    {"#....", "#....", "#....", "#....", "#....", "#....", "#####"},  // L
    {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"},  // M
    {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"},  // N
    {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},  // O
    {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."},  // P
    {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"},  // Q
    {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"},  // R
    {".####", "#....", "#....", ".###.", "....#", "....#", "####."},  // S
    {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."},  // T
    {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},  // U
    {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."},  // V
    {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."},  // W
    {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"},  // X
    {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."},  // Y
    {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"},  // Z
}};

constexpr int kGlyphW = 5;
constexpr int kGlyphH = 7;

// A face: the glyph's rows stretched to height pixels (nearest row), and
// each ink pixel widened to the right by bold pixels.
struct Face {
    int top;
    int height;
    int bold;
    int advance;
};

constexpr int kBaseline = 17;  // last row of ink
constexpr Face kNormalFace{kBaseline + 1 - 14, 14, 1, 8};
constexpr Face kTallFace{kBaseline + 1 - 16, 16, 0, 7};
constexpr int kSpaceAdvance = 6;
constexpr int kTextLeft = 3;

int DrawGlyph(PixelImage& img, int x, char ch, const Face& face) {
    if (ch < 'A' || ch > 'Z') return kSpaceAdvance;
    const Glyph& g = kLetters[static_cast<std::size_t>(ch - 'A')];
    for (int y = 0; y < face.height; ++y) {
        const char* row = g[static_cast<std::size_t>(y * kGlyphH / face.height)];
        for (int c = 0; c < kGlyphW; ++c) {
            if (row[c] == '#') img.FillRect(x + c, face.top + y, 1 + face.bold, 1, kBlack);
        }
    }
    return face.advance;
}

}  // namespace

PixelImage MakeStatusLettering(std::string_view text) {
    PixelImage img(StatusLinePictures::kWidth, StatusLinePictures::kHeight, kGrey);
    const std::size_t lastSpace = text.rfind(' ');
    const std::size_t lastWord = lastSpace == std::string_view::npos ? 0 : lastSpace + 1;
    int x = kTextLeft;
    for (std::size_t i = 0; i < text.size(); ++i) {
        x += DrawGlyph(img, x, text[i], i >= lastWord ? kTallFace : kNormalFace);
    }
    return img;
}

void DrawChevron(PixelImage& img, int x) {
    const int h = img.Height();
    const int band = StatusLinePictures::kChevronWidth - (h - 1) / 2;
    for (int y = 0; y < h; ++y) {
        // The band moves right towards the middle row and back: a '>'.
        const int indent = std::min(y, h - 1 - y);
        for (int px = x + indent; px < x + indent + band; ++px) {
            if ((px + y) % 2 == 0) img.SetPixel(px, y, kWhite);
        }
    }
}

StatusLinePictures::StatusLinePictures() {
    auto build = [](std::string_view text, std::vector<PixelImage>& out) {
        const PixelImage plain = MakeStatusLettering(text);
        for (int k = 0; k < kSweep; ++k) {
            out.push_back(plain);
            DrawChevron(out.back(), kChevronStep * k);
        }
        out.push_back(plain);
    };
    build(kPlayLettering, play_);
    build(kPauseLettering, pause_);
}

const PixelImage& StatusLinePictures::Picture(bool pause, int k) const {
    const std::vector<PixelImage>& images = pause ? pause_ : play_;
    return images[static_cast<std::size_t>(std::clamp(k, 0, kSweep))];
}

std::vector<const PixelImage*> StatusLinePictures::Sequence(const std::vector<PixelImage>& images) {
    std::vector<const PixelImage*> seq;
    seq.reserve(kCount);
    for (int k = 0; k < kCount; ++k) seq.push_back(&images[static_cast<std::size_t>(std::min(k, kSweep))]);
    return seq;
}

std::vector<PixelImage> MakeLandingIndicatorPictures() { return std::vector<PixelImage>(5, PixelImage(60, 60, kGrey)); }

}  // namespace vexari
