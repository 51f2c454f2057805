// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SoundDirector.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "net/ServerArithmetic.h"

namespace vexari {

float SoundDirector::Gain(int volume) {
    // Loudness follows the square of the slider: its middle sounds half as loud.
    const float v = static_cast<float>(std::clamp(volume, 0, 100)) / 100.0F;
    return v * v;
}

void SoundDirector::Emit(Effect effect, bool ofGame) {
    if (!settings_.sound || settings_.soundVolume <= 0) return;
    if (ofGame && record_.computerPlays) return;
    if (effect == Effect::Click && !settings_.soundClicks) return;
    const bool keptWhenFast = effect == Effect::GameOver || (effect >= Effect::Rows1 && effect <= Effect::Rows4);
    if (speed_ > 1 && !keptWhenFast) return;
    output_.Play(effect, Gain(settings_.soundVolume));
}

void SoundDirector::FigureLanded(const Landing& landing) {
    Emit(std::exchange(dropping_, false) ? Effect::Drop : Effect::Land, true);
    if (landing.removed <= 0) return;
    Emit(RowsEffect(landing.removed), true);
    if (record_.networkGame && PresentRows(landing.removed) > 0) Emit(Effect::PresentSent, true);
}

void SoundDirector::PresentArrived(int rows) {
    if (rows > 0) Emit(Effect::PresentArrived, true);
}

void SoundDirector::LevelChanged(int level) {
    (void)level;
    Emit(Effect::LevelUp, true);
}

void SoundDirector::GameOver(std::int32_t score, std::int32_t lines) {
    (void)score, (void)lines;
    Emit(Effect::GameOver, true);
}

void SoundDirector::FigureMoved(bool turned) {
    (void)turned;
    Emit(Effect::Click, true);
}

void SoundDirector::RunningChanged(RunChange change) {
    switch (change) {
    case RunChange::Started: return Emit(Effect::Start, true);
    case RunChange::Paused: return Emit(Effect::Pause, true);
    case RunChange::Resumed: return Emit(Effect::Resume, true);
    }
}

}  // namespace vexari
