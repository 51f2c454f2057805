// SPDX-License-Identifier: GPL-3.0-or-later
// The computer player: the placement search and its criteria, the driver
// that presses the keys, learning from the user's drops, the demo parameters
// as files and as the dialog shows them, and the simulator that plays it alone.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "../game/Fakes.h"
#include "ai/ComputerPlayer.h"
#include "ai/WeightsFile.h"
#include "ai/Placement.h"
#include "ai/Simulator.h"
#include "ai/Tuner.h"

namespace vexari {
namespace {

namespace fs = std::filesystem;
using Criteria = std::array<std::int32_t, 8>;
constexpr int kLong = 1, kSquare = 4;

// ---- the placement search ----

constexpr std::int32_t _ = INT_MIN;  // a value the case does not check

// A well of height 25 whose bottom rows are given top to bottom ('.' empty).
Well BottomRows(const std::vector<std::string>& rows) {
    Well w;
    w.Reset(25);
    int v = 25 - static_cast<int>(rows.size());
    for (const std::string& row : rows) {
        for (int u = 0; u < 10; ++u) w.at(u, v) = row[u] != '.';
        ++v;
    }
    return w;
}

// One search of a figure standing at (x, 0) in a well of height 25.
struct Search {
    CandidateTable table;
    PlacementResult best;
    Search(const Well& well, int figure, int x = 3, const ComputerWeights& w = {})
        : best(FindBestPlacement(well, 25, FigureTable()[figure], x, 0, w, table)) {}
    Criteria At(int rotations, int offset) const {
        const int n = table.Find(rotations, offset);
        Criteria c{};
        EXPECT_GE(n, 0) << "no candidate " << rotations << "," << offset;
        if (n >= 0) std::copy_n(table.criteria[n].begin(), 8, c.begin());
        return c;
    }
    std::int32_t Score(int rotations, int offset) const {
        return WeightedScore(table.criteria[table.Find(rotations, offset)], {});
    }
};

TEST(Placement, WorkedPositionsWithTheDefaultWeights) {
    const Search a(BottomRows({}), kLong);
    EXPECT_EQ(std::tuple(a.best, a.table.count), std::tuple(PlacementResult{0, -3, 23}, 34));  // flat, left wall
    EXPECT_EQ(std::tuple(a.At(0, -3), a.At(1, -4), a.Score(1, -4)),
              std::tuple(Criteria{0, 0, 0, 0, 0, -1, 24, 0}, Criteria{0, 0, 0, 0, 0, -16, 23, 0}, 7));
    // As good at the right wall, but later in search order.
    EXPECT_EQ(std::tuple(a.Score(0, 3), a.table.Find(0, -3), a.table.Find(1, -4), a.table.Find(0, -4)),
              std::tuple(23, 0, 7, -1));

    const Search b(BottomRows({"#########.", "#########.", "#########.", "#########."}), kLong);
    EXPECT_EQ(std::tuple(b.best, b.At(1, 5), b.Score(3, 5)),  // upright in column 9: four rows at once
              std::tuple(PlacementResult{1, 5, 36}, Criteria{0, 0, 0, 0, 0, 0, 27, 9}, 36));
    EXPECT_EQ(b.At(0, -3)[ComputerWeights::kContacts], 21);  // flat on the stack: every box position supported

    const Well covered = BottomRows({"....#.....", ".....####."});
    EXPECT_EQ(OldHoleRow(covered, 25), 24);
    const Search c(covered, kSquare);
    EXPECT_EQ(std::tuple(c.best, c.At(0, -2), c.At(0, -1), c.Score(0, -1)),
              std::tuple(PlacementResult{0, -2, -29}, Criteria{-1, -1, 0, 0, -1, -6, 24, 0},
                         Criteria{-3, -8, 0, 0, 0, -26, 22, 0}, -167));
}

TEST(Placement, CriteriaThatAreEasyToGetWrong) {
    struct Case {
        std::vector<std::string> rows;
        int figure, x, rotations, offset;
        Criteria expected;
        int oldHoleRow = _;
    };
    const Case cases[] = {
        // kMultiRowBonus for two and three rows at once.
        {{"#########.", "#########."}, kLong, 3, 1, 5, {_, _, _, _, _, _, _, 1}},
        {{"#########.", "#########.", "#########."}, kLong, 3, 1, 5, {_, _, _, _, _, _, _, 4}},
        // One pit is free and earns kMultiRowBonus (the full row out of the square's reach stays);
        // a second costs 1 and the bonus is lost; an edge column counts against the wall.
        {{".#########", ".#########", "##########"}, kSquare, 3, 0, 0, {_, _, _, 0, _, _, _, 1}},
        {{".####.####", ".####.####", "##########"}, kSquare, 7, 0, 0, {_, _, _, -1, _, _, _, 0}},
        {{"#########.", "#########."}, kSquare, 3, 0, -2, {_, _, _, 0, _, _, _, 1}},
        {{"#########."}, kSquare, 3, 0, -2, {_, _, _, _, _, _, _, 0}},  // one row lower is no pit
        // A two-column pit, one too shallow, one whose columns differ by 2, one at the right wall.
        {{"..#.......", "..#......."}, kSquare, 5, 0, 0, {_, _, _, _, -1, _, _, _}},
        {{"..#......."}, kSquare, 5, 0, 0, {_, _, _, _, 0, _, _, _}},
        {{"..#.......", ".##.......", ".##......."}, kSquare, 5, 0, 0, {_, _, _, _, 0, _, _, _}},
        {{".......#..", ".......#..", ".......#.."}, kSquare, 3, 0, -4, {_, _, _, _, -1, _, _, _}},
        // Old holes: a column solid to the floor ends the scan, so kHoleDepth counts
        // every hole; otherwise only holes at or above the highest first gap count.
        {{"##..#.....", "#.........", "#...#....."}, kSquare, 5, 0, 0, {-3, -4, _, _, _, _, _, _}, 25},
        {{"#.#.......", "..........", "..........", "#........."}, kSquare, 5, 0, 0, {-5, -2, _, _, _, _, _, _}, 22},
        {{"...#......", "...#.#....", "......#...", "...#.#.#.."}, kSquare, 3, 0, 0, {_, _, _, _, _, _, _, _}, 23},
        // Row 23 is completed before measuring: the rows above, the hole at 21 with them, move down.
        {{"#.........", "..........", "#.........", "########..", ".#########"}, kSquare, 7, 0, 0,
         {-2, -1, _, _, _, _, 21 + 1 + 2, 0}, 21},
        // HEIGHT: all sixteen box positions supported (box rows give 2, 5, 5, 7; beyond
        // the wall counts as filled); an empty box position over a gap; the floor row reached.
        {{"..#.......", "..#.......", "###.......", "###......."}, kSquare, 3, 0, -4, {_, _, 19, _, _, _, _, _}},
        {{"##.######.", "#########."}, kSquare, 3, 0, -1, {_, _, 0, _, _, _, _, _}},
        {{}, kSquare, 3, 0, 0, {_, _, 0, _, _, _, _, _}, 25},
        // kLandingDepth: box rows 1,1,1,2 give 1; 1,2,3,1 round up to 2.
        {{}, 0, 3, 0, 0, {_, _, _, _, _, _, 22 + 1, _}},
        {{}, 0, 3, 1, 0, {_, _, _, _, _, _, 21 + 2, _}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        const Well well = BottomRows(c.rows);
        EXPECT_TRUE(c.oldHoleRow == _ || OldHoleRow(well, 25) == c.oldHoleRow) << OldHoleRow(well, 25);
        Criteria got = Search(well, c.figure, c.x).At(c.rotations, c.offset);
        for (std::size_t i = 0; i < 8; ++i) got[i] = c.expected[i] == _ ? _ : got[i];
        EXPECT_EQ(got, c.expected);
    }
    // Row 0 keeps its content when a row below it goes: column 0 then reaches the top.
    Well top = BottomRows({"#########."});
    top.at(0, 0) = 1;
    EXPECT_EQ(Search(top, kLong).At(1, 5)[ComputerWeights::kRoughness], -(25 * 25 + 3 * 3));
    // A square landing under such a cell: rows 1 to 22 of its column become holes.
    Well over = BottomRows({});
    over.at(4, 0) = 1;
    const Criteria under = Search(over, kSquare).At(0, 0);
    EXPECT_EQ(std::pair(under[ComputerWeights::kHoles], under[ComputerWeights::kHoleDepth]), std::pair(-22, -1));
}

TEST(Placement, ARotationIsTriedOnlyIfItFitsWithinThreeColumns) {
    // Rows 2 and 3 filled in columns 0 to 4: the long figure upright, or lying
    // in box row 2, fits only in columns 5 to 9.
    Well well = BottomRows({});
    for (int v = 2; v <= 3; ++v)
        for (int u = 0; u <= 4; ++u) well.at(u, v) = 1;
    const Search from0(well, kLong, 0);
    // Only the flat figure in box row 1.
    EXPECT_EQ(std::tuple(from0.table.count, from0.table.Find(1, 4), from0.table.Find(2, 5)), std::tuple(7, -1, -1));
    const Search from2(well, kLong, 2);  // now every fitting offset counts
    EXPECT_EQ(std::tuple(from2.table.count, from2.table.Find(1, 2), from2.table.Find(2, 4)),
              std::tuple(7 + 5 + 2 + 5, 7, 13));
}

TEST(Placement, Scoring) {
    // Each product is truncated toward zero; products and sum saturate.
    const std::array<std::int32_t, ComputerWeights::kCapacity> c{-3, 3, 0, 0, 0, 1, 1};
    ComputerWeights w;
    w.w = {0.5, 0.5, 0, 0, 0, 2.9};  // -1 + 1 + 2
    EXPECT_EQ(WeightedScore(c, w), 2);
    w[5] = 1e12;
    EXPECT_EQ(WeightedScore(c, w), INT_MAX);
    w[6] = 1e12;
    EXPECT_EQ(WeightedScore(c, w), INT_MAX);

    // None at or below the starting score is chosen (ties keeping the first are in the worked positions).
    w.w.fill(0);
    w[ComputerWeights::kLandingDepth] = -1e9;
    const Search s(BottomRows({}), 2, 3, w);
    EXPECT_TRUE(s.best == (PlacementResult{0, 0, kNoPlacementScore}) && s.table.count > 0);
}

// ---- the driver and learning ----

struct TestClock : GameClock {
    std::int64_t Seconds() override { return 77; }
    std::uint32_t TickCount() override { return ms; }
    std::uint32_t ms = 5000;
};

// A game with the computer player attached; the clock stands at 5000 ms.
class DriverTest : public ::testing::Test {
protected:
    DriverTest() {
        settings.animate = 0;
        game.SetHooks({.clock = &clock, .computer = &player});
        game.ResetGame();
    }
    // Demo mode with the long figure, turned `turns` times, at (x, 0).
    void StartWithLong(int turns = 0, int x = 3) {
        game.SwitchComputerOn();
        r.mask = FigureTable()[kLong];
        for (int i = 0; i < turns; ++i) RotateFigure(r.mask);
        r.x = x;
        r.y = 0;
    }
    std::string BottomRow() const { return test::RowOf(r.well, 24); }

    Settings settings;
    Game game{settings};
    ComputerPlayer player{game};
    TestClock clock;
    GameRecord& r = GameAccess::Record(game);
};

TEST_F(DriverTest, PacesTheFallAndPressesTheKeysWithPausesThatInputEnds) {
    StartWithLong();
    for (int t = 1; t <= 9; ++t) {
        game.Tick();
        ASSERT_EQ(r.y, 0) << "tick " << t;
    }
    game.Tick();  // speed 2: the tenth tick moves the figure down, and the move starts at once
    // The first of three steps to the left.
    EXPECT_EQ(std::tuple(r.y, r.x, player.NextDeadline()), std::tuple(1, 2, std::optional<std::uint32_t>(5110)));

    const auto counters = std::tuple(r.placementTicks, r.fallTicks, r.y);
    for (int t = 0; t < 30; ++t) game.Tick();  // while keys are pending the timer does nothing
    EXPECT_EQ(std::tuple(r.placementTicks, r.fallTicks, r.y), counters);

    player.Advance(5109);  // not yet
    EXPECT_EQ(r.x, 2);
    player.Advance(5110);
    EXPECT_EQ(player.NextDeadline(), std::optional<std::uint32_t>(5220));
    player.InputArrived(5150);  // a key or a click ends the pause at once
    EXPECT_EQ(std::tuple(r.x, player.NextDeadline()), std::tuple(0, std::optional<std::uint32_t>(5260)));
    player.Advance(5260);  // the drop, with no pause after it
    EXPECT_EQ(std::tuple(player.Busy(), player.NextDeadline(), BottomRow(), r.x, r.y),
              std::tuple(false, std::nullopt, "4444......", 3, 0));  // the next figure is up
    player.InputArrived(6000);  // with nothing pending input does nothing
    EXPECT_EQ(r.y, 0);
}

TEST_F(DriverTest, ARotationThatKicksIsNotCompensated) {
    StartWithLong(1, 8);  // upright in column 9
    r.fallTicks = 9;
    game.Tick();        // planned: one turn, eight steps left, the drop
    EXPECT_EQ(r.x, 6);  // turned flat at x 8 it only fits two columns further left
    player.Finish();
    EXPECT_EQ(BottomRow(), "4444......");  // six steps reached the wall, two were blocked
}

TEST_F(DriverTest, PendingKeysAreDroppedWhenTheGameStops) {
    StartWithLong();
    for (int t = 0; t < 10; ++t) game.Tick();
    ASSERT_TRUE(player.Busy());
    game.ToggleRunning(true);  // a pause outside a network game ends demo mode
    EXPECT_EQ(player.NextDeadline(), std::nullopt);
    player.Advance(9000);
    player.Finish();
    game.ToggleRunning(true);  // resumed, the user plays on: the old keys do not come back
    EXPECT_EQ(std::tuple(r.x, r.y, player.Busy()), std::tuple(2, 1, false));  // nothing more was pressed
}

TEST_F(DriverTest, DemoCommand) {
    ASSERT_TRUE(r.waitingForStart);
    r.highScoreEligible = true;
    game.SwitchComputerOn();  // a waiting game starts, played by the computer
    EXPECT_EQ(std::tuple(r.running, r.computerPlays, r.computerSpeed, r.highScoreEligible),
              std::tuple(true, true, 2, false));
    game.ToggleRunning(true);
    r.computerSpeed = 7;
    game.SwitchComputerOn();  // the user's paused game goes on under the computer
    EXPECT_EQ(std::tuple(r.running, r.computerPlays, r.computerSpeed), std::tuple(true, true, 2));
    r.computerPlays = false;
    game.SwitchComputerOn();  // a running game is not paused by it
    EXPECT_EQ(std::tuple(r.running, r.computerPlays), std::tuple(true, true));
    game.ToggleRunning(true);
    r.networkGame = true;
    r.highScoreEligible = true;
    game.SwitchComputerOn();  // nothing in a network game
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
    const ComputerWeights d;
    const struct {
        const char* what;
        ComputerWeights before;
        std::vector<Criteria> candidates;  // the user's choice first
        ComputerWeights after;
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
        // takes kRoughness below 0, so to 0, and kMultiRowBonus to 0.8.
        {"the last weight moves too; none goes below 0", {{41, 5, 0, 7, 1, 0.5, 1, 1}},
         {{0, 0, 0, 0, 0, -4, 24, 0}, {0, 0, 0, 0, 0, -2, 24, 0}, {0, 0, 0, 0, 0, -3, 24, 1}},
         {{41, 5, 0, 7, 1, 0, 1, 0.8}}},
    };
    for (const auto& c : cases) {
        ComputerWeights w = c.before;
        ASSERT_TRUE(LearnFromPlacement(Candidates(c.candidates), 0, 0, w)) << c.what;
        for (int i = 0; i < ComputerWeights::kCriteria; ++i) EXPECT_NEAR(w[i], c.after[i], 1e-9) << c.what << ": " << i;
    }
    // No candidate for the user's pair: the step is skipped.
    ComputerWeights w{{41, 5, -1}};
    const ComputerWeights before = w;
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
    for (int i = 0; i < 2; ++i) game.PressKey(settings.keys.left);
    ASSERT_EQ(std::tuple(r.playerRotation, r.playerDisplacement), std::tuple(1, -2));
    ComputerWeights expected = settings.weights;
    ASSERT_TRUE(LearnFromPlacement(table, 1, -2, expected) && expected != ComputerWeights::Defaults());
    game.PressKey(settings.keys.drop);
    EXPECT_EQ(settings.weights, expected);
}

// ---- demo parameters ----

// That any eight numbers read back as written is the fuzzing's concern.
TEST(WeightsFile, ExactBytesShortAndUnopenableFiles) {
    const fs::path dir = fs::temp_directory_path() / ("vexari-demo-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const auto path = [&](const char* name) { return (dir / name).string(); };
    const auto contents = [&](const char* name) {
        std::ifstream in(path(name), std::ios::binary);
        return std::string{std::istreambuf_iterator<char>(in), {}};
    };
    std::ofstream(path("MyParams.dem.tmp")) << "mine";  // a file of the name a temporary once had stays
    EXPECT_TRUE(WriteWeightsFile(path("MyParams.dem"), DefaultWeightValues()));
    EXPECT_EQ(std::tuple(contents("MyParams.dem"), contents("MyParams.dem.tmp")),
              std::tuple("41\r\n5\r\n0\r\n7\r\n1\r\n1\r\n1\r\n1\r\n", "mine"));

    WeightValues v = DefaultWeightValues();
    std::ofstream(path("short.dem")) << "1 2 3";
    const WeightsReadResult r = ReadWeightsFile(path("short.dem"), v);
    EXPECT_EQ(std::tuple(r.opened, r.count, v), std::tuple(true, 3, WeightValues{1, 2, 3, 7, 1, 1, 1, 1}));
    EXPECT_FALSE(ReadWeightsFile(path("missing.dem"), v).opened || ReadWeightsFile(dir.string(), v).opened);
    EXPECT_EQ(v, (WeightValues{1, 2, 3, 7, 1, 1, 1, 1}));  // untouched
    // A command line's file holds all eight or is refused, with the reason.
    std::string shortError, missingError, noError;
    EXPECT_EQ(std::tuple(ReadAllWeightValues(path("short.dem"), shortError).has_value(), shortError,
                         ReadAllWeightValues(path("missing.dem"), missingError).has_value(), missingError,
                         ReadAllWeightValues(path("MyParams.dem"), noError)),
              std::tuple(false, path("short.dem") + ": expected 8 whole numbers, found 3", false,
                         "cannot open " + path("missing.dem"), DefaultWeightValues()));
    fs::remove_all(dir);
}

TEST(WeightValuesParse, ShortOrMalformedInputKeepsTheValuesNotRead) {
    const WeightValues before{10, 20, 30, 40, 50, 60, 70, 80};
    const std::tuple<const char*, int, WeightValues> cases[] = {
        {"1 2 3", 3, {1, 2, 3, 40, 50, 60, 70, 80}},
        {" \t-4\n\n+5\r\n6x 7 8", 3, {-4, 5, 6, 40, 50, 60, 70, 80}},  // stops at "x"
        {"- 5", 0, before},                                           // a sign alone is no number
        {"1 2 3 4 5 6 7 8 9 junk", 8, {1, 2, 3, 4, 5, 6, 7, 8}},      // nothing after the eighth is read
        {"99999999999 -99999999999", 2, {INT_MAX, INT_MIN, 30, 40, 50, 60, 70, 80}},
    };
    for (const auto& [text, count, values] : cases) {
        WeightValues v = before;
        EXPECT_EQ((std::tuple{ParseWeightValues(text, v), v}), std::tuple(count, values)) << text;
    }
}

TEST(WeightsDialogValues, WeightsAbove1000AreScaledSoTheLargestIs500) {
    const std::pair<ComputerWeights, WeightValues> cases[] = {
        {{{2000, 5, 0, 7, 1, 1, 1, 1}}, {500, 1, 0, 1, 0, 0, 0, 0}},
        {{{1000, 5, 0, 7, 1, 1, 1, 1}}, {1000, 5, 0, 7, 1, 1, 1, 1}},
        {{{3, 1000.5, 0, 7, 1, 1, 1, 1}}, {1, 500, 0, 3, 0, 0, 0, 0}},
        {{{-5000, -2, -3, -4, -5, -6, -7, -8}}, {-5000, -2, -3, -4, -5, -6, -7, -8}},  // all below 0
        {{{4000, -4000}}, {500, -500, 0, 0, 0, 0, 0, 0}},
        {{{1, 1, 1, 1, 1, 1, 1, 2000}}, {0, 0, 0, 0, 0, 0, 0, 500}},  // the last weight counts too
        {{{531, 1062}}, {250, 500, 0, 0, 0, 0, 0, 0}},               // 531 x 500 / 1062, not 531 x (500 / 1062)
    };
    for (auto [w, shown] : cases) {
        ScaleWeightsForDialog(w);
        EXPECT_EQ(DialogValuesFromWeights(w), shown);
    }
    ComputerWeights w = cases[0].first;
    ScaleWeightsForDialog(w);
    EXPECT_DOUBLE_EQ(w[1], 1.25);  // the scaled weights keep their fractions
}

// What OK then stores is tested with the dialog.
TEST(WeightsDialogValues, LearnedFractionsAreTruncatedWithinTheRangeOfInt) {
    const ComputerWeights w{{40.8, -0.9, 1e12, -1e12, 0, 0, 0, 0.99}};
    EXPECT_EQ(DialogValuesFromWeights(w), (WeightValues{40, 0, INT_MAX, INT_MIN, 0, 0, 0, 0}));
}

// ---- the simulator ----

// vexari-sim's arguments, and those after "tune": every option is taken; a refusal is one line.
TEST(SimArgs, EveryOptionAnalyzeTuneAndRefusalsOfOneLine) {
    const SimArgsResult all = ParseSimArgs({"--games", "20", "--seed", "4294967295", "--height", "19", "--weights",
                                            "a.dem", "--speed", "9", "--bottom-lines", "--no-next", "--max-pieces",
                                            "50", "--json", "--trace", "--jobs", "3"});
    EXPECT_TRUE(all.options) << all.error;
    const SimArgsResult analyze = ParseSimArgs({"analyze", "pos.txt"});
    ASSERT_TRUE(analyze.options);
    EXPECT_TRUE(analyze.options->analyze && analyze.options->analyzeFile == "pos.txt");
    const TuneArgsResult tune =
        ParseTuneArgs({"--generations", "7", "--population", "12", "--games", "3", "--height", "19", "--max-pieces",
                       "500", "--seed", "4294967295", "--jobs", "2", "--start", "a.dem", "--out", "b.dem"});
    ASSERT_TRUE(tune.options) << tune.error;
    const TuneOptions& o = *tune.options;
    EXPECT_EQ(std::tie(o.generations, o.population, o.games, o.height, o.maxPieces, o.seed, o.jobs, o.startFile,
                       o.outFile),
              std::tuple(7, 12, 3, 19, std::int64_t{500}, 4294967295u, 2, "a.dem", "b.dem"));

    const auto expectRefused = [](auto parse, const std::vector<std::vector<std::string>>& bad) {
        for (const auto& args : bad) {
            const auto r = parse(args);
            EXPECT_TRUE(!r.options && !r.error.empty() && r.error.find('\n') == std::string::npos)
                << ::testing::PrintToString(args) << ": " << r.error;
        }
    };
    expectRefused(ParseSimArgs, {{"--games"}, {"--games", "2x"}, {"--seed", "4294967296"}, {"--height", "26"},
                                 {"--jobs", "0"}, {"--frobnicate"}, {"analyze", "a", "b"}});
    expectRefused(ParseTuneArgs, {{} /* --out is required */, {"--out"}, {"--out", "b.dem", "--population", "1"},
                                  {"--out", "b.dem", "--generations", "0"}, {"--out", "b.dem", "--height", "18"},
                                  {"--out", "b.dem", "--jobs", "x"}, {"--out", "b.dem", "--trace"}});
}

AnalyzeParseResult ParseText(const std::string& text) {
    std::istringstream in(text);
    return ParseAnalyzeInput(in);
}

std::string EmptyRows(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "..........\n";
    return s;
}

TEST(AnalyzeInput, ReadsThePositionAndReportsEveryCandidate) {
    AnalyzeParseResult p = ParseText("height 25\r\nfigure 1 3 0\r\nwell\r\n" + EmptyRows(25));
    ASSERT_TRUE(p.input) << p.error;
    const std::string json = AnalyzeJson(*p.input);
    EXPECT_EQ(json.rfind("{\"best\":{\"rotations\":0,\"offset\":-3,\"score\":23},\"old_hole_row\":25,\"candidates\":["
                         "{\"n\":0,\"rotations\":0,\"offset\":-3,\"criteria\":[0,0,0,0,0,-1,24,0],\"score\":23},",
                         0),
              0u)
        << json;
    EXPECT_TRUE(json.find("{\"n\":33,\"rotations\":3,\"offset\":5,") != std::string::npos && json.ends_with("}]}"));

    p = ParseText("figure 4 3 0\nweights 1 2 3 4 5 6 7 8.5\nheight 19\n\nwell\n" + EmptyRows(16) +
                  "....#.....\n.....7777.\n##########\n");
    ASSERT_TRUE(p.input) << p.error;
    const AnalyzeInput& in = *p.input;
    // Filled cells keep their colour; below the given rows lies the floor.
    EXPECT_EQ(std::tuple(in.height, in.figure, in.weights[7], in.well.at(5, 17), in.well.at(0, 19)),
              std::tuple(19, 4, 8.5, 7, 1));
}

TEST(AnalyzeInput, PositionsOutsideTheWellAreRefused) {
    const std::string h = "height 25\n", f = "figure 1 3 0\n";
    const std::string w = "well\n" + EmptyRows(25), w24 = "well\n" + EmptyRows(24);
    const std::string bad[] = {
        "height 26\n" + f + "well\n" + EmptyRows(26), h + "figure 7 3 0\n" + w, h + "figure -1 3 0\n" + w,
        h + "figure 1 7 0\n" + w, h + "figure 1 3 23\n" + w,  // out of the right wall, below the floor
        h + f + w24, h + f + w + "..........\n", h + f + w24 + "....8.....\n", h + f + w24 + ".........\n", f + w,
        h + f + "weights 1 2 3\n" + w, h + f + "well\n..........\n......#...\n" + EmptyRows(23),  // on a filled cell
    };
    for (const auto& text : bad) {
        const AnalyzeParseResult p = ParseText(text);
        EXPECT_TRUE(!p.input && !p.error.empty()) << text.substr(0, 60);
    }
}

SimOptions Capped(std::int64_t maxPieces, int speed = 2) {
    SimOptions o;
    o.maxPieces = maxPieces;
    o.speed = speed;
    return o;
}

TEST(Simulator, GamesAreReproducibleAndTheTraceAddsUp) {
    Simulator sim(Capped(400), ComputerWeights::Defaults());
    std::vector<SimLanding> trace;
    const SimGameResult a = sim.Play(1, [&](const SimLanding& l) { trace.push_back(l); });
    EXPECT_EQ(std::tuple(a.capped, a.pieces), std::tuple(true, 400));
    ASSERT_EQ(trace.size(), 400u);
    int lines = 0;
    for (std::size_t i = 0; i < trace.size(); ++i) {
        lines += trace[i].removed;
        EXPECT_EQ(std::tuple(trace[i].game, trace[i].n, trace[i].lines), std::tuple(1, std::int64_t(i + 1), lines));
    }
    EXPECT_EQ(std::tuple(a.lines, a.score), std::tuple(trace.back().lines, trace.back().score));
    // A game never starts with a skew figure; the default weights clear rows steadily.
    EXPECT_TRUE(trace[0].figure < 5 && a.lines > 100) << trace[0].figure << " " << a.lines;
    EXPECT_NE(sim.Play(2).score, a.score);  // another seed is another game
    // Speed changes the pacing, not the placements: figures placed sooner score more.
    const SimGameResult slow = Simulator(Capped(300, 0), ComputerWeights::Defaults()).Play(5);
    const SimGameResult fast = Simulator(Capped(300, 9), ComputerWeights::Defaults()).Play(5);
    EXPECT_TRUE(slow.lines == fast.lines && fast.score > slow.score);
}

TEST(Simulator, AGameEndsWhenTheWellFills) {
    Simulator sim(Capped(100000), ComputerWeights{{0, 0, 0, 0, 0, 0, -1, 0}});  // piles the figures up
    const SimGameResult r = sim.Play(3);
    EXPECT_TRUE(!r.capped && r.pieces > 5 && r.pieces < 200) << r.pieces;
    EXPECT_EQ(sim.Play(3).pieces, r.pieces);  // the next game starts afresh
    // The game's animation paints more, but the landings it reports are the same.
    for (const auto& [cap, weights] : {std::pair(100000, ComputerWeights{{0, 0, 0, 0, 0, 0, -1, 0}}),
                                       std::pair(300, ComputerWeights::Defaults())}) {
        SimOptions animated = Capped(cap);
        animated.animate = true;
        const SimGameResult plain = Simulator(Capped(cap), weights).Play(3);
        Simulator drawing(animated, weights);
        const SimGameResult drawn = drawing.Play(3);
        EXPECT_EQ(std::tuple(drawn.pieces, drawn.lines, drawn.score), std::tuple(plain.pieces, plain.lines, plain.score));
        EXPECT_EQ(drawing.Play(3).pieces, drawn.pieces);  // the end-of-game pictures are over before the next game
    }
}

TEST(Simulator, ThreadsChangeNeitherTheGamesNorTheOutput) {
    SimOptions o = Capped(150);
    o.games = 7;
    o.bottomLines = true;
    o.json = true;
    o.trace = true;
    std::string output[2];
    std::vector<SimGameResult> results[2];
    for (const int k : {0, 1}) {
        o.jobs = k == 0 ? 1 : 3;
        std::ostringstream out;
        results[k] = PlayGames(o, ComputerWeights::Defaults(), out);
        output[k] = out.str();
    }
    // Game by game, traces whole and in order, each game's result as from a simulator of its own.
    EXPECT_EQ(output[0], output[1]);
    ASSERT_EQ(results[1].size(), 7u);
    for (std::size_t i = 0; i < results[1].size(); ++i) {
        const std::string alone = GameResultJson(Simulator(o, ComputerWeights::Defaults()).Play(static_cast<int>(i + 1)));
        EXPECT_EQ(std::tuple(results[1][i].game, GameResultJson(results[0][i]), GameResultJson(results[1][i])),
                  std::tuple(static_cast<int>(i + 1), alone, alone));
    }
}

TEST(SimulatorReports, Formats) {
    EXPECT_EQ(LandingJson({{3, -1, 20, 2, 1234, 9, 17}, 2, 7}),
              "{\"game\":2,\"n\":7,\"figure\":3,\"x\":-1,\"y\":20,\"removed\":2,\"score\":1234,\"lines\":9,"
              "\"stack_top\":17}");
    EXPECT_EQ(SummaryJson(Summarize({{1, 10, 4, 100}, {2, 10, 9, 300}, {3, 30, 1, 200}, {4, 10, 20, 0}}, 2.0)),
              "{\"summary\":{\"games\":4,\"mean_lines\":8.50,\"median_lines\":6.5,\"max_lines\":20,"
              "\"mean_score\":150.00,\"pieces_per_second\":30}}");
}

}  // namespace
}  // namespace vexari
