#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "PixelTestUtil.h"
#include "ui/PixelImage.h"

namespace vexari {
namespace {

using testing::kUntouched;
using testing::PixelsAre;

constexpr Color kA = MakeColor(10, 200, 30), kB = MakeColor(90, 80, 70);
const std::map<char, Color> kLegend = {{'.', kUntouched}, {'A', kA}, {'B', kB}, {'W', kWhite}, {'K', kBlack}};

TEST(PixelImage, SizesOutsideTheLimitsGiveAnEmptyImageAndOutsideReadsBlack) {
    for (const auto& [w, h] : {std::pair{0, 5}, {-3, 5}, {5, INT_MIN}, {PixelImage::kMaxSide + 1, 1}})
        EXPECT_TRUE(PixelImage(w, h).IsNull()) << w << "x" << h;
    EXPECT_TRUE(PixelsAre(PixelImage(3, 2, kA), -1, -1, {"KKKKK", "KAAAK", "KAAAK", "KKKKK"}, kLegend));
}

// Rectangles far outside must neither wrap nor write past the pixels.
TEST(PixelImage, FillsAndCopiesAreClippedToBothImages) {
    PixelImage img(5, 4, kUntouched);
    img.FillRect(-2, -1, 4, 3, kA);
    img.FillRect(3, 2, 100, 100, kB);
    img.FillRect(INT_MAX - 1, 0, INT_MAX, 1, kWhite);
    img.FillRect(INT_MIN, 3, INT_MAX, 1, kWhite);
    img.FillRect(1, 3, -5, 1, kWhite);
    img.VLine(4, -2, 3, kBlack);
    EXPECT_TRUE(PixelsAre(img, 0, 0, {"AA..K", "AA...", "...BB", "...BB"}, kLegend));
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
        EXPECT_TRUE(PixelsAre(dst, 0, 0, c.rows, kLegend)) << c.dx << "," << c.dy << " from " << c.sx << "," << c.sy;
    }
    PixelImage dst(2, 2, kUntouched);
    dst.CopyFrom(0, 0, PixelImage(), 0, 0, 2, 2);
    EXPECT_EQ(dst, PixelImage(2, 2, kUntouched));
}

TEST(TilePicture, RepeatsFromTheTopLeftWithClippedLastTiles) {
    PixelImage area(117, 117, kUntouched);
    TilePicture(area, testing::Numbered(32, 32, 7));
    for (int y = 0; y < 117; ++y)
        for (int x = 0; x < 117; ++x) ASSERT_EQ(area.Pixel(x, y), MakeColor(x % 32, y % 32, 7)) << x << "," << y;
    PixelImage small(10, 10, kUntouched);
    TilePicture(small, PixelImage());
    EXPECT_EQ(small, PixelImage(10, 10, kUntouched));
}

}  // namespace
}  // namespace vexari
