#include "ai/Placement.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace vexari {
namespace {

// The search works on the well as bit columns: bit v of a column is row v.
// Twelve columns (the two walls included) of 27 rows fit a 32-bit word each;
// the top bits stand for the rows below the storage.
using Column = std::uint32_t;
constexpr int kPlaying = Well::kColumns;

constexpr Column Low(int n) { return n >= 32 ? ~Column{0} : (Column{1} << n) - 1; }

// One orientation of the figure: its cells as four box columns of row bits.
struct Shape {
    std::array<Column, 4> col{};  // bit l: box row l holds a cell
    std::array<int, 4> top{};     // first and last box row of each column's cells
    std::array<int, 4> bottom{};
    int first = 4;  // first and last box column holding a cell
    int last = -1;
    int meanRow = 0;          // mean box row of the cells, halves rounded up
    bool solidColumns = true;  // each column's cells form one unbroken run
};

Shape MakeShape(const FigureMask& mask) {
    Shape s;
    int rowSum = 0;
    for (int m = 0; m < 4; ++m)
        for (int l = 0; l < 4; ++l) {
            if (mask.at(m, l) == 0) continue;
            s.col[static_cast<std::size_t>(m)] |= Column{1} << l;
            if (m < s.first) s.first = m;
            s.last = m;
            rowSum += l;
        }
    for (std::size_t m = 0; m < 4; ++m) {
        const Column c = s.col[m];
        if (!c) continue;
        s.top[m] = std::countr_zero(c);
        s.bottom[m] = 31 - std::countl_zero(c);
        if ((c >> s.top[m]) != Low(s.bottom[m] - s.top[m] + 1)) s.solidColumns = false;
    }
    // The figures have four cells: the mean row rounds t / 4 to the nearest
    // whole number, halves up.
    s.meanRow = rowSum / 4 + (rowSum % 4 >= 2 ? 1 : 0);
    return s;
}

// The scratch well: occupancy of columns -1..10, index u + 1. Every row at or
// below the floor reads as filled, so the figure never leaves the field.
struct Board {
    std::array<Column, Well::kStoredColumns> col;

    Column at(int u) const { return col[static_cast<std::size_t>(u + 1)]; }
    Column& at(int u) { return col[static_cast<std::size_t>(u + 1)]; }
};

bool Fits(const Board& b, const Shape& s, int x, int y) {
    if (x + s.first < 0 || x + s.last >= kPlaying) return false;
    for (int m = s.first; m <= s.last; ++m)
        if (b.at(x + m) & (s.col[static_cast<std::size_t>(m)] << y)) return false;
    return true;
}

// The row at which the figure, fitting at (x, y), comes to rest when it
// falls straight down.
int DropRow(const Board& b, const Shape& s, int x, int y) {
    if (!s.solidColumns) {
        while (Fits(b, s, x, y + 1)) ++y;
        return y;
    }
    // Each column's cells sweep down until the first filled cell below their
    // top; the board is filled from the floor down, so there always is one.
    int rest = 32;
    for (int m = s.first; m <= s.last; ++m) {
        const auto i = static_cast<std::size_t>(m);
        if (!s.col[i]) continue;
        const int from = y + s.top[i];
        const int obstacle = from + std::countr_zero(b.at(x + m) >> from);
        rest = std::min(rest, obstacle - s.bottom[i] - 1);
    }
    return rest;
}

// Cells set in a 4-bit value.
constexpr int kBitCount[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};

// Occupancy as the contact count reads it: the stored cells as they are (the
// rows below the floor and the walls beside the floor are empty), and filled
// beyond the storage -- a column past a wall, a row past the last stored row.
Column Stored(const Board& stored, int u) {
    if (u < -1 || u > kPlaying) return ~Column{0};
    return stored.at(u);
}

std::int32_t Saturate(std::int64_t v) {
    if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

std::int32_t TruncatedProduct(std::int32_t value, double weight) {
    const double p = std::trunc(static_cast<double>(value) * weight);
    if (!(p == p)) return 0;  // NaN
    if (p >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (p <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(p);
}

}  // namespace

int OldHoleRow(const Well& well, int height) {
    int row = height;
    for (int u = 0; u < kPlaying; ++u) {
        int f = 0;
        while (f < height && well.at(u, f) == 0) ++f;
        if (f == height) continue;  // empty column
        int g = f;
        while (g < height && well.at(u, g) != 0) ++g;
        if (g == height) break;  // solid down to the floor: stop here
        if (g < row) row = g;
    }
    return row;
}

std::int32_t WeightedScore(const std::array<std::int32_t, DemoWeights::kCapacity>& criteria,
                           const DemoWeights& weights) {
    std::int64_t sum = 0;
    for (int i = 0; i < DemoWeights::kCapacity; ++i) {
        const std::int32_t c = criteria[static_cast<std::size_t>(i)];
        if (c != 0) sum += TruncatedProduct(c, weights[i]);
    }
    return Saturate(sum);
}

PlacementResult FindBestPlacement(const Well& well, int height, const FigureMask& mask, int x0, int y0,
                                  const DemoWeights& weights, CandidateTable& table) {
    table.Clear();
    PlacementResult best;
    if (height < 1 || height > Well::kRows - 1 || y0 < 0 || y0 > height) return best;

    const int h = height;
    const Column field = Low(h);        // playing rows 0..H-1
    const Column belowFloor = ~field;   // the floor row and everything under it

    // `stored` holds the cells as stored; `original` has everything at or
    // below the floor filled, which keeps every drop inside the field.
    Board stored;
    Board original;
    for (int u = -1; u <= kPlaying; ++u) {
        Column c = 0;
        for (int v = 0; v < Well::kRows; ++v)
            if (well.at(u, v) != 0) c |= Column{1} << v;
        stored.at(u) = c | ~Low(Well::kRows);
        original.at(u) = c | belowFloor;
    }
    const int oldHoleRow = OldHoleRow(well, h);

    // Only the eight defined criteria take part; the others stay 0.
    std::array<double, DemoWeights::kCriteria> w{};
    for (int i = 0; i < DemoWeights::kCriteria; ++i) w[static_cast<std::size_t>(i)] = weights[i];

    FigureMask turned = mask;
    for (int r = 0; r < CandidateTable::kRotations; ++r) {
        if (r > 0) RotateFigure(turned);
        const Shape shape = MakeShape(turned);
        if (shape.first > shape.last) return best;  // an empty box: nothing to place

        bool tried = false;
        for (int j = 0; j <= 3 && !tried; ++j)
            tried = Fits(original, shape, x0 + j, y0) || Fits(original, shape, x0 - j, y0);
        if (!tried) continue;

        for (int k = CandidateTable::kMinOffset; k <= CandidateTable::kMaxOffset; ++k) {
            const int x = x0 + k;
            if (!Fits(original, shape, x, y0)) continue;
            if (table.count >= CandidateTable::kMaxCandidates) break;  // cannot happen with real figures

            const int n = table.count++;
            table.number[static_cast<std::size_t>(r)][static_cast<std::size_t>(k - CandidateTable::kMinOffset)] = n;
            auto& crit = table.criteria[static_cast<std::size_t>(n)];
            crit.fill(0);

            const int y = DropRow(original, shape, x, y0);

            // Contacts with the relief, position by position: a box position
            // is supported by a filled cell below it or a figure cell below it;
            // its left neighbour may already be a figure cell of the same box
            // row, its right neighbour is still the well as it was.
            std::int32_t contacts = 0;
            bool supported = true;
            for (int m = 0; m < 4; ++m) {
                const Column f = shape.col[static_cast<std::size_t>(m)];
                const Column fLeft = m > 0 ? shape.col[static_cast<std::size_t>(m - 1)] : 0;
                const Column below = (Stored(stored, x + m) >> (y + 1)) | (f >> 1);
                if ((below & 0xF) != 0xF) {
                    supported = false;
                    break;
                }
                const Column left = (Stored(stored, x + m - 1) >> y) | fLeft;
                const Column right = Stored(stored, x + m + 1) >> y;
                contacts += kBitCount[left & 0xF] + kBitCount[right & 0xF];
            }

            // Settle the figure on the scratch well.
            Board b = original;
            for (int m = shape.first; m <= shape.last; ++m) b.at(x + m) |= shape.col[static_cast<std::size_t>(m)] << y;

            // Remove the rows it completes, from the top down; rows above move
            // down, row 0 keeps its content. Removing a row leaves the rows
            // below it as they were, so the full rows are known beforehand.
            int removed = 0;
            int holeRow = oldHoleRow;
            const int lastRow = y + 4 < h - 1 ? y + 4 : h - 1;
            Column full = ~Column{0};
            for (int u = 0; u < kPlaying; ++u) full &= b.at(u);
            full &= Low(lastRow + 1) & ~Low(y);
            for (; full; full &= full - 1) {
                const int i = std::countr_zero(full);
                const Column above = Low(i);
                for (int u = 0; u < kPlaying; ++u) {
                    const Column c = b.at(u);
                    b.at(u) = (c & ~Low(i + 1)) | ((c & above) << 1) | (c & 1);
                }
                ++removed;
                if (i == holeRow)
                    holeRow = h;
                else if (holeRow < i)
                    ++holeRow;
            }

            // Measure the resulting well.
            std::array<int, kPlaying + 2> surface{};  // S(-1) .. S(10); the walls reach the top
            std::int32_t holes = 0;
            std::int32_t holeDepth = 0;
            for (int u = 0; u < kPlaying; ++u) {
                const Column occupied = b.at(u) & field;
                const int s = occupied ? std::countr_zero(occupied) : h;
                surface[static_cast<std::size_t>(u + 1)] = s;
                for (Column gaps = ~occupied & field & ~Low(s + 1); gaps; gaps &= gaps - 1) {
                    const int i = std::countr_zero(gaps);
                    ++holes;
                    if (i <= holeRow) holeDepth += i - s;
                }
            }
            const auto S = [&](int u) { return surface[static_cast<std::size_t>(u + 1)]; };

            int pits = 0;
            int widePits = 0;
            std::int32_t roughness = 0;
            for (int j = 0; j < kPlaying; ++j) {
                if (S(j) - S(j - 1) > 1 && S(j) - S(j + 1) > 1) ++pits;
                if (j < kPlaying - 1 && S(j) - S(j - 1) > 2 && std::abs(S(j) - S(j + 1)) <= 1 && S(j) - S(j + 2) > 1)
                    ++widePits;
                if (j > 0) roughness += (S(j) - S(j - 1)) * (S(j) - S(j - 1));
            }

            crit[DemoWeights::HOLE] = -holes;
            crit[DemoWeights::MINHOLE] = -holeDepth;
            crit[DemoWeights::HEIGHT] = supported ? contacts : 0;
            crit[DemoWeights::ILLLINE] = pits >= 1 ? -(pits - 1) : 0;
            crit[DemoWeights::ILL2LINE] = -widePits;
            crit[DemoWeights::SURFACE] = -roughness;
            crit[DemoWeights::YFIGURE] = y + removed + shape.meanRow;
            crit[DemoWeights::GREED] = (removed >= 2 ? (removed - 1) * (removed - 1) : 0) + (pits == 1 ? 1 : 0);

            std::int64_t sum = 0;
            for (int i = 0; i < DemoWeights::kCriteria; ++i) {
                const std::int32_t c = crit[static_cast<std::size_t>(i)];
                if (c != 0) sum += TruncatedProduct(c, w[static_cast<std::size_t>(i)]);
            }
            const std::int32_t score = Saturate(sum);
            if (score > best.score) best = {r, k, score};
        }
    }
    return best;
}

}  // namespace vexari
