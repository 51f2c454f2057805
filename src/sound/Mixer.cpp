// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/Mixer.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace vexari {
namespace {

// The limiter comes back to full gain over about 50 ms.
constexpr float kRelease = 0.0005F;

}  // namespace

void Mixer::Play(Effect effect, float gain) {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    Play(effect, gain, std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

void Mixer::Play(Effect effect, float gain, std::int64_t stampNs) {
    const std::uint32_t w = written_.load(std::memory_order_relaxed);
    if (w - read_.load(std::memory_order_acquire) >= kQueue) return;
    queue_[w % kQueue] = {effect, gain, stampNs};
    written_.store(w + 1, std::memory_order_release);
}

void Mixer::Start(const Request& request) {
    const Samples& samples = bank_.Of(request.effect);
    Voice* slot = nullptr;
    for (Voice& v : voices_)
        if (v.samples && v.effect == request.effect) slot = &v;  // the newest cuts the same effect
    for (Voice& v : voices_)
        if (!slot && !v.samples) slot = &v;
    if (!slot) {  // all busy: the one nearest its end makes way
        slot = &*std::min_element(voices_.begin(), voices_.end(), [](const Voice& a, const Voice& b) {
            return a.samples->size() - a.at < b.samples->size() - b.at;
        });
    }
    *slot = {&samples, 0, std::clamp(request.gain, 0.0F, 1.0F), request.effect};
}

std::int64_t Mixer::Mix(std::int16_t* out, int frames) {
    std::int64_t earliest = -1;
    const std::uint32_t w = written_.load(std::memory_order_acquire);
    std::uint32_t r = read_.load(std::memory_order_relaxed);
    for (; r != w; ++r) {
        const Request& request = queue_[r % kQueue];
        Start(request);
        if (earliest < 0 || request.stampNs < earliest) earliest = request.stampNs;
    }
    read_.store(r, std::memory_order_release);

    for (int i = 0; i < frames; ++i) {
        float sum = 0;
        for (Voice& v : voices_) {
            if (!v.samples) continue;
            sum += (*v.samples)[v.at] * v.gain;
            if (++v.at >= v.samples->size()) v.samples = nullptr;
        }
        // The gain recovers slowly, and drops at once to what keeps this
        // sample under the ceiling.
        limiter_ += (1.0F - limiter_) * kRelease;
        if (std::abs(sum) * limiter_ > kCeiling) limiter_ = kCeiling / std::abs(sum);
        const auto sample = static_cast<std::int16_t>(std::lround(sum * limiter_ * 32767.0F));
        for (int c = 0; c < kChannels; ++c) out[i * kChannels + c] = sample;
    }
    return earliest;
}

bool Mixer::Quiet() const {
    if (written_.load(std::memory_order_acquire) != read_.load(std::memory_order_acquire)) return false;
    return std::none_of(voices_.begin(), voices_.end(), [](const Voice& v) { return v.samples != nullptr; });
}

void Mixer::Clear() {
    for (Voice& v : voices_) v.samples = nullptr;
    limiter_ = 1.0F;
}

}  // namespace vexari
