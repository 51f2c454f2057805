#include <gtest/gtest.h>

#include "PixelTestUtil.h"
#include "ui/Bevel.h"

namespace vexari {
namespace {

using testing::kUntouched;
using testing::PixelsAre;

// Boxes are drawn in the buttons' colours (face G, light W, dark D); the frame
// gets four colours of its own (fill I, corner C, B, T) so that a swapped argument shows.
constexpr Color kFill = MakeColor(1, 2, 3), kCorner = MakeColor(7, 7, 7);
constexpr Color kBottomRight = MakeColor(200, 0, 0), kTopLeft = MakeColor(0, 200, 0);
const std::map<char, Color> kLegend = {{'.', kUntouched}, {'G', kGrey},         {'W', kWhite},
                                       {'D', kDarkGrey},  {'I', kFill},         {'C', kCorner},
                                       {'B', kBottomRight}, {'T', kTopLeft}};

bool Box(PixelImage& s, int x, int y, int w, int h, int n) {
    return DrawRaisedBox(s, x, y, w, h, n, kGrey, kWhite, kDarkGrey, false, true);
}

// The two shapes every cell, panel and button is made of.
TEST(Bevel, RaisedBoxAndSunkenFrame) {
    PixelImage box(8, 7, kUntouched);
    EXPECT_TRUE(Box(box, 1, 1, 6, 5, 2));  // light top-left, dark bottom-right, odd corners in the face
    const std::vector<std::string> boxMap = {"........", ".WWWWWG.", ".WWWWGD.", ".WWGGDD.",
                                             ".WGDDDD.", ".GDDDDD.", "........"};
    EXPECT_TRUE(PixelsAre(box, 0, 0, boxMap, kLegend));
    PixelImage frame(6, 5, kUntouched);  // rings from the inside out, bottom-right corners untouched
    DrawSunkenFrame(frame, 2, 2, 2, 1, 2, kFill, kCorner, kBottomRight, kTopLeft, true);
    EXPECT_TRUE(PixelsAre(frame, 0, 0, {"TTTTTC", "TTTTCB", "TTIIBB", "TCBB.B", "CBBBB."}, kLegend));
}

TEST(Bevel, BoxTooSmallForItsBevelDrawsNothing) {
    struct Size { int w, h, n; };
    for (const Size& c : {Size{10, 10, 5}, Size{10, 3, 2}, Size{0, 0, 0}, Size{10, 10, -1}, Size{10, 10, 1 << 30}}) {
        PixelImage s(12, 12, kUntouched);
        EXPECT_FALSE(Box(s, 1, 1, c.w, c.h, c.n)) << c.w << "x" << c.h << " n " << c.n;
        EXPECT_EQ(s, PixelImage(12, 12, kUntouched));
    }
}

}  // namespace
}  // namespace vexari
