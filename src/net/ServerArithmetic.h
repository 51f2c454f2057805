// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace vexari {

// Scores and heights come from peers and options that nobody checks, so the
// server's sums wrap around as 32-bit values instead of overflowing.
inline std::int32_t Wrap(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// Rows a landing that removed `removed` rows sends to the opponents as a
// present (0: none).
inline int PresentRows(int removed) { return removed == 2 ? 1 : removed == 3 ? 2 : removed == 4 ? 4 : 0; }

}  // namespace vexari
