#include "ai/ComputerPlayer.h"

#include <gtest/gtest.h>

namespace vexari {
namespace {

constexpr int kLong = 1;

struct TestClock : GameClock {
    std::uint32_t now = 5000;
    std::int64_t Seconds() override { return 77; }
    std::uint32_t TickCount() override { return now; }
    void WaitSince(std::uint32_t, std::uint32_t) override {}
};

// A game in demo mode with the long figure at the top of an empty well.
class DriverTest : public ::testing::Test {
protected:
    DriverTest() {
        settings.animate = 0;
        Game::Hooks hooks;
        hooks.clock = &clock;
        hooks.computer = &player;
        game.SetHooks(hooks);
        game.ResetGame();
    }

    void PlaceFigure(int figure, int turns = 0, int x = 3) {
        GameRecord& r = game.record();
        r.mask = FigureTable()[figure];
        for (int i = 0; i < turns; ++i) RotateFigure(r.mask);
        r.x = x;
        r.y = 0;
    }
    int FilledInRow(int v) const {
        int n = 0;
        for (int u = 0; u < 10; ++u) n += game.record().well.at(u, v) != 0;
        return n;
    }

    Settings settings;
    Game game{settings};
    ComputerPlayer player{game};
    TestClock clock;
};

TEST_F(DriverTest, AtSpeedTwoTheFigureFallsAfterTenTicksAndIsPlacedAtOnce) {
    StartDemo(game);
    PlaceFigure(kLong);
    GameRecord& r = game.record();
    for (int t = 1; t <= 9; ++t) {
        game.Tick();
        EXPECT_EQ(r.y, 0) << "tick " << t;
    }
    game.Tick();  // the fall step: one row down, then the move starts
    EXPECT_EQ(r.y, 1);
    EXPECT_EQ(r.x, 2);  // the first of three steps to the left went at once
    EXPECT_TRUE(player.Busy());
    player.Finish();
    EXPECT_FALSE(player.Busy());
    // Flat against the left wall on the floor, and the next figure is up.
    for (int u = 0; u < 4; ++u) EXPECT_NE(r.well.at(u, 24), 0);
    EXPECT_EQ(FilledInRow(24), 4);
    EXPECT_EQ(r.y, 0);
    EXPECT_EQ(r.x, 3);
}

TEST_F(DriverTest, KeysArePressedOneByOneWithPausesThatInputEndsEarly) {
    StartDemo(game);
    PlaceFigure(kLong);
    GameRecord& r = game.record();
    for (int t = 0; t < 10; ++t) game.Tick();
    ASSERT_EQ(r.x, 2);
    ASSERT_EQ(player.NextDeadline(), std::optional<std::uint32_t>(5110));

    // While keys are pending the timer does nothing at all.
    const int placementTicks = r.placementTicks;
    const int fallTicks = r.fallTicks;
    for (int t = 0; t < 30; ++t) game.Tick();
    EXPECT_EQ(r.placementTicks, placementTicks);
    EXPECT_EQ(r.fallTicks, fallTicks);
    EXPECT_EQ(r.y, 1);

    player.Advance(5109);  // not yet
    EXPECT_EQ(r.x, 2);
    player.Advance(5110);
    EXPECT_EQ(r.x, 1);
    EXPECT_EQ(player.NextDeadline(), std::optional<std::uint32_t>(5220));
    player.InputArrived(5150);  // a key or a click ends the pause at once
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(player.NextDeadline(), std::optional<std::uint32_t>(5260));
    player.Advance(5260);  // the drop, with no pause after it
    EXPECT_FALSE(player.Busy());
    EXPECT_EQ(player.NextDeadline(), std::nullopt);
    EXPECT_EQ(FilledInRow(24), 4);
    EXPECT_NE(r.well.at(0, 24), 0);
    // Input with nothing pending does nothing.
    player.InputArrived(6000);
    EXPECT_EQ(r.y, 0);
}

TEST_F(DriverTest, ARotationThatKicksIsNotCompensated) {
    StartDemo(game);
    PlaceFigure(kLong, 1, 8);  // upright in column 9
    GameRecord& r = game.record();
    r.fallTicks = 9;
    game.Tick();
    // The search lies the figure flat at the left wall: one turn, eight steps
    // left. Turned at x 8 it fits only two columns to the left.
    EXPECT_EQ(r.x, 6);
    EXPECT_EQ(r.mask, [] {
        FigureMask m = FigureTable()[kLong];
        RotateFigure(m);
        RotateFigure(m);
        return m;
    }());
    player.Finish();
    // Six steps took it to the wall, the last two were blocked.
    for (int u = 0; u < 4; ++u) EXPECT_NE(r.well.at(u, 24), 0);
    EXPECT_EQ(FilledInRow(24), 4);
}

TEST_F(DriverTest, TheSequenceIsDroppedWhenTheGameStops) {
    StartDemo(game);
    PlaceFigure(kLong);
    GameRecord& r = game.record();
    for (int t = 0; t < 10; ++t) game.Tick();
    ASSERT_TRUE(player.Busy());
    game.ToggleRunning(true);  // a pause outside a network game also ends demo mode
    EXPECT_FALSE(player.Busy());
    EXPECT_EQ(player.NextDeadline(), std::nullopt);
    player.Advance(9000);
    player.Finish();
    EXPECT_EQ(r.x, 2);  // nothing more was pressed
    EXPECT_EQ(r.y, 1);
    EXPECT_EQ(FilledInRow(24), 0);
    // Resumed, the user plays the figure: the old keys do not come back.
    game.ToggleRunning(true);
    EXPECT_FALSE(player.Busy());
}

TEST_F(DriverTest, DemoCommand) {
    GameRecord& r = game.record();
    ASSERT_TRUE(r.waitingForStart);
    r.highScoreEligible = true;
    StartDemo(game);
    EXPECT_TRUE(r.running);
    EXPECT_TRUE(r.computerPlays);
    EXPECT_EQ(r.computerSpeed, 2);
    EXPECT_FALSE(r.highScoreEligible);

    // The user's paused game goes on under the computer.
    game.ToggleRunning(true);
    ASSERT_FALSE(r.running);
    r.computerSpeed = 7;
    StartDemo(game);
    EXPECT_TRUE(r.running);
    EXPECT_TRUE(r.computerPlays);
    EXPECT_EQ(r.computerSpeed, 2);

    // A game still running is not paused by it.
    r.computerPlays = false;
    StartDemo(game);
    EXPECT_TRUE(r.running);
    EXPECT_TRUE(r.computerPlays);

    // Nothing in a network game.
    game.ToggleRunning(true);
    r.networkGame = true;
    r.highScoreEligible = true;
    StartDemo(game);
    EXPECT_FALSE(r.running);
    EXPECT_FALSE(r.computerPlays);
    EXPECT_TRUE(r.highScoreEligible);
}

TEST(ComputerSpeedFromName, CompPrefixAnyCaseWithOptionalDigit) {
    EXPECT_EQ(ComputerSpeedFromName("COMP9"), 9);
    EXPECT_EQ(ComputerSpeedFromName("Comp7"), 7);
    EXPECT_EQ(ComputerSpeedFromName("cOmP0 the great"), 0);
    EXPECT_EQ(ComputerSpeedFromName("Comp"), 2);
    EXPECT_EQ(ComputerSpeedFromName("Computer"), 2);
    EXPECT_EQ(ComputerSpeedFromName("Comp 5"), 2);
    EXPECT_EQ(ComputerSpeedFromName("Com"), std::nullopt);
    EXPECT_EQ(ComputerSpeedFromName("xcomp9"), std::nullopt);
    EXPECT_EQ(ComputerSpeedFromName(""), std::nullopt);
}

// Learning from the user's placements.

CandidateTable TwoCandidates(std::array<std::int32_t, 8> user, std::array<std::int32_t, 8> other) {
    CandidateTable t;
    t.count = 2;
    for (int i = 0; i < 8; ++i) {
        t.criteria[0][static_cast<std::size_t>(i)] = user[static_cast<std::size_t>(i)];
        t.criteria[1][static_cast<std::size_t>(i)] = other[static_cast<std::size_t>(i)];
    }
    t.number[0][10] = 0;  // rotation 0, displacement 0: the user's
    t.number[1][12] = 1;
    return t;
}

TEST(LearnFromPlacement, OneMoreHoleThanAnAlternativeLowersItsWeight) {
    const CandidateTable t = TwoCandidates({-1, 0, 0, 0, 0, -2, 24, 0}, {0, 0, 0, 0, 0, -2, 24, 0});
    DemoWeights w;
    EXPECT_TRUE(LearnFromPlacement(t, 0, 0, w));
    EXPECT_DOUBLE_EQ(w[DemoWeights::HOLE], 40.8);
    EXPECT_EQ(w[DemoWeights::MINHOLE], 5);
    EXPECT_EQ(w[DemoWeights::SURFACE], 1);
}

TEST(LearnFromPlacement, AlternativesBeatenByAtLeastOneChangeNothing) {
    const CandidateTable t = TwoCandidates({0, 0, 0, 0, 0, -2, 24, 0}, {-1, 0, 0, 0, 0, -2, 24, 0});
    DemoWeights w;
    const DemoWeights before = w;
    EXPECT_TRUE(LearnFromPlacement(t, 0, 0, w));
    EXPECT_EQ(w, before);
}

TEST(LearnFromPlacement, UpdatesAccumulateAndNoWeightGoesBelowZero) {
    CandidateTable t;
    t.count = 3;
    // User: SURFACE -4. Alternatives: SURFACE -2 (better), then SURFACE -3.
    t.criteria[0][DemoWeights::SURFACE] = -4;
    t.criteria[1][DemoWeights::SURFACE] = -2;
    t.criteria[2][DemoWeights::SURFACE] = -3;
    t.number[2][5] = 0;
    DemoWeights w;
    w[DemoWeights::SURFACE] = 0.5;
    w[DemoWeights::HEIGHT] = -3;  // only the dialog makes weights negative
    EXPECT_TRUE(LearnFromPlacement(t, 2, -5, w));
    // Candidate 0 is the user's own: rating 0, all differences 0, but the
    // negative weight is set to 0. Candidate 1: -2 x 0.5 = -1 -> 0.5 - 0.4 =
    // 0.1. Candidate 2 is rated with the new weight: -1 x 0.1 -> 0 -> moves
    // to 0.1 - 0.2 < 0 -> 0.
    EXPECT_EQ(w[DemoWeights::HEIGHT], 0);
    EXPECT_EQ(w[DemoWeights::SURFACE], 0);
    EXPECT_EQ(w[DemoWeights::HOLE], 41);
}

TEST(LearnFromPlacement, SkippedWhenTheUsersPlacementWasNoCandidate) {
    const CandidateTable t = TwoCandidates({-1, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0});
    DemoWeights w;
    w[DemoWeights::HEIGHT] = -1;
    const DemoWeights before = w;
    EXPECT_FALSE(LearnFromPlacement(t, 3, 0, w));
    EXPECT_FALSE(LearnFromPlacement(t, 0, 11, w));
    EXPECT_FALSE(LearnFromPlacement(t, 4, 0, w));
    EXPECT_EQ(w, before);
}

TEST_F(DriverTest, TheUsersDropIsLearnedFromTheSearchMadeWhenTheFigureAppeared) {
    GameRecord& r = game.record();
    r.learnMode = true;
    game.ToggleRunning(true);
    // Make the current figure the long one, as TakeNextFigure would.
    r.nextFigure = kLong;
    game.TakeNextFigure();
    ASSERT_GT(player.candidates().count, 0);
    const CandidateTable table = player.candidates();

    // The user turns the figure four times (back to rotation 0) and moves it
    // two columns right, then drops it.
    for (int i = 0; i < 4; ++i) game.PressKey(settings.keys.rotate);
    game.PressKey(settings.keys.right);
    game.PressKey(settings.keys.right);
    ASSERT_EQ(r.playerRotation, 0);
    ASSERT_EQ(r.playerDisplacement, 2);
    DemoWeights expected = settings.demo;
    ASSERT_TRUE(LearnFromPlacement(table, 0, 2, expected));
    game.PressKey(settings.keys.drop);
    EXPECT_EQ(settings.demo, expected);
    EXPECT_NE(settings.demo, DemoWeights::Defaults());  // flat in the middle: the smoother left wall was better

    // Without learn mode nothing changes.
    r.learnMode = false;
    const DemoWeights learned = settings.demo;
    game.PressKey(settings.keys.drop);
    EXPECT_EQ(settings.demo, learned);
}

}  // namespace
}  // namespace vexari
