// SPDX-License-Identifier: GPL-3.0-or-later
// Plays a game through the real sound output for sound_pulse.sh: waits until
// the recording of the sink's monitor runs, starts a game, drops a figure
// that removes four rows and prints how many bytes the recording held at
// that moment, so that the script finds the event in it.
//   sound_probe RECORDING on|off
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "app/SoundSystem.h"
#include "../game/Fakes.h"
#include "sound/SoundDirector.h"

namespace {

// Runs the event loop until `done` or `ms` have passed; false on time out.
bool WaitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

std::uintmax_t Recorded(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::exists(file, error) ? std::filesystem::file_size(file, error) : 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 3) return 2;
    const std::filesystem::path recording = argv[1];
    vexari::SoundSystem sound;
    if (!WaitFor([&] { return sound.Open(); }, 5000)) {
        std::fprintf(stderr, "sound_probe: no audio output opened\n");
        return 1;
    }
    if (!WaitFor([&] { return Recorded(recording) > 0; }, 5000)) {
        std::fprintf(stderr, "sound_probe: the recording does not grow\n");
        return 1;
    }
    vexari::Settings settings;
    settings.sound = std::string_view(argv[2]) == "on" ? 1 : 0;
    settings.botLines = 0;
    vexari::Game game(settings);
    vexari::SoundDirector director(sound.Output(), settings, game.record());
    game.AddListener(&director);
    game.ResetGame();
    WaitFor([] { return false; }, 300);
    game.ToggleRunning(true);  // the start sound
    WaitFor([] { return false; }, 800);

    // Four rows, and an upright long figure that completes them.
    vexari::GameRecord& r = vexari::GameAccess::Record(game);
    for (int v = 21; v < 25; ++v)
        for (int u = 0; u < 9; ++u) r.well.at(u, v) = 1;
    r.stackTop = 21;
    r.mask = vexari::FigureTable()[1];
    vexari::RotateFigure(r.mask);
    r.x = 8;
    r.y = 0;
    game.KeyDown(settings.keys.drop, 1);
    const std::uintmax_t at = Recorded(recording);
    std::printf("event_bytes=%ju lines=%d\n", at, r.lines);
    WaitFor([] { return false; }, 1200);
    std::printf("handover_us=%lld sink_buffer_ms=%d\n", static_cast<long long>(sound.LastHandOverNs() / 1000),
                sound.SinkBufferMs());
    return r.lines == 4 ? 0 : 1;
}
