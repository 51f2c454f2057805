#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "ui/StatusPictures.h"

namespace vexari {
namespace {

// Where the pixels of colour c lie in columns [x0, x1], and how many there are.
struct Bounds { int left = 1000, right = -1, top = 1000, count = 0; };
Bounds BoundsOf(const PixelImage& p, Color c, int x0 = 0, int x1 = 193) {
    Bounds b;
    for (int x = x0; x <= x1; ++x)
        for (int y = 0; y < p.Height(); ++y)
            if (p.Pixel(x, y) == c) b = {std::min(b.left, x), x, std::min(b.top, y), b.count + 1};
    return b;
}

TEST(StatusLinePictures, TwoSequencesOfThirtyTwoPlainAfterTheEighth) {
    const StatusLinePictures pics;
    EXPECT_NE(*pics.Play()[8], *pics.Pause()[8]);
    EXPECT_TRUE(&pics.Picture(true, 20) == pics.Pause()[20] && &pics.Picture(false, 3) == pics.Play()[3]);
    for (const auto& seq : {pics.Play(), pics.Pause()}) {
        ASSERT_EQ(seq.size(), 32u);
        for (const PixelImage* p : seq) ASSERT_TRUE(p && p->Width() == 194 && p->Height() == 20);
        for (std::size_t k = 9; k < 32; ++k) EXPECT_EQ(*seq[k], *seq[8]);
        // Black lettering on grey, from 2 to 3 pixels from the left edge.
        const Bounds ink = BoundsOf(*seq[8], kBlack);
        EXPECT_EQ(ink.count + BoundsOf(*seq[8], kGrey).count, 194 * 20);
        EXPECT_GT(ink.count, 200);
        EXPECT_TRUE(ink.left >= 2 && ink.left <= 3 && ink.right < 192) << ink.left << ".." << ink.right;
    }
}

TEST(StatusLinePictures, LastWordIsTallerAndNarrower) {
    const PixelImage p = MakeStatusLettering("ESC ESC");
    int gap = BoundsOf(p, kBlack).left;
    while (gap < 190 && BoundsOf(p, kBlack, gap, gap + 3).right >= 0) ++gap;  // four empty columns: the space
    const Bounds first = BoundsOf(p, kBlack, 0, gap), last = BoundsOf(p, kBlack, gap, 193);
    ASSERT_GE(last.right, 0);
    EXPECT_LT(last.right - last.left, first.right - first.left);
    EXPECT_LT(last.top, first.top);
}

TEST(StatusLinePictures, ChevronSweepsRightFifteenPixelsAPicture) {
    const StatusLinePictures pics;
    for (bool pause : {false, true})
        for (int k = 0; k < 8; ++k) {
            const PixelImage &p = pics.Picture(pause, k), &plain = pics.Picture(pause, 8);
            int count = 0, left = 1000, right = -1;
            std::vector<int> rowRight(20, -1);
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 194; ++x) {
                    if (p.Pixel(x, y) == plain.Pixel(x, y)) continue;
                    ASSERT_EQ(p.Pixel(x, y), kWhite) << k << ": " << x << "," << y;
                    EXPECT_NE(p.Pixel(x + 1, y), kWhite) << "dithered: " << k << ": " << x << "," << y;
                    ++count;
                    left = std::min(left, x);
                    right = std::max(right, x);
                    rowRight[static_cast<std::size_t>(y)] = x;
                }
            EXPECT_GT(count, 100);
            EXPECT_TRUE(left >= 15 * k && left <= 15 * k + 1) << k << ": " << left;
            EXPECT_TRUE(right - left + 1 >= 22 && right - left + 1 <= 24) << k << ": " << left << ".." << right;
            EXPECT_EQ(std::count(rowRight.begin(), rowRight.end(), -1), 0) << k << ": not over the full height";
            EXPECT_GT(std::max(rowRight[9], rowRight[10]), rowRight[0] + 5) << k << ": not pointing right";
        }
}

TEST(LandingIndicatorPictures, FiveGreySquares) {
    EXPECT_EQ(MakeLandingIndicatorPictures(), std::vector<PixelImage>(5, PixelImage(60, 60, kGrey)));
}

}  // namespace
}  // namespace vexari
