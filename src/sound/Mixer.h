// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <atomic>
#include <cstdint>

#include "sound/SoundOutput.h"
#include "sound/Synth.h"

namespace vexari {

// Mixes the effects that play into 16-bit stereo blocks. Play() is for the
// game's thread: it puts the effect into a lock-free queue and returns; a
// full queue drops the effect rather than wait. Mix() is for the audio
// thread only. A new start of an effect that still sounds cuts the old one;
// a limiter keeps the sum of many effects from clipping.
class Mixer final : public SoundOutput {
public:
    static constexpr int kChannels = 2;
    static constexpr int kVoices = 16;
    static constexpr float kCeiling = 0.95F;  // of full scale

    explicit Mixer(const SoundBank& bank) : bank_(bank) {}

    void Play(Effect effect, float gain) override;
    // As Play(), stamped with the caller's steady-clock time in nanoseconds.
    void Play(Effect effect, float gain, std::int64_t stampNs);

    // Fills `frames` frames. Returns the stamp of the earliest effect that
    // began in this block, or -1 when none did.
    std::int64_t Mix(std::int16_t* out, int frames);
    // Nothing sounds and nothing waits to (audio thread).
    bool Quiet() const;
    // Forgets what plays (audio thread; the output was reopened).
    void Clear();

private:
    struct Request {
        Effect effect = Effect::Land;
        float gain = 0;
        std::int64_t stampNs = 0;
    };
    struct Voice {
        const Samples* samples = nullptr;
        std::size_t at = 0;
        float gain = 0;
        Effect effect = Effect::Land;
    };
    void Start(const Request& request);

    const SoundBank& bank_;
    static constexpr std::uint32_t kQueue = 64;
    std::array<Request, kQueue> queue_{};
    std::atomic<std::uint32_t> written_{0};  // by the game's thread
    std::atomic<std::uint32_t> read_{0};     // by the audio thread
    std::array<Voice, kVoices> voices_{};
    float limiter_ = 1.0F;
};

}  // namespace vexari
