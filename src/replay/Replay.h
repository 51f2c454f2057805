// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/Game.h"
#include "game/Well.h"
#include "settings/Settings.h"

namespace vexari {

// Everything outside the inputs that changes how a game plays: the settings
// the game loop and the computer player read, and who plays and how, which
// the window, the network game or the demo command set.
// The settings part starts as a fresh Settings does.
struct PlayConditions {
    int height = Settings{}.height;
    int fallPeriod = Settings{}.fallPeriod;
    int next = Settings{}.next;
    int incLevel = Settings{}.incLevel;
    int botLines = Settings{}.botLines;
    int animate = Settings{}.animate;
    KeyBindings keys;
    ComputerWeights weights;
    GameMode mode;

    friend bool operator==(const PlayConditions&, const PlayConditions&) = default;
};

// The conditions of `game` as they stand, and putting them into a game.
PlayConditions CaptureConditions(const Game& game);
void ApplyConditions(const PlayConditions& conditions, Game& game);

// What a replay holds between two ticks, in the order it happened.
enum class ReplayEventKind : std::uint8_t {
    KeyDown,         // value = the key's stored code, repeat
    PressKey,        // value = the key's stored code, repeat (the computer's presses)
    AccelerateDown,  // the game found the accelerate key held ...
    AccelerateUp,    // ... or no longer held
    Enter,
    Pause,           // ToggleRunning without notice
    PauseNotify,     // ToggleRunning with notice
    Present,         // value = rows
    Reset,           // value = keep the old drawing; only the first event
    Seconds,         // value = the clock's seconds read for a seed
    Conditions,      // value = index into Replay::changes
    Count,
};

// Reads are answers the game got while it ran the input before them.
inline bool IsRead(ReplayEventKind kind) {
    return kind == ReplayEventKind::AccelerateDown || kind == ReplayEventKind::AccelerateUp ||
           kind == ReplayEventKind::Seconds;
}

struct ReplayEvent {
    std::uint32_t tick = 0;  // timer ticks of the game before it
    ReplayEventKind kind = ReplayEventKind::Enter;
    std::int32_t repeat = 1;
    std::int64_t value = 0;
    friend bool operator==(const ReplayEvent&, const ReplayEvent&) = default;
};

// Where a figure came to rest, for finding the first landing a replay no
// longer matches.
struct ReplayLanding {
    std::uint32_t tick = 0;
    std::int8_t figure = 0;
    std::int8_t x = 0;
    std::int8_t y = 0;
    std::int8_t removed = 0;
    friend bool operator==(const ReplayLanding&, const ReplayLanding&) = default;
};

enum class ReplayEnd : std::uint8_t {
    Filled,   // the well filled: the game over
    Stopped,  // a new game, the end of a network round, leaving, or the program ended
};

// What the file says the game came to.
struct ReplayClaims {
    ReplayEnd end = ReplayEnd::Filled;
    std::uint32_t ticks = 0;  // timer ticks from the reset to the end
    std::int32_t score = 0;
    std::int32_t lines = 0;
    int height = 25;  // of the well at the end
    Well well;        // at the end: when the well filled, before the end-of-game pictures
    friend bool operator==(const ReplayClaims&, const ReplayClaims&) = default;
};

struct Replay {
    std::string program;           // the program's version
    std::int64_t recordedAt = 0;   // seconds since 1970 when the game ended (not used in play)
    std::string player;            // the player's name (UTF-8)
    PlayConditions start;          // applied before the first event, the reset
    std::vector<PlayConditions> changes;
    std::vector<ReplayEvent> events;
    std::vector<ReplayLanding> landings;
    ReplayClaims claims;
    friend bool operator==(const Replay&, const Replay&) = default;
};

enum class ReplayKind { Single, Demo, Network };
// A network game, a game the computer played any part of, or a single game.
ReplayKind KindOf(const Replay& replay);
const char* KindName(ReplayKind kind);

}  // namespace vexari
