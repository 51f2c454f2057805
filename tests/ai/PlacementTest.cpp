#include "ai/Placement.h"

#include <gtest/gtest.h>

#include <random>

#include "ReferenceSearch.h"
#include "WellBuilder.h"

namespace vexari {
namespace {

using test::BottomRows;
using Criteria = std::array<std::int32_t, 8>;

constexpr int kLong = 1;
constexpr int kSquare = 4;

Criteria CriteriaOf(const CandidateTable& t, int rotations, int offset) {
    const int n = t.Find(rotations, offset);
    EXPECT_GE(n, 0) << "no candidate " << rotations << "," << offset;
    Criteria c{};
    if (n < 0) return c;
    for (int i = 0; i < 8; ++i) c[static_cast<std::size_t>(i)] = t.criteria[static_cast<std::size_t>(n)][static_cast<std::size_t>(i)];
    return c;
}

std::int32_t ScoreOf(const CandidateTable& t, int rotations, int offset, const DemoWeights& w = {}) {
    return WeightedScore(t.criteria[static_cast<std::size_t>(t.Find(rotations, offset))], w);
}

struct Search {
    CandidateTable table;
    PlacementResult best;
    Search(const Well& well, int figure, int x = 3, int y = 0, const DemoWeights& w = {}, int h = 25) {
        best = FindBestPlacement(well, h, FigureTable()[figure], x, y, w, table);
    }
};

// The worked positions with the default weights.

TEST(PlacementExamples, EmptyWellLongFigureGoesFlatAgainstTheLeftWall) {
    Well well;
    well.Reset(25);
    const Search s(well, kLong);
    EXPECT_EQ(s.best, (PlacementResult{0, -3, 23}));
    EXPECT_EQ(s.table.count, 34);
    EXPECT_EQ(CriteriaOf(s.table, 0, -3), (Criteria{0, 0, 0, 0, 0, -1, 24, 0}));
    EXPECT_EQ(ScoreOf(s.table, 0, 3), 23);  // the same score on the right loses the tie
    EXPECT_EQ(CriteriaOf(s.table, 1, -4), (Criteria{0, 0, 0, 0, 0, -16, 23, 0}));
    EXPECT_EQ(ScoreOf(s.table, 1, -4), 7);
    // Candidates are numbered in search order.
    EXPECT_EQ(s.table.Find(0, -3), 0);
    EXPECT_EQ(s.table.Find(1, -4), 7);
    EXPECT_EQ(s.table.Find(0, -4), -1);
}

TEST(PlacementExamples, FourRowsAtOnceUprightInTheLastColumn) {
    const Well well = BottomRows(25, {"#########.", "#########.", "#########.", "#########."});
    const Search s(well, kLong);
    EXPECT_EQ(s.best, (PlacementResult{1, 5, 36}));
    EXPECT_EQ(CriteriaOf(s.table, 1, 5), (Criteria{0, 0, 0, 0, 0, 0, 27, 9}));
    EXPECT_EQ(ScoreOf(s.table, 3, 5), 36);
    // Flat on the stack against the left wall every box position is supported.
    EXPECT_EQ(CriteriaOf(s.table, 0, -3)[DemoWeights::HEIGHT], 21);
}

TEST(PlacementExamples, SquareBesideACoveredHole) {
    Well well = BottomRows(25, {"....#.....", ".....####."});
    EXPECT_EQ(OldHoleRow(well, 25), 24);
    const Search s(well, kSquare);
    EXPECT_EQ(s.best, (PlacementResult{0, -2, -29}));
    EXPECT_EQ(CriteriaOf(s.table, 0, -2), (Criteria{-1, -1, 0, 0, -1, -6, 24, 0}));
    EXPECT_EQ(CriteriaOf(s.table, 0, -1), (Criteria{-3, -8, 0, 0, 0, -26, 22, 0}));
    EXPECT_EQ(ScoreOf(s.table, 0, -1), -167);
}

// Criteria that are easy to get wrong.

TEST(PlacementCriteria, GreedGrowsWithTheSquareOfTheRowsRemovedLessOne) {
    // The long figure upright in column 9 completes 2, 3 or 4 rows.
    for (int rows = 1; rows <= 4; ++rows) {
        Well well;
        well.Reset(25);
        for (int v = 25 - rows; v < 25; ++v)
            for (int u = 0; u < 9; ++u) well.at(u, v) = 1;
        const Search s(well, kLong);
        const int expected = rows >= 2 ? (rows - 1) * (rows - 1) : 0;
        EXPECT_EQ(CriteriaOf(s.table, 1, 5)[DemoWeights::GREED], expected) << rows << " rows";
    }
}

TEST(PlacementCriteria, OnePitIsFreeAndEarnsGreedASecondCosts) {
    // Column 0 stands two rows below column 1: a pit against the wall.
    const Well one = BottomRows(25, {".#########", ".#########", "##########"});
    // The full bottom row is no concern: only rows the figure reaches are removed.
    const Search s1(one, kSquare);
    // Square flat on the stack in columns 4 and 5: the pit at column 0 stays.
    const Criteria c1 = CriteriaOf(s1.table, 0, 0);
    EXPECT_EQ(c1[DemoWeights::ILLLINE], 0);
    EXPECT_EQ(c1[DemoWeights::GREED], 1);

    const Well two = BottomRows(25, {".####.####", ".####.####", "##########"});
    const Search s2(two, kSquare, 7);
    // The square on columns 7 and 8 leaves both pits (columns 0 and 5).
    const Criteria c2 = CriteriaOf(s2.table, 0, 0);
    EXPECT_EQ(c2[DemoWeights::ILLLINE], -1);
    EXPECT_EQ(c2[DemoWeights::GREED], 0);
}

TEST(PlacementCriteria, EdgeColumnBelowItsNeighbourIsAPitBecauseTheWallReachesTheTop) {
    const Well well = BottomRows(25, {"#########.", "#########."});
    const Search s(well, kSquare);
    // Square on columns 1 and 2 (offset -2): column 9 stays two rows below column 8.
    const Criteria c = CriteriaOf(s.table, 0, -2);
    EXPECT_EQ(c[DemoWeights::ILLLINE], 0);
    EXPECT_EQ(c[DemoWeights::GREED], 1);
    // Column 9 one row lower than column 8 is no pit.
    const Well shallow = BottomRows(25, {"#########."});
    const Search t(shallow, kSquare);
    EXPECT_EQ(CriteriaOf(t.table, 0, -2)[DemoWeights::GREED], 0);
}

TEST(PlacementCriteria, TwoColumnPitComparesBothRightHandTestsWithTheLeftColumn) {
    // Columns 0 and 1 empty, column 2 two rows high: a two-column pit.
    const Well well = BottomRows(25, {"..#.......", "..#......."});
    const Search s(well, kSquare, 5);
    EXPECT_EQ(CriteriaOf(s.table, 0, 0)[DemoWeights::ILL2LINE], -1);
    // Column 2 only one row high: S(0) - S(2) is 1, not a pit.
    const Well low = BottomRows(25, {"..#......."});
    const Search t(low, kSquare, 5);
    EXPECT_EQ(CriteriaOf(t.table, 0, 0)[DemoWeights::ILL2LINE], 0);
}

TEST(PlacementCriteria, OldHoleRow) {
    // A column solid down to the floor ends the scan: holes further right are not seen.
    Well solidFirst = BottomRows(25, {"##..#.....", "#.........", "#...#....."});
    EXPECT_EQ(OldHoleRow(solidFirst, 25), 25);
    const Search s(solidFirst, kSquare, 5);
    // MINHOLE then counts every hole: (1,23), (1,24) under (1,22): 1 + 2; (4,23) under (4,22): 1.
    EXPECT_EQ(CriteriaOf(s.table, 0, 0)[DemoWeights::MINHOLE], -4);
    EXPECT_EQ(CriteriaOf(s.table, 0, 0)[DemoWeights::HOLE], -3);

    // The highest first gap wins, and empty columns are skipped.
    Well two = BottomRows(25, {"...#......", "...#.#....", "......#...", "...#.#.#.."});
    EXPECT_EQ(OldHoleRow(two, 25), 23);
    Well none;
    none.Reset(25);
    EXPECT_EQ(OldHoleRow(none, 25), 25);
}

TEST(PlacementCriteria, MinholeCountsOnlyHolesAtOrAboveTheOldHoleRow) {
    // Column 0 has its first gap at row 22; column 2 holes at 23 and 24.
    const Well well = BottomRows(25, {"#.#.......", "..........", "..........", "#........."});
    EXPECT_EQ(OldHoleRow(well, 25), 22);
    const Search s(well, kSquare, 5);
    const Criteria c = CriteriaOf(s.table, 0, 0);
    EXPECT_EQ(c[DemoWeights::HOLE], -2 - 3);
    // Only row 22 lies at or above the old-hole row: (0,22) and (2,22), one row deep each.
    EXPECT_EQ(c[DemoWeights::MINHOLE], -2);
}

TEST(PlacementCriteria, RowsAreRemovedBeforeMeasuringAndTheOldHoleRowMovesDown) {
    // Column 0 has a hole at row 21; the square in columns 8 and 9 completes
    // row 23, so everything above moves down one row, the hole with it.
    const Well well = BottomRows(25, {"#.........", "..........", "#.........", "########..", ".#########"});
    EXPECT_EQ(OldHoleRow(well, 25), 21);
    const Search s(well, kSquare, 7);
    const Criteria c = CriteriaOf(s.table, 0, 0);
    EXPECT_EQ(c[DemoWeights::YFIGURE], 21 + 1 + 2);  // y 21, one row removed, mean box row 2
    // Holes now at (0,22) and (0,24); the old-hole row moved from 21 to 22
    // with the rows, so only (0,22), one row below the surface, counts.
    EXPECT_EQ(c[DemoWeights::HOLE], -2);
    EXPECT_EQ(c[DemoWeights::MINHOLE], -1);
    EXPECT_EQ(c[DemoWeights::GREED], 0);
}

TEST(PlacementCriteria, HeightNeedsEveryBoxPositionSupported) {
    // The square between the left wall and column 2, which is as high as the
    // square: all sixteen box positions (the wall column and column 2
    // included) stand on something. Contacts by box row: 2, 5, 5, 7; the
    // column beyond the wall counts as filled.
    const Well pocket = BottomRows(25, {"..#.......", "..#.......", "###.......", "###......."});
    const Search s(pocket, kSquare);
    EXPECT_EQ(CriteriaOf(s.table, 0, -4)[DemoWeights::HEIGHT], 19);
    // An empty box position over an empty cell (column 2, row 22) spoils it.
    const Well gap = BottomRows(25, {"##.######.", "#########."});
    const Search t(gap, kSquare);
    EXPECT_EQ(CriteriaOf(t.table, 0, -1)[DemoWeights::HEIGHT], 0);
    // A box that reaches into the floor row rests on nothing stored below it.
    Well empty;
    empty.Reset(25);
    const Search u(empty, kSquare);
    EXPECT_EQ(CriteriaOf(u.table, 0, 0)[DemoWeights::HEIGHT], 0);
}

TEST(PlacementCriteria, YFigureRoundsTheMeanBoxRowHalfUp) {
    Well well;
    well.Reset(25);
    // Figure 0 in its first orientation: rows 1,1,1,2 -> t = 5 -> 1; lands at y 22.
    const Search s(well, 0);
    EXPECT_EQ(CriteriaOf(s.table, 0, 0)[DemoWeights::YFIGURE], 22 + 1);
    // After one turn: rows 1,2,3,1 -> t = 7 -> 2 (remainder 3 rounds up); lands at y 21.
    EXPECT_EQ(CriteriaOf(s.table, 1, 0)[DemoWeights::YFIGURE], 21 + 2);
}

// The search as a whole.

TEST(PlacementSearch, RotationThatFitsOnlyFarAwayIsNotTried) {
    // Rows 2 and 3 filled in columns 0 to 4: turned upright or lying in box
    // row 2, the long figure fits only in columns 5 to 9.
    Well well;
    well.Reset(25);
    for (int v = 2; v <= 3; ++v)
        for (int u = 0; u <= 4; ++u) well.at(u, v) = 1;
    CandidateTable table;
    // From x 0 nothing within three columns fits: only the 7 flat placements.
    FindBestPlacement(well, 25, FigureTable()[kLong], 0, 0, {}, table);
    EXPECT_EQ(table.count, 7);
    EXPECT_EQ(table.Find(1, 4), -1);
    EXPECT_EQ(table.Find(2, 5), -1);
    // From x 2 the upright figure fits at x 4 and the low flat one at x 5:
    // then every fitting offset counts.
    FindBestPlacement(well, 25, FigureTable()[kLong], 2, 0, {}, table);
    EXPECT_EQ(table.count, 7 + 5 + 2 + 5);
    EXPECT_EQ(table.Find(1, 2), 7);
    EXPECT_EQ(table.Find(2, 4), 13);
}

TEST(PlacementSearch, GameRecordIsLeftAsItWas) {
    GameRecord r;
    r.well = BottomRows(25, {"#.##.#####", "##.#######"});
    r.mask = FigureTable()[3];
    RotateFigure(r.mask);
    r.x = 4;
    r.y = 2;
    const GameRecord before = r;
    CandidateTable table;
    FindBestPlacement(r, {}, table);
    EXPECT_EQ(r.well, before.well);
    EXPECT_EQ(r.mask, before.mask);
    EXPECT_EQ(r.x, before.x);
    EXPECT_EQ(r.y, before.y);
    EXPECT_GT(table.count, 0);
}

TEST(PlacementSearch, TiesKeepTheFirstAndEverythingBelowTheStartLoses) {
    Well well;
    well.Reset(25);
    DemoWeights zero;
    zero.w.fill(0);
    CandidateTable table;
    // All scores 0: the first candidate of the search wins.
    EXPECT_EQ(FindBestPlacement(well, 25, FigureTable()[2], 3, 0, zero, table), (PlacementResult{0, -3, 0}));
    DemoWeights harsh = zero;
    harsh[DemoWeights::HOLE] = 1;
    harsh[DemoWeights::YFIGURE] = -1e9;  // every placement far below the starting score
    EXPECT_EQ(FindBestPlacement(well, 25, FigureTable()[2], 3, 0, harsh, table),
              (PlacementResult{0, 0, kNoPlacementScore}));
    EXPECT_GT(table.count, 0);
}

TEST(PlacementSearch, ProductsTruncateTowardZeroAndSaturate) {
    std::array<std::int32_t, DemoWeights::kCapacity> c{};
    DemoWeights w;
    w.w.fill(0);
    c[0] = -3;
    w[0] = 0.5;  // -1.5 -> -1
    c[1] = 3;
    w[1] = 0.5;  // 1.5 -> 1
    EXPECT_EQ(WeightedScore(c, w), 0);
    c[5] = 1;
    w[5] = 2.9;  // -> 2
    EXPECT_EQ(WeightedScore(c, w), 2);
    w[5] = 1e12;  // saturates instead of overflowing
    EXPECT_EQ(WeightedScore(c, w), 2147483647);
    c[6] = 1;
    w[6] = 1e12;  // and so does the sum
    EXPECT_EQ(WeightedScore(c, w), 2147483647);
}

TEST(PlacementSearch, AgreesWithThePlainCellByCellSearch) {
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> pct(0, 99);
    int compared = 0;
    for (int round = 0; round < 3000; ++round) {
        const int h = 19 + round % 7;
        Well well;
        well.Reset(h);
        // Ragged stacks with holes, and a few rows nearly full.
        for (int u = 0; u < 10; ++u) {
            const int top = h - std::uniform_int_distribution<int>(0, h - 6)(rng);
            for (int v = top; v < h; ++v) well.at(u, v) = pct(rng) < 80 ? 1 + pct(rng) % 7 : 0;
        }
        for (int v = h - 1; v >= h - 6; --v)
            if (pct(rng) < 35) {
                for (int u = 0; u < 10; ++u) well.at(u, v) = 1;
                well.at(pct(rng) % 10, v) = 0;
            }
        for (int v = 0; v < 5; ++v)
            for (int u = 0; u < 10; ++u) well.at(u, v) = 0;
        const int figure = round % kFigureCount;
        FigureMask mask = FigureTable()[figure];
        for (int t = pct(rng) % 4; t > 0; --t) RotateFigure(mask);
        const int x = pct(rng) % 8;
        const int y = pct(rng) % 2;
        if (!FigureFits(well, mask, x, y)) continue;
        DemoWeights w;
        if (round % 3 == 1)
            for (int i = 0; i < 8; ++i) w[i] = (pct(rng) - 30) / 3.0;

        CandidateTable table;
        const PlacementResult best = FindBestPlacement(well, h, mask, x, y, w, table);
        const test::ReferenceResult ref = test::ReferenceSearch(well, h, mask, x, y, w);
        ASSERT_EQ(table.count, ref.table.count) << "round " << round;
        ASSERT_EQ(table.number, ref.table.number) << "round " << round;
        for (int n = 0; n < table.count; ++n)
            ASSERT_EQ(table.criteria[static_cast<std::size_t>(n)], ref.table.criteria[static_cast<std::size_t>(n)])
                << "round " << round << " candidate " << n;
        ASSERT_EQ(best, ref.best) << "round " << round;
        ++compared;
    }
    EXPECT_GT(compared, 1500);
}

}  // namespace
}  // namespace vexari
