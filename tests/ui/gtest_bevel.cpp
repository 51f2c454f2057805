#include <gtest/gtest.h>

#include "PixelTestUtil.h"
#include "ui/Bevel.h"

namespace vexari {
namespace {

using testing::kUntouched;
using testing::PixelsAre;

constexpr Color kFace = MakeColor(10, 20, 30);
constexpr Color kLight = MakeColor(250, 240, 230);
constexpr Color kDark = MakeColor(60, 50, 40);
const std::map<char, Color> kBoxLegend = {
    {'F', kFace}, {'L', kLight}, {'D', kDark}, {'K', kBlack}, {'.', kUntouched}};

TEST(RaisedBox, RingsLightTopLeftDarkBottomRightOddCornersInFace) {
    PixelImage img(8, 7, kUntouched);
    ASSERT_TRUE(DrawRaisedBox(img, 1, 1, 6, 5, 2, kFace, kLight, kDark, false, true));
    EXPECT_TRUE(PixelsAre(img, 0, 0,
                          {
                              "........",
                              ".LLLLLF.",
                              ".LLLLFD.",
                              ".LLFFDD.",
                              ".LFDDDD.",
                              ".FDDDDD.",
                              "........",
                          },
                          kBoxLegend));
}

TEST(RaisedBox, WithoutFillFaceTheInsideKeepsItsPixels) {
    PixelImage img(6, 5, kUntouched);
    ASSERT_TRUE(DrawRaisedBox(img, 0, 0, 6, 5, 2, kFace, kLight, kDark, false, false));
    EXPECT_TRUE(PixelsAre(img, 0, 0, {"LLLLLF", "LLLLFD", "LL..DD", "LFDDDD", "FDDDDD"}, kBoxLegend));
}

TEST(RaisedBox, BevelZeroDrawsOnlyTheFace) {
    PixelImage img(3, 3, kUntouched);
    EXPECT_TRUE(DrawRaisedBox(img, 1, 1, 1, 1, 0, kFace, kLight, kDark, false, true));
    EXPECT_TRUE(PixelsAre(img, 0, 0, {"...", ".F.", "..."}, kBoxLegend));
    PixelImage big(5, 4, kUntouched);
    EXPECT_TRUE(DrawRaisedBox(big, 0, 0, 5, 4, 0, kFace, kLight, kDark, false, true));
    EXPECT_TRUE(PixelsAre(big, 0, 0, {"FFFFF", "FFFFF", "FFFFF", "FFFFF"}, kBoxLegend));
}

TEST(RaisedBox, TooWideABevelDrawsNothing) {
    PixelImage img(12, 12, kUntouched);
    const PixelImage before = img;
    EXPECT_FALSE(DrawRaisedBox(img, 1, 1, 10, 10, 5, kFace, kLight, kDark, false, true));
    EXPECT_FALSE(DrawRaisedBox(img, 1, 1, 10, 3, 2, kFace, kLight, kDark, false, true));
    EXPECT_FALSE(DrawRaisedBox(img, 1, 1, 0, 0, 0, kFace, kLight, kDark, false, true));
    EXPECT_FALSE(DrawRaisedBox(img, 1, 1, 10, 10, -1, kFace, kLight, kDark, false, true));
    EXPECT_FALSE(DrawRaisedBox(img, 1, 1, 10, 10, 1 << 30, kFace, kLight, kDark, false, true));
    // With a shadow the box shrinks by n first: 2n = 4 is not less than 6 - 2.
    EXPECT_FALSE(DrawRaisedBox(img, 1, 1, 6, 6, 2, kFace, kLight, kDark, true, true));
    EXPECT_EQ(img, before);
}

TEST(RaisedBox, FourRingsInATenByTenLeaveATwoByTwoFace) {
    PixelImage img(10, 10, kUntouched);
    ASSERT_TRUE(DrawRaisedBox(img, 0, 0, 10, 10, 4, kFace, kLight, kDark, false, true));
    EXPECT_TRUE(PixelsAre(img, 0, 0,
                          {
                              "LLLLLLLLLF",
                              "LLLLLLLLFD",
                              "LLLLLLLFDD",
                              "LLLLLLFDDD",
                              "LLLLFFDDDD",
                              "LLLLFFDDDD",
                              "LLLFDDDDDD",
                              "LLFDDDDDDD",
                              "LFDDDDDDDD",
                              "FDDDDDDDDD",
                          },
                          kBoxLegend));
}

TEST(RaisedBox, ShadowLeavesABlackBandAtRightAndBottom) {
    PixelImage img(20, 20, kUntouched);
    ASSERT_TRUE(DrawRaisedBox(img, 0, 0, 20, 20, 2, kFace, kLight, kDark, true, true));
    // The box itself is 18 x 18.
    EXPECT_EQ(img.Pixel(0, 0), kLight);
    EXPECT_EQ(img.Pixel(17, 0), kFace);
    EXPECT_EQ(img.Pixel(0, 17), kFace);
    EXPECT_EQ(img.Pixel(17, 17), kDark);
    EXPECT_EQ(img.Pixel(8, 8), kFace);
    for (int i = 0; i < 20; ++i) {
        for (int band = 18; band < 20; ++band) {
            EXPECT_EQ(img.Pixel(band, i), kBlack) << band << "," << i;
            EXPECT_EQ(img.Pixel(i, band), kBlack) << i << "," << band;
        }
    }
}

constexpr Color kFill = MakeColor(1, 2, 3);
constexpr Color kCorner = MakeColor(7, 7, 7);
constexpr Color kBottomRight = MakeColor(200, 0, 0);
constexpr Color kTopLeft = MakeColor(0, 200, 0);
const std::map<char, Color> kFrameLegend = {
    {'F', kFill}, {'C', kCorner}, {'B', kBottomRight}, {'T', kTopLeft}, {'.', kUntouched}};

TEST(SunkenFrame, RingsRunFromTheInsideOutAndSkipTheBottomRightCorner) {
    PixelImage img(6, 5, kUntouched);
    DrawSunkenFrame(img, 2, 2, 2, 1, 2, kFill, kCorner, kBottomRight, kTopLeft, true);
    EXPECT_TRUE(PixelsAre(img, 0, 0,
                          {
                              "TTTTTC",
                              "TTTTCB",
                              "TTFFBB",
                              "TCBB.B",
                              "CBBBB.",
                          },
                          kFrameLegend));
}

TEST(SunkenFrame, WithoutFillInsideTheInsideIsLeftAlone) {
    PixelImage img(3, 3, kUntouched);
    DrawSunkenFrame(img, 1, 1, 1, 1, 1, kFill, kCorner, kBottomRight, kTopLeft, false);
    EXPECT_TRUE(PixelsAre(img, 0, 0, {"TTC", "T.B", "CB."}, kFrameLegend));
}

TEST(SunkenFrame, TwoRingsAroundSixtyByTwentyCoverSixtyFourByTwentyFour) {
    PixelImage img(70, 30, kUntouched);
    DrawSunkenFrame(img, 5, 5, 60, 20, 2, kFill, kCorner, kBottomRight, kTopLeft, true);
    int touched = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 70; ++x) {
            const bool inside = x >= 3 && x < 67 && y >= 3 && y < 27;
            if (img.Pixel(x, y) != kUntouched) {
                ++touched;
                EXPECT_TRUE(inside) << x << "," << y;
            }
        }
    }
    // Everything of the 64 x 24 area except the two bottom-right corners.
    EXPECT_EQ(touched, 64 * 24 - 2);
    EXPECT_EQ(img.Pixel(66, 3), kCorner);
    EXPECT_EQ(img.Pixel(3, 26), kCorner);
    EXPECT_EQ(img.Pixel(66, 26), kUntouched);
    EXPECT_EQ(img.Pixel(65, 25), kUntouched);
    EXPECT_EQ(img.Pixel(3, 3), kTopLeft);
    EXPECT_EQ(img.Pixel(66, 10), kBottomRight);
    EXPECT_EQ(img.Pixel(30, 15), kFill);
}

const std::map<char, Color> kButtonLegend = {{'G', kGrey},   {'D', kDarkGrey}, {'W', kWhite},
                                             {'K', kBlack},  {'R', MakeColor(255, 0, 0)}};

TEST(LabelButtonFace, UpIsASunkenEdgeAroundARaisedFace) {
    PixelImage img(8, 7, kGrey);
    EXPECT_EQ(DrawLabelButtonFace(img, false), (Point{4, 4}));
    EXPECT_TRUE(PixelsAre(img, 0, 0,
                          {
                              "DDDDDDDG",
                              "DWWWWWGW",
                              "DWGGGGDW",
                              "DWGGGGDW",
                              "DWGGGGDW",
                              "DGDDDDDW",
                              "GWWWWWWG",
                          },
                          kButtonLegend));
}

TEST(LabelButtonFace, PushedIsATwoRingFrameWithItsInnerBottomRightCoveredInGrey) {
    PixelImage img(8, 7, kGrey);
    EXPECT_EQ(DrawLabelButtonFace(img, true), (Point{5, 5}));
    EXPECT_TRUE(PixelsAre(img, 0, 0,
                          {
                              "DDDDDDDG",
                              "DDDDDDGW",
                              "DDGGGGGW",
                              "DDGGGGGW",
                              "DDGGGGGW",
                              "DGGGGGGW",
                              "GWWWWWWG",
                          },
                          kButtonLegend));
}

TEST(PictureButtonFace, PushedShowsBlackOddCornersAndThePictureAtTwoTwo) {
    const PixelImage red(3, 3, MakeColor(255, 0, 0));
    PixelImage img(8, 7, kGrey);
    DrawPictureButtonFace(img, true, &red);
    EXPECT_TRUE(PixelsAre(img, 0, 0,
                          {
                              "DDDDDDDK",
                              "DDDDDDKW",
                              "DDRRRGWW",
                              "DDRRRGWW",
                              "DDGGGGWW",
                              "DKWWWWGW",
                              "KWWWWWWG",
                          },
                          kButtonLegend));
}

TEST(PictureButtonFace, UpShowsThePictureAtThreeThreeClippedToTheFace) {
    const PixelImage red(3, 3, MakeColor(255, 0, 0));
    PixelImage img(8, 7, kGrey);
    DrawPictureButtonFace(img, false, &red);
    EXPECT_TRUE(PixelsAre(img, 0, 0,
                          {
                              "DDDDDDDG",
                              "DWWWWWGW",
                              "DWGGGGDW",
                              "DWGRRGDW",
                              "DWGGGGDW",
                              "DGDDDDDW",
                              "GWWWWWWG",
                          },
                          kButtonLegend));
    // A picture smaller than the face leaves the rest of the face grey.
    PixelImage wide(20, 10, kGrey);
    const PixelImage dot(1, 1, MakeColor(255, 0, 0));
    DrawPictureButtonFace(wide, false, &dot);
    EXPECT_EQ(wide.Pixel(3, 3), MakeColor(255, 0, 0));
    EXPECT_EQ(wide.Pixel(4, 3), kGrey);
    EXPECT_EQ(wide.Pixel(3, 4), kGrey);
}

}  // namespace
}  // namespace vexari
