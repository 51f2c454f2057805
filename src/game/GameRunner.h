// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <set>

#include "game/Game.h"
#include "game/GameHooks.h"

namespace vexari {

// The wall clock's seconds and the milliseconds since this clock was made
// (a 32-bit count that wraps every 49.7 days).
class SystemClock final : public GameClock {
public:
    SystemClock();
    std::int64_t Seconds() override;
    std::uint32_t TickCount() override;

private:
    std::int64_t startNs_;
};

// Runs a game in time, for the window, the bot, the simulator and the replay
// player alike: the game timer's ticks (kTickMs, counted by the owner's
// timer), the computer player's pauses between its key presses and the
// end-of-game pictures, each a deadline on the clock's wrapping millisecond
// count. Keys that come while the computer presses its keys or the pictures
// run are held back and handed to the game in order once that is over. It
// knows which keys are held down.
//
// The owner keeps one timer for the deadlines: `wait` tells it when the next
// one falls due, and the owner calls Deadline() then.
class GameRunner final : public KeyState {
public:
    struct Outputs {
        // Call Deadline() in `ms` milliseconds; none (-1): no timed state is left.
        std::function<void(int ms)> wait;
        // Nothing is timed any more: messages held for the game may go on.
        std::function<void()> idle;
        // A key press the game is free for, before the game sees it: true
        // when it is taken (an accelerator of the window).
        std::function<bool(KeyCode key)> accelerator;
    };

    GameRunner(Game& game, GameClock& clock) : game_(game), clock_(clock) {}
    void SetOutputs(Outputs outputs) { outputs_ = std::move(outputs); }

    // The computer is pressing keys or the pictures run: input waits.
    bool Busy() const { return Computer().Busy() || game_.Animating(); }
    // One tick of the game timer.
    void Tick();
    // The time told through `wait` has come.
    void Deadline();
    // Finds the next timed state; once none is left, hands on the held keys
    // and announces that the game is free again.
    void Schedule();
    // Presses the computer's pending keys and ends the pictures at once: a
    // click, a menu or a command must not cut a placement in half.
    void FinishPendingWork();
    // Keyboard or mouse input ends one of the computer's pauses.
    void InputArrived();
    // The earlier of the computer's and the pictures' deadlines.
    std::optional<std::uint32_t> NextDeadline() const;

    // A key went down or up; an auto-repeated press does
    // not change what is held.
    void KeyPressed(KeyCode key, bool autoRepeat);
    void KeyReleased(KeyCode key) { keysDown_.erase(key); }
    // The keys were lost: nothing is held any more.
    void ReleaseAllKeys() { keysDown_.clear(); }
    // A key press as the accelerators and the game take it; held while Busy().
    void KeyDown(KeyCode key, int repeatCount);
    // KeyState
    bool IsKeyDown(KeyCode key) override { return keysDown_.count(key) != 0; }

private:
    ComputerHooks& Computer() const { return *game_.hooks().computer; }
    void ReplayHeldKeys();

    Game& game_;
    GameClock& clock_;
    Outputs outputs_;
    std::set<KeyCode> keysDown_;
    struct HeldKey {
        KeyCode key;
        int repeatCount;
    };
    std::deque<HeldKey> heldKeys_;
};

}  // namespace vexari
