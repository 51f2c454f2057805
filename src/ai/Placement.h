// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>

#include "game/Figures.h"
#include "game/GameRecord.h"
#include "game/Well.h"
#include "settings/Settings.h"

namespace vexari {

// Score the search starts from; a placement has to beat it to be chosen.
inline constexpr std::int32_t kNoPlacementScore = -10000000;

// The criteria of every placement the last search examined.
struct CandidateTable {
    static constexpr int kMaxCandidates = 40;  // at most ten fitting offsets per rotation count
    static constexpr int kRotations = 4;
    static constexpr int kMinOffset = -10;
    static constexpr int kMaxOffset = 10;
    static constexpr int kOffsets = kMaxOffset - kMinOffset + 1;

    int count = 0;
    // Criterion values by candidate number, in the order of ComputerWeights.
    std::array<std::array<std::int32_t, ComputerWeights::kCapacity>, kMaxCandidates> criteria{};
    // Candidate number by rotation count and offset + 10; -1 when that pair
    // was not a candidate.
    std::array<std::array<int, kOffsets>, kRotations> number{};

    CandidateTable() { Clear(); }
    void Clear() {
        count = 0;
        for (auto& row : number) row.fill(-1);
    }
    // The candidate number of (rotations, offset), -1 when there is none or
    // the pair lies outside the table.
    int Find(int rotations, int offset) const {
        if (rotations < 0 || rotations >= kRotations || offset < kMinOffset || offset > kMaxOffset) return -1;
        return number[static_cast<std::size_t>(rotations)][static_cast<std::size_t>(offset - kMinOffset)];
    }
};

// The chosen placement: quarter turns (0..3) and column offset (-10..10)
// from the figure's current column, and its score.
struct PlacementResult {
    int rotations = 0;
    int offset = 0;
    std::int32_t score = kNoPlacementScore;

    friend bool operator==(const PlacementResult&, const PlacementResult&) = default;
};

// The highest row of an old hole: the first gap below the top run of filled
// cells of each column, scanning columns from the left and stopping at the
// first column that is solid down to the floor. `height` when there is none.
int OldHoleRow(const Well& well, int height);

// Weighted sum of a criterion vector: each product is truncated toward zero
// to a 32-bit integer and the products are added up to a 32-bit result. Huge
// weights saturate at the ends of the 32-bit range instead of wrapping round.
std::int32_t WeightedScore(const std::array<std::int32_t, ComputerWeights::kCapacity>& criteria,
                           const ComputerWeights& weights);

// Tries every rotation count and column offset of the figure `mask` standing
// at (x, y) in `well` (playing height `height`, 1..25), drops it straight down
// on a scratch copy of the well, measures the eight criteria of the result
// and returns the best-scoring placement; ties keep the first in search
// order. Every examined placement is recorded in `table`. Nothing passed in
// is changed apart from `table`; nothing is allocated.
//
// For the contact count (HEIGHT) the box may reach cells outside the field:
// those inside the well's storage read as stored (the rows below the floor and
// the walls' cells beside and below the floor are empty, so a box that reaches
// into the floor row is unsupported), and those beyond the storage (a column
// past a wall, a row below the last stored row) read as filled.
PlacementResult FindBestPlacement(const Well& well, int height, const FigureMask& mask, int x, int y,
                                  const ComputerWeights& weights, CandidateTable& table);

// The same for the falling figure of a game.
inline PlacementResult FindBestPlacement(const GameRecord& record, const ComputerWeights& weights,
                                         CandidateTable& table) {
    return FindBestPlacement(record.well, record.height, record.mask, record.x, record.y, weights, table);
}

}  // namespace vexari
