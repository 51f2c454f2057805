#include <gtest/gtest.h>

#include <numeric>

#include "Fakes.h"
#include "game/Locomotive.h"
#include "game/Random.h"

namespace vexari {
namespace {

using test::GameFixture;
using test::MaskPicture;

constexpr int kLeft = 37, kRight = 39, kRotate = 38, kRotate2 = 12, kDrop = 32, kAccelerate = 40;

// The seed from which the next drawn value is `value`.
std::uint32_t SeedDrawing(int value) {
    std::uint32_t inverse = 214013u;  // Newton's iteration for the inverse modulo 2^32
    for (int i = 0; i < 5; ++i) inverse *= 2u - 214013u * inverse;
    const std::uint32_t next = static_cast<std::uint32_t>(value) << 16;
    return (next - 2531011u) * inverse;
}

int Sum(const std::array<std::int32_t, kFigureCount>& weights) {
    return std::accumulate(weights.begin(), weights.end(), 0);
}

TEST(Generator, EqualWeightsChooseByRunningSum) {
    GameFixture f;
    for (auto [value, figure] : {std::pair{4680, 0}, {0, 0}, {4681, 1}, {32766, 6}}) {
        f.r().figureWeights.fill(4681);
        f.r().figureSeed = SeedDrawing(value);
        f.game.TakeNextFigure();
        EXPECT_EQ(f.r().nextFigure, figure) << value;
    }
}

TEST(Generator, RebalancesAfterEachChoice) {
    GameFixture f;
    f.r().figureWeights.fill(4681);
    f.r().figureSeed = SeedDrawing(5000);  // figure 1
    f.game.TakeNextFigure();
    EXPECT_EQ(f.r().nextFigure, 1);
    EXPECT_EQ(f.r().figureWeights[1], 673);
    for (int g : {0, 2, 3, 4, 5, 6}) EXPECT_EQ(f.r().figureWeights[static_cast<std::size_t>(g)], 5349);
    // Over a long run the weights keep their sum and never turn negative.
    for (int i = 0; i < 5000; ++i) {
        f.game.TakeNextFigure();
        ASSERT_EQ(Sum(f.r().figureWeights), 32767);
        for (auto w : f.r().figureWeights) ASSERT_GE(w, 0);
    }
}

TEST(Generator, DrawsAgainOnTheLargestValue) {
    GameFixture f;
    f.r().figureWeights.fill(4681);
    std::uint32_t seed = SeedDrawing(32767);
    f.r().figureSeed = seed;
    DrawRandom(seed);
    const int second = DrawRandom(seed);
    f.game.TakeNextFigure();
    EXPECT_EQ(f.r().nextFigure, second / 4681);
}

TEST(Generator, NewFigureStartsAtTheTopWithTheOldNextFigure) {
    GameFixture f;
    f.r().nextFigure = 5;
    f.r().placementTicks = 300;
    f.r().playerRotation = 3;
    f.r().playerDisplacement = -2;
    f.game.TakeNextFigure();
    EXPECT_EQ(f.r().mask, FigureTable()[5]);
    EXPECT_EQ(f.r().x, 3);
    EXPECT_EQ(f.r().y, 0);
    EXPECT_EQ(f.r().placementTicks, 1);
    EXPECT_EQ(f.r().playerRotation, 0);
    EXPECT_EQ(f.r().playerDisplacement, 0);
}

TEST(Reset, BuildsAnEmptyWellAndWaits) {
    GameFixture f;
    f.settings.level = 7;
    f.r().well.at(4, 10) = 3;
    f.r().score = 99;
    f.game.ResetGame();
    const GameRecord& r = f.r();
    EXPECT_TRUE(r.waitingForStart);
    EXPECT_FALSE(r.running);
    EXPECT_EQ(r.fallPeriod, 7);
    EXPECT_EQ(r.score, 0);
    EXPECT_EQ(r.stackTop, 25);
    EXPECT_EQ(r.landingIndicator, 2);
    EXPECT_LT(r.figureWeights[static_cast<std::size_t>(r.nextFigure)], 4681);
    for (int u = 0; u < 10; ++u) {
        for (int v = 0; v < 25; ++v) EXPECT_EQ(r.well.at(u, v), 0);
        EXPECT_EQ(r.well.at(u, 25), 1);
    }
    for (int v = 0; v < 25; ++v) EXPECT_TRUE(r.well.at(-1, v) == 1 && r.well.at(10, v) == 1);
}

TEST(Reset, FirstFigureIsNeverASkewFigure) {
    GameFixture f;
    for (int s = 0; s < 2000; ++s) {
        f.clock.seconds = s;
        f.game.ResetGame();
        const FigureMask& m = f.r().mask;
        ASSERT_NE(m, FigureTable()[5]);
        ASSERT_NE(m, FigureTable()[6]);
    }
}

TEST(Reset, SeedsComeFromTheClockOrTheNetwork) {
    GameFixture f;
    f.clock.seconds = 65535 + 12;
    f.r().nextFigure = 0;
    f.game.ResetGame();
    std::uint32_t seed = 12;
    int first;
    do first = DrawRandom(seed) % 7;
    while (first >= 5);
    EXPECT_EQ(f.r().mask, FigureTable()[static_cast<std::size_t>(first)]);
    EXPECT_EQ(f.r().lineSeed, 12u);

    // Two players with the same network seed get the same figures.
    GameFixture a, b;
    for (GameFixture* g : {&a, &b}) {
        g->clock.seconds = g == &a ? 5 : 77;
        g->r().networkGame = true;
        g->r().networkSeed = 4242;
        g->game.ResetGame();
    }
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(a.r().mask, b.r().mask);
        a.game.TakeNextFigure();
        b.game.TakeNextFigure();
    }
}

TEST(Reset, HeightChangesOnlyAtResetAndStaysInRange) {
    GameFixture f;
    f.settings.height = 20;
    EXPECT_EQ(f.r().height, 25);
    f.game.ResetGame();
    EXPECT_EQ(f.r().height, 20);
    EXPECT_EQ(f.r().stackTop, 20);
    EXPECT_EQ(f.r().well.at(0, 20), 1);
    EXPECT_EQ(std::count(f.painter.calls.begin(), f.painter.calls.end(), "layout"), 1);
    // A height only an edited file can hold is brought into range.
    for (int bad : {-5, 0, 1, 26, 1000}) {
        f.settings.height = bad;
        f.game.ResetGame();
        EXPECT_GE(f.r().height, kMinWellHeight);
        EXPECT_LE(f.r().height, kMaxWellHeight);
    }
    f.settings.level = 0;  // would divide by zero in the line score
    f.game.ResetGame();
    EXPECT_EQ(f.r().fallPeriod, 1);
}

TEST(Loop, FallsEveryFallPeriodTicksOrWhileAccelerating) {
    GameFixture f;
    f.r().fallPeriod = 3;
    f.Start();
    f.r().fallPeriod = 3;
    for (int t = 1; t <= 9; ++t) {
        f.game.Tick();
        EXPECT_EQ(f.r().y, t / 3) << t;
    }
    f.keys.down.insert(kAccelerate);
    f.game.Tick();
    f.game.Tick();
    EXPECT_EQ(f.r().y, 5);
    f.keys.down.clear();
    f.r().fallPeriod = 1;
    f.game.Tick();
    EXPECT_EQ(f.r().y, 6);
}

TEST(Loop, PlacementTicksCountWhilePausedUpTo720) {
    GameFixture f;
    for (int t = 0; t < 1000; ++t) f.game.Tick();
    EXPECT_EQ(f.r().placementTicks, 720);
    EXPECT_EQ(f.r().y, 0);  // nothing falls while waiting
}

TEST(Loop, EnterStartsEscPausesThenMinimises) {
    GameFixture f;
    f.game.KeyDown(kKeyEscape, 1);
    EXPECT_EQ(f.shell.minimized, 1);
    f.game.KeyDown(kKeyEnter, 1);
    EXPECT_TRUE(f.r().running);
    EXPECT_FALSE(f.r().waitingForStart);
    EXPECT_EQ(f.shell.focus, 1);
    f.game.KeyDown(kKeyEscape, 1);
    EXPECT_FALSE(f.r().running);
    EXPECT_EQ(f.shell.minimized, 1);
    f.game.KeyDown(kKeyEscape, 1);
    EXPECT_EQ(f.shell.minimized, 2);
    f.game.KeyDown(kKeyEnter, 1);
    EXPECT_TRUE(f.r().running);
    EXPECT_EQ(f.painter.calls.back(), "status");
}

TEST(Keys, MoveSidewaysUntilTheWall) {
    GameFixture f;
    f.Start();
    f.SetFigure(4, 3, 5);  // the square, cells in box columns 1 and 2
    f.game.KeyDown(kLeft, 10);
    EXPECT_EQ(f.r().x, -1);
    EXPECT_EQ(f.r().playerDisplacement, -4);
    f.game.KeyDown(kRight, 3);
    EXPECT_EQ(f.r().x, 2);
    EXPECT_EQ(f.r().playerDisplacement, -1);
    EXPECT_EQ(f.r().pendingKey, 0);
    // A move is drawn at the new place before the old place is erased.
    ASSERT_GE(f.painter.calls.size(), 2u);
    EXPECT_EQ(f.painter.calls[f.painter.calls.size() - 2], "draw 2,5");
    EXPECT_EQ(f.painter.calls.back(), "erase 1,5");
}

TEST(Keys, RotationKicksAwayFromWallsAndObstacles) {
    GameFixture f;
    f.Start();
    // Upright long figure in column 8: lying flat fits only one column left.
    f.SetFigure(1, 7, 5);
    RotateFigure(f.r().mask);
    f.game.KeyDown(kRotate, 1);
    EXPECT_EQ(MaskPicture(f.r().mask), ".... .... #### ....");
    EXPECT_EQ(f.r().x, 6);
    EXPECT_EQ(f.r().playerRotation, 1);
    EXPECT_EQ(f.r().playerDisplacement, -1);

    // Against the left wall it moves right.
    f.SetFigure(1, -1, 5);
    RotateFigure(f.r().mask);
    f.r().playerRotation = 0;
    f.r().playerDisplacement = 0;
    f.game.KeyDown(kRotate2, 1);
    EXPECT_EQ(f.r().x, 0);
    EXPECT_EQ(f.r().playerRotation, 3);
    EXPECT_EQ(f.r().playerDisplacement, 1);

    // Fitting one column either way, the turn goes right.
    f.SetFigure(2, 4, 5);
    f.r().well.at(5, 8) = 1;
    f.game.KeyDown(kRotate, 1);
    EXPECT_EQ(MaskPicture(f.r().mask), ".... .#.. .##. .#..");
    EXPECT_EQ(f.r().x, 5);
}

TEST(Keys, RotationThatFitsNowhereIsUndone) {
    GameFixture f;
    f.Start();
    f.SetFigure(1, 3, 5);
    for (int u = 0; u < 10; ++u) f.r().well.at(u, 7) = 1;  // no room below the lying figure
    const FigureMask before = f.r().mask;
    f.game.KeyDown(kRotate, 1);
    EXPECT_EQ(f.r().mask, before);
    EXPECT_EQ(f.r().x, 3);
    EXPECT_EQ(f.r().playerRotation, 0);
}

TEST(Landing, RemovesFullRowsAndMovesTheRowsAbove) {
    GameFixture f;
    f.Start();
    for (int v = 21; v <= 24; ++v) f.FillRow(v, {9});
    f.r().well.at(0, 20) = 6;
    f.r().well.at(4, 19) = 2;
    f.r().stackTop = 19;
    f.SetFigure(1, 8, 0);
    RotateFigure(f.r().mask);  // upright in column 9
    f.r().placementTicks = 1;
    f.game.KeyDown(kDrop, 1);
    const GameRecord& r = f.r();
    EXPECT_EQ(r.lines, 4);
    EXPECT_EQ(r.score, 180 + 200 + 400 + 600 + 800);
    EXPECT_EQ(r.well.at(0, 24), 6);
    EXPECT_EQ(r.well.at(4, 23), 2);
    EXPECT_EQ(r.well.at(1, 24), 0);
    EXPECT_EQ(r.stackTop, 23);
    EXPECT_EQ(r.landingIndicator, 4);
    EXPECT_EQ(r.x, 3);  // the next figure is on its way
}

TEST(Landing, RemovesRowsThatAreNotAdjacent) {
    GameFixture f;
    f.Start();
    f.FillRow(22, {9});
    f.FillRow(23, {8, 9});
    f.FillRow(24, {9});
    f.r().stackTop = 22;
    f.SetFigure(1, 8, 0);
    RotateFigure(f.r().mask);
    f.game.KeyDown(kDrop, 1);
    const GameRecord& r = f.r();
    EXPECT_EQ(r.lines, 2);
    EXPECT_EQ(r.landingIndicator, 4);
    // Row 23 with its gap at column 8 is now the bottom row; above it stays the
    // part of the long figure that filled row 21.
    for (int u = 0; u < 10; ++u) EXPECT_EQ(r.well.at(u, 24), u == 8 ? 0 : (u == 9 ? 4 : 1)) << u;
    EXPECT_EQ(r.well.at(9, 23), 4);
    EXPECT_EQ(r.well.at(0, 23), 0);
    EXPECT_EQ(r.stackTop, 23);
}

TEST(Landing, AtTheFloorScansNoFurtherThanTheLastRow) {
    GameFixture f;
    f.Start();
    f.SetFigure(4, 3, 0);
    f.game.KeyDown(kDrop, 1);
    EXPECT_EQ(f.r().lines, 0);
    for (int u = 0; u < 10; ++u) EXPECT_EQ(f.r().well.at(u, 25), 1);
    EXPECT_EQ(f.r().well.at(4, 24), 2);
    EXPECT_EQ(f.r().stackTop, 23);
    EXPECT_EQ(f.r().landingIndicator, 2);  // landed in the lower half
}

TEST(Landing, DropWithoutAnimationDrawsOnlyTheEnd) {
    GameFixture f;
    f.settings.animate = 0;
    f.Start();
    f.SetFigure(4, 3, 0);
    f.painter.calls.clear();
    f.game.KeyDown(kDrop, 1);
    ASSERT_GE(f.painter.calls.size(), 3u);
    EXPECT_EQ(f.painter.calls[0], "draw 3,22");
    EXPECT_EQ(f.painter.calls[1], "erase 3,0");
    EXPECT_EQ(f.painter.calls[2], "draw 3,0");  // the next figure
}

TEST(Scoring, PlacementRewardsSpeedAndPlayingWithoutHint) {
    for (auto [hint, ticks, award] : {std::tuple{1, 1, 180}, {0, 1, 234}, {1, 720, 0}, {1, 58, 9}, {0, 0, 351}}) {
        GameFixture f;
        f.settings.next = static_cast<std::int16_t>(hint);
        f.Start();
        f.r().placementTicks = ticks;
        f.game.KeyDown(kDrop, 1);
        EXPECT_EQ(f.r().score, award) << hint << " " << ticks;
    }
}

TEST(Scoring, LineAwardDependsOnLevelAndHint) {
    struct Case {
        int hint, period, rows, award;
    };
    for (auto c : {Case{0, 1, 1, 1300}, Case{1, 10, 1, 100}, Case{1, 5, 2, 600}, Case{1, 5, 3, 1200},
                   Case{1, 5, 4, 2000}, Case{0, 3, 2, 433 + 866}}) {
        GameFixture f;
        f.settings.next = static_cast<std::int16_t>(c.hint);
        f.Start();
        f.r().fallPeriod = c.period;
        for (int i = 0; i < c.rows; ++i) f.FillRow(24 - i, {9});
        f.r().stackTop = 25 - c.rows;
        f.SetFigure(1, 8, 0);
        RotateFigure(f.r().mask);
        f.r().placementTicks = 720;
        f.game.KeyDown(kDrop, 1);
        EXPECT_EQ(f.r().score, c.award) << c.hint << " " << c.period << " " << c.rows;
    }
}

TEST(Scoring, LevelRisesWithLinesWhenIncreaseIsOn) {
    auto landOneRow = [](GameFixture& f) {
        f.FillRow(24, {9});
        f.r().stackTop = 24;
        f.SetFigure(1, 8, 0);
        RotateFigure(f.r().mask);
        f.game.KeyDown(kDrop, 1);
    };
    GameFixture f;
    f.Start();
    f.r().lines = 88;
    landOneRow(f);
    EXPECT_EQ(f.r().fallPeriod, 5);
    f.r().well.Reset(25);
    landOneRow(f);
    EXPECT_EQ(f.r().lines, 90);
    EXPECT_EQ(f.r().fallPeriod, 4);

    // Several thresholds passed at once are all taken; level 9 is the last.
    GameFixture g;
    g.Start();
    g.r().lines = 500;
    landOneRow(g);
    EXPECT_EQ(g.r().fallPeriod, 1);

    GameFixture off;
    off.settings.incLevel = 0;
    off.Start();
    off.r().lines = 500;
    landOneRow(off);
    EXPECT_EQ(off.r().fallPeriod, 5);
}

TEST(BottomLines, EveryFifteenthLandingRaisesTheWell) {
    GameFixture f;
    f.settings.botLines = 1;
    f.Start();
    f.r().landingCounter = 13;
    f.SetFigure(4, 3, 0);
    f.r().placementTicks = 720;
    f.game.KeyDown(kDrop, 1);
    EXPECT_EQ(f.r().landingCounter, 14);
    EXPECT_EQ(f.r().score, 0);
    f.SetFigure(4, 6, 0);
    f.r().placementTicks = 720;
    f.game.KeyDown(kDrop, 1);
    EXPECT_EQ(f.r().landingCounter, 0);
    EXPECT_EQ(f.r().score, 1000 / 5);
    // The first square moved up a row; the second landed then rose with it.
    EXPECT_EQ(f.r().well.at(4, 22), 2);
    EXPECT_EQ(f.r().well.at(7, 22), 2);
    EXPECT_EQ(f.r().stackTop, 22);
    EXPECT_EQ(f.r().landingIndicator, 1);

    GameFixture off;
    off.Start();
    off.r().landingCounter = 14;
    off.SetFigure(4, 3, 0);
    off.game.KeyDown(kDrop, 1);
    EXPECT_EQ(off.r().landingCounter, 0);
    EXPECT_EQ(off.r().well.at(4, 24), 2);
}

TEST(BottomLines, NewLineAlwaysHasAGap) {
    GameFixture f;
    f.r().well.at(2, 0) = 5;
    f.r().well.at(2, 24) = 3;
    f.r().lineSeed = 7;
    f.game.PopBottomLine();
    EXPECT_EQ(f.r().well.at(2, 23), 3);
    EXPECT_EQ(f.r().well.at(2, 25), 1);  // the floor stays
    EXPECT_EQ(f.r().stackTop, 24);
    for (std::uint32_t seed = 0; seed < 20000; ++seed) {
        f.r().lineSeed = seed;
        f.game.PopBottomLine();
        int filled = 0;
        for (int u = 0; u < 10; ++u) filled += f.r().well.at(u, 24);
        ASSERT_LT(filled, 10) << seed;
    }
}

TEST(Presents, LiftTheFallingFigureWithTheStack) {
    GameFixture f;
    f.Start();
    f.SetFigure(4, 3, 6);
    f.FillRow(24, {0});
    f.game.ReceivePresentLine();
    EXPECT_EQ(f.r().y, 5);
    EXPECT_EQ(f.r().well.at(0, 23), 0);
    EXPECT_EQ(f.r().well.at(1, 23), 1);
}

TEST(Presents, FigureAtTheTopLandsFirst) {
    GameFixture f;
    f.Start();
    for (int v = 3; v < 25; ++v) f.FillRow(v, {0});  // stack up to row 3, open in column 0
    f.r().stackTop = 3;
    f.SetFigure(4, 6, 0);  // square in rows 1 and 2 on top of the stack
    f.game.ReceivePresentLine();
    EXPECT_EQ(f.r().well.at(7, 0), 2);  // it landed, then rose one row
    EXPECT_EQ(f.r().x, 3);
    EXPECT_EQ(f.r().y, 0);
    EXPECT_TRUE(f.r().running);
}

TEST(Presents, NoLineRisesWhenTheLandingEndsTheGame) {
    GameFixture f;
    f.settings.animate = 0;
    f.Start();
    for (int v = 2; v < 25; ++v) f.FillRow(v, {0});
    f.r().stackTop = 2;
    f.SetFigure(1, 5, 0);  // lying long figure in row 1, the next cannot appear
    f.r().nextFigure = 4;
    f.game.ReceivePresentLine();
    EXPECT_TRUE(f.r().waitingForStart);
    EXPECT_EQ(f.shell.highScores.size(), 1u);
    for (int u = 0; u < 10; ++u) EXPECT_EQ(f.r().well.at(u, 24), 0);  // a fresh well, no line
}

TEST(Presents, IgnoredWhileWaitingForStart) {
    GameFixture f;
    const Well before = f.r().well;
    f.game.ReceivePresentLine();
    EXPECT_EQ(f.r().well, before);
}

TEST(GameOver, PausesAnimatesReportsAndResets) {
    struct SnapshotPainter : test::FakePainter {
        GameRecord* record = nullptr;
        std::vector<Well> frames;
        void PaintGame() override {
            ++paints;
            frames.push_back(record->well);
        }
    };
    GameFixture f;
    SnapshotPainter painter;
    painter.record = &f.r();
    f.game.SetHooks({&painter, &f.clock, &f.keys, &f.network, &f.shell, nullptr});
    f.Start();
    for (int v = 2; v < 25; ++v) f.FillRow(v, {0});
    f.r().stackTop = 2;
    f.r().score = 1234;
    f.SetFigure(1, 5, 0);  // lands in row 1, where the next figure must appear
    f.r().nextFigure = 1;
    f.r().placementTicks = 720;
    painter.frames.clear();
    f.game.KeyDown(kDrop, 1);

    ASSERT_EQ(f.shell.highScores.size(), 1u);
    EXPECT_EQ(f.shell.highScores[0], std::make_pair(true, 1234));
    EXPECT_TRUE(f.r().waitingForStart);
    EXPECT_EQ(f.clock.waits, kLocomotiveSteps);
    EXPECT_EQ(f.clock.ticks, 20u * kLocomotiveSteps);
    // Frames: after the landing and the next figure, then 40 animation steps,
    // then the reset. At step 9 the first ten picture columns fill the well.
    ASSERT_EQ(painter.frames.size(), 2u + kLocomotiveSteps + 1u);
    const Well& step9 = painter.frames[2 + 9];
    for (int v = 0; v < 25; ++v)
        for (int n = 0; n < 10; ++n) ASSERT_EQ(step9.at(n, v), LocomotiveCell(1, v, n)) << n << "," << v;
    const Well& last = painter.frames[2 + 39];
    for (int v = 0; v < 25; ++v)
        for (int n = 0; n < 10; ++n) ASSERT_EQ(last.at(n, v), 0);
    EXPECT_NE(std::find(painter.calls.begin(), painter.calls.end(), "merged"), painter.calls.end());
}

TEST(GameOver, LowerWellShowsTheBottomOfThePicture) {
    GameFixture f;
    f.settings.height = 19;
    f.game.ResetGame();
    f.Start();
    f.game.EndOfGameAnimation();  // ends empty, after showing rows 6..24
    for (int n = 0; n < 10; ++n) EXPECT_EQ(f.r().well.at(n, 18), 0);
    EXPECT_EQ(f.r().well.at(0, 19), 1);
}

TEST(Network, ReportsLandingsAndKeepsLevelAndLines) {
    GameFixture f;
    f.r().networkGame = true;
    f.r().networkSeed = 9;
    f.r().networkLevel = 4;
    f.settings.botLines = 1;
    f.game.ResetGame();
    EXPECT_EQ(f.r().fallPeriod, 4);
    EXPECT_FALSE(f.r().highScoreEligible);
    f.r().running = true;
    f.r().waitingForStart = false;
    f.r().lines = 200;
    f.r().landingCounter = 14;
    f.FillRow(24, {9});
    f.FillRow(23, {9});
    f.r().stackTop = 23;
    f.SetFigure(1, 8, 0);
    RotateFigure(f.r().mask);
    f.r().placementTicks = 720;
    f.game.KeyDown(kDrop, 1);
    ASSERT_EQ(f.network.sent.size(), 1u);
    EXPECT_EQ(f.network.sent[0], "landed 2 " + std::to_string(250 + 500) + " 2");
    EXPECT_EQ(f.r().fallPeriod, 4);
    EXPECT_EQ(f.r().well.at(0, 24), 0);  // no bottom line in a network game

    // Pausing is announced, resuming is only requested.
    f.game.KeyDown(kKeyEscape, 1);
    f.game.KeyDown(kKeyEnter, 1);
    EXPECT_FALSE(f.r().running);
    EXPECT_EQ(f.network.sent.back(), "resume");
    EXPECT_EQ(f.network.sent[f.network.sent.size() - 2], "pause");
}

TEST(Network, ReportedStackHeightNeverExceedsTheWell) {
    struct Case {
        const char* what;
        int stackTop;  // before a square lands on the floor
        const char* report;
    };
    for (const Case c : {Case{"empty well", 25, "landed 2 "}, Case{"presents pushed the stack out over the top", -2, "landed 25 "}}) {
        GameFixture f;
        f.r().networkGame = true;
        f.game.ResetGame();
        f.Start();
        f.r().stackTop = c.stackTop;
        f.SetFigure(4, 3, 0);
        f.game.KeyDown(kDrop, 1);
        ASSERT_FALSE(f.network.sent.empty()) << c.what;
        EXPECT_EQ(f.network.sent[0].rfind(c.report, 0), 0u) << c.what << ": " << f.network.sent[0];
    }
}

TEST(Network, StartIsRequestedOnlyByThoseWhoMay) {
    GameFixture f;
    f.r().networkGame = true;
    f.game.ResetGame();
    f.game.EnterAction();
    EXPECT_TRUE(f.network.sent.empty());
    f.network.mayStart = true;
    f.game.EnterAction();
    EXPECT_EQ(f.network.sent, std::vector<std::string>{"start"});
    EXPECT_TRUE(f.r().waitingForStart);
}

TEST(Network, GameOverGoesToTheServerOnly) {
    GameFixture f;
    f.settings.animate = 0;
    f.r().networkGame = true;
    f.game.ResetGame();
    f.r().running = true;
    f.r().waitingForStart = false;
    for (int v = 2; v < 25; ++v) f.FillRow(v, {0});
    f.r().stackTop = 2;
    f.SetFigure(1, 5, 0);
    f.r().nextFigure = 1;
    f.game.KeyDown(kDrop, 1);
    EXPECT_EQ(f.network.sent.back(), "filled");
    EXPECT_TRUE(f.shell.highScores.empty());
}

}  // namespace
}  // namespace vexari
