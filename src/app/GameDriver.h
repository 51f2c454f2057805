// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <deque>
#include <set>

#include "ai/ComputerPlayer.h"
#include "game/Game.h"
#include "game/GameHooks.h"
#include "game/GameRules.h"
#include "ui/MenuActions.h"

namespace vexari {

// Runs the game in time: the game timer (kTickMs), the computer player's pauses
// between its key presses and the end-of-game animation, each as a timed
// state of the event loop. Keys that come while the computer presses its
// keys or the animation runs are held back and handed to the game in order
// once that is over. It is the game's clock and knows which keys are held.
class GameDriver : public QObject, public GameClock, public KeyState {
    Q_OBJECT
public:
    GameDriver(Game& game, ComputerPlayer& computer, QObject* parent = nullptr);
    ~GameDriver() override;

    // The computer is pressing keys or the animation runs: input waits.
    bool Busy() const { return computer_.Busy() || game_.Animating(); }
    // A key went down or up in the game's view; an
    // auto-repeated press does not change what is held.
    void KeyPressed(KeyCode key, bool autoRepeat);
    void KeyReleased(KeyCode key);
    // A key press as the game and the accelerators take it.
    void KeyDown(KeyCode key, int repeatCount);
    // The view lost the keys: nothing is held any more.
    void ReleaseAllKeys() { keysDown_.clear(); }
    // Presses the computer's pending keys and ends the animation at once: a
    // click, a menu or a command must not cut a placement in half.
    void FinishPendingWork();
    // One tick of the game timer.
    void OnGameTimer();
    // Sets the timer for the next timed state; once none is left, hands on
    // the held keys and announces that the game is free again.
    void Schedule();
    void Stop();
    // The wait set for the next timed state in ms, -1 when none (for the tests).
    int NextWaitMs() const { return deadlineTimer_.isActive() ? deadlineTimer_.interval() : -1; }

    // GameClock
    std::int64_t Seconds() override;
    std::uint32_t TickCount() override;
    // KeyState
    bool IsKeyDown(KeyCode key) override { return keysDown_.count(key) != 0; }

signals:
    // Tab, 1 or F2 were pressed: the command they stand for.
    void actionRequested(MenuAction action);
    // Nothing is timed any more: messages held for the game may go on.
    void idle();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnDeadline();
    void ReplayHeldKeys();

    Game& game_;
    ComputerPlayer& computer_;
    QTimer timer_;
    QTimer deadlineTimer_;
    QElapsedTimer clock_;
    std::set<KeyCode> keysDown_;
    struct HeldKey {
        KeyCode key;
        int repeatCount;
    };
    std::deque<HeldKey> heldKeys_;
    QEvent::Type lastInputType_ = QEvent::None;  // the input that last ended a wait
    quint64 lastInputTimestamp_ = 0;
};

}  // namespace vexari
