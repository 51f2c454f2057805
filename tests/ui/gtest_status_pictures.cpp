#include <gtest/gtest.h>

#include <algorithm>

#include "ui/StatusPictures.h"

namespace vexari {
namespace {

// The leftmost and rightmost column where p differs from plain (or, without
// plain, holds black), and how many such pixels there are.
struct Bounds { int left = 1000, right = -1, count = 0; };
Bounds Marked(const PixelImage& p, const PixelImage* plain = nullptr) {
    Bounds b;
    for (int x = 0; x < p.Width(); ++x)
        for (int y = 0; y < p.Height(); ++y)
            if (plain ? p.Pixel(x, y) != plain->Pixel(x, y) : p.Pixel(x, y) == kBlack)
                b = {std::min(b.left, x), x, b.count + 1};
    return b;
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
        const Bounds ink = Marked(*seq[8]);
        EXPECT_TRUE(ink.count > 200 && ink.left >= 2 && ink.left <= 3 && ink.right < 192) << ink.left;
        for (int k = 0; k < 8; ++k) {
            const Bounds chevron = Marked(*seq[static_cast<std::size_t>(k)], seq[8]);
            EXPECT_TRUE(chevron.count > 100 && chevron.left >= 15 * k && chevron.left <= 15 * k + 1) << k;
            EXPECT_TRUE(chevron.right - chevron.left >= 21 && chevron.right - chevron.left <= 23) << k;
        }
    }
}

}  // namespace
}  // namespace vexari
