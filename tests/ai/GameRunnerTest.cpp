// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "../game/Fakes.h"
#include "ai/ComputerPlayer.h"
#include "game/GameRunner.h"

namespace vexari {

// The runner on a clock moved across the 32-bit wrap waits for the earlier of the computer's and the
// pictures' deadlines, and holds the keys pressed meanwhile until both are over: then the window's
// accelerators and the game get them in order and the game is free again. A key let go is not held down.
TEST(GameRunner, WaitsForTheEarlierDeadlineAcrossTheWrapAndHoldsTheKeysMeanwhile) {
    test::GameFixture f;
    ComputerPlayer computer(f.game);
    GameRunner runner(f.game, f);
    std::vector<int> waits;
    std::vector<KeyCode> seen;
    int idle = 0;
    runner.SetOutputs({.wait = [&](int ms) { waits.push_back(ms); },
                       .idle = [&] { ++idle; },
                       .accelerator = [&](KeyCode key) { return seen.push_back(key), key == KeyCode::F2; }});
    f.game.SetHooks({.painter = &f, .clock = &f, .keys = &runner, .network = &f, .window = &f, .computer = &computer});
    f.ticks = 0xFFFFFF90u;
    f.game.SwitchComputerOn();
    f.SetFigure(1, 3, 0);
    computer.Move();  // the first key at once, each step followed by a pause of 110 ms
    f.ticks += 100, f.game.EndOfGameAnimation(AfterAnimation::Reset);
    f.r().running = true, runner.Schedule();  // the computer goes on pressing under the pictures
    EXPECT_EQ(waits, std::vector{10});        // the computer's at 0xFFFFFFFE; the picture's is at 8, past the wrap
    f.ticks += 9, runner.Deadline();  // neither is due yet, though the picture's is the smaller number
    EXPECT_EQ(std::tuple(waits.back(), f.game.AnimationDeadline()), std::tuple(1, 8u));
    f.ticks = 8, runner.Deadline();  // both are due past the wrap: the key is pressed, the picture shown
    EXPECT_EQ(std::tuple(waits.back(), computer.NextDeadline()), std::tuple(20, 118u));
    f.r().running = false, runner.KeyPressed(KeyCode::Enter, false), runner.KeyDown(KeyCode::F2, 1);
    EXPECT_TRUE(runner.IsKeyDown(KeyCode::Enter) && seen.empty() && !f.r().running && idle == 0);
    runner.KeyReleased(KeyCode::Enter);
    runner.FinishPendingWork();  // the pictures end, the game is reset and the Enter held back starts it
    EXPECT_EQ(std::tuple(seen, waits.back(), idle != 0, runner.IsKeyDown(KeyCode::Enter), f.game.Animating(), f.r().running),
              std::tuple(std::vector{KeyCode::Enter, KeyCode::F2}, -1, true, false, false, true));
}

}  // namespace vexari
