// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "game/GameHooks.h"
#include "game/GameRecord.h"
#include "settings/Settings.h"
#include "sound/SoundOutput.h"

namespace vexari {

// Which event of a game, a network session and the window sounds, and how
// loud: it listens to one game (the player's own, or a replay's) and is told
// of the session's events by the window. Nothing sounds while SOUND is 0 or
// the volume is 0, nor for a game the computer plays; moves and turns click
// only when asked for. A replay played faster than it was played keeps only
// the rows removed and the end.
class SoundDirector final : public GameEvents {
public:
    SoundDirector(SoundOutput& output, const Settings& settings, const GameRecord& record)
        : output_(output), settings_(settings), record_(record) {}

    // 1: as the game was played (the player's own game, or a replay at 1x).
    void SetSpeed(int speed) { speed_ = speed; }

    // GameEvents
    void FigureLanded(const Landing& landing) override;
    void PresentArrived(int rows) override;
    void LevelChanged(int level) override;
    void GameOver(std::int32_t score, std::int32_t lines) override;
    void FigureDropped() override { dropping_ = true; }
    void FigureMoved(bool turned) override;
    void RunningChanged(RunChange change) override;

    // The network session and the window.
    void CountdownSecond() { Emit(Effect::Countdown, false); }
    void RoundEnded() { Emit(Effect::RoundEnd, false); }
    void ChatArrived() { Emit(Effect::Chat, false); }
    void TopTenPlace() { Emit(Effect::TopTen, false); }

    // The volume 0..100 as gain.
    static float Gain(int volume);

private:
    // `ofGame`: the event comes from the game itself, which may be the computer's.
    void Emit(Effect effect, bool ofGame);

    SoundOutput& output_;
    const Settings& settings_;
    const GameRecord& record_;
    int speed_ = 1;
    bool dropping_ = false;  // the next landing ends a drop
};

}  // namespace vexari
