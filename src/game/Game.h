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

    GameRecord& record() { return record_; }
    const GameRecord& record() const { return record_; }
    Settings& settings() { return settings_; }
    const Settings& settings() const { return settings_; }

    // Figure placement on the current well.
    bool FigureFits(int x, int y) const;

    // Prepares a new game; the figure drawn before is erased unless
    // `keepOldDrawing`.
    void ResetGame(bool keepOldDrawing = true);
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
