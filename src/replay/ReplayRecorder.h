// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "game/Game.h"
#include "game/GameInputs.h"
#include "replay/Replay.h"

namespace vexari {

// Records every game of one Game object as it is played: from the reset
// that prepares it to the landing that fills the well, or until the game
// is left (a new game, the end of a network round, leaving a network game,
// Stop()). Each finished game in which a figure landed goes to the sink.
//
// The recorder keeps the inputs the owner gives the game (depth 0) and
// what the game read from the clock and the accelerate key while running
// them; the inputs the game causes itself are left out, as a replay causes
// them again. A reset inside an input (New Game after its animation, a
// game over without animation) begins the next recording, which then also
// keeps the rest of that input's own inputs (the start of the new game).
class ReplayRecorder final : public InputObserver, public GameEvents {
public:
    using Sink = std::function<void(Replay&& replay)>;
    using Now = std::function<std::int64_t()>;

    // Attaches itself to `game`; `now` gives the date written into each
    // replay (the system's time when not given).
    ReplayRecorder(Game& game, Sink sink, Now now = {});
    ~ReplayRecorder() override;
    ReplayRecorder(const ReplayRecorder&) = delete;
    ReplayRecorder& operator=(const ReplayRecorder&) = delete;

    // Ends the game being recorded as stopped (the program or the bot ends).
    void Stop();
    bool Recording() const { return current_.has_value(); }

    void InputBegins(const GameInput& input, int depth) override;
    void InputEnds(const GameInput& input, int depth) override;
    void AccelerateRead(bool held) override;
    void SecondsRead(std::int64_t seconds) override;
    void FigureLanded(const Landing& landing) override;
    void GameOver(std::int32_t score, std::int32_t lines) override;

private:
    void Begin(bool keepOldDrawing, int depth);
    void End(ReplayEnd end);
    void Add(ReplayEventKind kind, std::int64_t value = 0, int repeat = 1);

    Game& game_;
    Sink sink_;
    Now now_;
    std::optional<Replay> current_;
    std::uint32_t tick_ = 0;
    int captureDepth_ = 0;  // the depth of the inputs kept
    PlayConditions known_;   // the conditions the replay will have at this point
    bool accelerate_ = false;
};

}  // namespace vexari
