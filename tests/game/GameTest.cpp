// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <tuple>

#include "Fakes.h"
#include "game/Figures.h"
#include "game/Random.h"

namespace vexari {
namespace {

using test::GameFixture;
using test::MaskPicture;
using Rows = std::vector<std::pair<int, std::string>>;  // well rows by number, as pictures
using Weights = std::array<std::int32_t, kFigureCount>;

constexpr KeyCode kLeft = KeyCode::Left, kRight = KeyCode::Right, kRotate = KeyCode::Up, kRotate2 = KeyCode::Clear,
                  kDrop = KeyCode::Space, kAccelerate = KeyCode::Down;
constexpr int kLong = 1, kSquare = 4;

// Drops the figure, turned `turns` times, from column x of the top row.
void Drop(GameFixture& f, int figure, int x, int turns = 0) {
    f.SetFigure(figure, x, 0, turns);
    f.game.KeyDown(kDrop, 1);
}

// The seed from which the next drawn value is `value`.
std::uint32_t SeedDrawing(int value) {
    std::uint32_t inverse = 214013u;  // Newton's iteration for the inverse modulo 2^32
    for (int i = 0; i < 5; ++i) inverse *= 2u - 214013u * inverse;
    return ((static_cast<std::uint32_t>(value) << 16) - 2531011u) * inverse;
}

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

TEST(Figures, EveryOrientationOfEveryFigureAndTheRandomSequence) {
    const std::int32_t colours[kFigureCount] = {5, 4, 1, 6, 2, 7, 3};
    for (int f = 0; f < kFigureCount; ++f) {
        FigureMask mask = FigureTable()[static_cast<std::size_t>(f)];
        for (int turns = 0; turns <= 4; ++turns, RotateFigure(mask)) {
            EXPECT_EQ(MaskPicture(mask), kOrientations[f][turns]) << "figure " << f << " after " << turns;
            for (auto cell : mask.e) EXPECT_TRUE(cell == 0 || cell == colours[f]);
        }
    }
    std::uint32_t seed = 1;
    for (int value : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(DrawRandom(seed), value);
}

TEST(Generator, ChoosesByRunningSumAndMakesTheChosenFigureRarer) {
    const Weights even{4681, 4681, 4681, 4681, 4681, 4681, 4681};
    const struct {
        Weights before;
        int value, figure;
        Weights after;
    } cases[] = {
        {even, 0, 0, {673, 5349, 5349, 5349, 5349, 5349, 5349}},
        {even, 4681, 1, {5349, 673, 5349, 5349, 5349, 5349, 5349}},
        {even, 32766, 6, {5349, 5349, 5349, 5349, 5349, 5349, 673}},
        // A weight of 7000 or more gives up exactly 7000; one below 7 gives up nothing.
        {{8000, 4127, 4128, 4128, 4128, 4128, 4128}, 0, 0, {2000, 5127, 5128, 5128, 5128, 5128, 5128}},
        {{5, 32762, 0, 0, 0, 0, 0}, 4, 0, {5, 32762, 0, 0, 0, 0, 0}},
        // A drawn 32767 lies past the sum of the weights and is drawn again: 15401.
        {even, 32767, 3, {5349, 5349, 5349, 673, 5349, 5349, 5349}},
    };
    for (const auto& c : cases) {
        GameFixture f;
        GameRecord& r = f.r();
        std::tie(r.figureWeights, r.figureSeed, r.nextFigure, r.placementTicks, r.playerRotation,
                 r.playerDisplacement) = std::tuple(c.before, SeedDrawing(c.value), 5, 300, 3, -2);
        f.game.TakeNextFigure();
        EXPECT_EQ(std::tie(r.nextFigure, r.figureWeights), std::tie(c.figure, c.after)) << c.value;
        // The old next figure falls from the top, its placement time and the player's moves counted afresh.
        EXPECT_EQ(std::tuple(r.mask == FigureTable()[5], r.x, r.y, r.placementTicks, r.playerRotation,
                             r.playerDisplacement),
                  std::tuple(true, 3, 0, 1, 0, 0));
    }
}

TEST(Reset, StartsAFreshGameThatWaits) {
    GameFixture f;
    GameRecord& r = f.r();
    f.settings.fallPeriod = 7;
    r.well.at(4, 10) = 3;
    std::tie(r.score, r.lines, r.landingCounter, r.fallTicks, r.stackTop, r.landingIndicator) =
        std::tuple(99, 40, 9, 4, 3, 4);
    r.figureWeights = {32761, 1, 1, 1, 1, 1, 1};
    f.game.ResetGame();
    EXPECT_EQ(std::tuple(r.waitingForStart, r.running, r.fallPeriod), std::tuple(true, false, 7));
    EXPECT_EQ(std::tuple(r.score, r.lines, r.landingCounter, r.fallTicks, r.stackTop, r.landingIndicator),
              std::tuple(0, 0, 0, 0, 25, 2));
    // The weights start even again; the first choice of a next figure already made it rarer.
    EXPECT_EQ(std::count(r.figureWeights.begin(), r.figureWeights.end(), 5349), 6);
    EXPECT_EQ(r.figureWeights[static_cast<std::size_t>(r.nextFigure)], 673);
    for (int u = -1; u <= 10; ++u)
        for (int v = 0; v <= 25; ++v)
            EXPECT_EQ(r.well.at(u, v), (u < 0 || u > 9) == (v < 25) ? 1 : 0) << u << "," << v;

    // The first falling figure is never a skew figure.
    for (f.seconds = 0; f.seconds < 2000; ++f.seconds) {
        f.game.ResetGame();
        ASSERT_TRUE(r.mask != FigureTable()[5] && r.mask != FigureTable()[6]) << f.seconds;
    }
    // The seeds come from the clock modulo 65535, or in a network game from the server,
    // so that every player gets the same figures.
    for (auto [network, seconds, seed] : {std::tuple{false, 65535 + 12, 12u}, {true, 5, 4242u}}) {
        std::tie(r.networkGame, r.networkSeed, f.seconds) = std::tuple(network, 4242, seconds);
        f.game.ResetGame();
        std::uint32_t drawn = seed;
        int first;
        do first = DrawRandom(drawn) % 7;
        while (first >= 5);
        EXPECT_EQ(std::tuple(r.mask == FigureTable()[static_cast<std::size_t>(first)], r.lineSeed),
                  std::tuple(true, seed));
    }
}

TEST(Reset, OnlyTheUsersOwnGameWithRisingLevelsMayEnterTheHighScores) {
    for (auto [incLevel, computer, network, eligible] :
         {std::tuple{1, false, false, true}, {0, false, false, false}, {1, true, false, false}, {1, false, true, false}}) {
        GameFixture f;
        std::tie(f.settings.incLevel, f.r().computerPlays, f.r().networkGame) =
            std::tuple(static_cast<std::int16_t>(incLevel), computer, network);
        f.game.ResetGame();
        EXPECT_EQ(f.r().highScoreEligible, eligible) << incLevel << computer << network;
    }
}

TEST(Reset, HeightChangesOnlyAtResetAndStaysInRange) {
    GameFixture f;
    f.settings.height = 20;
    EXPECT_EQ(f.r().height, 25);
    f.game.ResetGame();
    EXPECT_EQ(std::tuple(f.r().height, f.r().stackTop, f.r().well.at(0, 20)), std::tuple(20, 20, 1));
    EXPECT_EQ(std::count(f.calls.begin(), f.calls.end(), "layout"), 1);
    // A height or level only an edited file can hold is brought into range.
    for (int bad : {-5, 0, 1, 26, 1000}) {
        f.settings.height = bad;
        f.game.ResetGame();
        EXPECT_TRUE(f.r().height >= kMinWellHeight && f.r().height <= kMaxWellHeight) << bad;
    }
    f.settings.fallPeriod = 0;  // would divide by zero in the line score
    f.game.ResetGame();
    EXPECT_EQ(f.r().fallPeriod, 1);
}

TEST(Loop, FallPacing) {
    const struct {
        const char* what;
        bool computer, network;
        int pace;  // the FallPeriod, or the computer's speed
        int held;  // the first ticks with the accelerate key down
        int ticks, startY, y, moves;
    } cases[] = {
        {"the user's figure falls every FallPeriod ticks", false, false, 3, 0, 8, 5, 7, 0},
        {"at FallPeriod 1 on every tick", false, false, 1, 0, 4, 5, 9, 0},
        {"accelerated falls leave the tick count running", false, false, 3, 2, 3, 5, 8, 0},
        {"the user's accelerate key also works in a network game", false, true, 5, 2, 2, 5, 7, 0},
        {"the computer's figure falls every 12 - speed ticks, then it moves", true, false, 7, 0, 9, 5, 6, 1},
        {"the accelerate key hurries the computer in demo mode", true, false, 2, 3, 3, 5, 8, 3},
        {"... keeping its tick count", true, false, 2, 2, 10, 5, 8, 3},
        {"but not in a network game", true, true, 2, 9, 9, 5, 5, 0},
        {"no move after a fall that lands the figure", true, false, 2, 0, 10, 22, 0, 0},
    };
    for (const auto& c : cases) {
        GameFixture f;
        f.r().networkGame = c.network;
        f.Start();
        f.SetFigure(kSquare, 3, c.startY);
        f.r().computerPlays = c.computer;
        (c.computer ? f.r().computerSpeed : f.r().fallPeriod) = c.pace;
        for (int t = 0; t < c.ticks; ++t) {
            if (t < c.held) f.keysDown.insert(kAccelerate);
            else f.keysDown.clear();
            f.game.Tick();
        }
        EXPECT_EQ(std::tuple(f.r().y, f.moves), std::tuple(c.y, c.moves)) << c.what;
    }
}

TEST(Loop, StartPauseAndResume) {
    GameFixture f;
    GameRecord& r = f.r();
    for (int t = 0; t < 1000; ++t) f.game.Tick();  // waiting: nothing falls, the placement time counts to 720
    EXPECT_EQ(std::tuple(r.placementTicks, r.y), std::tuple(720, 0));
    f.game.KeyDown(KeyCode::Escape, 1);
    EXPECT_EQ(f.minimized, 1);
    r.fallTicks = 4;
    f.game.KeyDown(KeyCode::Enter, 1);  // the start counts the placement and the fall afresh
    EXPECT_EQ(std::tuple(r.running, r.waitingForStart, r.placementTicks, r.fallTicks, f.focus),
              std::tuple(true, false, 1, 0, 1));
    r.computerPlays = true;
    f.game.KeyDown(KeyCode::Escape, 1);  // a pause ends demo mode; a second Esc minimises
    f.game.KeyDown(KeyCode::Escape, 1);
    EXPECT_EQ(std::tuple(r.running, r.computerPlays, f.minimized), std::tuple(false, false, 2));
    std::tie(r.fallTicks, r.placementTicks) = std::tuple(4, 300);
    f.game.KeyDown(KeyCode::Enter, 1);  // resuming restarts the fall count, not the placement time
    EXPECT_EQ(std::tuple(r.running, r.fallTicks, r.placementTicks), std::tuple(true, 0, 300));
    EXPECT_EQ(f.calls.back(), "status");
}

TEST(Keys, MovesAndTurnsWithKicks) {
    const struct {
        const char* what;
        int figure, turns, x;
        Rows well;
        KeyCode key;
        int repeat, xAfter, rotation, displacement;
        const char* mask;  // after the key; nullptr: not checked
    } cases[] = {
        {"left up to the wall", kSquare, 0, 3, {}, kLeft, 10, -1, 0, -4, nullptr},
        {"right until blocked", kSquare, 0, 3, {{6, ".......#.."}}, kRight, 3, 4, 0, 1, nullptr},
        {"a turn at the right wall kicks one column left", kLong, 1, 7, {}, kRotate, 1, 6, 1, -1,
         ".... .... #### ...."},
        {"the other turn at the left wall kicks right", kLong, 1, -1, {}, kRotate2, 1, 0, 3, 1, ".... .... #### ...."},
        {"fitting one column either way, the turn goes right", 2, 0, 4, {{8, ".....#...."}}, kRotate, 1, 5, 1, 1,
         ".... .#.. .##. .#.."},
        {"a kick reaches three columns", kLong, 0, 3, {{7, "..######.."}}, kRotate, 1, 0, 1, -3,
         ".#.. .#.. .#.. .#.."},
        {"a turn that fits nowhere is undone", kLong, 0, 3, {{7, "##########"}}, kRotate, 1, 3, 0, 0,
         ".... #### .... ...."},
    };
    for (const auto& c : cases) {
        GameFixture f;
        f.Start();
        f.SetFigure(c.figure, c.x, 5, c.turns);
        for (const auto& [v, row] : c.well) f.SetRow(v, row);
        f.game.KeyDown(c.key, c.repeat);
        const GameRecord& r = f.r();
        EXPECT_EQ(std::tuple(r.x, r.playerRotation, r.playerDisplacement, r.pendingKey),
                  std::tuple(c.xAfter, c.rotation, c.displacement, KeyCode::None))
            << c.what;
        if (c.mask) {
            EXPECT_EQ(MaskPicture(r.mask), c.mask) << c.what;
        }
    }
}

TEST(Keys, OnlyTheUsersDropsAreLearnedFrom) {
    for (auto [learn, computer, steps] : {std::tuple{true, false, 1}, {true, true, 0}, {false, false, 0}}) {
        GameFixture f;
        f.Start();
        std::tie(f.r().learnMode, f.r().computerPlays) = std::tuple(learn, computer);
        f.game.KeyDown(kDrop, 1);
        EXPECT_EQ(f.learnSteps, steps) << learn << computer;
    }
}

TEST(Landing, RemovesFullRowsAndShowsTheLandingHeight) {
    const struct {
        const char* what;
        Rows before;
        int figure, turns, x;
        Rows after;
        int lines, stackTop, indicator;
    } cases[] = {
        {"four rows at once; the rows above move down with them",
         {{19, "....2....."}, {20, "6........."}, {21, "#########."}, {22, "#########."}, {23, "#########."},
          {24, "#########."}},
         kLong, 1, 8, {{22, ".........."}, {23, "....2....."}, {24, "6........."}}, 4, 23, 4},
        {"two rows apart; the one between moves down",
         {{22, "#########."}, {23, "########.."}, {24, "#########."}},
         kLong, 1, 8, {{22, ".........."}, {23, ".........4"}, {24, "########.4"}}, 2, 23, 4},
        {"one row", {{24, "#########."}}, kLong, 1, 8, {{21, ".........."}, {22, ".........4"}, {24, ".........4"}},
         1, 22, 3},
        {"the hidden row 0 stays and also fills row 1", {{0, "#........."}, {24, "#########."}}, kLong, 1, 8,
         {{0, "#........."}, {1, "#........."}}, 1, 1, 3},
        {"on the floor the scan stops at the last row", {}, kSquare, 0, 3,
         {{23, "....22...."}, {24, "....22...."}, {25, "##########"}}, 0, 23, 2},
        {"box row 12 is still the upper half", {{15, "....#....."}}, kSquare, 0, 3, {{14, "....22...."}}, 0, 13, 1},
        {"box row 13 is the lower half", {{16, "....#....."}}, kSquare, 0, 3, {{15, "....22...."}}, 0, 14, 2},
    };
    for (const auto& c : cases) {
        GameFixture f;
        f.Start();
        for (const auto& [v, row] : c.before) {
            f.SetRow(v, row);
            f.r().stackTop = std::min(f.r().stackTop, v);
        }
        Drop(f, c.figure, c.x, c.turns);
        const GameRecord& r = f.r();
        for (const auto& [v, row] : c.after) EXPECT_EQ(f.Row(v), row) << c.what << ": row " << v;
        EXPECT_EQ(std::tuple(r.lines, r.stackTop, r.landingIndicator), std::tuple(c.lines, c.stackTop, c.indicator))
            << c.what;
        ASSERT_EQ(f.events.size(), 1u) << c.what;
        EXPECT_EQ(f.events[0].substr(f.events[0].find(':')), ": " + std::to_string(c.lines) + " rows, score " +
                                                                 std::to_string(r.score) + ", lines " +
                                                                 std::to_string(c.lines) + ", top " +
                                                                 std::to_string(c.stackTop)) << c.what;
    }
}

// Animated, the figure is drawn on every row of its way down and erased from
// the one before; otherwise only at the end, and erased where it started.
TEST(Landing, DropDrawsEachStepWhenAnimatedElseOnlyTheEnd) {
    for (int animate : {0, 1}) {
        GameFixture f;
        f.settings.animate = animate;
        f.Start();
        f.calls.clear();
        Drop(f, kSquare, 3);
        std::vector<std::string> expected{"draw 3,22", "erase 3,0"};
        if (animate) {
            expected.clear();
            for (int y = 1; y <= 22; ++y) expected.insert(expected.end(), {"draw 3," + std::to_string(y),
                                                                           "erase 3," + std::to_string(y - 1)});
        }
        expected.push_back("draw 3,0");  // then the next figure
        f.calls.resize(expected.size());
        EXPECT_EQ(f.calls, expected) << animate;
    }
}

TEST(Scoring, PlacementRowsLevelsAndBottomLines) {
    const struct {
        const char* what;
        int hint, ticks, period, rows, lines, landings, incLevel;
        int score, periodAfter;
        int scoreBefore = 0;
    } cases[] = {
        {"placed on its first tick", 1, 1, 5, 0, 0, 0, 1, 180, 5},
        {"... without the hint", 0, 1, 5, 0, 0, 0, 1, 234, 5},
        {"540 / (58 + 2)", 1, 58, 5, 0, 0, 0, 1, 9, 5},
        {"nothing after 720 ticks", 1, 720, 5, 0, 0, 0, 1, 0, 5},
        {"one row at level 9 without the hint", 0, 720, 1, 1, 0, 0, 1, 1300, 1},
        {"one row at level 0", 1, 720, 10, 1, 0, 0, 1, 100, 10},
        {"two rows", 1, 720, 5, 2, 0, 0, 1, 600, 5},
        {"four rows", 1, 720, 5, 4, 0, 0, 1, 2000, 5},
        {"each row's award is divided on its own", 1, 720, 7, 3, 0, 0, 1, 142 + 285 + 428, 7},
        {"the level rises at 15 x (11 - P) lines", 1, 720, 5, 1, 89, 0, 1, 200, 4},
        {"not one line earlier", 1, 720, 5, 1, 88, 0, 1, 200, 5},
        {"every threshold passed at once; level 9 is the last", 1, 720, 5, 1, 500, 0, 1, 200, 1},
        {"INCLEVEL off", 1, 720, 5, 1, 500, 0, 0, 200, 5},
        {"the 15th landing's bottom line", 1, 720, 5, 0, 0, 14, 1, 200, 5},
        {"... is paid at the level after this landing's rise", 1, 720, 5, 1, 89, 14, 1, 200 + 250, 4},
        {"a very long game keeps the largest score instead of wrapping round", 1, 1, 5, 0, 0, 0, 1, INT32_MAX, 5,
         INT32_MAX - 100},
    };
    for (const auto& c : cases) {
        GameFixture f;
        std::tie(f.settings.botLines, f.settings.next, f.settings.incLevel) =
            std::tuple(1, static_cast<std::int16_t>(c.hint), static_cast<std::int16_t>(c.incLevel));
        f.Start();
        GameRecord& r = f.r();
        std::tie(r.fallPeriod, r.lines, r.landingCounter, r.fallTicks, r.score) =
            std::tuple(c.period, c.lines, c.landings, 3, c.scoreBefore);
        for (int i = 0; i < c.rows; ++i) f.SetRow(24 - i, "#########.");
        r.stackTop = 25 - c.rows;
        r.placementTicks = c.ticks;
        Drop(f, kLong, 8, 1);  // upright in column 9
        EXPECT_EQ(std::tuple(r.score, r.fallPeriod, r.fallTicks),
                  std::tuple(c.score, c.periodAfter, c.periodAfter == c.period ? 3 : 0)) << c.what;
        // The landing is reported with the figure where it came to rest, after the level's rise.
        const std::string landed = "landed 1 at 8,21: " + std::to_string(c.rows) + " rows";
        EXPECT_EQ(f.events.back().substr(0, landed.size()), landed) << c.what;
        EXPECT_EQ(f.events.front(), c.periodAfter == c.period ? f.events.back() : "level " + std::to_string(10 - c.periodAfter)) << c.what;
    }
}

TEST(BottomLines, EveryFifteenthLandingRaisesTheWell) {
    for (int botLines : {1, 0}) {
        GameFixture f;
        f.settings.botLines = botLines;
        f.Start();
        std::tie(f.r().landingCounter, f.r().lineSeed) = std::tuple(13, 1);
        Drop(f, kSquare, 3);
        EXPECT_EQ(f.r().landingCounter, 14);
        Drop(f, kSquare, 6);
        EXPECT_EQ(f.r().landingCounter, 0);  // counted also without bottom lines
        const Rows after = botLines ? Rows{{22, "....22.22."}, {23, "....22.22."}, {24, "###.#.###."}, {25, "##########"}}
                                    : Rows{{23, "....22.22."}, {24, "....22.22."}};
        for (const auto& [v, row] : after) EXPECT_EQ(f.Row(v), row) << botLines << ": row " << v;
        EXPECT_EQ(std::tuple(f.r().stackTop, f.r().landingIndicator),
                  botLines ? std::tuple(22, 1) : std::tuple(23, 2));
    }
}

TEST(BottomLines, CellsAreFilledUnlessTheDrawIsAMultipleOfFourAndNeverAllTen) {
    // Seed 28 draws ten filled cells; one more draw opens column 2.
    for (auto [seed, row] : {std::pair{1u, "###.#.###."}, {7u, "###.#..##."}, {28u, "##.#######"}}) {
        GameFixture f;
        f.r().lineSeed = seed;
        f.game.PopBottomLine();
        EXPECT_EQ(f.Row(24), row) << seed;
    }
    GameFixture f;
    for (std::uint32_t seed = 0; seed < 5000; ++seed) {
        f.r().lineSeed = seed;
        f.game.PopBottomLine();
        ASSERT_NE(f.Row(24), "##########") << seed;
    }
}

TEST(Presents, RiseAtOnceUnderTheFallingFigure) {
    const struct {
        const char* what;
        bool waiting;
        int figure, x, y, next, stackFrom, yAfter;  // rows from stackFrom down hold ".#########"
        Rows after;
        bool over;
    } cases[] = {
        {"the falling figure rises with the stack", false, kSquare, 3, 6, kSquare, 24, 5,
         {{23, ".#########"}, {24, "###.#.###."}}, false},
        {"also from row 1", false, kSquare, 3, 1, kSquare, 24, 0, {{23, ".#########"}}, false},
        {"a figure at row 0 on the stack lands first", false, kSquare, 6, 0, kLong, 3, 0,
         {{0, ".......22."}, {1, ".......22."}, {2, ".#########"}}, false},
        {"no line rises when that landing ends the game", false, kLong, 5, 0, kSquare, 2, 0, {{24, ".........."}}, true},
        {"nothing while the game waits for its start", true, kSquare, 3, 6, kSquare, 24, 6, {{24, ".#########"}}, false},
    };
    for (const auto& c : cases) {
        GameFixture f;
        f.settings.animate = 0;
        if (!c.waiting) f.Start();
        for (int v = c.stackFrom; v < 25; ++v) f.SetRow(v, ".#########");
        std::tie(f.r().stackTop, f.r().lineSeed, f.r().nextFigure) = std::tuple(c.stackFrom, 1, c.next);
        f.SetFigure(c.figure, c.x, c.y);
        f.game.ReceivePresent(1);
        for (const auto& [v, row] : c.after) EXPECT_EQ(f.Row(v), row) << c.what << ": row " << v;
        EXPECT_EQ(std::tuple(f.r().y, f.r().waitingForStart, f.highScores.size()),
                  std::tuple(c.yAfter, c.waiting || c.over, std::size_t{c.over})) << c.what;
        // A row that ends the game does not rise.
        EXPECT_EQ(f.events.empty() ? "" : f.events.front(), c.waiting ? "" : "present 1") << c.what;
    }
    // A present larger than the well arrives as a whole well of rows.
    GameFixture f;
    std::tie(f.settings.animate, f.settings.height) = std::tuple(0, 19);
    f.game.ResetGame();
    f.Start();
    f.events.clear();
    f.game.ReceivePresent(1000);
    EXPECT_EQ(std::tuple(f.events.front(), f.events.back(), f.r().waitingForStart), std::tuple("present 19", "reset", true));
}

TEST(GameOver, TheLocomotivePushesTheWellOutThenTheTableIsShown) {
    const struct {
        int animate, height;
        bool eligible;
        Rows step0, step9;  // the well after animation steps 0 and 9
    } cases[] = {
        // Each step shifts the well left and draws the picture from the right; the
        // figure that could not fall is part of the well by then.
        {1, 25, true, {{1, "..444444.."}, {2, "#########."}, {24, "##########"}}, {{22, "##....#..."}, {24, ".......###"}}},
        // A lower well shows the bottom of the picture.
        {1, 19, true, {{18, "##########"}}, {{12, ".#...#.#.."}, {16, "##....#..."}, {18, ".......###"}}},
        {0, 25, false, {}, {}},
    };
    for (const auto& c : cases) {
        GameFixture f;
        f.ticks = 0xFFFFFFF0u;  // the millisecond count wraps during the animation
        std::tie(f.settings.animate, f.settings.height) = std::tuple(c.animate, c.height);
        f.game.ResetGame();
        f.Start();
        for (int v = 2; v < c.height; ++v) f.SetRow(v, ".#########");
        std::tie(f.r().stackTop, f.r().score, f.r().nextFigure, f.r().placementTicks, f.r().highScoreEligible) =
            std::tuple(2, 1234, kLong, 720, c.eligible);
        f.frames.clear();
        f.events.clear();
        Drop(f, kLong, 5);  // lands in row 1, where the next figure must appear
        // The pictures follow one another on the owner's timer; the game takes
        // no keys meanwhile, and the table comes after the last.
        const int steps = c.animate ? 40 : 0;
        EXPECT_EQ(std::tuple(f.game.Animating(), f.highScores.empty(), f.r().running), std::tuple(steps > 0, steps > 0, false));
        if (steps) f.game.KeyDown(KeyCode::Enter, 1);
        EXPECT_EQ(std::tuple(f.RunAnimation(), f.r().running), std::tuple(std::max(steps - 1, 0), false)) << c.height;

        ASSERT_EQ(f.highScores, (std::vector<std::pair<bool, std::int32_t>>{{c.eligible, 1234}})) << c.height;
        EXPECT_EQ(f.events, (std::vector<std::string>{"landed 1 at 5,0: 0 rows, score 1234, lines 0, top 1", "over 1234", "reset"}));
        EXPECT_EQ(std::tuple(f.r().waitingForStart, f.ticks), std::tuple(true, 0xFFFFFFF0u + 20u * steps));
        // Repaints: the landing, the next figure, the steps, the reset.
        ASSERT_EQ(f.frames.size(), 3u + steps);
        for (const auto& [v, row] : c.step0) EXPECT_EQ(test::RowOf(f.frames[2], v), row) << c.height;
        for (const auto& [v, row] : c.step9) EXPECT_EQ(test::RowOf(f.frames[2 + 9], v), row) << c.height;
        for (int v = 0; v < c.height && steps; ++v) EXPECT_EQ(test::RowOf(f.frames[2 + 39], v), "..........");
    }
}

// A network game's level and bottom lines come from the server. The game
// reports its landings, its pauses and its end there, and asks to start only
// where the player may.
TEST(Network, ReportsToTheServerAndKeepsLevelAndLines) {
    GameFixture f;
    std::tie(f.settings.animate, f.settings.botLines, f.r().networkGame, f.r().networkFallPeriod) = std::tuple(0, 1, true, 4);
    f.game.ResetGame();
    f.game.EnterAction();
    f.mayStart = true;
    f.game.EnterAction();
    EXPECT_EQ(std::tuple(f.sent, f.r().waitingForStart), std::tuple(std::vector<std::string>{"start"}, true));

    f.Start();  // as the server's start does
    std::tie(f.r().lines, f.r().landingCounter, f.r().stackTop, f.r().placementTicks) = std::tuple(200, 14, 23, 720);
    for (int v : {23, 24}) f.SetRow(v, "#########.");
    Drop(f, kLong, 8, 1);
    // Pausing is announced, resuming is only requested.
    f.game.KeyDown(KeyCode::Escape, 1);
    f.game.KeyDown(KeyCode::Enter, 1);
    EXPECT_EQ(std::tuple(f.sent, f.r().running, f.r().fallPeriod, f.Row(24)),  // no level rise, no bottom line
              std::tuple(std::vector<std::string>{"start", "landed 2 750 2", "pause", "resume"}, false, 4,
                         ".........4"));

    // Presents can push the stack out over the top; the reported height stays in the well.
    f.game.ToggleRunning(false);  // the server's resume
    f.r().stackTop = -2;
    Drop(f, kSquare, 3);
    EXPECT_EQ(f.sent.back(), "landed 25 930 0");

    // The landing that fills the well, then the end: no pause, no high scores.
    for (int v = 2; v < 25; ++v) f.SetRow(v, ".#########");
    std::tie(f.r().stackTop, f.r().nextFigure) = std::tuple(2, kLong);
    Drop(f, kLong, 5);
    EXPECT_EQ(std::tuple(f.sent.size(), f.sent.back(), f.highScores.size()), std::tuple(7u, "filled", 0u));
}

}  // namespace
}  // namespace vexari
