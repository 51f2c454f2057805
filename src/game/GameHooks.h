// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>

#include "game/Figures.h"
#include "settings/KeyCode.h"

namespace vexari {

// What the game asks of the screen. The painter reads the game record itself.
class GamePainter {
public:
    virtual ~GamePainter() = default;
    virtual void DrawFigure(int x, int y) = 0;
    virtual void EraseFigure(int x, int y, const FigureMask& mask) = 0;
    virtual void PaintGame() = 0;  // repaint the cells that changed, the counters and the panel
    virtual void DrawNextPanel() = 0;
    virtual void UpdateStatusLine() = 0;
    virtual void HeightChanged() = 0;  // H changed: lay the window out again
    // The falling figure was merged into the well where it is already shown.
    virtual void FigureMergedOnScreen(int x, int y, const FigureMask& mask) = 0;
};

// Seconds of the wall clock and a millisecond tick count.
class GameClock {
public:
    virtual ~GameClock() = default;
    virtual std::int64_t Seconds() = 0;
    virtual std::uint32_t TickCount() = 0;
};

// Deadlines on the tick count, right across its wrap every 49.7 days: `at`
// has come at `now`, and the milliseconds from `now` until `at` (0 once it
// has come).
inline bool TickReached(std::uint32_t at, std::uint32_t now) { return static_cast<std::int32_t>(now - at) >= 0; }
inline int TicksUntil(std::uint32_t at, std::uint32_t now) {
    const auto left = static_cast<std::int32_t>(at - now);
    return left > 0 ? left : 0;
}

// Whether a key (virtual-key code) is held down at this moment.
class KeyState {
public:
    virtual ~KeyState() = default;
    virtual bool IsKeyDown(KeyCode key) = 0;
};

// Reports to the network game server, and the start request.
class NetworkLink {
public:
    virtual ~NetworkLink() = default;
    virtual void SendPause() = 0;
    virtual void SendResume() = 0;
    virtual void SendLanded(int stackHeight, int score, int removed) = 0;
    virtual void SendFilled() = 0;
    virtual bool MayStart() = 0;
    virtual void RequestStart() = 0;
};

// What the game asks of the window around it.
class WindowRequests {
public:
    virtual ~WindowRequests() = default;
    // A single-player game ended: show the high-score table, offering `score`
    // for entry when `eligible`; repaint afterwards.
    virtual void ShowHighScores(bool eligible, std::int32_t score) = 0;
    virtual void HideMessageWindow() = 0;
    virtual void Minimize() = 0;
    virtual void TakeFocus() = 0;
};

// The computer player as the game loop sees it.
class ComputerHooks {
public:
    virtual ~ComputerHooks() = default;
    virtual void NewFigure() = 0;   // a new figure of the user's game appeared
    virtual void LearnStep() = 0;   // the user is about to drop the figure
    virtual void Move() = 0;        // the computer's figure fell a row: place it
    virtual bool Busy() const = 0;  // the computer is pressing keys: the timer waits
    // Its pauses between key presses, on the tick count: when the current
    // pause ends (none while not Busy()); the pause has ended by `nowMs`;
    // input at `nowMs` ends it at once; every pending key pressed at once.
    virtual std::optional<std::uint32_t> NextDeadline() const { return std::nullopt; }
    virtual void Advance(std::uint32_t nowMs) { (void)nowMs; }
    virtual void InputArrived(std::uint32_t nowMs) { (void)nowMs; }
    virtual void Finish() {}
};

// One figure came to rest: where, and the game as it stands afterwards.
struct Landing {
    int figure = 0;  // index into FigureTable()
    int x = 0;       // the figure's box where it came to rest
    int y = 0;
    int removed = 0;  // rows removed by this landing
    std::int32_t score = 0;
    std::int32_t lines = 0;
    int stackTop = 0;
};

// How the game's running changed: a new game or round began, or the game
// paused or went on.
enum class RunChange { Started, Paused, Resumed };

// What happened in the game, for those who follow it rather than draw it:
// the window, the tools and the tests. Each is told once, after the game's
// record has been brought up to date.
class GameEvents {
public:
    virtual ~GameEvents() = default;
    virtual void FigureLanded(const Landing& landing) { (void)landing; }
    // A present of `rows` rows arrived and rises now (fewer when the game is
    // lost on the way).
    virtual void PresentArrived(int rows) { (void)rows; }
    // The level rose during a game (LevelOfFallPeriod of the new fall period).
    virtual void LevelChanged(int level) { (void)level; }
    // The well is full; the end-of-game picture and the report follow.
    virtual void GameOver(std::int32_t score, std::int32_t lines) { (void)score, (void)lines; }
    // A new game was prepared and waits for its start.
    virtual void GameReset() {}
    // The drop key sent the figure down; its landing is told next.
    virtual void FigureDropped() {}
    // A key moved the falling figure sideways or turned it.
    virtual void FigureMoved(bool turned) { (void)turned; }
    // Started, paused or resumed; the stop at a full well is told as GameOver.
    virtual void RunningChanged(RunChange change) { (void)change; }
};

// Everything outside the game that the game reaches, each by name. Build it
// with designated initialisers, naming only the hooks there are:
//     game.SetHooks({.clock = &clock, .computer = &player});
// A hook left unset does nothing (a clock that stands at 0, no keys down, no
// network, ...). Those who only follow the game listen to GameEvents instead.
struct GameHooks {
    GamePainter* painter = nullptr;
    GameClock* clock = nullptr;
    KeyState* keys = nullptr;
    NetworkLink* network = nullptr;
    WindowRequests* window = nullptr;
    ComputerHooks* computer = nullptr;
};

}  // namespace vexari
