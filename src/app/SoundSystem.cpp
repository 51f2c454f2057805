// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SoundSystem.h"

#include <QAudioSink>
#include <QMediaDevices>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace vexari {

// Lives on the sound thread: opens the sink, keeps it fed, reopens it after
// a failure.
class AudioPump : public QObject {
public:
    static constexpr int kPumpMs = 5;
    static constexpr int kRetryMs = 3000;

    explicit AudioPump(SoundSystem& system) : system_(system) {}

    void Begin() {
        timer_ = new QTimer(this);
        timer_->setTimerType(Qt::PreciseTimer);
        connect(timer_, &QTimer::timeout, this, &AudioPump::Pump);
        OpenSink();
    }

    void End() {
        delete timer_;
        timer_ = nullptr;
        CloseSink();
    }

private:
    void OpenSink() {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) return Failed("no audio output found");
        QAudioFormat format;
        format.setSampleRate(SoundSystem::kSampleRate);
        format.setChannelCount(Mixer::kChannels);
        format.setSampleFormat(QAudioFormat::Int16);
        if (!device.isFormatSupported(format)) return Failed("the audio output takes no 48 kHz 16-bit stereo");
        sink_ = std::make_unique<QAudioSink>(device, format);
        sink_->setBufferSize(SoundSystem::kSampleRate * kFrameBytes * SoundSystem::kBufferMs / 1000);
        io_ = sink_->start();
        if (!io_ || sink_->error() != QAudio::NoError) {
            CloseSink();
            return Failed("the audio output cannot be opened");
        }
        system_.mixer_.Clear();
        system_.sinkBufferMs_ = static_cast<int>(sink_->bufferSize() * 1000LL / (SoundSystem::kSampleRate * kFrameBytes));
        told_ = false;
        Opened(true);
        timer_->start(kPumpMs);
    }

    void CloseSink() {
        if (sink_) sink_->stop();
        sink_.reset();
        io_ = nullptr;
        Opened(false);
    }

    // Said once, until an output opens again; the game goes on silently.
    void Failed(const char* why) {
        if (!told_) std::fprintf(stderr, "vexari: %s; playing without sound\n", why);
        told_ = true;
        if (timer_) QTimer::singleShot(kRetryMs, this, [this] { if (timer_ && !sink_) OpenSink(); });
    }

    void Opened(bool open) {
        if (system_.open_.exchange(open) != open) emit system_.openChanged(open);
    }

    void Pump() {
        if (!sink_) return;
        if (sink_->error() != QAudio::NoError && sink_->error() != QAudio::UnderrunError) {
            CloseSink();
            timer_->stop();
            return Failed("the audio output stopped");
        }
        const int frames = static_cast<int>(sink_->bytesFree() / kFrameBytes);
        if (frames <= 0) return;
        block_.resize(static_cast<std::size_t>(frames) * Mixer::kChannels);
        const std::int64_t stamp = system_.mixer_.Mix(block_.data(), frames);
        io_->write(reinterpret_cast<const char*>(block_.data()), static_cast<qint64>(frames) * kFrameBytes);
        if (stamp >= 0) {
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            system_.handOverNs_ = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() - stamp;
            ++system_.handOvers_;
        }
    }

    static constexpr int kFrameBytes = Mixer::kChannels * 2;
    SoundSystem& system_;
    QTimer* timer_ = nullptr;
    std::unique_ptr<QAudioSink> sink_;
    QIODevice* io_ = nullptr;
    std::vector<std::int16_t> block_;
    bool told_ = false;
};

SoundSystem::SoundSystem() {
    thread_.setObjectName(QStringLiteral("vexari-sound"));
    pump_ = new AudioPump(*this);
    pump_->moveToThread(&thread_);
    connect(&thread_, &QThread::started, pump_, [this] { pump_->Begin(); });
    thread_.start();
}

SoundSystem::~SoundSystem() {
    QMetaObject::invokeMethod(pump_, [this] { pump_->End(); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
    delete pump_;
}

}  // namespace vexari
