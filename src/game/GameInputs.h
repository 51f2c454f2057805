// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace vexari {

// The calls from outside that move a game on. Together with what the game
// reads from the world while it runs them (the clock's seconds at a reset,
// the accelerate key at a tick) they decide everything that happens.
enum class InputKind : std::uint8_t {
    Tick,
    KeyDown,         // a = the key's stored code, b = repeat count
    PressKey,        // a = the key's stored code, b = repeat count (the computer's keys)
    Enter,           // the Enter action
    ToggleRunning,   // a = notify
    Present,         // a = rows
    Reset,           // a = keep the old drawing
    EndAnimation,    // a = AfterAnimation: the end-of-game animation begins
    AnimationFrame,  // one more picture of the animation is due
    FinishAnimation, // the rest of the animation is skipped
};

struct GameInput {
    InputKind kind = InputKind::Tick;
    int a = 0;
    int b = 0;
};

// Hears of every input as the game applies it and of every value it reads
// from outside, in order. An input may cause others (a tick that ends the
// game resets it; the computer presses its first key inside a tick): `depth`
// is 0 for a call from outside and grows by one for each input the game is
// already running. Only inputs that change something are reported: a frame
// of the animation that is not due yet, or finishing an animation that does
// not run, is not.
class InputObserver {
public:
    virtual ~InputObserver() = default;
    virtual void InputBegins(const GameInput& input, int depth) = 0;
    virtual void InputEnds(const GameInput& input, int depth) { (void)input, (void)depth; }
    // The accelerate key was looked at and found held or not.
    virtual void AccelerateRead(bool held) { (void)held; }
    // The clock's seconds were read to seed a new game.
    virtual void SecondsRead(std::int64_t seconds) { (void)seconds; }
};

}  // namespace vexari
