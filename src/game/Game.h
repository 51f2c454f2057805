// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "game/GameHooks.h"
#include "game/GameInputs.h"
#include "game/GameRecord.h"
#include "settings/Settings.h"

namespace vexari {

// Longest time a figure's placement is counted, in timer ticks.
inline constexpr int kMaxPlacementTicks = 720;
// Landings between two rising bottom lines.
inline constexpr int kLandingsPerBottomLine = 15;
// Shortest time between two pictures of the end-of-game animation.
inline constexpr std::uint32_t kAnimationFrameMs = 20;

// What follows the end-of-game animation.
enum class AfterAnimation {
    ReportAndReset,       // the well filled: report it, then a new game waits
    Reset,                // a network round ended
    ResetKeepingDrawing,  // the player left the network game
    StartNewGame,         // New Game: a fresh game runs at once
};

// The game loop: owns the game record and moves the falling figure on timer
// ticks, key presses and network orders. Everything outside the game is
// reached through the hooks, each of which may be left unset.
class Game {
public:
    explicit Game(Settings& settings);

    void SetHooks(const GameHooks& hooks);
    const GameHooks& hooks() const { return hooks_; }
    // Listeners hear of what happens in the order they were added.
    void AddListener(GameEvents* listener) { listeners_.push_back(listener); }
    void RemoveListener(GameEvents* listener) { std::erase(listeners_, listener); }
    // The one observer of the inputs (a recorder), or none.
    void SetInputObserver(InputObserver* observer) { inputs_ = observer; }
    InputObserver* inputObserver() const { return inputs_; }

    // The game's state, to read: it changes only through the methods below.
    const GameRecord& record() const { return record_; }
    Settings& settings() { return settings_; }
    const Settings& settings() const { return settings_; }

    // Figure placement on the current well.
    bool FigureFits(int x, int y) const;

    // Prepares a new game; the figure drawn before is erased unless
    // `keepOldDrawing`.
    void ResetGame(bool keepOldDrawing = true);
    // Prepares a new single game whose figures and rising lines come from
    // `seed` instead of the clock, as a network round's do (the same seed
    // gives the same game); it does not enter the high scores.
    void ResetWithSeed(std::uint32_t seed);

    // ---- Who plays, and how ----
    // The game becomes a network game (it waits for the server's start),
    // played by the computer at `computerSpeed` when one is given.
    void EnterNetworkGame(std::optional<int> computerSpeed);
    // The game is a single game of the player again.
    void LeaveNetworkGame();
    // The server started a round: the game takes the focus, resets with
    // the round's seed and start fall period, and runs at once.
    void StartNetworkRound(std::uint32_t seed, int fallPeriod);
    // The Demo command: the computer takes over a single game as it stands,
    // at `speed` (0..9), the game leaves the high scores, and a paused or
    // waiting game runs. A network game is left as it is.
    void SwitchComputerOn(int speed = kDefaultComputerSpeed);
    // The computer learns from the player's drops.
    void SetLearnMode(bool on) { record_.learnMode = on; }
    // The skill settings changed: a game whose level no longer rises leaves
    // the high scores, and a game waiting for its start takes them on.
    void SkillChanged();
    // Shows a finished game's final well, score and lines, waiting for a start.
    void ShowFinalPosition(const Well& well, std::int32_t score, std::int32_t lines);
    // Who plays and how, as a recording stores it, and putting it back.
    const GameMode& mode() const { return record_; }
    void RestoreMode(const GameMode& mode) { static_cast<GameMode&>(record_) = mode; }
    void TakeNextFigure();

    // One timer tick (kTickMs).
    void Tick();
    // Moves the figure one row down, or lands it; true when it moved.
    bool StepDown(bool draw);
    // Lands the figure; false when the game is over.
    bool LandFigure(bool draw);
    // A key went down (virtual-key code, auto-repeat count).
    void KeyDown(KeyCode key, int repeatCount);
    // Acts on the pending key and clears it.
    void KeyAction();
    // Presses a key as the player would while the game runs.
    void PressKey(KeyCode key, int repeatCount = 1);
    // Enter while not running, or a click on the status line.
    void EnterAction();
    void ToggleRunning(bool notify);
    void PopBottomLine();
    void ReceivePresentLine();
    // A present of `rows` rows arrived from the network game.
    void ReceivePresent(int rows);

    // The end-of-game animation: 40 pictures of a locomotive pushing the well
    // out, at least kAnimationFrameMs apart, and then `after`. The first
    // picture is drawn at once; the owner calls AdvanceAnimation() at
    // AnimationDeadline() until Animating() ends. Meanwhile the game neither
    // falls nor takes keys or presents. Without animation, or for a game that
    // waits for its start, `after` follows at once.
    void EndOfGameAnimation(AfterAnimation after);
    bool Animating() const { return animationFrame_ >= 0; }
    std::optional<std::uint32_t> AnimationDeadline() const;
    void AdvanceAnimation(std::uint32_t nowMs);
    // Skips the pictures left and carries out what follows at once.
    void FinishAnimation();

private:
    // Reports an input to the observer for as long as the game runs it.
    class InputScope {
    public:
        InputScope(Game& game, GameInput input);
        ~InputScope();
        InputScope(const InputScope&) = delete;
        InputScope& operator=(const InputScope&) = delete;

    private:
        Game& game_;
        GameInput input_;
    };
    friend struct GameAccess;  // tests set positions up directly

    void Reset(bool keepOldDrawing, std::optional<std::uint32_t> seed);
    bool AccelerateHeld();
    std::int64_t ClockSeconds();

    // The score is a 32-bit number, as the high-score file and the network
    // game carry it: a very long game stays at the largest value instead of
    // wrapping round to a negative score.
    void Score(std::int32_t points) {
        const std::int64_t sum = std::int64_t{record_.score} + points;
        record_.score = static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, INT32_MIN, INT32_MAX));
    }
    int LineAward() const { return settings_.next ? 1000 : 1300; }
    void MoveFigure(int newX, int newY, const FigureMask& oldMask);
    void Rotate(int turns);
    void ScanRows(int& removed);
    void RemoveRow(int k);
    void RaiseLevel();
    void GameOverReport();
    void DrawAnimationFrame();
    void CompleteAnimation();
    template <typename Call>
    void Tell(Call call) {
        for (GameEvents* listener : listeners_) call(*listener);
    }
    // Combines the falling figure's cells into the well.
    void MergeFigure();

    Settings& settings_;
    GameRecord record_;
    GameHooks hooks_;
    std::vector<GameEvents*> listeners_;
    InputObserver* inputs_ = nullptr;
    int inputDepth_ = 0;  // inputs the game is running at this moment
    int animationFrame_ = -1;  // the picture shown last; -1: no animation
    std::uint32_t frameShownAt_ = 0;
    AfterAnimation afterAnimation_ = AfterAnimation::Reset;
};

}  // namespace vexari
