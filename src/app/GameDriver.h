// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QEvent>
#include <QObject>
#include <QTimer>

#include "ai/ComputerPlayer.h"
#include "game/Game.h"
#include "game/GameHooks.h"
#include "game/GameRunner.h"
#include "ui/MenuActions.h"

namespace vexari {

// The window's timers around the game runner: the game timer (kTickMs) and
// one for the runner's deadlines, both timed states of the event loop. It
// passes the window's keys and the user's input on, and is the game's clock
// and knows which keys are held. The game timer is the window's only one:
// what else plays in the game's time (a replay shown) follows its ticks.
class GameDriver : public QObject, public GameClock, public KeyState {
    Q_OBJECT
public:
    GameDriver(Game& game, ComputerPlayer& computer, QObject* parent = nullptr);
    ~GameDriver() override;

    // The computer is pressing keys or the animation runs: input waits.
    bool Busy() const { return runner_.Busy(); }
    void KeyPressed(KeyCode key, bool autoRepeat) { runner_.KeyPressed(key, autoRepeat); }
    void KeyReleased(KeyCode key) { runner_.KeyReleased(key); }
    void KeyDown(KeyCode key, int repeatCount) { runner_.KeyDown(key, repeatCount); }
    void ReleaseAllKeys() { runner_.ReleaseAllKeys(); }
    void FinishPendingWork() { runner_.FinishPendingWork(); }
    // One tick of the game timer: the game's, then ticked().
    void OnGameTimer() {
        runner_.Tick();
        emit ticked();
    }
    void Schedule() { runner_.Schedule(); }
    void Stop();

    // GameClock
    std::int64_t Seconds() override { return clock_.Seconds(); }
    std::uint32_t TickCount() override { return clock_.TickCount(); }
    // KeyState
    bool IsKeyDown(KeyCode key) override { return runner_.IsKeyDown(key); }

signals:
    // Tab, 1 or F2 were pressed: the command they stand for.
    void actionRequested(MenuAction action);
    // Nothing is timed any more: messages held for the game may go on.
    void idle();
    // A tick of the game timer went by, after the game's own.
    void ticked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ComputerPlayer& computer_;
    SystemClock clock_;
    GameRunner runner_;
    QTimer timer_;
    QTimer deadlineTimer_;
    QEvent::Type lastInputType_ = QEvent::None;  // the input that last ended a wait
    quint64 lastInputTimestamp_ = 0;
};

}  // namespace vexari
