#include <gtest/gtest.h>

#include <climits>

#include "PixelTestUtil.h"
#include "ui/PixelImage.h"

namespace vexari {
namespace {

using testing::kUntouched;
using testing::PixelsAre;

constexpr Color kA = MakeColor(10, 200, 30);
constexpr Color kB = MakeColor(90, 80, 70);
const std::map<char, Color> kLegend = {{'.', kUntouched}, {'A', kA}, {'B', kB}, {'W', kWhite}, {'K', kBlack}};

TEST(PixelImage, SizesOutsideTheLimitsGiveAnEmptyImage) {
    EXPECT_TRUE(PixelImage(0, 5).IsNull());
    EXPECT_TRUE(PixelImage(-3, 5).IsNull());
    EXPECT_TRUE(PixelImage(5, INT_MIN).IsNull());
    EXPECT_TRUE(PixelImage(PixelImage::kMaxSide + 1, 1).IsNull());
    const PixelImage img(3, 2, kA);
    EXPECT_EQ(img.Width(), 3);
    EXPECT_EQ(img.Height(), 2);
    EXPECT_EQ(img.Stride(), 12);
    EXPECT_EQ(img.Pixel(2, 1), kA);
    EXPECT_EQ(img.Pixel(3, 1), kBlack);  // outside reads black
    EXPECT_EQ(img.Pixel(-1, 0), kBlack);
}

TEST(PixelImage, FillsAreClippedToTheImage) {
    PixelImage img(5, 4, kUntouched);
    img.FillRect(-2, -1, 4, 3, kA);
    img.FillRect(3, 2, 100, 100, kB);
    img.FillRect(INT_MAX - 1, 0, INT_MAX, 1, kWhite);  // far outside, must not wrap
    img.FillRect(INT_MIN, 3, INT_MAX, 1, kWhite);      // ends left of the image
    img.FillRect(1, 3, 0, 1, kWhite);                  // empty
    img.FillRect(1, 3, -5, 1, kWhite);                 // negative
    EXPECT_TRUE(PixelsAre(img, 0, 0, {"AA...", "AA...", "...BB", "...BB"}, kLegend));
    img.HLine(0, 3, 3, kWhite);
    img.VLine(4, -2, 3, kBlack);
    EXPECT_TRUE(PixelsAre(img, 0, 0, {"AA..K", "AA...", "...BB", "WWWBB"}, kLegend));
}

TEST(PixelImage, PatternFillsBlackWhiteAndInvert) {
    PixelImage img(4, 2, kA);
    img.PatternFill(0, 0, 1, 2, Pattern::Black);
    img.PatternFill(1, 0, 1, 2, Pattern::White);
    img.PatternFill(2, 1, 5, 5, Pattern::Invert);
    EXPECT_EQ(img.Pixel(0, 1), kBlack);
    EXPECT_EQ(img.Pixel(1, 0), kWhite);
    EXPECT_EQ(img.Pixel(2, 0), kA);
    EXPECT_EQ(img.Pixel(2, 1), MakeColor(245, 55, 225));
    EXPECT_EQ(img.Pixel(3, 1), MakeColor(245, 55, 225));
    img.PatternFill(2, 1, 2, 1, Pattern::Invert);
    EXPECT_EQ(img.Pixel(3, 1), kA);
}

TEST(PixelImage, CopyTakesOnlyPixelsInsideBothImages) {
    PixelImage src(3, 3, kA);
    src.SetPixel(0, 0, kB);
    src.SetPixel(2, 2, kWhite);
    PixelImage dst(4, 4, kUntouched);
    dst.CopyFrom(2, 2, src, 0, 0, 10, 10);  // clipped by the destination
    EXPECT_TRUE(PixelsAre(dst, 0, 0, {"....", "....", "..BA", "..AA"}, kLegend));
    PixelImage dst2(4, 4, kUntouched);
    dst2.CopyFrom(-1, 1, src, 0, 1, 3, 5);  // clipped left and by the source's bottom
    EXPECT_TRUE(PixelsAre(dst2, 0, 0, {"....", "AA..", "AW..", "...."}, kLegend));
    PixelImage dst3(4, 4, kUntouched);
    dst3.CopyFrom(1, 1, src, -2, -2, 4, 4);  // source starts outside: skips to (0,0) of src
    EXPECT_TRUE(PixelsAre(dst3, 0, 0, {"....", "....", "....", "...B"}, kLegend));
    PixelImage dst4(2, 2, kUntouched);
    dst4.CopyFrom(0, 0, src, INT_MAX, INT_MAX, INT_MAX, INT_MAX);
    dst4.CopyFrom(INT_MIN, INT_MIN, src, 0, 0, INT_MAX, INT_MAX);
    dst4.CopyFrom(0, 0, PixelImage(), 0, 0, 2, 2);
    EXPECT_TRUE(PixelsAre(dst4, 0, 0, {"..", ".."}, kLegend));
}

TEST(PixelImage, OverlappingCopyWithinOneImageActsThroughATemporary) {
    PixelImage img(4, 4, kUntouched);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) img.SetPixel(x, y, MakeColor(x, y, 0));
    PixelImage down = img;
    down.CopyFrom(1, 1, down, 0, 0, 3, 3);
    PixelImage up = img;
    up.CopyFrom(0, 0, up, 1, 1, 3, 3);
    for (int y = 1; y < 4; ++y)
        for (int x = 1; x < 4; ++x) EXPECT_EQ(down.Pixel(x, y), MakeColor(x - 1, y - 1, 0)) << x << "," << y;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(up.Pixel(x, y), MakeColor(x + 1, y + 1, 0)) << x << "," << y;
}

TEST(TilePicture, RepeatsFromTheTopLeftWithClippedLastTiles) {
    PixelImage pic(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) pic.SetPixel(x, y, MakeColor(x, y, 7));
    PixelImage area(117, 117, kUntouched);
    TilePicture(area, pic);
    // Tiles start at 0, 32, 64 and 96; the last column and row are 21 wide.
    EXPECT_EQ(area.Pixel(0, 0), MakeColor(0, 0, 7));
    EXPECT_EQ(area.Pixel(31, 31), MakeColor(31, 31, 7));
    EXPECT_EQ(area.Pixel(32, 64), MakeColor(0, 0, 7));
    EXPECT_EQ(area.Pixel(96, 96), MakeColor(0, 0, 7));
    EXPECT_EQ(area.Pixel(116, 100), MakeColor(20, 4, 7));
    EXPECT_EQ(area.Pixel(116, 116), MakeColor(20, 20, 7));
    for (int y = 0; y < 117; ++y)
        for (int x = 0; x < 117; ++x) ASSERT_NE(area.Pixel(x, y), kUntouched) << x << "," << y;
}

TEST(TilePicture, AnEmptyPictureDrawsNothing) {
    PixelImage area(10, 10, kUntouched);
    TilePicture(area, PixelImage());
    EXPECT_TRUE(PixelsAre(area, 0, 0, {"..........", ".........."}, kLegend));
    // A picture larger than the area is shown once, clipped.
    PixelImage big(30, 30, kB);
    TilePicture(area, big);
    EXPECT_EQ(area.Pixel(9, 9), kB);
}

}  // namespace
}  // namespace vexari
