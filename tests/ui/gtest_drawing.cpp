// The toolkit-free drawing pieces: pixel images, bevels, empty well cells and
// the status-line pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>

#include "ui/Background.h"
#include "ui/Bevel.h"
#include "ui/StatusPictures.h"

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
        EXPECT_FALSE(box(s, c.w, c.h, c.n)) << c.w << "x" << c.h << " n " << c.n;
        EXPECT_EQ(s, PixelImage(12, 12, kUntouched));
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
TEST(StatusLinePictures, TwoSequencesOfThirtyTwoWithASweepingChevron) {
    const StatusLinePictures pics;
    EXPECT_NE(*pics.Play()[8], *pics.Pause()[8]);
    EXPECT_TRUE(&pics.Picture(true, 20) == pics.Pause()[20] && &pics.Picture(false, 3) == pics.Play()[3]);
    for (const auto& seq : {pics.Play(), pics.Pause()}) {
        ASSERT_EQ(seq.size(), 32u);
        for (const PixelImage* p : seq) ASSERT_TRUE(p && p->Width() == 194 && p->Height() == 20);
        for (std::size_t k = 9; k < 32; ++k) EXPECT_EQ(*seq[k], *seq[8]);
        for (int k = 0; k < 8; ++k) {  // the columns where picture k differs from the plain one
            int left = 1000, right = -1, count = 0;
            for (int x = 0; x < 194; ++x)
                for (int y = 0; y < 20; ++y)
                    if (seq[static_cast<std::size_t>(k)]->Pixel(x, y) != seq[8]->Pixel(x, y))
                        left = std::min(left, x), right = x, ++count;
            EXPECT_TRUE(count > 100 && left >= 15 * k && left <= 15 * k + 1 && right - left >= 21 && right - left <= 23)
                << k << ": " << left << " to " << right;
        }
    }
}

}  // namespace
}  // namespace vexari
