// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "game/Game.h"

namespace vexari {

// Tests and benchmarks set a position up directly; the program changes a
// game only through its methods.
struct GameAccess {
    static GameRecord& Record(Game& game) { return game.record_; }
};

}  // namespace vexari
