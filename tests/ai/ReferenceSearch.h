#pragma once
// A plain, cell-by-cell placement search written straight from the rules,
// used to check the bit-column search on many wells.
#include <array>
#include <cmath>
#include <cstdlib>

#include "ai/Placement.h"

namespace vexari::test {

struct ReferenceResult {
    PlacementResult best;
    CandidateTable table;
};

// The contact count reads the stored cells; beyond the storage counts as filled.
inline bool RefFilled(const Well& w, int u, int v, int /*h*/) {
    if (u < -1 || u > 10 || v > 26) return true;
    return w.at(u, v) != 0;
}

inline ReferenceResult ReferenceSearch(const Well& well, int h, const FigureMask& entryMask, int x0, int y0,
                                       const DemoWeights& weights) {
    ReferenceResult out;
    out.best = {0, 0, -10000000};
    const int oldHoleRow = OldHoleRow(well, h);
    for (int r = 0; r < 4; ++r) {
        FigureMask mask = entryMask;
        for (int t = 0; t < r; ++t) RotateFigure(mask);
        bool tried = false;
        for (int j = 0; j <= 3 && !tried; ++j)
            tried = FigureFits(well, mask, x0 + j, y0) || FigureFits(well, mask, x0 - j, y0);
        if (!tried) continue;
        for (int k = -10; k <= 10; ++k) {
            if (!FigureFits(well, mask, x0 + k, y0)) continue;
            const int n = out.table.count++;
            out.table.number[static_cast<std::size_t>(r)][static_cast<std::size_t>(k + 10)] = n;
            auto& c = out.table.criteria[static_cast<std::size_t>(n)];
            c.fill(0);

            Well s = well;
            const int x = x0 + k;
            int y = y0;
            while (FigureFits(s, mask, x, y + 1)) ++y;

            int contacts = 0;
            bool unsupported = false;
            for (int l = 0; l < 4; ++l)
                for (int m = 0; m < 4; ++m) {
                    if (mask.at(m, l)) s.at(x + m, y + l) |= mask.at(m, l);
                    const bool supported = RefFilled(s, x + m, y + l + 1, h) || (l < 3 && mask.at(m, l + 1) != 0);
                    if (supported)
                        contacts += RefFilled(s, x + m - 1, y + l, h) + RefFilled(s, x + m + 1, y + l, h);
                    else
                        unsupported = true;
                }
            if (unsupported) contacts = 0;

            int removed = 0;
            int holeRow = oldHoleRow;
            for (int i = y; i <= std::min(y + 4, h - 1); ++i) {
                bool full = true;
                for (int u = 0; u < 10; ++u) full = full && s.at(u, i) != 0;
                if (!full) continue;
                for (int u = 0; u < 10; ++u)
                    for (int v = i; v >= 1; --v) s.at(u, v) = s.at(u, v - 1);
                ++removed;
                if (i == holeRow)
                    holeRow = h;
                else if (holeRow < i)
                    ++holeRow;
            }

            std::array<int, 12> surface{};
            for (int j = 0; j < 10; ++j) {
                int v = 0;
                while (v < h && s.at(j, v) == 0) ++v;
                surface[static_cast<std::size_t>(j + 1)] = v;
            }
            const auto S = [&](int j) { return surface[static_cast<std::size_t>(j + 1)]; };
            int holes = 0, depth = 0;
            for (int j = 0; j < 10; ++j)
                for (int i = S(j) + 1; i < h; ++i)
                    if (s.at(j, i) == 0) {
                        ++holes;
                        if (i <= holeRow) depth += i - S(j);
                    }
            int p1 = 0, p2 = 0, rough = 0;
            for (int j = 0; j < 10; ++j) {
                if (S(j) - S(j - 1) > 1 && S(j) - S(j + 1) > 1) ++p1;
                if (j <= 8 && S(j) - S(j - 1) > 2 && std::abs(S(j) - S(j + 1)) <= 1 && S(j) - S(j + 2) > 1) ++p2;
                if (j >= 1) rough += (S(j) - S(j - 1)) * (S(j) - S(j - 1));
            }
            int t = 0;
            for (int m = 0; m < 4; ++m)
                for (int l = 0; l < 4; ++l)
                    if (mask.at(m, l)) t += l;

            c[0] = -holes;
            c[1] = -depth;
            c[2] = contacts;
            c[3] = p1 >= 1 ? -(p1 - 1) : 0;
            c[4] = -p2;
            c[5] = -rough;
            c[6] = y + removed + t / 4 + (t % 4 >= 2 ? 1 : 0);
            c[7] = (removed >= 2 ? (removed - 1) * (removed - 1) : 0) + (p1 == 1 ? 1 : 0);

            std::int32_t score = 0;
            for (int i = 0; i < 8; ++i) score += static_cast<std::int32_t>(c[static_cast<std::size_t>(i)] * weights[i]);
            if (score > out.best.score) out.best = {r, k, score};
        }
    }
    return out;
}

}  // namespace vexari::test
