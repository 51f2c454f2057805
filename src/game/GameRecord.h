// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>

#include "game/Figures.h"
#include "game/GameRules.h"
#include "game/Well.h"

namespace vexari {

// Who plays a game and how, apart from the settings: what a recording keeps
// to play it again.
struct GameMode {
    bool computerPlays = false;
    int computerSpeed = kDefaultComputerSpeed;  // kMinComputerSpeed..kMaxComputerSpeed
    bool learnMode = false;
    bool highScoreEligible = false;
    bool networkGame = false;
    std::uint32_t networkSeed = 0;
    int networkFallPeriod = 5;  // start fall period of a network round

    friend bool operator==(const GameMode&, const GameMode&) = default;
};

// The whole state of one game: who plays it and how, and where it stands.
struct GameRecord : GameMode {
    Well well;
    int height = 25;  // current playing height H; the configured one becomes current at a reset

    FigureMask mask;  // the falling figure
    int x = 3;        // well column of box column 0
    int y = 0;        // well row of box row 0
    int nextFigure = 0;
    std::array<std::int32_t, kFigureCount> figureWeights{4681, 4681, 4681, 4681, 4681, 4681, 4681};
    std::uint32_t figureSeed = 1;
    std::uint32_t lineSeed = 1;

    std::int32_t score = 0;
    std::int32_t lines = 0;
    int fallPeriod = 5;      // timer ticks per row; players see Level()
    int placementTicks = 1;  // ticks since the figure appeared, 1..720
    int fallTicks = 0;       // ticks counted towards the next fall
    int landingCounter = 0;  // landings towards the next bottom line, 0..14
    int stackTop = 25;       // topmost row holding a settled cell; H when empty
    int landingIndicator = 2;
    int dropStartX = 3;
    int dropStartY = 0;

    bool running = false;
    bool waitingForStart = false;

    int playerRotation = 0;      // quarter turns (mod 4) since the figure appeared
    int playerDisplacement = 0;  // net columns moved since the figure appeared

    KeyCode pendingKey = KeyCode::None;  // the key for KeyAction
    int repeatCount = 0;

    int Level() const { return LevelOfFallPeriod(fallPeriod); }
};

}  // namespace vexari
