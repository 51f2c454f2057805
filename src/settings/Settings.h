// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "settings/KeyCode.h"

namespace vexari {

// The six configurable keys.
struct KeyBindings {
    KeyCode left = KeyCode::Left;
    KeyCode right = KeyCode::Right;
    KeyCode rotate = KeyCode::Up;
    KeyCode rotate2 = KeyCode::Clear;
    KeyCode drop = KeyCode::Space;
    KeyCode accelerate = KeyCode::Down;

    friend bool operator==(const KeyBindings&, const KeyBindings&) = default;
};

// What a gamepad button does: the player key it presses.
enum PadAction { kPadNone, kPadRotate, kPadRotate2, kPadDrop, kPadAccelerate, kPadActionCount };

// A gamepad's own settings. Its directions press the move, drop and
// accelerate keys; a held Left or Right repeats after `delay` milliseconds,
// `rate` times a second, as a held key does.
struct PadSettings {
    enum Button { kA, kB, kX, kY, kLeftShoulder, kRightShoulder, kButtonCount };
    static constexpr int kMinDelay = 100, kMaxDelay = 2000;
    static constexpr int kMinRate = 1, kMaxRate = 60;

    int delay = 500;
    int rate = 30;
    std::array<int, kButtonCount> buttons{kPadRotate, kPadRotate2, kPadRotate2, kPadDrop, kPadRotate2, kPadRotate};

    friend bool operator==(const PadSettings&, const PadSettings&) = default;
};

// The computer player's weights. Eight criteria are defined; the table has
// room for thirty, the rest stay 0 and add nothing.
struct ComputerWeights {
    static constexpr int kCriteria = 8;
    static constexpr int kCapacity = 30;
    // What each criterion measures of the well after a placement; the
    // settings file keeps them under the DEMO keys named in the comments.
    enum Criterion {
        kHoles,          // HOLE: empty cells under the surface, negated
        kHoleDepth,      // MINHOLE: how deep the holes lie under filled cells, negated
        kContacts,       // HEIGHT: the figure's cells touching the stack or walls beside them,
                         // 0 unless every position of the box rests on something
        kExtraPits,      // ILLLINE: pits (columns over a row deeper than both neighbours)
                         // beyond the first, negated
        kWidePits,       // ILL2LINE: two-column pits, negated
        kRoughness,      // SURFACE: the sum of the squared steps between columns, negated
        kLandingDepth,   // YFIGURE: how low the figure comes to rest, plus the rows it removes
        kMultiRowBonus,  // GREED: (rows removed - 1)^2 for two rows or more, +1 when one pit is left
    };

    std::array<double, kCapacity> w{41, 5, 0, 7, 1, 1, 1, 1};

    double& operator[](int i) { return w[static_cast<std::size_t>(i)]; }
    double operator[](int i) const { return w[static_cast<std::size_t>(i)]; }
    static ComputerWeights Defaults() { return {}; }

    friend bool operator==(const ComputerWeights&, const ComputerWeights&) = default;
};

// Screen facts the default window geometry is computed from.
struct ScreenMetrics {
    int maximizedHeight = 768;   // height of a maximised window
    int fullScreenWidth = 1024;  // width of the full-screen client area
    int sizingFrame = 4;         // thickness of the window's sizing frame
    int originX = 0;             // top-left corner of that area on the desktop
    int originY = 0;
};

// Figure colours: the classic ones, or ones that stay apart for players
// with any of the common colour vision deficiencies.
enum Palette { kPaletteClassic = 0, kPaletteDistinct = 1 };

// Every value of the settings file, in memory.
struct Settings {
    // KEYS
    KeyBindings keys;
    PadSettings pad;
    // SKILL
    int fallPeriod = 5;         // start fall period, kMinFallPeriod..kMaxFallPeriod
    std::int16_t next = 1;      // next-figure hint shown
    std::int16_t incLevel = 1;  // level rises during the game
    int botLines = 1;           // a bottom line rises every 15 landings
    int height = 25;            // well height H
    // DEMO
    ComputerWeights weights;
    // DESIGN
    int sound = 1;
    int animate = 1;
    int color = 1;
    std::int16_t dots = 1;  // 0 none, 1 white, 2 black, 3 inverted
    int dotInterval = 1;
    int palette = 0;  // kPaletteClassic or kPaletteDistinct
    int marks = 0;    // figure cells carry their figure's letter
    int landing = 0;  // the falling figure's landing place is outlined
    int soundVolume = 80;  // 0..100
    int soundClicks = 0;   // moves and turns click
    // NET
    std::string playerName;  // text(20)
    std::string server;      // text(100)
    std::string team;        // text(20)
    int port = 7000;
    int netFallPeriod = 5;
    int teamThrow = 0;
    int playerThrow = 0;
    int pendLines = 0;
    int countOnlyWinScores = 1;
    int playerWinScores = 0;
    int teamWinScores = 1;
    int playTill = 20;
    int countdownSeconds = 0;
    int traceMessages = 1;
    // FILES
    std::string highScore = "vexari.his";  // text(100)
    std::string help = "vexari.hlp";       // text(100)
    std::string bitmap;                    // text(100)
    // SIZE
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    // INSTALLED
    int installed = 0;
};

}  // namespace vexari

namespace vexari {
// The ranges the stored values keep, whoever gives them (the file, a
// dialog, the host of a network game, a command line). What the game makes
// of them (levels, shown heights, its clock) is in game/GameRules.h.

// Well heights H the game accepts.
inline constexpr int kMinWellHeight = 19;
inline constexpr int kMaxWellHeight = 25;
inline int ClampWellHeight(int h) { return h < kMinWellHeight ? kMinWellHeight : h > kMaxWellHeight ? kMaxWellHeight : h; }

// Fall periods: timer ticks per row, the smallest the fastest.
inline constexpr int kMinFallPeriod = 1;
inline constexpr int kMaxFallPeriod = 10;
inline int ClampFallPeriod(int p) { return p < kMinFallPeriod ? kMinFallPeriod : p > kMaxFallPeriod ? kMaxFallPeriod : p; }

// Seconds of countdown before a network round, 0 to this.
inline constexpr int kMaxCountdownSeconds = 10;

// TCP ports the network game uses; 0 lets the system pick one for a host.
inline constexpr int kMaxPort = 65535;

// How the receivers of a present are chosen, among the teams (teamThrow)
// and inside a team (playerThrow); the settings, the host's options and the
// wire keep the number.
enum class ThrowMode : std::int32_t { All = 0, MostStrong = 1, MostWeak = 2, Random = 3, RandomDispatch = 4 };
inline constexpr int kMaxThrowMode = static_cast<int>(ThrowMode::RandomDispatch);
inline int ClampThrowMode(int mode) { return mode < 0 ? 0 : mode > kMaxThrowMode ? kMaxThrowMode : mode; }
}  // namespace vexari
