// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit-free drawing pieces: pixel images, bevels, empty well cells,
// the status-line pictures, the BMP reader and the window background read
// through it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>

#include "render/Background.h"
#include "render/Bevel.h"
#include "render/Bmp.h"
#include "render/CellLook.h"
#include "render/StatusPictures.h"

namespace vexari {
namespace {

// A colour nothing under test draws: marks pixels that must stay untouched.
constexpr Color kUntouched = MakeColor(255, 0, 255);
constexpr Color kA = MakeColor(10, 200, 30), kB = MakeColor(90, 80, 70);

// A picture whose pixel (x, y) is (x, y, blue): every pixel says where it lies.
PixelImage Numbered(int w, int h, int blue) {
    PixelImage p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.SetPixel(x, y, MakeColor(x, y, blue));
    return p;
}

// Compares the rectangle of image at (x0, y0) with a map written by hand, one
// string per row; on a difference it shows both maps ('?': not in the legend).
::testing::AssertionResult PixelsAre(const PixelImage& image, int x0, int y0, const std::vector<std::string>& rows) {
    static const std::map<char, Color> legend = {{'.', kUntouched}, {'A', kA},     {'B', kB},         {'W', kWhite},
                                                 {'K', kBlack},     {'G', kGrey}, {'D', kDarkGrey}};
    std::vector<std::string> got = rows;
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            const Color c = image.Pixel(x0 + static_cast<int>(x), y0 + static_cast<int>(y));
            got[y][x] = '?';
            for (const auto& [key, colour] : legend)
                if (colour == c) got[y][x] = key;
        }
    if (got == rows) return ::testing::AssertionSuccess();
    std::string text;
    for (std::size_t y = 0; y < rows.size(); ++y) text += "  " + rows[y] + "   " + got[y] + "\n";
    return ::testing::AssertionFailure() << "pixels differ (wanted, drawn):\n" << text;
}

TEST(PixelImage, SizesOutsideTheLimitsGiveAnEmptyImageAndOutsideReadsBlack) {
    for (const auto& [w, h] : {std::pair{0, 5}, {-3, 5}, {5, INT_MIN}, {PixelImage::kMaxSide + 1, 1}})
        EXPECT_TRUE(PixelImage(w, h).IsNull()) << w << "x" << h;
    EXPECT_TRUE(PixelsAre(PixelImage(3, 2, kA), -1, -1, {"KKKKK", "KAAAK", "KAAAK", "KKKKK"}));
}

// Rectangles far outside must neither wrap nor write past the pixels.
TEST(PixelImage, FillsCopiesAndTilesAreClippedToBothImages) {
    PixelImage img(5, 4, kUntouched);
    img.FillRect(-2, -1, 4, 3, kA);
    img.FillRect(3, 2, 100, 100, kB);
    img.FillRect(INT_MAX - 1, 0, INT_MAX, 1, kWhite);
    img.FillRect(INT_MIN, 3, INT_MAX, 1, kWhite);
    img.FillRect(1, 3, -5, 1, kWhite);
    img.VLine(4, -2, 3, kBlack);
    EXPECT_TRUE(PixelsAre(img, 0, 0, {"AA..K", "AA...", "...BB", "...BB"}));
    img.PatternFill(4, 3, INT_MAX, INT_MAX, Pattern::Invert);
    EXPECT_EQ(std::tuple(img.Pixel(4, 3), img.Pixel(3, 3)), std::tuple(MakeColor(165, 175, 185), kB));

    PixelImage src(3, 3, kA);
    src.SetPixel(0, 0, kB);
    src.SetPixel(2, 2, kWhite);
    struct Case { int dx, dy, sx, sy, w, h; std::vector<std::string> rows; };
    const std::vector<std::string> none(4, "....");
    const Case cases[] = {
        {2, 2, 0, 0, 10, 10, {"....", "....", "..BA", "..AA"}},
        {-1, 1, 0, 1, 3, 5, {"....", "AA..", "AW..", "...."}},
        {1, 1, -2, -2, 4, 4, {"....", "....", "....", "...B"}},
        {0, 0, INT_MAX, INT_MAX, INT_MAX, INT_MAX, none},
        {INT_MIN, INT_MIN, 0, 0, INT_MAX, INT_MAX, none},
    };
    for (const Case& c : cases) {
        PixelImage dst(4, 4, kUntouched);
        dst.CopyFrom(c.dx, c.dy, src, c.sx, c.sy, c.w, c.h);
        EXPECT_TRUE(PixelsAre(dst, 0, 0, c.rows)) << c.dx << "," << c.dy << " from " << c.sx << "," << c.sy;
    }
    PixelImage dst(2, 2, kUntouched);
    dst.CopyFrom(0, 0, PixelImage(), 0, 0, 2, 2);
    TilePicture(dst, PixelImage());
    EXPECT_EQ(dst, PixelImage(2, 2, kUntouched));

    // A tiled picture repeats from the top left, the last tiles clipped.
    PixelImage area(117, 117, kUntouched);
    TilePicture(area, Numbered(32, 32, 7));
    for (int y = 0; y < 117; ++y)
        for (int x = 0; x < 117; ++x) ASSERT_EQ(area.Pixel(x, y), MakeColor(x % 32, y % 32, 7)) << x << "," << y;
}

// The two shapes every cell, panel and button is made of, and boxes too
// small for their bevel (drawn in the buttons' colours).
TEST(Bevel, RaisedBoxAndSunkenFrame) {
    const auto box = [](PixelImage& s, int w, int h, int n) {
        return DrawRaisedBox(s, 1, 1, w, h, n, kGrey, kWhite, kDarkGrey, false, true);
    };
    PixelImage raised(8, 7, kUntouched);
    EXPECT_TRUE(box(raised, 6, 5, 2));  // light top-left, dark bottom-right, odd corners in the face
    EXPECT_TRUE(PixelsAre(raised, 0, 0,
                          {"........", ".WWWWWG.", ".WWWWGD.", ".WWGGDD.", ".WGDDDD.", ".GDDDDD.", "........"}));
    // The frame's four colours differ so that a swapped argument shows: rings
    // from the inside out, bottom-right corners untouched.
    PixelImage frame(6, 5, kUntouched);
    DrawSunkenFrame(frame, 2, 2, 2, 1, 2, kA, kB, kBlack, kWhite, true);
    EXPECT_TRUE(PixelsAre(frame, 0, 0, {"WWWWWB", "WWWWBK", "WWAAKK", "WBKK.K", "BKKKK."}));

    struct Size { int w, h, n; };
    for (const Size& c : {Size{10, 10, 5}, Size{10, 3, 2}, Size{0, 0, 0}, Size{10, 10, -1}, Size{10, 10, 1 << 30}}) {
        PixelImage s(12, 12, kUntouched);
        EXPECT_TRUE(!box(s, c.w, c.h, c.n) && s == PixelImage(12, 12, kUntouched)) << c.w << "x" << c.h << " n " << c.n;
    }
}

TEST(EmptyCell, PictureRepeatsFromTheWellCorner) {
    const PixelImage pic = Numbered(16, 16, 100);
    PixelImage screen(60, 80, kUntouched);
    // The second cell of the first row and the first of the third, in pieces cut at the picture's edges.
    DrawEmptyCell(screen, 30, 10, pic, {20, 20, kStrokeNone, 1});
    DrawEmptyCell(screen, 10, 50, pic, {20, 20, kStrokeNone, 1});
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 60; ++x) {
            const bool drawn = (x >= 30 && x < 50 && y >= 10 && y < 30) || (x >= 10 && x < 30 && y >= 50 && y < 70);
            ASSERT_EQ(screen.Pixel(x, y), drawn ? MakeColor((x - 10) % 16, (y - 10) % 16, 100) : kUntouched)
                << x << "," << y;
        }
}

TEST(EmptyCell, StrokesAndTheirInterval) {
    // The default: black with a 2 x 2 white dot left of and above the middle; nothing above the well.
    PixelImage screen(60, 60, kUntouched);
    DrawEmptyCell(screen, 10, 9, MakeBlackImage(), {20, 20, kStrokeWhite, 1});
    EXPECT_EQ(screen, PixelImage(60, 60, kUntouched));
    DrawEmptyCell(screen, 10, 10, MakeBlackImage(), {20, 19, kStrokeWhite, 1});
    EXPECT_TRUE(PixelsAre(screen, 17, 16, {"KKKKKK", "KKKKKK", "KKWWKK", "KKWWKK", "KKKKKK"}));
    EXPECT_TRUE(PixelsAre(screen, 28, 27, {"KK.", "KK.", "..."}));
    // Inverted strokes on a picture.
    PixelImage cell(30, 30, kUntouched);
    DrawEmptyCell(cell, 10, 10, Numbered(16, 16, 100), {8, 8, kStrokeInverted, 1});
    EXPECT_EQ(std::tuple(cell.Pixel(13, 13), cell.Pixel(15, 14)),
              std::tuple(MakeColor(252, 252, 155), MakeColor(5, 4, 100)));

    // Which of the ten columns of a row get a dot; an interval below 1, from an edited file, counts as 1.
    const auto dotted = [](int cellW, int cellH, int interval) {
        PixelImage row(10 + 10 * cellW, 10 + cellH, kUntouched);
        std::vector<int> columns;
        for (int k = 1; k <= 10; ++k) {
            const int x = 10 + (k - 1) * cellW;
            DrawEmptyCell(row, x, 10, MakeBlackImage(), {cellW, cellH, kStrokeWhite, interval});
            if (row.Pixel(x + cellW / 2 - 1, 10 + cellH / 2 - 1) == kWhite) columns.push_back(k);
        }
        return columns;
    };
    struct Case { int cellW, cellH, interval; std::vector<int> columns; };
    const std::vector<int> all = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    for (const Case& c : {Case{20, 20, 3, {3, 6, 9}}, Case{20, 20, -4, all}, Case{5, 20, 1, {}}, Case{6, 6, 1, all}})
        EXPECT_EQ(dotted(c.cellW, c.cellH, c.interval), c.columns) << c.cellW << "x" << c.cellH << " / " << c.interval;
}

// Black lettering on grey, with a white chevron sweeping right 15 pixels a
// picture over the first eight; the rest show the plain lettering.
// The distinct palette's seven colours stay apart for players with
// protanopia, deuteranopia or tritanopia, each simulated at severity 1.0
// with the matrices of Machado, Oliveira and Fernandes (2009) on linear RGB:
// every pair differs by a CIE 1976 colour difference of at least 15, far
// above the 2.3 of a just noticeable one. The classic colours do not.
TEST(CellLook, DistinctColoursStayApartInColourVisionDeficiencies) {
    using Matrix = std::array<std::array<double, 3>, 3>;
    const std::pair<const char*, Matrix> visions[] = {
        {"normal", {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}},
        {"protanopia", {{{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216},
                         {-0.003882, -0.048116, 1.051998}}}},
        {"deuteranopia", {{{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413},
                           {-0.011820, 0.042940, 0.968881}}}},
        {"tritanopia", {{{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602},
                         {0.004733, 0.691367, 0.303900}}}},
    };
    const auto lab = [](Color c, const Matrix& m) {
        const auto linear = [](int v) { const double s = v / 255.0; return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4); };
        const double in[3] = {linear(ColorRed(c)), linear(ColorGreen(c)), linear(ColorBlue(c))};
        double rgb[3];
        for (int i = 0; i < 3; ++i) rgb[i] = std::clamp(m[i][0] * in[0] + m[i][1] * in[1] + m[i][2] * in[2], 0.0, 1.0);
        const auto f = [](double t) { return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116; };
        const double fx = f((0.4124 * rgb[0] + 0.3576 * rgb[1] + 0.1805 * rgb[2]) / 0.95047);
        const double fy = f(0.2126 * rgb[0] + 0.7152 * rgb[1] + 0.0722 * rgb[2]);
        const double fz = f((0.0193 * rgb[0] + 0.1192 * rgb[1] + 0.9505 * rgb[2]) / 1.08883);
        return std::array<double, 3>{116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
    };
    const auto closest = [&](int palette, const Matrix& m) {
        double least = 1e9;
        for (int a = 1; a <= 7; ++a)
            for (int b = a + 1; b <= 7; ++b) {
                const auto p = lab(CellFace(a, palette), m), q = lab(CellFace(b, palette), m);
                least = std::min(least, std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]));
            }
        return least;
    };
    for (const auto& [name, matrix] : visions) EXPECT_GE(closest(kPaletteDistinct, matrix), 15.0) << name;
    EXPECT_LT(closest(kPaletteClassic, visions[1].second), 15.0);
}

// Marked cells carry their figure's letter, so that without colour too the
// seven figures differ; unmarked grey cells are all alike.
TEST(CellLook, MarksTellTheFiguresApartWithoutColour) {
    const CellLook grey{false, kPaletteClassic, false}, marked{false, kPaletteClassic, true};
    for (int a = 1; a <= 7; ++a) {
        EXPECT_EQ(MakeCellImage(a, 20, 19, 2, grey), MakeCellImage(0, 20, 19, 2, grey));
        for (int b = a + 1; b <= 7; ++b) EXPECT_NE(MakeCellImage(a, 20, 19, 2, marked), MakeCellImage(b, 20, 19, 2, marked));
    }
    // The T (value 1): its bar in black on grey, white on the classic blue.
    EXPECT_TRUE(PixelsAre(MakeCellImage(1, 20, 19, 2, marked), 6, 6, {"GKKKKKG", "GGGKGGG"}));
    EXPECT_EQ(MakeCellImage(1, 20, 19, 2, {true, kPaletteClassic, true}).Pixel(9, 8), kWhite);
}

TEST(StatusLinePictures, TwoSequencesOfThirtyTwoWithASweepingChevron) {
    const StatusLinePictures pics;
    EXPECT_NE(*pics.Play()[8], *pics.Pause()[8]);
    EXPECT_TRUE(&pics.Picture(true, 20) == pics.Pause()[20] && &pics.Picture(false, 3) == pics.Play()[3]);
    for (const auto& seq : {pics.Play(), pics.Pause()}) {
        ASSERT_EQ(seq.size(), 32u);
        for (const PixelImage* p : seq) ASSERT_TRUE(p && p->Width() == 194 && p->Height() == 20);
        for (std::size_t k = 9; k < 32; ++k) EXPECT_EQ(*seq[k], *seq[8]);
        // Each of the first eight shows the chevron, each in a new place.
        for (std::size_t k = 0; k < 8; ++k) EXPECT_TRUE(*seq[k] != *seq[8] && *seq[k] != *seq[k + 1]) << k;
    }
}

// ---- the BMP reader ----

// Writes small BMP files for the tests, field by field.
struct BmpLayout {
    std::int32_t width = 1, height = 1;
    std::uint16_t bpp = 24;
    std::uint32_t compression = 0, colorsUsed = 0, headerSize = 40;
    std::vector<std::uint32_t> palette = {}, masks = {};  // 0x00RRGGBB; masks follow a 40-byte header
    std::vector<std::vector<std::uint8_t>> rows = {};     // in file order, unpadded
    bool zeroOffset = false, padLastRow = true;           // leave the pixel-data offset 0; pad rows to 4 bytes
};

// Writes v little-endian in the given number of bytes.
void Put(std::vector<std::uint8_t>& b, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Set32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::vector<std::uint8_t> BuildBmp(const BmpLayout& s) {
    std::vector<std::uint8_t> b = {'B', 'M'};
    b.resize(14, 0);  // file size and pixel-data offset are patched below
    const std::uint32_t planesAndBpp = 1u | std::uint32_t{s.bpp} << 16;
    for (std::uint32_t v : {s.headerSize, static_cast<std::uint32_t>(s.width), static_cast<std::uint32_t>(s.height),
                            planesAndBpp, s.compression, 0u, 2835u, 2835u, s.colorsUsed, 0u})
        Put(b, v, 4);
    for (std::uint32_t m : s.masks) Put(b, m, 4);
    if (s.headerSize > 40) b.resize(14 + s.headerSize, 0);
    for (std::uint32_t c : s.palette) Put(b, c, 4);  // blue, green, red, 0
    if (!s.zeroOffset) Set32(b, 10, static_cast<std::uint32_t>(b.size()));
    for (std::size_t r = 0; r < s.rows.size(); ++r) {
        b.insert(b.end(), s.rows[r].begin(), s.rows[r].end());
        if (s.padLastRow || r + 1 < s.rows.size())
            b.insert(b.end(), (s.rows[r].size() + 3) / 4 * 4 - s.rows[r].size(), 0xEE);
    }
    Set32(b, 2, static_cast<std::uint32_t>(b.size()));
    return b;
}

BmpResult Decode(const BmpLayout& layout, BmpDecodeOptions o = {}) { return DecodeBmp(BuildBmp(layout), o); }

// A table of n entries, entry i being (256 i / n, n - 1 - i, 1).
std::vector<std::uint32_t> Ramp(std::uint32_t n) {
    std::vector<std::uint32_t> p;
    for (std::uint32_t i = 0; i < n; ++i) p.push_back((i * 256 / n) << 16 | (n - 1 - i) << 8 | 1);
    return p;
}

constexpr Color kP0 = MakeColor(10, 20, 30), kP1 = MakeColor(200, 100, 50);
const std::vector<std::uint32_t> kTwo = {0x0A141E, 0xC86432};

TEST(Bmp, DecodesEveryAcceptedFormat) {
    struct FormatCase {
        const char* what;
        BmpLayout layout;
        std::vector<std::vector<Color>> pixels;  // the decoded image, top row first
    };
    const std::vector<FormatCase> cases = {
        {"1 bit, bottom row first", {.width = 3, .height = 2, .bpp = 1, .palette = kTwo, .rows = {{0xA0}, {0x60}}},
         {{kP0, kP1, kP1}, {kP1, kP0, kP1}}},
        {"8 bits, colours used 0: a table of 256 before data at offset 0",
         {.width = 3, .bpp = 8, .palette = Ramp(256), .rows = {{0, 255, 128}}, .zeroOffset = true},
         {{MakeColor(0, 255, 1), MakeColor(255, 0, 1), MakeColor(128, 127, 1)}}},
        {"8 bits, an index past a short table is black",
         {.width = 2, .bpp = 8, .colorsUsed = 2, .palette = kTwo, .rows = {{1, 5}}, .zeroOffset = true},
         {{kP1, kBlack}}},
        {"24 bits, no table, padded rows",
         {.width = 3, .height = 2, .rows = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 20, 30, 40, 50, 60, 70, 80, 90}},
          .zeroOffset = true},
         {{MakeColor(30, 20, 10), MakeColor(60, 50, 40), MakeColor(90, 80, 70)},
          {MakeColor(3, 2, 1), MakeColor(6, 5, 4), MakeColor(9, 8, 7)}}},
        {"24 bits, the last row unpadded", {.height = 2, .rows = {{1, 2, 3}, {4, 5, 6}}, .padLastRow = false},
         {{MakeColor(6, 5, 4)}, {MakeColor(3, 2, 1)}}},
        {"16 bits 5-5-5 (16 of 31 is 131.6 of 255)",
         {.width = 4, .bpp = 16, .rows = {{0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x10, 0x42}}},
         {{MakeColor(255, 0, 0), MakeColor(0, 255, 0), MakeColor(0, 0, 255), MakeColor(132, 132, 132)}}},
        {"16 bits 5-6-5 bit fields, masks between header and data",
         {.width = 3, .bpp = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F},
          .rows = {{0x00, 0xF8, 0xE0, 0x07, 0x00, 0x04}}, .zeroOffset = true},
         {{MakeColor(255, 0, 0), MakeColor(0, 255, 0), MakeColor(0, 130, 0)}}},
        {"32 bits, masks in a version 5 header (red in the first byte)",
         {.width = 2, .bpp = 32, .compression = 3, .headerSize = 124,
          .masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000}, .rows = {{1, 2, 3, 99, 40, 50, 60, 0}}},
         {{MakeColor(1, 2, 3), MakeColor(40, 50, 60)}}},
    };
    for (const FormatCase& c : cases) {
        const BmpResult r = Decode(c.layout);
        std::vector<std::vector<Color>> decoded;
        for (int y = 0; y < r.image.Height(); ++y) {
            decoded.emplace_back();
            for (int x = 0; x < r.image.Width(); ++x) decoded.back().push_back(r.image.Pixel(x, y));
        }
        EXPECT_TRUE(r.ok()) << c.what;
        EXPECT_EQ(decoded, c.pixels) << c.what;
    }
}

TEST(Bmp, Boundaries) {
    // Rows stored top row first, where allowed (the refusal is among the patched headers).
    BmpResult r = Decode({.height = -2, .rows = {{1, 1, 1}, {2, 2, 2}}}, {.allowTopDown = true});
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(std::tuple(r.image.Pixel(0, 0), r.image.Pixel(0, 1)), std::tuple(MakeColor(1, 1, 1), MakeColor(2, 2, 2)));
    // The widest picture accepted.
    r = Decode({.width = kBmpMaxSide, .bpp = 1, .palette = {0, 0xFFFFFF},
                .rows = {std::vector<std::uint8_t>(kBmpMaxSide / 8, 0x01)}});
    EXPECT_TRUE(r.ok() && r.image.Pixel(kBmpMaxSide - 1, 0) == kWhite && r.image.Pixel(kBmpMaxSide - 2, 0) == kBlack);
}

// ---- files that lie ----

const BmpLayout kEightBit = {.width = 4, .height = 3, .bpp = 8, .colorsUsed = 4, .palette = {1, 2, 3, 4},
                             .rows = {{0, 1, 2, 3}, {3, 2, 1, 0}, {1, 1, 1, 1}}};

TEST(BmpHostile, EveryTruncationIsRefused) {
    const std::vector<std::uint8_t> file = BuildBmp(kEightBit);
    ASSERT_TRUE(DecodeBmp(file).ok());
    for (std::size_t len = 0; len < file.size(); ++len) {
        const BmpResult r = DecodeBmp(std::span(file.data(), len));
        EXPECT_TRUE(!r.ok() && r.image.IsNull()) << "length " << len;
    }
}

TEST(BmpHostile, PatchedHeaderFields) {
    struct Patch { std::size_t at; std::int64_t value; BmpError error; bool allowTopDown = false; };
    const std::vector<std::uint8_t> good = BuildBmp(kEightBit);
    using enum BmpError;
    const Patch patches[] = {
        // The pixel-data offset at or past the end; a header size too large or unknown.
        {10, static_cast<std::int64_t>(good.size()), Truncated}, {10, 0xFFFFFFF0, Truncated},
        {14, 0xFFFFFFFF, Truncated}, {14, 20, Unsupported},
        // Widths (18) and heights (22) out of range.
        {18, kBmpMaxSide + 1, BadSize}, {18, 0, BadSize}, {18, -4, BadSize},
        {18, INT_MIN, BadSize}, {22, 0, BadSize}, {22, INT_MIN, TopDown}, {22, INT_MIN, BadSize, true},
        {22, -(kBmpMaxSide + 1), BadSize, true},
    };
    for (const Patch& p : patches) {
        std::vector<std::uint8_t> f = good;
        Set32(f, p.at, static_cast<std::uint32_t>(p.value));
        EXPECT_EQ(DecodeBmp(f, {.allowTopDown = p.allowTopDown}).error, p.error) << p.at << " := " << p.value;
    }
    // Within the limits but far more pixels than the file holds.
    std::vector<std::uint8_t> f = good;
    Set32(f, 18, kBmpMaxSide);
    Set32(f, 22, kBmpMaxSide);
    EXPECT_EQ(DecodeBmp(f).error, Truncated);
}

TEST(BmpHostile, RefusedLayouts) {
    const auto errorWith = [](auto change) {
        BmpLayout s = kEightBit;
        change(s);
        return Decode(s).error;
    };
    // The table of 4 cannot hold the 256 (or 200) entries the header claims.
    EXPECT_EQ(errorWith([](BmpLayout& s) { s.colorsUsed = 0xFFFFFFFFu; }), BmpError::BadColorTable);
    EXPECT_EQ(errorWith([](BmpLayout& s) { s.compression = 1; }), BmpError::Unsupported);  // run-length coded
    EXPECT_EQ(errorWith([](BmpLayout& s) { s.bpp = 0; }), BmpError::Unsupported);
    // Masks only go with 16 and 32 bits.
    EXPECT_EQ(errorWith([](BmpLayout& s) { s.bpp = 24; s.compression = 3; }), BmpError::Unsupported);
    // A huge count on a format without a table only moves the data start.
    EXPECT_EQ(Decode({.colorsUsed = 0x40000000u, .rows = {{1, 2, 3}}, .zeroOffset = true}).error, BmpError::Truncated);
    // Bit fields whose masks are missing from the file.
    std::vector<std::uint8_t> f = BuildBmp({.bpp = 16, .compression = 3});
    f.resize(54 + 8);
    EXPECT_FALSE(DecodeBmp(f).ok());
}

TEST(BackgroundFile, LoadsOrFallsBackToBlack) {
    const auto dir = std::filesystem::temp_directory_path() / ("vexari_bg_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto write = [&](const char* name, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return (dir / name).string();
    };
    const PixelImage black(32, 32, kBlack);
    PixelImage img(3, 3, kWhite);
    EXPECT_EQ((std::tuple{LoadBackgroundForWindow("", img), img}), std::tuple(std::string(), black));
    const std::string ok = write("ok.bmp", BuildBmp({.width = 2, .rows = {{1, 2, 3, 4, 5, 6}}}));
    EXPECT_TRUE(LoadBackgroundImage(ok, img) && img.Pixel(1, 0) == MakeColor(6, 5, 4));

    // Rows stored top row first cannot be made into a background.
    const std::string topDown = write("topdown.bmp", BuildBmp({.height = -1, .rows = {{1, 2, 3}}}));
    const std::string text = write("notes.bmp", {'h', 'e', 'l', 'l', 'o'});
    for (const std::string& path : {topDown, text, (dir / "missing.bmp").string(), dir.string()}) {
        img = PixelImage(5, 5, kWhite);
        EXPECT_EQ(LoadBackgroundForWindow(path, img),
                  "Cannon read bitmap file " + path + ".Please change the file pathname or set backround to BLACK");
        EXPECT_EQ(img, black) << path;
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vexari
