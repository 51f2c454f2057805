#include <gtest/gtest.h>

#include <functional>

#include "PixelTestUtil.h"
#include "ui/Bevel.h"

namespace vexari {
namespace {

using testing::kUntouched;
using testing::PixelsAre;

constexpr Color kRed = MakeColor(255, 0, 0);
constexpr Color kFill = MakeColor(1, 2, 3), kCorner = MakeColor(7, 7, 7);
constexpr Color kBottomRight = MakeColor(200, 0, 0), kTopLeft = MakeColor(0, 200, 0);
// Boxes are drawn in the buttons' colours (face G, light W, dark D); frames get
// four colours of their own (fill I, corner C, B, T) so that a swapped argument shows.
const std::map<char, Color> kLegend = {{'.', kUntouched}, {'G', kGrey}, {'W', kWhite}, {'D', kDarkGrey},
                                       {'K', kBlack},     {'R', kRed},  {'I', kFill},  {'C', kCorner},
                                       {'B', kBottomRight}, {'T', kTopLeft}};

bool Box(PixelImage& s, int x, int y, int w, int h, int n, bool shadow, bool fill) {
    return DrawRaisedBox(s, x, y, w, h, n, kGrey, kWhite, kDarkGrey, shadow, fill);
}
void Frame(PixelImage& s, int x, int y, int w, int h, int n, bool fill) {
    DrawSunkenFrame(s, x, y, w, h, n, kFill, kCorner, kBottomRight, kTopLeft, fill);
}

struct MapCase {
    const char* what;
    Color ground;                           // the surface before drawing
    std::function<void(PixelImage&)> draw;  // on a surface of the map's size
    std::vector<std::string> rows;
};

TEST(Bevel, DrawsTheHandDrawnMaps) {
    const PixelImage red(3, 3, kRed);
    const std::vector<MapCase> cases = {
        {"box: light top-left, dark bottom-right, odd corners in the face", kUntouched,
         [](PixelImage& s) { EXPECT_TRUE(Box(s, 1, 1, 6, 5, 2, false, true)); },
         {"........", ".WWWWWG.", ".WWWWGD.", ".WWGGDD.", ".WGDDDD.", ".GDDDDD.", "........"}},
        {"box with n = 0 is only the face", kUntouched,
         [](PixelImage& s) { EXPECT_TRUE(Box(s, 1, 1, 1, 1, 0, false, true)); }, {"...", ".G.", "..."}},
        {"four rings in 10 x 10 leave a 2 x 2 face", kUntouched,
         [](PixelImage& s) { EXPECT_TRUE(Box(s, 0, 0, 10, 10, 4, false, true)); },
         {"WWWWWWWWWG", "WWWWWWWWGD", "WWWWWWWGDD", "WWWWWWGDDD", "WWWWGGDDDD",  //
          "WWWWGGDDDD", "WWWGDDDDDD", "WWGDDDDDDD", "WGDDDDDDDD", "GDDDDDDDDD"}},
        {"box with shadow: n smaller, black band right and bottom", kUntouched,
         [](PixelImage& s) { EXPECT_TRUE(Box(s, 0, 0, 6, 6, 1, true, true)); },
         {"WWWWGK.", "WGGGDK.", "WGGGDK.", "WGGGDK.", "GDDDDK.", "KKKKKK.", "......."}},
        {"frame: rings from the inside out, bottom-right corners untouched", kUntouched,
         [](PixelImage& s) { Frame(s, 2, 2, 2, 1, 2, true); }, {"TTTTTC", "TTTTCB", "TTIIBB", "TCBB.B", "CBBBB."}},
        {"label up: sunken edge around a raised face", kGrey,
         [](PixelImage& s) { EXPECT_EQ(DrawLabelButtonFace(s, false), (Point{4, 4})); },
         {"DDDDDDDG", "DWWWWWGW", "DWGGGGDW", "DWGGGGDW", "DWGGGGDW", "DGDDDDDW", "GWWWWWWG"}},
        {"picture pushed: black odd corners, picture at (2, 2)", kGrey,
         [&](PixelImage& s) { DrawPictureButtonFace(s, true, &red); },
         {"DDDDDDDK", "DDDDDDKW", "DDRRRGWW", "DDRRRGWW", "DDGGGGWW", "DKWWWWGW", "KWWWWWWG"}},
        {"picture up: at (3, 3), clipped to (w - 6) x (h - 6)", kGrey,
         [&](PixelImage& s) { DrawPictureButtonFace(s, false, &red); },
         {"DDDDDDDG", "DWWWWWGW", "DWGGGGDW", "DWGRRGDW", "DWGGGGDW", "DGDDDDDW", "GWWWWWWG"}},
    };
    for (const MapCase& c : cases) {
        PixelImage s(static_cast<int>(c.rows[0].size()), static_cast<int>(c.rows.size()), c.ground);
        c.draw(s);
        EXPECT_TRUE(PixelsAre(s, 0, 0, c.rows, kLegend)) << c.what;
    }
}

TEST(Bevel, BoxTooSmallForItsBevelDrawsNothing) {
    struct Size { int w, h, n; bool shadow; };
    for (const Size& c : {Size{10, 10, 5, false}, Size{10, 3, 2, false}, Size{0, 0, 0, false}, Size{10, 10, -1, false},
                          Size{10, 10, 1 << 30, false}, Size{6, 6, 2, true} /* 2n = 4 is not less than 6 - 2 */}) {
        PixelImage s(12, 12, kUntouched);
        EXPECT_FALSE(Box(s, 1, 1, c.w, c.h, c.n, c.shadow, true)) << c.w << "x" << c.h << " n " << c.n;
        EXPECT_EQ(s, PixelImage(12, 12, kUntouched));
    }
}

TEST(Bevel, ShadowOnTwentyByTwentyLeavesAnEighteenBoxAndATwoPixelBand) {
    PixelImage s(20, 20, kUntouched);
    ASSERT_TRUE(Box(s, 0, 0, 20, 20, 2, true, true));
    EXPECT_TRUE(PixelsAre(s, 16, 16, {"DDKK", "DDKK", "KKKK", "KKKK"}, kLegend));
    EXPECT_TRUE(PixelsAre(s, 0, 16, {"WGDD", "GDDD", "KKKK", "KKKK"}, kLegend));
    EXPECT_TRUE(PixelsAre(s, 16, 0, {"WGKK", "GDKK"}, kLegend));
    EXPECT_TRUE(PixelsAre(s, 18, 0, std::vector<std::string>(20, "KK"), kLegend));
    EXPECT_TRUE(PixelsAre(s, 0, 18, std::vector<std::string>(2, std::string(20, 'K')), kLegend));
}

TEST(Bevel, TwoRingFrameAroundSixtyByTwentyCoversSixtyFourByTwentyFour) {
    PixelImage s(70, 30, kUntouched);
    Frame(s, 5, 5, 60, 20, 2, true);
    int touched = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 70; ++x)
            if (s.Pixel(x, y) != kUntouched) {
                ++touched;
                EXPECT_TRUE(x >= 3 && x < 67 && y >= 3 && y < 27) << x << "," << y;
            }
    EXPECT_EQ(touched, 64 * 24 - 2);  // all but the bottom-right corners of both rings
    EXPECT_TRUE(PixelsAre(s, 64, 3, {"TTC", "TCB", "IBB"}, kLegend));
    EXPECT_TRUE(PixelsAre(s, 3, 24, {"TTI", "TCB", "CBB"}, kLegend));
    EXPECT_TRUE(PixelsAre(s, 64, 24, {"IBB", "B.B", "BB."}, kLegend));
}

}  // namespace
}  // namespace vexari
