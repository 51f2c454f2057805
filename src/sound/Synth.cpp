// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/Synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace vexari {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// Equal-tempered note `semitones` above A4 (440 Hz).
double Note(double semitones) { return 440.0 * std::pow(2.0, semitones / 12.0); }
// Some notes, in semitones from A4.
constexpr double C5 = 3, E5 = 7, G5 = 10, C6 = 15, E6 = 19, G6 = 22, C7 = 27;

class Canvas {
public:
    Canvas(int rate, double seconds) : rate_(rate), s_(static_cast<std::size_t>(rate * seconds), 0.0F) {}

    // A tone from `start` for `length` seconds, gliding from f0 to f1; a
    // quick attack, then an exponential decay with time constant `decay`.
    // `bright` adds the second and third harmonics (a bell, a reed).
    void Tone(double start, double length, double f0, double f1, double amp, double decay, double bright = 0.0,
              double vibrato = 0.0) {
        double phase = 0;
        const auto [from, to] = Range(start, length);
        for (std::size_t i = from; i < to; ++i) {
            const double t = static_cast<double>(i - from) / rate_;
            const double f = (f0 + (f1 - f0) * t / length) * (1.0 + vibrato * std::sin(kTwoPi * 5.5 * t));
            phase += kTwoPi * f / rate_;
            const double wave = std::sin(phase) + bright * (0.5 * std::sin(2 * phase) + 0.25 * std::sin(3 * phase));
            s_[i] += static_cast<float>(amp * Envelope(t, length, decay) * wave);
        }
    }

    // Noise through a one-pole low-pass whose corner glides from c0 to c1 (0..1).
    void Noise(double start, double length, double c0, double c1, double amp, double decay) {
        const auto [from, to] = Range(start, length);
        double low = 0;
        for (std::size_t i = from; i < to; ++i) {
            const double t = static_cast<double>(i - from) / rate_;
            seed_ = seed_ * 1664525u + 1013904223u;
            const double white = static_cast<double>(seed_ >> 8) / (1 << 23) - 1.0;
            low += (c0 + (c1 - c0) * t / length) * (white - low);
            s_[i] += static_cast<float>(amp * Envelope(t, length, decay) * low);
        }
    }

    // Scaled so that the loudest sample is `peak`.
    Samples Finish(double peak) {
        float most = 0;
        for (float v : s_) most = std::max(most, std::abs(v));
        if (most > 0)
            for (float& v : s_) v = static_cast<float>(v * peak / most);
        return std::move(s_);
    }

private:
    std::pair<std::size_t, std::size_t> Range(double start, double length) const {
        const auto from = std::min(s_.size(), static_cast<std::size_t>(start * rate_));
        return {from, std::min(s_.size(), from + static_cast<std::size_t>(length * rate_))};
    }
    // 3 ms attack, the decay, and 5 ms release at the end: no clicks.
    static double Envelope(double t, double length, double decay) {
        const double attack = std::min(1.0, t / 0.003);
        const double release = std::min(1.0, (length - t) / 0.005);
        return attack * release * std::exp(-t / decay);
    }

    int rate_;
    Samples s_;
    std::uint32_t seed_ = 0x5eed;
};

// Notes one after another, `step` seconds apart, each ringing `ring` seconds.
void Arpeggio(Canvas& c, std::initializer_list<double> notes, double step, double ring, double amp, double decay) {
    double at = 0;
    for (const double n : notes) {
        c.Tone(at, ring, Note(n), Note(n), amp, decay, 0.6);
        at += step;
    }
}

}  // namespace

Samples Synthesize(Effect effect, int rate) {
    switch (effect) {
    case Effect::Land: {
        Canvas c(rate, 0.09);
        c.Tone(0, 0.09, 150, 60, 1.0, 0.03);
        c.Noise(0, 0.02, 0.5, 0.1, 0.5, 0.006);
        return c.Finish(0.45);
    }
    case Effect::Drop: {
        Canvas c(rate, 0.16);
        c.Noise(0, 0.08, 0.05, 0.6, 0.8, 0.2);
        c.Tone(0.06, 0.1, 120, 45, 1.0, 0.035);
        return c.Finish(0.55);
    }
    case Effect::Click: {
        Canvas c(rate, 0.015);
        c.Tone(0, 0.015, 2400, 1800, 1.0, 0.003);
        return c.Finish(0.15);
    }
    case Effect::Rows1: {
        Canvas c(rate, 0.25);
        Arpeggio(c, {C6}, 0, 0.25, 1.0, 0.08);
        return c.Finish(0.5);
    }
    case Effect::Rows2: {
        Canvas c(rate, 0.33);
        Arpeggio(c, {C6, E6}, 0.08, 0.25, 1.0, 0.08);
        return c.Finish(0.55);
    }
    case Effect::Rows3: {
        Canvas c(rate, 0.41);
        Arpeggio(c, {C6, E6, G6}, 0.08, 0.25, 1.0, 0.08);
        return c.Finish(0.6);
    }
    case Effect::Rows4: {
        // The arpeggio runs up to a held chord with a shimmer above it.
        Canvas c(rate, 0.95);
        Arpeggio(c, {C6, E6, G6}, 0.07, 0.25, 0.9, 0.08);
        for (const double n : {C6, E6, G6, C7}) c.Tone(0.21, 0.74, Note(n), Note(n), 0.5, 0.3, 0.6, 0.004);
        c.Noise(0.21, 0.5, 0.9, 0.7, 0.15, 0.15);
        return c.Finish(0.7);
    }
    case Effect::PresentSent: {
        Canvas c(rate, 0.22);
        c.Tone(0, 0.22, 300, 1400, 1.0, 0.2, 0.3);
        c.Noise(0, 0.22, 0.1, 0.5, 0.3, 0.2);
        return c.Finish(0.5);
    }
    case Effect::PresentArrived: {
        // A two-tone alarm, three times: it must be heard over everything.
        Canvas c(rate, 0.54);
        for (int i = 0; i < 3; ++i) {
            c.Tone(0.18 * i, 0.09, 880, 880, 1.0, 1.0, 1.0);
            c.Tone(0.18 * i + 0.09, 0.09, 622, 622, 1.0, 1.0, 1.0);
        }
        return c.Finish(0.8);
    }
    case Effect::LevelUp: {
        Canvas c(rate, 0.5);
        Arpeggio(c, {G5, C6, E6}, 0.06, 0.12, 0.8, 0.1);
        c.Tone(0.18, 0.32, Note(G6), Note(G6), 1.0, 0.2, 0.6);
        return c.Finish(0.55);
    }
    case Effect::Countdown: {
        Canvas c(rate, 0.1);
        c.Tone(0, 0.1, 1000, 1000, 1.0, 0.08);
        return c.Finish(0.5);
    }
    case Effect::Start: {
        Canvas c(rate, 0.4);
        c.Tone(0, 0.4, 1500, 1500, 1.0, 0.3, 0.3);
        return c.Finish(0.55);
    }
    case Effect::GameOver: {
        // The locomotive that pushes the well out: its whistle, then its
        // steam puffs slowing down.
        Canvas c(rate, 1.3);
        for (const double f : {587.0, 698.0, 880.0}) c.Tone(0, 0.55, f, f * 0.97, 0.5, 0.6, 0.4, 0.003);
        c.Noise(0, 0.55, 0.3, 0.3, 0.15, 0.5);
        double at = 0.55;
        for (int i = 0; i < 4; ++i) {
            c.Noise(at, 0.12, 0.4, 0.08, 1.0, 0.04);
            at += 0.14 + 0.04 * i;
        }
        return c.Finish(0.65);
    }
    case Effect::RoundEnd: {
        Canvas c(rate, 0.8);
        c.Tone(0, 0.8, Note(C5), Note(C5), 1.0, 0.3, 1.0);
        c.Tone(0, 0.8, Note(G5), Note(G5), 0.5, 0.25, 0.5);
        return c.Finish(0.55);
    }
    case Effect::TopTen: {
        Canvas c(rate, 0.95);
        Arpeggio(c, {C5, E5, G5, C6}, 0.09, 0.2, 0.8, 0.1);
        for (const double n : {C6, E6, G6}) c.Tone(0.36, 0.59, Note(n), Note(n), 0.6, 0.3, 0.6, 0.005);
        return c.Finish(0.6);
    }
    case Effect::Chat: {
        Canvas c(rate, 0.3);
        c.Tone(0, 0.15, 1319, 1319, 1.0, 0.08, 0.3);
        c.Tone(0.1, 0.2, 988, 988, 1.0, 0.1, 0.3);
        return c.Finish(0.4);
    }
    case Effect::Pause: {
        Canvas c(rate, 0.18);
        c.Tone(0, 0.08, 660, 660, 1.0, 0.1);
        c.Tone(0.08, 0.1, 440, 440, 1.0, 0.1);
        return c.Finish(0.35);
    }
    case Effect::Resume: {
        Canvas c(rate, 0.18);
        c.Tone(0, 0.08, 440, 440, 1.0, 0.1);
        c.Tone(0.08, 0.1, 660, 660, 1.0, 0.1);
        return c.Finish(0.35);
    }
    }
    return {};
}

SoundBank::SoundBank(int sampleRate) : sampleRate_(sampleRate) {
    for (int e = 0; e < kEffectCount; ++e)
        samples_[static_cast<std::size_t>(e)] = Synthesize(static_cast<Effect>(e), sampleRate);
}

}  // namespace vexari
