#include "ai/Placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <random>
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
        // A two-column pit, and one too shallow.
        {{"..#.......", "..#......."}, kSquare, 5, 0, 0, {_, _, _, _, -1, _, _, _}},
        {{"..#......."}, kSquare, 5, 0, 0, {_, _, _, _, 0, _, _, _}},
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

// A plain cell-by-cell search written straight from the rules. The contact
// count reads stored cells as stored and anything beyond the storage as filled.
PlacementResult PlainSearch(const Well& well, int h, FigureMask mask, int x0, int y0, const DemoWeights& w,
                            CandidateTable& t) {
    const auto filled = [](const Well& s, int u, int v) { return u < -1 || u > 10 || v > 26 || s.at(u, v) != 0; };
    PlacementResult best;
    for (int r = 0; r < 4; ++r, RotateFigure(mask)) {
        bool tried = false;
        for (int j = 0; j <= 3 && !tried; ++j)
            tried = FigureFits(well, mask, x0 + j, y0) || FigureFits(well, mask, x0 - j, y0);
        for (int k = -10; k <= 10 && tried; ++k) {
            if (!FigureFits(well, mask, x0 + k, y0)) continue;
            const int n = t.count++;
            t.number[r][k + 10] = n;
            Well s = well;
            const int x = x0 + k;
            int y = y0;
            while (FigureFits(s, mask, x, y + 1)) ++y;
            int contacts = 0, boxRows = 0;
            bool unsupported = false;
            for (int l = 0; l < 4; ++l)
                for (int m = 0; m < 4; ++m) {
                    if (mask.at(m, l)) s.at(x + m, y + l) |= mask.at(m, l), boxRows += l;
                    if (filled(s, x + m, y + l + 1) || (l < 3 && mask.at(m, l + 1)))
                        contacts += filled(s, x + m - 1, y + l) + filled(s, x + m + 1, y + l);
                    else
                        unsupported = true;
                }
            int removed = 0, holeRow = OldHoleRow(well, h);
            for (int i = y; i <= std::min(y + 4, h - 1); ++i) {
                bool full = true;
                for (int u = 0; u < 10; ++u) full = full && s.at(u, i);
                if (!full) continue;
                for (int u = 0; u < 10; ++u)
                    for (int v = i; v >= 1; --v) s.at(u, v) = s.at(u, v - 1);
                ++removed;
                holeRow = i == holeRow ? h : holeRow < i ? holeRow + 1 : holeRow;
            }
            int S[12] = {};  // surface of column j at S[j + 1]; the walls reach the top
            for (int j = 0; j < 10; ++j)
                while (S[j + 1] < h && !s.at(j, S[j + 1])) ++S[j + 1];
            int holes = 0, depth = 0, p1 = 0, p2 = 0, rough = 0;
            for (int j = 0; j < 10; ++j) {
                const int* col = S + j + 1;
                for (int i = col[0] + 1; i < h; ++i)
                    if (!s.at(j, i)) ++holes, depth += i <= holeRow ? i - col[0] : 0;
                p1 += col[0] - col[-1] > 1 && col[0] - col[1] > 1;
                p2 += j <= 8 && col[0] - col[-1] > 2 && std::abs(col[0] - col[1]) <= 1 && col[0] - col[2] > 1;
                rough += j >= 1 ? (col[0] - col[-1]) * (col[0] - col[-1]) : 0;
            }
            const Criteria c{-holes, -depth, unsupported ? 0 : contacts, p1 >= 1 ? 1 - p1 : 0, -p2, -rough,
                             y + removed + boxRows / 4 + (boxRows % 4 >= 2),
                             (removed >= 2 ? (removed - 1) * (removed - 1) : 0) + (p1 == 1)};
            std::copy(c.begin(), c.end(), t.criteria[n].begin());
            std::int32_t score = 0;
            for (std::size_t i = 0; i < 8; ++i) score += static_cast<std::int32_t>(c[i] * w.w[i]);
            if (score > best.score) best = {r, k, score};
        }
    }
    return best;
}

TEST(Placement, AgreesWithThePlainSearchAndLeavesTheGameAsItWas) {
    std::mt19937 rng(12345);
    const auto pct = [&rng] { return std::uniform_int_distribution<int>(0, 99)(rng); };
    int compared = 0;
    for (int round = 0; round < 3000; ++round) {
        // Ragged stacks with holes and a few rows nearly full; the top rows stay clear.
        GameRecord g;
        const int h = g.height = 19 + round % 7;
        g.well.Reset(h);
        for (int u = 0; u < 10; ++u)
            for (int v = h - std::uniform_int_distribution<int>(0, h - 6)(rng); v < h; ++v)
                g.well.at(u, v) = pct() < 80 ? 1 + pct() % 7 : 0;
        for (int v = h - 6; v < h; ++v)
            if (pct() < 35) {
                for (int u = 0; u < 10; ++u) g.well.at(u, v) = 1;
                g.well.at(pct() % 10, v) = 0;
            }
        g.mask = FigureTable()[round % kFigureCount];
        for (int t = pct() % 4; t > 0; --t) RotateFigure(g.mask);
        g.x = pct() % 8;
        g.y = pct() % 2;
        if (!FigureFits(g.well, g.mask, g.x, g.y)) continue;
        DemoWeights w;
        if (round % 3 == 1)
            for (int i = 0; i < 8; ++i) w[i] = (pct() - 30) / 3.0;

        const GameRecord before = g;
        CandidateTable fast, plain;
        const PlacementResult best = FindBestPlacement(g, w, fast);
        ASSERT_EQ(std::tie(g.well, g.mask, g.x, g.y), std::tie(before.well, before.mask, before.x, before.y));
        ASSERT_EQ(best, PlainSearch(g.well, h, g.mask, g.x, g.y, w, plain)) << "round " << round;
        ASSERT_EQ(fast.count, plain.count) << "round " << round;
        ASSERT_EQ(fast.number, plain.number) << "round " << round;
        for (int n = 0; n < fast.count; ++n) ASSERT_EQ(fast.criteria[n], plain.criteria[n]) << "round " << round;
        ++compared;
    }
    EXPECT_GT(compared, 1500);
}

}  // namespace
}  // namespace vexari
