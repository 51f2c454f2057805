// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <vector>

#include "sound/Effect.h"

namespace vexari {

// Mono samples, -1..1.
using Samples = std::vector<float>;

// The effects are made here from sine tones, noise and envelopes, the same
// samples on every run: the package carries no recordings.
Samples Synthesize(Effect effect, int sampleRate);

// Every effect, made once at start-up.
class SoundBank {
public:
    explicit SoundBank(int sampleRate);
    int SampleRate() const { return sampleRate_; }
    const Samples& Of(Effect effect) const { return samples_[static_cast<std::size_t>(effect)]; }

private:
    int sampleRate_;
    std::array<Samples, kEffectCount> samples_;
};

}  // namespace vexari
