#include <gtest/gtest.h>

#include "Fakes.h"
#include "game/Figures.h"
#include "game/Random.h"
#include "game/Well.h"

namespace vexari {
namespace {

using test::MaskPicture;

// Orientation after 0, 1, 2, 3 and 4 quarter turns, as shown on the screen.
const char* const kOrientations[kFigureCount][5] = {
    {".... ###. ..#. ....", ".... .##. .#.. .#..", ".... #... ###. ....", ".... .#.. .#.. ##..", ".... .... ###. ..#."},
    {".... #### .... ....", ".#.. .#.. .#.. .#..", ".... .... #### ....", ".#.. .#.. .#.. .#..", ".... .... #### ...."},
    {".... ###. .#.. ....", ".... .#.. .##. .#..", ".... .#.. ###. ....", ".... .#.. ##.. .#..", ".... .... ###. .#.."},
    {".... ###. #... ....", ".... .#.. .#.. .##.", ".... ..#. ###. ....", ".... ##.. .#.. .#..", ".... .... ###. #..."},
    {".... .##. .##. ....", ".... .##. .##. ....", ".... .##. .##. ....", ".... .##. .##. ....", ".... .##. .##. ...."},
    {".... ##.. .##. ....", ".... ..#. .##. .#..", ".... ##.. .##. ....", ".... ..#. .##. .#..", ".... ##.. .##. ...."},
    {".... .##. ##.. ....", ".... .#.. .##. ..#.", ".... .##. ##.. ....", ".... .#.. .##. ..#.", ".... .##. ##.. ...."},
};

TEST(Figures, EveryOrientationOfEveryFigure) {
    const std::int32_t colours[kFigureCount] = {5, 4, 1, 6, 2, 7, 3};
    for (int f = 0; f < kFigureCount; ++f) {
        FigureMask mask = FigureTable()[static_cast<std::size_t>(f)];
        for (int turns = 0; turns <= 4; ++turns) {
            EXPECT_EQ(MaskPicture(mask), kOrientations[f][turns]) << "figure " << f << " after " << turns;
            for (auto cell : mask.e) EXPECT_TRUE(cell == 0 || cell == colours[f]);
            RotateFigure(mask);
        }
        // From the fourth turn on the orientations repeat with period four.
        FigureMask after4 = FigureTable()[static_cast<std::size_t>(f)];
        for (int t = 0; t < 4; ++t) RotateFigure(after4);
        FigureMask after8 = after4;
        for (int t = 0; t < 4; ++t) RotateFigure(after8);
        EXPECT_EQ(after4, after8) << "figure " << f;
    }
}

TEST(Figures, FitsTestsWallsButNotEmptyBoxColumns) {
    Well well;
    well.Reset(25);
    const FigureMask square = FigureTable()[4];  // cells in box columns 1 and 2
    EXPECT_TRUE(FigureFits(well, square, -1, 5));
    EXPECT_FALSE(FigureFits(well, square, -2, 5));
    EXPECT_TRUE(FigureFits(well, square, 7, 5));
    EXPECT_FALSE(FigureFits(well, square, 8, 5));
    // The wall cells are never consulted: a cell in column -1 fails even if empty.
    well.at(-1, 6) = 0;
    EXPECT_FALSE(FigureFits(well, square, -2, 5));
    // The floor stops the figure: box rows 1 and 2 at rows 23, 24 fit, one lower not.
    EXPECT_TRUE(FigureFits(well, square, 3, 22));
    EXPECT_FALSE(FigureFits(well, square, 3, 23));
    well.at(4, 10) = 3;
    EXPECT_FALSE(FigureFits(well, square, 3, 9));
}

TEST(Random, FollowsTheLinearCongruentialSequence) {
    std::uint32_t seed = 1;
    const int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int value : expected) EXPECT_EQ(DrawRandom(seed), value);
    seed = 0xFFFFFFFFu;  // wraps modulo 2^32
    DrawRandom(seed);
    EXPECT_EQ(seed, 0xFFFFFFFFu * 214013u + 2531011u);
}

}  // namespace
}  // namespace vexari
