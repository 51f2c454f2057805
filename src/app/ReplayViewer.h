// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>

#include "replay/Replay.h"
#include "replay/ReplayPlayer.h"
#include "settings/Settings.h"

namespace vexari {

class GameDriver;
class GameView;

// Plays one replay in the game view, in place of the window's own game,
// which stays as it was: the view shows the replay's game on a screen of its
// own until the viewer is destroyed. Each tick of the window's game timer
// (the driver's, kTickMs) plays `speed` ticks of the replay; the playback
// keys pause, change the speed, step one figure or skip to the end.
class ReplayViewer : public QObject {
    Q_OBJECT
public:
    // The playback keys.
    static constexpr KeyCode kKeyPause = KeyCode::Space;
    static constexpr KeyCode kKeyStep = KeyCode::Right;
    static constexpr KeyCode kKeySkip = KeyCode::End;
    static constexpr KeyCode kKeySpeed1 = KeyCode::Digit1;  // 1, 2, 4: that many times the speed
    static constexpr KeyCode kKeySpeed2 = KeyCode::Digit2;
    static constexpr KeyCode kKeySpeed4 = KeyCode::Digit4;
    static constexpr KeyCode kKeySpeed16 = KeyCode::Digit6;  // 6: sixteen times
    static constexpr int kMaxSkippedTicks = 20000;

    // `display` gives the look (colours, dots); the view's background is kept.
    // The replay goes by the ticks of `driver`'s game timer.
    ReplayViewer(Replay replay, GameView& view, const Settings& display, GameDriver& driver,
                 QObject* parent = nullptr);
    ~ReplayViewer() override;

    ReplayPlayer& player() { return player_; }
    int Speed() const { return speed_; }
    // Ticks of the replay a tick of the game timer plays now.
    int PlaySpeed() const { return skipping_ ? kMaxSkippedTicks : speed_; }
    // Paused by the player, after a step or at the end.
    bool Paused() const { return paused_; }

    // A key pressed in the view: false when it is not a playback key, which
    // leaves the replay (the caller destroys the viewer).
    bool KeyPressed(KeyCode key);
    void SetSpeed(int speed);
    void TogglePause();
    void StepFigure();
    void SkipToEnd();
    // One tick of the game timer, unless paused: `speed` ticks of the
    // replay; a wait for the start or a pause goes by at once, as does the
    // rest of the replay after SkipToEnd (up to kMaxSkippedTicks a tick).
    void OnGameTimer();

    // What the window's title and the status line say while the replay is shown.
    QString Title() const;
    QString StatusText() const;
    // The playback keys, for the status line and the Replays dialog.
    static QString KeysText();

signals:
    void titleChanged(const QString& title);
    // PlaySpeed() changed; said before any tick is played at the new speed.
    void playSpeedChanged(int ticks);

private:
    void SetPlaySpeed(int speed, bool skipping);
    void Shown();
    void ShowEnd();

    GameView& view_;
    Settings display_;
    ReplayPlayer player_;
    int speed_ = 1;
    bool paused_ = false;
    bool skipping_ = false;  // to the end, as fast as the timer goes
    bool endShown_ = false;
};

}  // namespace vexari
