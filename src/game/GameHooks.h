#pragma once
#include <cstdint>

#include "game/Figures.h"

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
    // Returns once `ms` milliseconds have passed since the tick count `start`.
    virtual void WaitSince(std::uint32_t start, std::uint32_t ms) = 0;
};

// Whether a key (virtual-key code) is held down at this moment.
class KeyState {
public:
    virtual ~KeyState() = default;
    virtual bool IsKeyDown(int virtualKey) = 0;
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

// The window around the game.
class GameShell {
public:
    virtual ~GameShell() = default;
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
};

}  // namespace vexari
