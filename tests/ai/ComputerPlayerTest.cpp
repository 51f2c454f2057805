#include "ai/ComputerPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace vexari {
namespace {

constexpr int kLong = 1;
using Criteria = std::array<std::int32_t, 8>;

struct TestClock : GameClock {
    std::int64_t Seconds() override { return 77; }
    std::uint32_t TickCount() override { return 5000; }
    void WaitSince(std::uint32_t, std::uint32_t) override {}
};

// A game with the computer player attached; the clock stands at 5000 ms.
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
    // Demo mode with the long figure, turned `turns` times, at (x, 0).
    void StartWithLong(int turns = 0, int x = 3) {
        StartDemo(game);
        r.mask = FigureTable()[kLong];
        for (int i = 0; i < turns; ++i) RotateFigure(r.mask);
        r.x = x;
        r.y = 0;
    }
    std::string BottomRow() const {
        std::string row;
        for (int u = 0; u < 10; ++u) row += r.well.at(u, 24) ? '#' : '.';
        return row;
    }

    Settings settings;
    Game game{settings};
    ComputerPlayer player{game};
    TestClock clock;
    GameRecord& r = game.record();
};

TEST_F(DriverTest, PacesTheFallAndPressesTheKeysWithPausesThatInputEnds) {
    StartWithLong();
    for (int t = 1; t <= 9; ++t) {
        game.Tick();
        ASSERT_EQ(r.y, 0) << "tick " << t;
    }
    game.Tick();  // speed 2: the tenth tick moves the figure down, and the move starts at once
    EXPECT_EQ(r.y, 1);
    EXPECT_EQ(r.x, 2);  // the first of three steps to the left
    EXPECT_EQ(player.NextDeadline(), std::optional<std::uint32_t>(5110));

    const auto counters = std::tuple(r.placementTicks, r.fallTicks, r.y);
    for (int t = 0; t < 30; ++t) game.Tick();  // while keys are pending the timer does nothing
    EXPECT_EQ(std::tuple(r.placementTicks, r.fallTicks, r.y), counters);

    player.Advance(5109);  // not yet
    EXPECT_EQ(r.x, 2);
    player.Advance(5110);
    EXPECT_EQ(player.NextDeadline(), std::optional<std::uint32_t>(5220));
    player.InputArrived(5150);  // a key or a click ends the pause at once
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(player.NextDeadline(), std::optional<std::uint32_t>(5260));
    player.Advance(5260);  // the drop, with no pause after it
    EXPECT_EQ(std::tuple(player.Busy(), player.NextDeadline(), BottomRow()),
              std::tuple(false, std::nullopt, "####......"));
    EXPECT_EQ(std::tuple(r.x, r.y), std::tuple(3, 0));  // the next figure is up
    player.InputArrived(6000);  // with nothing pending input does nothing
    EXPECT_EQ(r.y, 0);
}

TEST_F(DriverTest, ARotationThatKicksIsNotCompensated) {
    StartWithLong(1, 8);  // upright in column 9
    r.fallTicks = 9;
    game.Tick();  // planned: one turn, eight steps left, the drop
    EXPECT_EQ(r.x, 6);  // turned flat at x 8 it only fits two columns further left
    player.Finish();
    EXPECT_EQ(BottomRow(), "####......");  // six steps reached the wall, two were blocked
}

TEST_F(DriverTest, PendingKeysAreDroppedWhenTheGameStops) {
    StartWithLong();
    for (int t = 0; t < 10; ++t) game.Tick();
    ASSERT_TRUE(player.Busy());
    game.ToggleRunning(true);  // a pause outside a network game ends demo mode
    EXPECT_EQ(player.NextDeadline(), std::nullopt);
    player.Advance(9000);
    player.Finish();
    EXPECT_EQ(std::tuple(r.x, r.y), std::tuple(2, 1));  // nothing more was pressed
    game.ToggleRunning(true);  // resumed, the user plays on: the old keys do not come back
    EXPECT_FALSE(player.Busy());
}

TEST_F(DriverTest, DemoCommand) {
    ASSERT_TRUE(r.waitingForStart);
    r.highScoreEligible = true;
    StartDemo(game);  // a waiting game starts, played by the computer
    EXPECT_EQ(std::tuple(r.running, r.computerPlays, r.computerSpeed, r.highScoreEligible),
              std::tuple(true, true, 2, false));
    game.ToggleRunning(true);
    r.computerSpeed = 7;
    StartDemo(game);  // the user's paused game goes on under the computer
    EXPECT_EQ(std::tuple(r.running, r.computerPlays, r.computerSpeed), std::tuple(true, true, 2));
    r.computerPlays = false;
    StartDemo(game);  // a running game is not paused by it
    EXPECT_EQ(std::tuple(r.running, r.computerPlays), std::tuple(true, true));
    game.ToggleRunning(true);
    r.networkGame = true;
    r.highScoreEligible = true;
    StartDemo(game);  // nothing in a network game
    EXPECT_EQ(std::tuple(r.running, r.computerPlays, r.highScoreEligible), std::tuple(false, false, true));
}

TEST(ComputerSpeedFromName, CompInAnyCaseWithAnOptionalDigit) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"COMP9", 9}, {"cOmP0 the great", 0}, {"Computer", 2}, {"Comp 5", 2}, {"Com", std::nullopt}, {"xcomp9", {}}};
    for (const auto& [name, speed] : cases) EXPECT_EQ(ComputerSpeedFromName(name), speed) << name;
}

// Candidates numbered in order, at rotation 0 and offsets 0, 1, 2, ...
CandidateTable Candidates(const std::vector<Criteria>& rows) {
    CandidateTable t;
    for (const Criteria& c : rows) {
        std::copy(c.begin(), c.end(), t.criteria[t.count].begin());
        t.number[0][10 + t.count] = t.count;
        ++t.count;
    }
    return t;
}

TEST(LearnFromPlacement, MovesTheWeightsTowardsTheUsersChoice) {
    const DemoWeights d;
    const struct {
        const char* what;
        DemoWeights before;
        std::vector<Criteria> candidates;  // the user's choice first
        DemoWeights after;
    } cases[] = {
        {"one hole more than an alternative rates -41", d,
         {{-1, 0, 0, 0, 0, -2, 24, 0}, {0, 0, 0, 0, 0, -2, 24, 0}}, {{40.8, 5, 0, 7, 1, 1, 1, 1}}},
        {"an alternative rated exactly 1 below changes nothing", d,
         {{0, 0, 0, 0, 0, -1, 24, 0}, {0, 0, 0, 0, 0, -2, 24, 0}}, d},
        {"with every alternative beaten, the user's own choice still lifts a negative weight to 0",
         {{41, 5, -3, 7, 1, 1, 1, 1}}, {{0, 0, 0, 0, 0, -1, 24, 0}, {-1, 0, 0, 0, 0, -1, 24, 0}}, d},
        {"each rating uses the weights as the candidates before left them", {{0, 0, 0, 0, 0, 0, 0, 0}},
         {{0}, {-5}, {-1}}, {{1, 0, 0, 0, 0, 0, 0, 0}}},
        // SURFACE 0.5 rates the second -1 and falls to 0.1; the third rates 0 - 1 and
        // takes SURFACE below 0, so to 0, and GREED to 0.8.
        {"the last weight moves too; none goes below 0", {{41, 5, 0, 7, 1, 0.5, 1, 1}},
         {{0, 0, 0, 0, 0, -4, 24, 0}, {0, 0, 0, 0, 0, -2, 24, 0}, {0, 0, 0, 0, 0, -3, 24, 1}},
         {{41, 5, 0, 7, 1, 0, 1, 0.8}}},
    };
    for (const auto& c : cases) {
        DemoWeights w = c.before;
        ASSERT_TRUE(LearnFromPlacement(Candidates(c.candidates), 0, 0, w)) << c.what;
        for (int i = 0; i < DemoWeights::kCriteria; ++i) EXPECT_NEAR(w[i], c.after[i], 1e-9) << c.what << ": " << i;
    }
    // No candidate for the user's pair: the step is skipped.
    DemoWeights w{{41, 5, -1}};
    const DemoWeights before = w;
    const CandidateTable t = Candidates({{0}, {-1}});
    EXPECT_FALSE(LearnFromPlacement(t, 3, 0, w) || LearnFromPlacement(t, 0, 11, w) || LearnFromPlacement(t, 4, 0, w));
    EXPECT_EQ(w, before);
}

TEST_F(DriverTest, TheUsersDropIsLearnedFromTheSearchMadeWhenTheFigureAppeared) {
    r.learnMode = true;
    game.ToggleRunning(true);
    r.nextFigure = 3;
    game.TakeNextFigure();
    const CandidateTable table = player.candidates();

    // One turn and two columns left, then the drop.
    game.PressKey(settings.keys.rotate);
    game.PressKey(settings.keys.left);
    game.PressKey(settings.keys.left);
    ASSERT_EQ(std::tuple(r.playerRotation, r.playerDisplacement), std::tuple(1, -2));
    DemoWeights expected = settings.demo;
    ASSERT_TRUE(LearnFromPlacement(table, 1, -2, expected));
    game.PressKey(settings.keys.drop);
    EXPECT_EQ(settings.demo, expected);
    EXPECT_NE(settings.demo, DemoWeights::Defaults());

    r.learnMode = false;  // without learn mode nothing changes
    game.PressKey(settings.keys.drop);
    EXPECT_EQ(settings.demo, expected);
}

}  // namespace
}  // namespace vexari
