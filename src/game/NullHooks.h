// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "game/GameHooks.h"

namespace vexari {

// The hooks given, with a stand-in that does nothing for each one left unset.
GameHooks WithNullHooks(const GameHooks& hooks);

}  // namespace vexari
