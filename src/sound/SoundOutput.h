// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "sound/Effect.h"

namespace vexari {

// Where effects go to be heard. Play() is called on the game's thread and
// returns at once: it never waits for the audio system.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // `gain` 0..1 scales the effect's own level.
    virtual void Play(Effect effect, float gain) = 0;
};

}  // namespace vexari
