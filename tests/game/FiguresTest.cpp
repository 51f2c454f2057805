#include <gtest/gtest.h>

#include "Fakes.h"
#include "game/Figures.h"
#include "game/Random.h"

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
    }
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
