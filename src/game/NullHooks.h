// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "game/Game.h"

namespace vexari {

// The hooks given, with a stand-in that does nothing for each one left unset.
Game::Hooks WithNullHooks(const Game::Hooks& hooks);

}  // namespace vexari
