// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace vexari {

// The game's random sequence, shared by the figure choice, the rising bottom
// lines and the server: seed := seed * 214013 + 2531011 (mod 2^32); the drawn
// value is bits 16 to 30 of the new seed, 0 to 32767.
inline int DrawRandom(std::uint32_t& seed) {
    seed = seed * 214013u + 2531011u;
    return static_cast<int>((seed >> 16) & 0x7FFFu);
}

}  // namespace vexari
