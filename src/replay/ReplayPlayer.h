// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "ai/ComputerPlayer.h"
#include "game/Game.h"
#include "game/GameRules.h"
#include "replay/Replay.h"

namespace vexari {

// The outcome of playing a replay: whether the game went as the file says,
// and if not, the first tick where it left the recording.
struct ReplayVerdict {
    bool ok = true;
    std::uint32_t tick = 0;
    std::string message;  // one line; empty when ok
};

// Plays a replay on a game of its own, without a window: the recorded
// inputs go to a fresh Game tick by tick, the computer player of the replay
// makes the moves the recorded one made, and the clock's seconds and the
// accelerate key answer as they did. The settings of the player's own game
// are not touched.
//
// The window drives it: Step() at every tick (kTickMs) for normal speed (or N
// times a tick for N times the speed), StepFigure() for one figure,
// RunToEnd() to skip to the end; it paints game() through SetPainter().
// Leaving is destroying the player. Each step checks the play against the
// file; once Finished(), Verdict() tells whether every landing, the final
// well, the score and the lines matched.
class ReplayPlayer final : public GameClock, public KeyState, public GameEvents {
public:
    explicit ReplayPlayer(Replay replay);
    ~ReplayPlayer() override;
    ReplayPlayer(const ReplayPlayer&) = delete;
    ReplayPlayer& operator=(const ReplayPlayer&) = delete;

    const Replay& replay() const { return replay_; }
    Game& game() { return game_; }
    const Game& game() const { return game_; }
    void SetPainter(GamePainter* painter);

    // Plays the inputs recorded before the next tick, then that tick; false
    // once the replay is over.
    bool Step();
    // Plays until the next figure has landed (and no further), or to the end.
    bool StepFigure();
    void RunToEnd();

    bool Finished() const { return finished_; }
    std::uint32_t TicksPlayed() const { return tick_; }
    std::size_t FiguresLanded() const { return landed_; }
    // Meaningful once Finished().
    const ReplayVerdict& Verdict() const { return verdict_; }

    // GameClock and KeyState: the recorded answers.
    std::int64_t Seconds() override;
    std::uint32_t TickCount() override { return tick_ * kTickMs; }
    bool IsKeyDown(KeyCode key) override;
    // GameEvents: the landings and the end are checked.
    void FigureLanded(const Landing& landing) override;
    void GameOver(std::int32_t score, std::int32_t lines) override;

private:
    // Plays one recorded input, or else the next tick (true), or ends.
    bool PlayNext();
    void ApplyInput();
    void ApplyTick();
    // The readings recorded right after the cursor, with the tick given.
    void TakeReadings(std::uint32_t tick);
    void AfterInput();
    void Conclude();
    void Diverge(std::string message);
    const ReplayEvent* NextReading();

    Settings settings_;
    Game game_{settings_};
    ComputerPlayer computer_{game_};
    GamePainter* painter_ = nullptr;
    Replay replay_;
    std::size_t next_ = 0;      // the next event to play
    std::size_t readEnd_ = 0;   // the readings of the input being played end here
    std::uint32_t tick_ = 0;
    std::size_t landed_ = 0;
    bool accelerate_ = false;
    bool wellFilled_ = false;
    ReplayClaims filled_;  // the game as it stood when the well filled
    bool finished_ = false;
    ReplayVerdict verdict_;
};

// Plays the whole replay and returns the verdict.
ReplayVerdict VerifyReplay(const Replay& replay);

}  // namespace vexari
