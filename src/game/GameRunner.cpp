// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/GameRunner.h"

#include <chrono>

namespace vexari {
namespace {

std::int64_t SteadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The earlier of two tick counts that may lie on either side of a wrap.
std::optional<std::uint32_t> Earlier(std::optional<std::uint32_t> a, std::optional<std::uint32_t> b) {
    if (!a || !b) return a ? a : b;
    return TickReached(*a, *b) ? a : b;
}

bool Due(std::optional<std::uint32_t> deadline, std::uint32_t now) { return deadline && TickReached(*deadline, now); }

}  // namespace

SystemClock::SystemClock() : startNs_(SteadyNs()) {}

std::int64_t SystemClock::Seconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::uint32_t SystemClock::TickCount() { return static_cast<std::uint32_t>((SteadyNs() - startNs_) / 1000000); }

void GameRunner::Tick() {
    game_.Tick();
    Schedule();
}

std::optional<std::uint32_t> GameRunner::NextDeadline() const {
    return Earlier(Computer().NextDeadline(), game_.AnimationDeadline());
}

void GameRunner::Schedule() {
    // Nobody to tell and no key held: nothing to schedule (the simulator).
    if (!outputs_.wait && !outputs_.idle && heldKeys_.empty()) return;
    // What is handed on once the game is free may make it busy again.
    for (;;) {
        if (const auto deadline = NextDeadline()) {
            if (outputs_.wait) outputs_.wait(TicksUntil(*deadline, clock_.TickCount()));
            return;
        }
        if (outputs_.wait) outputs_.wait(-1);
        ReplayHeldKeys();
        if (Busy()) continue;
        if (outputs_.idle) outputs_.idle();
        if (!Busy()) return;
    }
}

void GameRunner::Deadline() {
    const std::uint32_t now = clock_.TickCount();
    if (Due(Computer().NextDeadline(), now)) Computer().Advance(now);
    if (Due(game_.AnimationDeadline(), now)) game_.AdvanceAnimation(now);
    Schedule();
}

void GameRunner::FinishPendingWork() {
    if (!Busy()) return;
    Computer().Finish();
    game_.FinishAnimation();
    Schedule();
}

void GameRunner::InputArrived() {
    Computer().InputArrived(clock_.TickCount());
    Schedule();
}

void GameRunner::ReplayHeldKeys() {
    // Input that came while the game was busy is handled now, in the order
    // it arrived.
    while (!heldKeys_.empty() && !Busy()) {
        const HeldKey key = heldKeys_.front();
        heldKeys_.pop_front();
        KeyDown(key.key, key.repeatCount);
    }
}

void GameRunner::KeyPressed(KeyCode key, bool autoRepeat) {
    if (!autoRepeat) keysDown_.insert(key);
    KeyDown(key, 1);
}

void GameRunner::KeyDown(KeyCode key, int repeatCount) {
    if (Busy()) {
        heldKeys_.push_back({key, repeatCount});
        return;
    }
    if (outputs_.accelerator && outputs_.accelerator(key)) return;
    game_.KeyDown(key, repeatCount);
    Schedule();
}

}  // namespace vexari
