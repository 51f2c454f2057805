#include <gtest/gtest.h>

#include <set>

#include "ui/StatusPictures.h"

namespace vexari {
namespace {

// Columns [first, last] holding black ink, or (-1, -1).
std::pair<int, int> InkColumns(const PixelImage& p) {
    int first = -1, last = -1;
    for (int x = 0; x < p.Width(); ++x)
        for (int y = 0; y < p.Height(); ++y)
            if (p.Pixel(x, y) == kBlack) {
                if (first < 0) first = x;
                last = x;
            }
    return {first, last};
}

int TopInkRow(const PixelImage& p, int x0, int x1) {
    for (int y = 0; y < p.Height(); ++y)
        for (int x = x0; x <= x1; ++x)
            if (p.Pixel(x, y) == kBlack) return y;
    return -1;
}

TEST(StatusLinePictures, TwoSequencesOfThirtyTwoPictures) {
    const StatusLinePictures pics;
    for (const auto& seq : {pics.Play(), pics.Pause()}) {
        ASSERT_EQ(seq.size(), 32u);
        for (const PixelImage* p : seq) {
            ASSERT_NE(p, nullptr);
            EXPECT_EQ(p->Width(), 194);
            EXPECT_EQ(p->Height(), 20);
        }
        // Pictures 8 to 31 are the same plain lettering.
        for (int k = 9; k < 32; ++k) EXPECT_EQ(seq[static_cast<std::size_t>(k)], seq[8]);
        EXPECT_EQ(std::set<const PixelImage*>(seq.begin(), seq.end()).size(), 9u);
    }
    EXPECT_NE(*pics.Play()[8], *pics.Pause()[8]);
    EXPECT_EQ(&pics.Picture(true, 20), pics.Pause()[20]);
    EXPECT_EQ(&pics.Picture(false, 3), pics.Play()[3]);
}

TEST(StatusLinePictures, PlainLetteringIsBlackOnGreyFromTheLeftEdge) {
    const StatusLinePictures pics;
    for (const PixelImage* plain : {pics.Play()[8], pics.Pause()[8]}) {
        int ink = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 194; ++x) {
                const Color c = plain->Pixel(x, y);
                ASSERT_TRUE(c == kGrey || c == kBlack) << x << "," << y;
                ink += c == kBlack;
            }
        EXPECT_GT(ink, 200);
        const auto [first, last] = InkColumns(*plain);
        EXPECT_GE(first, 2);
        EXPECT_LE(first, 3);
        EXPECT_LT(last, 194 - 2);
    }
}

TEST(StatusLinePictures, LastWordIsTallerAndNarrower) {
    // Drawn alone, a word in the normal face against the same word as the last.
    const PixelImage normal = MakeStatusLettering("ESC ESC");
    const auto [first, last] = InkColumns(normal);
    int gap = -1;  // the space between the two words
    for (int x = first; x <= last && gap < 0; ++x) {
        bool empty = true;
        for (int x2 = x; x2 < x + 4; ++x2)
            for (int y = 0; y < 20; ++y) empty = empty && normal.Pixel(x2, y) != kBlack;
        if (empty) gap = x;
    }
    ASSERT_GT(gap, 0);
    int second = gap;
    while (second <= last && TopInkRow(normal, second, second) < 0) ++second;
    const int firstWidth = gap - first;
    const int secondWidth = last + 1 - second;
    EXPECT_LT(secondWidth, firstWidth);
    EXPECT_LT(TopInkRow(normal, second, last), TopInkRow(normal, first, gap - 1));
}

TEST(StatusLinePictures, ChevronSweepsRightFifteenPixelsAPicture) {
    const StatusLinePictures pics;
    for (bool pause : {false, true}) {
        const PixelImage& plain = pics.Picture(pause, 8);
        for (int k = 0; k < 8; ++k) {
            const PixelImage& p = pics.Picture(pause, k);
            int minX = 1000, maxX = -1, white = 0;
            std::set<int> rows;
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 194; ++x) {
                    if (p.Pixel(x, y) == plain.Pixel(x, y)) continue;
                    ASSERT_EQ(p.Pixel(x, y), kWhite) << k << ": " << x << "," << y;
                    ++white;
                    rows.insert(y);
                    minX = std::min(minX, x);
                    maxX = std::max(maxX, x);
                }
            EXPECT_EQ(rows.size(), 20u) << "over the full height";
            EXPECT_GE(minX, 15 * k);
            EXPECT_LE(minX, 15 * k + 1);
            EXPECT_GE(maxX - minX + 1, 22);
            EXPECT_LE(maxX - minX + 1, 24);
            // Dithered: never two white neighbours side by side.
            for (int y = 0; y < 20; ++y)
                for (int x = 15 * k; x < 15 * k + 23; ++x)
                    EXPECT_FALSE(p.Pixel(x, y) == kWhite && p.Pixel(x + 1, y) == kWhite) << x << "," << y;
            // Pointing right: the band is furthest right in the middle rows.
            int rightTop = -1, rightMiddle = -1;
            for (int x = 0; x < 194; ++x) {
                if (p.Pixel(x, 0) == kWhite) rightTop = x;
                if (p.Pixel(x, 9) == kWhite || p.Pixel(x, 10) == kWhite) rightMiddle = x;
            }
            EXPECT_GT(rightMiddle, rightTop + 5);
            EXPECT_GT(white, 100);
        }
    }
}

TEST(LandingIndicatorPictures, FiveGreySquares) {
    const std::vector<PixelImage> pics = MakeLandingIndicatorPictures();
    ASSERT_EQ(pics.size(), 5u);
    for (const PixelImage& p : pics) EXPECT_EQ(p, PixelImage(60, 60, kGrey));
}

}  // namespace
}  // namespace vexari
