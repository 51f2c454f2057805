// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's rules of time, speed and size, for every layer that runs,
// shows, stores or sends a game. The ranges the settings keep (fall period,
// well height, countdown) are in settings/Settings.h, below this library.
#include "settings/Settings.h"

namespace vexari {

// ---- Time ----

// The game's timer: every tick moves the falling figure on, paces the
// computer player and the end-of-game pictures, and plays a replay at
// normal speed.
inline constexpr int kTickMs = 55;

// The server's second, for the hosted and the headless server alike: every
// 18th tick (990 ms). It counts the countdown before a round (one step of
// Settings::countdownSeconds each), sends the tables when trace messages are
// off and times out joins that never finish.
inline constexpr int kServerSecondTicks = 18;
inline constexpr int kServerSecondMs = kServerSecondTicks * kTickMs;

// ---- Speed: fall period and level ----

// The game counts its speed as a fall period (ticks per row, from
// kMinFallPeriod, the fastest, to kMaxFallPeriod); the settings, the replay
// files and the wire keep fall periods. Players see and choose a level,
// 0 (slowest) to 9: level = 10 - fall period.
template <typename T>
constexpr T LevelOfFallPeriod(T fallPeriod) {
    return T{kMaxFallPeriod} - fallPeriod;
}
template <typename T>
constexpr T FallPeriodOfLevel(T level) {
    return T{kMaxFallPeriod} - level;
}
inline constexpr int kMinLevel = LevelOfFallPeriod(kMaxFallPeriod);
inline constexpr int kMaxLevel = LevelOfFallPeriod(kMinFallPeriod);

// ---- The computer player's speed ----

// 0 (slowest) to 9: the computer's figure falls a row every 12 - speed
// ticks. The Demo command, a network name "comp" without a digit and the
// tools play at the default speed.
inline constexpr int kMinComputerSpeed = 0;
inline constexpr int kMaxComputerSpeed = 9;
inline constexpr int kDefaultComputerSpeed = 2;
inline constexpr int ComputerFallTicks(int speed) { return 12 - speed; }

// ---- Size: real and shown well height ----

// The well has H playing rows (Settings::height, the HEIGHT the settings and
// the wire keep); players see and enter one less: shown height = H - 1.
template <typename T>
constexpr T ShownWellHeight(T height) {
    return height - 1;
}
template <typename T>
constexpr T WellHeightOfShown(T shown) {
    return shown + 1;
}
inline constexpr int kMinShownWellHeight = ShownWellHeight(kMinWellHeight);
inline constexpr int kMaxShownWellHeight = ShownWellHeight(kMaxWellHeight);

}  // namespace vexari
