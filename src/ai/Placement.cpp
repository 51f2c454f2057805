// SPDX-License-Identifier: GPL-3.0-or-later
#include "ai/Placement.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vexari {
namespace {

// The search works on the well as bit columns: bit v of a column is row v.
// Twelve columns (the two walls included) of 27 rows fit a 32-bit word each;
// the top bits stand for the rows below the storage.
using Column = std::uint32_t;
constexpr int kPlaying = Well::kColumns;

constexpr Column Low(int n) { return n >= 32 ? ~Column{0} : (Column{1} << n) - 1; }

// Rows set in a column. Without a population-count instruction (plain
// x86-64) the library call costs more than counting in place.
inline int RowCount(Column rows) {
#if defined(__x86_64__) && !defined(__POPCNT__)
    rows = rows - ((rows >> 1) & 0x55555555u);
    rows = (rows & 0x33333333u) + ((rows >> 2) & 0x33333333u);
    rows = (rows + (rows >> 4)) & 0x0F0F0F0Fu;
    return static_cast<int>((rows * 0x01010101u) >> 24);
#else
    return std::popcount(rows);
#endif
}

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

// A figure's cells as 16 bits: bit u * 4 + v is box column u, box row v.
using Cells = std::uint16_t;

Cells CellsOf(const FigureMask& mask) {
    Cells cells = 0;
    for (std::size_t i = 0; i < mask.e.size(); ++i)
        if (mask.e[i] != 0) cells = static_cast<Cells>(cells | 1u << i);
    return cells;
}

Shape MakeShape(Cells cells) {
    Shape s;
    int rowSum = 0;
    for (int m = 0; m < 4; ++m) {
        const Column c = (cells >> (4 * m)) & 0xFu;
        s.col[static_cast<std::size_t>(m)] = c;
        if (!c) continue;
        if (m < s.first) s.first = m;
        s.last = m;
        for (int l = 0; l < 4; ++l)
            if (c >> l & 1) rowSum += l;
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

// The four orientations of a figure, in the order the search tries them.
using Orientations = std::array<Shape, CandidateTable::kRotations>;

Orientations MakeOrientations(const FigureMask& mask) {
    Orientations shapes;
    FigureMask turned = mask;
    for (std::size_t r = 0; r < shapes.size(); ++r) {
        if (r > 0) RotateFigure(turned);
        shapes[r] = MakeShape(CellsOf(turned));
    }
    return shapes;
}

// The figures of the table turned as the game turns them, worked out once;
// other masks are turned on each search.
Orientations OrientationsOf(const FigureMask& mask) {
    struct Known {
        std::array<Cells, kFigureCount> cells;
        std::array<Orientations, kFigureCount> shapes;
    };
    static const Known known = [] {
        Known k{};
        for (std::size_t f = 0; f < kFigureCount; ++f) {
            k.cells[f] = CellsOf(FigureTable()[f]);
            k.shapes[f] = MakeOrientations(FigureTable()[f]);
        }
        return k;
    }();
    const Cells cells = CellsOf(mask);
    for (std::size_t f = 0; f < kFigureCount; ++f)
        if (known.cells[f] == cells) return known.shapes[f];
    return MakeOrientations(mask);
}

// The scratch well: occupancy of columns -1..10, index u + 1. Every row at or
// below the floor reads as filled, so the figure never leaves the field.
struct Board {
    std::array<Column, Well::kStoredColumns> col;

    Column at(int u) const { return col[static_cast<std::size_t>(u + 1)]; }
    Column& at(int u) { return col[static_cast<std::size_t>(u + 1)]; }
};

// Occupancy as the contact count reads it, for every column a box can reach
// (-4..13): the stored cells as they are (the rows below the floor and the
// walls beside the floor are empty), and filled beyond the storage -- a column
// past a wall, a row past the last stored row.
struct ContactBoard {
    static constexpr int kFirst = -4;
    std::array<Column, 18> col;

    Column at(int u) const { return col[static_cast<std::size_t>(u - kFirst)]; }
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

// What one column contributes to the criteria.
struct ColumnMeasure {
    int surface = 0;  // first filled row, H when empty
    int holes = 0;    // empty cells below it
    int counted = 0;  // holes at or above the old-hole row
    int depth = 0;    // their depths below the surface
};

ColumnMeasure Measure(Column column, Column field, int h, int holeRow) {
    ColumnMeasure m;
    const Column occupied = column & field;
    m.surface = occupied ? std::countr_zero(occupied) : h;
    const Column gaps = ~occupied & field & ~Low(m.surface + 1);
    m.holes = RowCount(gaps);
    for (Column counted = gaps & Low(holeRow + 1); counted; counted &= counted - 1) {
        ++m.counted;
        m.depth += std::countr_zero(counted) - m.surface;
    }
    return m;
}

// The filled cells of one stored column as row bits.
inline Column Occupancy(const std::int32_t* cell) {
    Column c = 0;
    int v = 0;
#if defined(__SSE2__)
    // Four cells at a time: compare with zero and gather the sign bits.
    const __m128i zero = _mm_setzero_si128();
    for (; v + 4 <= Well::kRows; v += 4) {
        const __m128i cells = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cell + v));
        const int empty = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(cells, zero)));
        c |= static_cast<Column>(~empty & 0xF) << v;
    }
#endif
    for (; v < Well::kRows; ++v) c |= Column{cell[v] != 0} << v;
    return c;
}

// Column u of the well (-1..10) as row bits.
inline Column ColumnOf(const Well& well, int u) {
    return Occupancy(&well.cells[static_cast<std::size_t>((u + 1) * Well::kRows)]);
}

// OldHoleRow on the playing columns as row bits; rows from `height` down are
// not looked at.
int OldHoleRowOf(const Board& columns, int height) {
    const Column field = Low(height);
    int row = height;
    for (int u = 0; u < kPlaying; ++u) {
        const Column occupied = columns.at(u) & field;
        if (!occupied) continue;  // empty column
        const int top = std::countr_zero(occupied);
        const int gap = top + std::countr_one(occupied >> top);
        if (gap >= height) break;  // solid down to the floor: stop here
        row = std::min(row, gap);
    }
    return row;
}

// The surface S(-1) .. S(10) at indices 0..11 (the walls reach the top, 0),
// and zeros after it, which lets the features below be worked out on sixteen
// lanes at once.
using Surface = std::array<std::int16_t, 19>;

struct SurfaceFeatures {
    int pits = 0;       // columns more than one row deeper than both neighbours
    int widePits = 0;   // two-column pits: the left column more than two rows deeper than its
                        // left neighbour and more than one row deeper than the column right of
                        // the pit, the right column within a row of it
    int roughness = 0;  // sum of the squared steps between columns 0..9
};

// Lane j stands for column j, with the steps S(j) - S(j - 1), S(j + 1) - S(j)
// and S(j + 2) - S(j + 1). Past column 9 the steps are -S(9) and then 0, which
// make no pit; the squared steps at the walls (lanes 0 and 10) are taken back
// out of the roughness.
inline SurfaceFeatures MeasureSurface(const Surface& s) {
    std::int16_t pits = 0;
    std::int16_t widePits = 0;
    std::int16_t squares = 0;
    for (std::size_t j = 0; j < 16; ++j) {
        const std::int16_t step = static_cast<std::int16_t>(s[j + 1] - s[j]);
        const std::int16_t next = static_cast<std::int16_t>(s[j + 2] - s[j + 1]);
        const std::int16_t after = static_cast<std::int16_t>(s[j + 3] - s[j + 2]);
        pits = static_cast<std::int16_t>(pits + ((step > 1) & (next < -1)));
        widePits = static_cast<std::int16_t>(widePits + ((step > 2) & (next >= -1) & (next <= 1) & (next + after < -1)));
        squares = static_cast<std::int16_t>(squares + step * step);
    }
    const int left = s[1];
    const int right = s[kPlaying];
    return {pits, widePits, squares - left * left - right * right};
}

// Cells set in a 4-bit value.
constexpr int kBitCount[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};

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

// The eight criteria of one placement.
using Criteria = std::array<std::int32_t, ComputerWeights::kCriteria>;

// The weighted sum of the eight criteria. Whole weights of moderate size --
// the usual case -- are multiplied as integers: every criterion stays below
// 2^14 and every such weight at or below 2^16, so each product is exact and
// needs neither truncating nor saturating; only the sum may.
class Scorer {
public:
    explicit Scorer(const ComputerWeights& weights) {
        for (std::size_t i = 0; i < real_.size(); ++i) {
            const double w = weights[static_cast<int>(i)];
            real_[i] = w;
            if (std::abs(w) <= kWholeLimit && w == std::trunc(w))
                whole_[i] = static_cast<std::int32_t>(w);
            else
                allWhole_ = false;
        }
    }

    std::int32_t operator()(const Criteria& crit) const {
        std::int64_t sum = 0;
        if (allWhole_) {
            for (std::size_t i = 0; i < whole_.size(); ++i) sum += std::int64_t{crit[i]} * whole_[i];
        } else {
            for (std::size_t i = 0; i < real_.size(); ++i)
                if (crit[i] != 0) sum += TruncatedProduct(crit[i], real_[i]);
        }
        return Saturate(sum);
    }

private:
    static constexpr double kWholeLimit = 65536;
    bool allWhole_ = true;
    std::array<std::int32_t, ComputerWeights::kCriteria> whole_{};
    std::array<double, ComputerWeights::kCriteria> real_{};
};

}  // namespace

int OldHoleRow(const Well& well, int height) {
    if (height < 1) return height;
    Board columns{};
    for (int u = 0; u < kPlaying; ++u) columns.at(u) = ColumnOf(well, u);
    return OldHoleRowOf(columns, height);
}

std::int32_t WeightedScore(const std::array<std::int32_t, ComputerWeights::kCapacity>& criteria,
                           const ComputerWeights& weights) {
    std::int64_t sum = 0;
    for (int i = 0; i < ComputerWeights::kCapacity; ++i) {
        const std::int32_t c = criteria[static_cast<std::size_t>(i)];
        if (c != 0) sum += TruncatedProduct(c, weights[i]);
    }
    return Saturate(sum);
}

PlacementResult FindBestPlacement(const Well& well, int height, const FigureMask& mask, int x0, int y0,
                                  const ComputerWeights& weights, CandidateTable& table) {
    table.Clear();
    PlacementResult best;
    if (height < 1 || height > Well::kRows - 1 || y0 < 0 || y0 > height) return best;

    const int h = height;
    const Column field = Low(h);        // playing rows 0..H-1
    const Column belowFloor = ~field;   // the floor row and everything under it

    // `original` has everything at or below the floor filled, which keeps
    // every drop inside the field; `contact` is the well as the contact count
    // reads it.
    Board original;
    ContactBoard contact;
    contact.col.fill(~Column{0});
    for (int u = -1; u <= kPlaying; ++u) {
        const Column c = ColumnOf(well, u);
        contact.col[static_cast<std::size_t>(u - ContactBoard::kFirst)] = c | ~Low(Well::kRows);
        original.at(u) = c | belowFloor;
    }

    const int oldHoleRow = OldHoleRowOf(original, h);

    // The well's columns before the figure lands: what each contributes, and
    // the rows filled in every column left of u (fullLeft[u]) and from u on
    // (fullRight[u]).
    std::array<ColumnMeasure, kPlaying> before;
    Surface surfaceBefore{};
    int holesBefore = 0;
    int depthBefore = 0;
    std::array<Column, kPlaying + 1> fullLeft;
    std::array<Column, kPlaying + 1> fullRight;
    fullLeft[0] = ~Column{0};
    fullRight[kPlaying] = ~Column{0};
    for (int u = 0; u < kPlaying; ++u) {
        const auto i = static_cast<std::size_t>(u);
        before[i] = Measure(original.at(u), field, h, oldHoleRow);
        surfaceBefore[i + 1] = static_cast<std::int16_t>(before[i].surface);
        holesBefore += before[i].holes;
        depthBefore += before[i].depth;
        fullLeft[i + 1] = fullLeft[i] & original.at(u);
        fullRight[kPlaying - 1 - i] = fullRight[kPlaying - i] & original.at(kPlaying - 1 - u);
    }

    const Scorer score(weights);
    const Orientations shapes = OrientationsOf(mask);
    for (int r = 0; r < CandidateTable::kRotations; ++r) {
        const Shape& shape = shapes[static_cast<std::size_t>(r)];
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
            std::fill(crit.begin() + ComputerWeights::kCriteria, crit.end(), 0);

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
                const Column below = (contact.at(x + m) >> (y + 1)) | (f >> 1);
                if ((below & 0xF) != 0xF) {
                    supported = false;
                    break;
                }
                const Column left = (contact.at(x + m - 1) >> y) | fLeft;
                const Column right = contact.at(x + m + 1) >> y;
                contacts += kBitCount[left & 0xF] + kBitCount[right & 0xF];
            }

            // The rows the figure completes, looked for from its box's top row
            // to the row below the box.
            const int lastRow = y + 4 < h - 1 ? y + 4 : h - 1;
            Column full = fullLeft[static_cast<std::size_t>(x + shape.first)] &
                          fullRight[static_cast<std::size_t>(x + shape.last + 1)] & Low(lastRow + 1) & ~Low(y);
            for (int m = shape.first; m <= shape.last; ++m)
                full &= original.at(x + m) | shape.col[static_cast<std::size_t>(m)] << y;

            // Measure the resulting well.
            Surface surface = surfaceBefore;
            int removed = 0;
            std::int32_t holes = 0;
            std::int32_t holeDepth = 0;
            if (!full) {
                // Only the figure's columns change.
                holes = holesBefore;
                holeDepth = depthBefore;
                for (int m = shape.first; m <= shape.last; ++m) {
                    const auto i = static_cast<std::size_t>(m);
                    const int u = x + m;
                    const ColumnMeasure& was = before[static_cast<std::size_t>(u)];
                    const int top = y + shape.top[i];
                    const int bottom = y + shape.bottom[i];
                    if (shape.col[i] && shape.solidColumns && bottom < was.surface) {
                        // The cells land above the column's surface: the empty
                        // rows under them become holes, and the old holes lie
                        // deeper by as much as the surface rises.
                        holes += was.surface - bottom - 1;
                        holeDepth += was.counted * (was.surface - top);
                        const int newCounted = std::min(was.surface - 1, oldHoleRow) - bottom;
                        if (newCounted > 0) holeDepth += newCounted * (bottom + 1 - top) + newCounted * (newCounted - 1) / 2;
                        surface[static_cast<std::size_t>(u + 1)] = static_cast<std::int16_t>(top);
                    } else {
                        const ColumnMeasure now = Measure(original.at(u) | shape.col[i] << y, field, h, oldHoleRow);
                        holes += now.holes - was.holes;
                        holeDepth += now.depth - was.depth;
                        surface[static_cast<std::size_t>(u + 1)] = static_cast<std::int16_t>(now.surface);
                    }
                }
            } else {
                // Settle the figure on a scratch well and remove the full rows
                // from the top down; rows above move down, row 0 keeps its
                // content.
                Board b = original;
                for (int m = shape.first; m <= shape.last; ++m)
                    b.at(x + m) |= shape.col[static_cast<std::size_t>(m)] << y;
                int holeRow = oldHoleRow;
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
                for (int u = 0; u < kPlaying; ++u) {
                    const ColumnMeasure now = Measure(b.at(u), field, h, holeRow);
                    holes += now.holes;
                    holeDepth += now.depth;
                    surface[static_cast<std::size_t>(u + 1)] = static_cast<std::int16_t>(now.surface);
                }
            }

            const SurfaceFeatures relief = MeasureSurface(surface);
            const int pits = relief.pits;

            Criteria values{};
            values[ComputerWeights::kHoles] = -holes;
            values[ComputerWeights::kHoleDepth] = -holeDepth;
            values[ComputerWeights::kContacts] = supported ? contacts : 0;
            values[ComputerWeights::kExtraPits] = pits >= 1 ? -(pits - 1) : 0;
            values[ComputerWeights::kWidePits] = -relief.widePits;
            values[ComputerWeights::kRoughness] = -relief.roughness;
            values[ComputerWeights::kLandingDepth] = y + removed + shape.meanRow;
            values[ComputerWeights::kMultiRowBonus] = (removed >= 2 ? (removed - 1) * (removed - 1) : 0) + (pits == 1 ? 1 : 0);
            std::copy(values.begin(), values.end(), crit.begin());

            const std::int32_t value = score(values);
            if (value > best.score) best = {r, k, value};
        }
    }
    return best;
}

}  // namespace vexari
