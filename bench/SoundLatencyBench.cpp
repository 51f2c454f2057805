// SPDX-License-Identifier: GPL-3.0-or-later
// From a game event to its sound: what Play() costs the game's thread, the
// time until the effect's first sample is written to the audio sink (the
// sound thread's next 5 ms round), and the sink's own buffer as it reports
// it. Run against a desktop's audio server, or a private one through
// PULSE_SERVER; without an audio output the sink cases report an error.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <chrono>
#include <thread>

#include "app/SoundSystem.h"
#include "sound/Mixer.h"

namespace {

vexari::SoundSystem* g_sound = nullptr;

bool WaitOpen() {
    QElapsedTimer clock;
    clock.start();
    while (!g_sound->Open() && clock.elapsed() < 5000) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return g_sound->Open();
}

// The game's side: the call a landing makes.
void BM_PlayCall(benchmark::State& state) {
    const vexari::SoundBank bank(vexari::SoundSystem::kSampleRate);
    vexari::Mixer mixer(bank);
    std::vector<std::int16_t> block(2 * 256);
    int n = 0;
    for (auto _ : state) {
        mixer.Play(vexari::Effect::Rows4, 0.5F);
        if (++n % 32 == 0) {  // the audio thread's part, outside the measured time
            state.PauseTiming();
            mixer.Mix(block.data(), 256);
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_PlayCall);

// Event to first sample handed to the sink, and the sink's buffer.
void BM_EventToSink(benchmark::State& state) {
    if (!WaitOpen()) {
        state.SkipWithError("no audio output");
        return;
    }
    double worst = 0;
    for (auto _ : state) {
        const int before = g_sound->HandOvers();
        g_sound->Output().Play(vexari::Effect::Click, 0.0F);
        QElapsedTimer clock;
        clock.start();
        while (g_sound->HandOvers() == before && clock.elapsed() < 1000) std::this_thread::yield();
        const double seconds = static_cast<double>(g_sound->LastHandOverNs()) / 1e9;
        worst = std::max(worst, seconds);
        state.SetIterationTime(seconds);
        std::this_thread::sleep_for(std::chrono::milliseconds(3));  // events come at any phase of the round
    }
    state.counters["worst_ms"] = worst * 1e3;
    state.counters["sink_buffer_ms"] = g_sound->SinkBufferMs();
}
BENCHMARK(BM_EventToSink)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(300);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    vexari::SoundSystem sound;
    g_sound = &sound;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
