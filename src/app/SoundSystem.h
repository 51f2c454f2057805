// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QThread>
#include <atomic>
#include <cstdint>

#include "sound/Mixer.h"
#include "sound/Synth.h"

namespace vexari {

class AudioPump;

// The effects heard through Qt Multimedia. A thread of its own owns the
// audio sink and every call into it: every 5 ms it mixes what the sink has
// room for (a short buffer, silence when nothing plays) and writes it. The
// game's thread only puts effects into the mixer's queue. Without an audio
// output the game plays silently and says so once on stderr; an output
// that fails during play is tried again every few seconds.
class SoundSystem : public QObject {
    Q_OBJECT
public:
    static constexpr int kSampleRate = 48000;
    static constexpr int kBufferMs = 20;  // what the sink is asked to hold

    SoundSystem();
    ~SoundSystem() override;

    SoundOutput& Output() { return mixer_; }

    // Figures for the benchmark and the tests: whether a sink is open, the
    // time from the last effect's Play() to its first sample written to the
    // sink, and the sink's buffer (bytesFree at its fullest) in ms.
    bool Open() const { return open_.load(); }
    std::int64_t LastHandOverNs() const { return handOverNs_.load(); }
    int HandOvers() const { return handOvers_.load(); }  // blocks that began an effect
    int SinkBufferMs() const { return sinkBufferMs_.load(); }

signals:
    // Open() changed.
    void openChanged(bool open);

private:
    friend class AudioPump;
    SoundBank bank_{kSampleRate};
    Mixer mixer_{bank_};
    QThread thread_;
    AudioPump* pump_ = nullptr;
    std::atomic<bool> open_{false};
    std::atomic<std::int64_t> handOverNs_{-1};
    std::atomic<int> handOvers_{0};
    std::atomic<int> sinkBufferMs_{0};
};

}  // namespace vexari
