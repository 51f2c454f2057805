// SPDX-License-Identifier: GPL-3.0-or-later
// The game loop driven by fuzzed settings, keys, timer ticks and presents,
// with no window around it. After every step the well keeps its walls and
// floor, holds only colour values, and the falling figure stands inside the
// playing field on empty cells.
#include <cstdint>

#include "FuzzSupport.h"
#include "game/Game.h"
#include "settings/SettingsFile.h"

namespace {

using namespace vexari;

// Seconds seed a single-player game; the accelerate key may be held.
struct FuzzClock final : GameClock {
    std::int64_t seconds = 0;
    std::int64_t Seconds() override { return seconds; }
    std::uint32_t ms = 0;
    std::uint32_t TickCount() override { return ms; }
};

struct FuzzKeys final : KeyState {
    KeyCode held = KeyCode::None;
    bool IsKeyDown(KeyCode key) override { return key == held; }
};

// The keys a player presses: the six configurable ones, Enter, Escape and one
// the game ignores.
constexpr KeyCode kKeys[] = {KeyCode::Left, KeyCode::Right, KeyCode::Up,    KeyCode::Clear, KeyCode::Space,
                             KeyCode::Down, KeyCode::Enter, KeyCode::Escape, KeyCode::A};

KeyCode Key(std::uint8_t b) { return kKeys[b % (sizeof kKeys / sizeof kKeys[0])]; }

void CheckRecord(const Game& game) {
    const GameRecord& r = game.record();
    const Well& w = r.well;
    FUZZ_CHECK(r.height >= kMinWellHeight && r.height <= kMaxWellHeight, "height %d", r.height);
    FUZZ_CHECK(r.fallPeriod >= 1 && r.fallPeriod <= 10, "fall period %d", r.fallPeriod);
    for (int v = 0; v < r.height; ++v)
        FUZZ_CHECK(w.at(-1, v) == 1 && w.at(Well::kColumns, v) == 1, "wall broken in row %d", v);
    for (int u = 0; u < Well::kColumns; ++u) {
        FUZZ_CHECK(w.at(u, r.height) == 1, "floor broken in column %d", u);
        for (int v = 0; v < r.height; ++v)
            FUZZ_CHECK(w.at(u, v) >= 0 && w.at(u, v) <= 7, "cell %d,%d holds %d", u, v, static_cast<int>(w.at(u, v)));
    }
    for (int u = 0; u < 4; ++u)
        for (int v = 0; v < 4; ++v) {
            if (r.mask.at(u, v) == 0) continue;
            const int col = r.x + u;
            const int row = r.y + v;
            FUZZ_CHECK(col >= 0 && col < Well::kColumns && row >= 0 && row < r.height,
                       "figure cell outside the well at %d,%d", col, row);
            // The end-of-game pictures draw over the figure's place.
            FUZZ_CHECK(game.Animating() || w.at(col, row) == 0, "figure overlaps a settled cell at %d,%d", col, row);
        }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ByteReader in(data, size);
    Settings settings;
    settings.height = in.Byte();
    settings.fallPeriod = in.Byte() % 12;
    const std::uint8_t flags = in.Byte();
    settings.next = flags & 1;
    settings.incLevel = (flags >> 1) & 1;
    settings.botLines = (flags >> 2) & 1;
    settings.animate = (flags >> 3) & 1;
    SanitizeSettings(settings);

    FuzzClock clock;
    FuzzKeys keys;
    clock.seconds = in.Byte();
    Game game(settings);
    game.SetHooks({.clock = &clock, .keys = &keys});
    GameMode mode;
    mode.networkGame = (flags >> 4) & 1;
    mode.computerPlays = (flags >> 5) & 1;
    mode.computerSpeed = in.Byte() % 10;
    mode.networkFallPeriod = in.Byte() % 12;
    mode.networkSeed = in.Byte();
    game.RestoreMode(mode);
    game.ResetGame(false);
    CheckRecord(game);

    while (!in.Empty()) {
        const std::uint8_t op = in.Byte();
        switch (op % 8) {
            case 0: game.Tick(); break;
            case 1: game.KeyDown(Key(in.Byte()), 1 + (op >> 3) % 4); break;
            case 2: game.ReceivePresent(1 + (op >> 3) % 4); break;
            case 3: game.EnterAction(); break;
            case 4: game.ToggleRunning((op >> 3) & 1); break;
            case 5: keys.held = (op >> 3) & 1 ? settings.keys.accelerate : KeyCode::None; break;
            case 6: game.ResetGame((op >> 3) & 1); break;
            case 7:
                for (int i = 0; i < (op >> 3); ++i) game.Tick();
                clock.ms += 55u * (op >> 3);
                game.AdvanceAnimation(clock.ms);
                break;
        }
        CheckRecord(game);
    }
    return 0;
}
