// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/WellChange.h"

#include <algorithm>
#include <cstddef>
#include <set>
#include <tuple>

namespace vexari {
namespace {

// Every figure has four cells.
constexpr int kFigureCells = 4;

int CellCount(const CellRow& row) {
    return static_cast<int>(std::count_if(row.begin(), row.end(), [](std::uint8_t v) { return v != 0; }));
}

// The rows up to the highest one holding a cell.
CellRows Trimmed(CellRows rows) {
    while (!rows.empty() && CellCount(rows.back()) == 0) rows.pop_back();
    return rows;
}

// Whether `now` holds every cell of `was`, in its colour.
bool Holds(const CellRow& now, const CellRow& was) {
    for (std::size_t u = 0; u < now.size(); ++u)
        if (was[u] != 0 && now[u] != was[u]) return false;
    return true;
}

// The old well's rows risen whole by `k` (after holds k rows more at least).
bool RoseBy(const CellRows& before, const CellRows& after, int k) {
    return std::equal(before.begin(), before.end(), after.begin() + k);
}

// Finds the rows of `before` whose removal, with one figure's cells added,
// gives `after`: each kept row goes down in order onto a row of `after`
// holding its cells, every removed row was full with the figure's help, and
// the figure's four cells are all accounted for.
class RemovalSearch {
public:
    RemovalSearch(const CellRows& before, const CellRows& after) : before_(before), after_(after) {}

    bool Find(std::size_t i, std::size_t j, int figureCells) {
        if (i == before_.size()) {
            int rest = 0;
            for (std::size_t r = j; r < after_.size(); ++r) rest += CellCount(after_[r]);
            return figureCells + rest == kFigureCells;
        }
        if (!failed_.insert({i, j, figureCells}).second) return false;
        // B[i] removed: the figure filled its gaps.
        const int gaps = static_cast<int>(before_[i].size()) - CellCount(before_[i]);
        if (figureCells + gaps <= kFigureCells) {
            removed_.push_back(static_cast<int>(i));
            if (Find(i + 1, j, figureCells + gaps)) return true;
            removed_.pop_back();
        }
        // B[i] kept: it came down onto A[j] (an empty row where A ends).
        const CellRow empty{};
        const CellRow& now = j < after_.size() ? after_[j] : empty;
        const int added = CellCount(now) - CellCount(before_[i]);
        if (Holds(now, before_[i]) && figureCells + added <= kFigureCells && Find(i + 1, j + 1, figureCells + added))
            return true;
        return false;
    }
    const std::vector<int>& Removed() const { return removed_; }

private:
    const CellRows& before_;
    const CellRows& after_;
    std::vector<int> removed_;
    std::set<std::tuple<std::size_t, std::size_t, int>> failed_;
};

}  // namespace

WellChange CompareWells(const CellRows& beforeRows, const CellRows& afterRows) {
    const CellRows before = Trimmed(beforeRows), after = Trimmed(afterRows);
    WellChange change;
    if (before.empty()) return change;  // a new round or a first landing: nothing to show
    for (int k = 1; k <= static_cast<int>(after.size()) - static_cast<int>(before.size()); ++k)
        if (RoseBy(before, after, k)) {
            change.risen = k;
            return change;
        }
    RemovalSearch search(before, after);
    if (search.Find(0, 0, 0)) change.removed = search.Removed();  // none for a plain landing
    return change;
}

}  // namespace vexari
