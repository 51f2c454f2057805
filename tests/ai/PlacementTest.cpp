#include "ai/Placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <tuple>
#include <vector>

namespace vexari {
namespace {

using Criteria = std::array<std::int32_t, 8>;
constexpr int kLong = 1;
constexpr int kSquare = 4;
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
    Search(const Well& well, int figure, int x = 3, const DemoWeights& w = {})
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
    EXPECT_EQ(a.best, (PlacementResult{0, -3, 23}));  // flat against the left wall
    EXPECT_EQ(a.table.count, 34);
    EXPECT_EQ(a.At(0, -3), (Criteria{0, 0, 0, 0, 0, -1, 24, 0}));
    EXPECT_EQ(a.Score(0, 3), 23);  // as good at the right wall, but later in search order
    EXPECT_EQ(a.At(1, -4), (Criteria{0, 0, 0, 0, 0, -16, 23, 0}));
    EXPECT_EQ(a.Score(1, -4), 7);
    EXPECT_EQ(std::tuple(a.table.Find(0, -3), a.table.Find(1, -4), a.table.Find(0, -4)), std::tuple(0, 7, -1));

    const Search b(BottomRows({"#########.", "#########.", "#########.", "#########."}), kLong);
    EXPECT_EQ(b.best, (PlacementResult{1, 5, 36}));  // upright in column 9: four rows at once
    EXPECT_EQ(b.At(1, 5), (Criteria{0, 0, 0, 0, 0, 0, 27, 9}));
    EXPECT_EQ(b.Score(3, 5), 36);
    EXPECT_EQ(b.At(0, -3)[DemoWeights::HEIGHT], 21);  // flat on the stack: every box position supported

    const Well covered = BottomRows({"....#.....", ".....####."});
    EXPECT_EQ(OldHoleRow(covered, 25), 24);
    const Search c(covered, kSquare);
    EXPECT_EQ(c.best, (PlacementResult{0, -2, -29}));
    EXPECT_EQ(c.At(0, -2), (Criteria{-1, -1, 0, 0, -1, -6, 24, 0}));
    EXPECT_EQ(c.At(0, -1), (Criteria{-3, -8, 0, 0, 0, -26, 22, 0}));
    EXPECT_EQ(c.Score(0, -1), -167);
}

TEST(Placement, CriteriaThatAreEasyToGetWrong) {
    struct Case {
        std::vector<std::string> rows;
        int figure, x, rotations, offset;
        Criteria expected;
        int oldHoleRow = _;
    };
    const Case cases[] = {
        // GREED for two and three rows at once.
        {{"#########.", "#########."}, kLong, 3, 1, 5, {_, _, _, _, _, _, _, 1}},
        {{"#########.", "#########.", "#########."}, kLong, 3, 1, 5, {_, _, _, _, _, _, _, 4}},
        // One pit is free and earns GREED (the full row out of the square's reach stays);
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
        // Old holes: a column solid to the floor ends the scan, so MINHOLE counts
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
        // YFIGURE: box rows 1,1,1,2 give 1; 1,2,3,1 round up to 2.
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
    EXPECT_EQ(Search(top, kLong).At(1, 5)[DemoWeights::SURFACE], -(25 * 25 + 3 * 3));
}

TEST(Placement, ARotationIsTriedOnlyIfItFitsWithinThreeColumns) {
    // Rows 2 and 3 filled in columns 0 to 4: the long figure upright, or lying
    // in box row 2, fits only in columns 5 to 9.
    Well well = BottomRows({});
    for (int v = 2; v <= 3; ++v)
        for (int u = 0; u <= 4; ++u) well.at(u, v) = 1;
    const Search from0(well, kLong, 0);
    EXPECT_EQ(from0.table.count, 7);  // only the flat figure in box row 1
    EXPECT_EQ(std::tuple(from0.table.Find(1, 4), from0.table.Find(2, 5)), std::tuple(-1, -1));
    const Search from2(well, kLong, 2);  // now every fitting offset counts
    EXPECT_EQ(from2.table.count, 7 + 5 + 2 + 5);
    EXPECT_EQ(std::tuple(from2.table.Find(1, 2), from2.table.Find(2, 4)), std::tuple(7, 13));
}

TEST(Placement, Scoring) {
    // Each product is truncated toward zero; products and sum saturate.
    const std::array<std::int32_t, DemoWeights::kCapacity> c{-3, 3, 0, 0, 0, 1, 1};
    DemoWeights w;
    w.w = {0.5, 0.5, 0, 0, 0, 2.9};  // -1 + 1 + 2
    EXPECT_EQ(WeightedScore(c, w), 2);
    w[5] = 1e12;
    EXPECT_EQ(WeightedScore(c, w), INT_MAX);
    w[6] = 1e12;
    EXPECT_EQ(WeightedScore(c, w), INT_MAX);

    // Ties keep the first placement; none at or below the starting score is chosen.
    w.w.fill(0);
    EXPECT_EQ(Search(BottomRows({}), 2, 3, w).best, (PlacementResult{0, -3, 0}));
    w[DemoWeights::YFIGURE] = -1e9;
    const Search s(BottomRows({}), 2, 3, w);
    EXPECT_EQ(s.best, (PlacementResult{0, 0, kNoPlacementScore}));
    EXPECT_GT(s.table.count, 0);
}

}  // namespace
}  // namespace vexari
