// SPDX-License-Identifier: GPL-3.0-or-later
// The game loop: a new game, who plays it, the figures drawn, and the falling
// figure's moves on timer ticks and keys. Landing and the rows that go or rise
// are in GameWell.cpp, the end of a game in GameOver.cpp.
#include "game/Game.h"

#include "game/NullHooks.h"
#include "game/Random.h"

namespace vexari {

Game::Game(Settings& settings) : settings_(settings) { SetHooks({}); }

void Game::SetHooks(const GameHooks& hooks) { hooks_ = WithNullHooks(hooks); }

Game::InputScope::InputScope(Game& game, GameInput input) : game_(game), input_(input) {
    if (game_.inputs_) game_.inputs_->InputBegins(input_, game_.inputDepth_);
    ++game_.inputDepth_;
}

Game::InputScope::~InputScope() {
    --game_.inputDepth_;
    if (game_.inputs_) game_.inputs_->InputEnds(input_, game_.inputDepth_);
}

bool Game::AccelerateHeld() {
    const bool held = hooks_.keys->IsKeyDown(settings_.keys.accelerate);
    if (inputs_) inputs_->AccelerateRead(held);
    return held;
}

std::int64_t Game::ClockSeconds() {
    const std::int64_t seconds = hooks_.clock->Seconds();
    if (inputs_) inputs_->SecondsRead(seconds);
    return seconds;
}

bool Game::FigureFits(int x, int y) const { return vexari::FigureFits(record_.well, record_.mask, x, y); }

void Game::ResetGame(bool keepOldDrawing) {
    Reset(keepOldDrawing, record_.networkGame ? std::optional(record_.networkSeed) : std::nullopt);
}

void Game::ResetWithSeed(std::uint32_t seed) { Reset(true, seed); }

void Game::Reset(bool keepOldDrawing, std::optional<std::uint32_t> seed) {
    const InputScope input(*this, {InputKind::Reset, keepOldDrawing});
    GameRecord& r = record_;
    const FigureMask oldMask = r.mask;
    const int oldX = r.x;
    const int oldY = r.y;

    const int height = ClampWellHeight(settings_.height);
    if (height != r.height) {
        r.height = height;
        hooks_.painter->HeightChanged();
    }
    r.highScoreEligible = settings_.incLevel && !r.computerPlays && !seed;
    if (seed) {
        r.figureSeed = *seed;
        r.lineSeed = *seed;
    } else {
        r.figureSeed = static_cast<std::uint32_t>(ClockSeconds() % 65535);
        r.lineSeed = static_cast<std::uint32_t>(ClockSeconds() % 65535);
    }
    r.waitingForStart = true;
    r.running = false;
    r.fallPeriod = ClampFallPeriod(r.networkGame ? r.networkFallPeriod : settings_.fallPeriod);
    r.stackTop = r.height;
    r.fallTicks = 0;
    r.landingCounter = 0;
    r.score = 0;
    r.lines = 0;
    r.well.Reset(r.height);

    // The first figure of a game is never one of the two skew figures.
    int first;
    do first = DrawRandom(r.figureSeed) % kFigureCount;
    while (first >= 5);
    r.nextFigure = first;
    r.figureWeights.fill(4681);
    TakeNextFigure();

    r.landingIndicator = 2;
    hooks_.painter->PaintGame();
    hooks_.painter->DrawFigure(r.x, r.y);
    if (!keepOldDrawing) hooks_.painter->EraseFigure(oldX, oldY, oldMask);
    Tell([](GameEvents& e) { e.GameReset(); });
}

void Game::EnterNetworkGame(std::optional<int> computerSpeed) {
    record_.networkGame = true;
    record_.computerPlays = computerSpeed.has_value();
    if (computerSpeed) record_.computerSpeed = *computerSpeed;
}

void Game::LeaveNetworkGame() {
    record_.computerPlays = false;
    record_.networkGame = false;
}

void Game::StartNetworkRound(std::uint32_t seed, int fallPeriod) {
    record_.networkFallPeriod = fallPeriod;
    record_.networkSeed = seed;
    hooks_.window->TakeFocus();
    // The old figure's drawing goes, as after a game over: a round may
    // start under a game that is still shown running.
    ResetGame(false);
    ToggleRunning(false);  // waiting for start: it starts at once
}

void Game::SwitchComputerOn(int speed) {
    GameRecord& r = record_;
    if (r.networkGame) return;
    r.computerPlays = true;
    r.computerSpeed = speed;
    r.highScoreEligible = false;
    // The menu has normally paused a running game; one that still runs simply
    // goes on under the computer instead of being paused.
    if (!r.running) ToggleRunning(true);
}

void Game::SkillChanged() {
    if (!settings_.incLevel) record_.highScoreEligible = false;
    if (record_.waitingForStart) ResetGame(true);
}

void Game::ShowFinalPosition(const Well& well, std::int32_t score, std::int32_t lines) {
    record_.well = well;
    record_.score = score;
    record_.lines = lines;
    record_.waitingForStart = true;
}

void Game::TakeNextFigure() {
    GameRecord& r = record_;
    r.mask = FigureTable()[static_cast<std::size_t>(r.nextFigure)];

    // Weighted choice; the weights always add up to 32767, so only a drawn
    // 32767 falls past the last figure and is drawn again.
    int chosen = -1;
    while (chosen < 0) {
        const int value = DrawRandom(r.figureSeed);
        int sum = 0;
        for (int f = 0; f < kFigureCount; ++f) {
            sum += r.figureWeights[static_cast<std::size_t>(f)];
            if (value < sum) {
                chosen = f;
                break;
            }
        }
    }
    // The figure just drawn becomes much less likely, the others a bit more.
    const int weight = r.figureWeights[static_cast<std::size_t>(chosen)];
    const int taken = weight >= 7000 ? 7000 : 7 * (weight / 7);
    for (auto& w : r.figureWeights) w += taken / 7;
    r.figureWeights[static_cast<std::size_t>(chosen)] -= taken;
    r.nextFigure = chosen;

    r.placementTicks = 1;
    r.x = 3;
    r.y = 0;
    if (!r.computerPlays) {
        hooks_.computer->NewFigure();
        r.playerRotation = 0;
        r.playerDisplacement = 0;
    }
}

void Game::Tick() {
    const InputScope input(*this, {InputKind::Tick});
    GameRecord& r = record_;
    if (hooks_.computer->Busy()) return;  // the computer is still pressing its keys
    if (Animating()) return;
    if (r.placementTicks < kMaxPlacementTicks) ++r.placementTicks;
    if (!r.running) return;

    ++r.fallTicks;
    if (r.computerPlays) {
        const bool due = r.fallTicks >= ComputerFallTicks(r.computerSpeed);
        const bool hurried = !r.networkGame && AccelerateHeld();
        if (due) r.fallTicks = 0;
        if ((due || hurried) && StepDown(true)) hooks_.computer->Move();
    } else {
        const bool due = r.fallTicks >= r.fallPeriod;
        const bool hurried = AccelerateHeld();
        if (due) r.fallTicks = 0;
        if (due || hurried) StepDown(true);
    }
}

void Game::MoveFigure(int newX, int newY, const FigureMask& oldMask) {
    const int oldX = record_.x;
    const int oldY = record_.y;
    record_.x = newX;
    record_.y = newY;
    hooks_.painter->DrawFigure(newX, newY);
    hooks_.painter->EraseFigure(oldX, oldY, oldMask);
}

bool Game::StepDown(bool draw) {
    GameRecord& r = record_;
    if (!FigureFits(r.x, r.y + 1)) {
        LandFigure(draw);
        return false;
    }
    if (draw || settings_.animate)
        MoveFigure(r.x, r.y + 1, r.mask);
    else
        ++r.y;
    return true;
}

void Game::KeyDown(KeyCode key, int repeatCount) {
    const InputScope input(*this, {InputKind::KeyDown, StoredKeyCode(key), repeatCount});
    if (Animating()) return;  // the owner holds keys back until the animation is over
    if (record_.running) {
        PressKey(key, repeatCount);
    } else if (key == KeyCode::Enter) {
        EnterAction();
    } else if (key == KeyCode::Escape) {
        hooks_.window->Minimize();
    }
}

void Game::PressKey(KeyCode key, int repeatCount) {
    const InputScope input(*this, {InputKind::PressKey, StoredKeyCode(key), repeatCount});
    record_.pendingKey = key;
    record_.repeatCount = repeatCount;
    KeyAction();
}

void Game::Rotate(int turns) {
    GameRecord& r = record_;
    const FigureMask saved = r.mask;
    for (int t = 0; t < turns; ++t) RotateFigure(r.mask);
    for (int i = 0; i <= 3; ++i) {
        for (const int column : {r.x + i, r.x - i}) {
            if (!FigureFits(column, r.y)) continue;
            r.playerRotation = (r.playerRotation + turns) % 4;
            r.playerDisplacement += column - r.x;
            MoveFigure(column, r.y, saved);
            Tell([](GameEvents& e) { e.FigureMoved(true); });
            return;
        }
    }
    r.mask = saved;
}

void Game::KeyAction() {
    GameRecord& r = record_;
    const KeyBindings& keys = settings_.keys;
    const KeyCode key = r.pendingKey;
    if (key == keys.drop) {
        if (!r.computerPlays && r.learnMode) hooks_.computer->LearnStep();
        r.dropStartX = r.x;
        r.dropStartY = r.y;
        Tell([](GameEvents& e) { e.FigureDropped(); });
        while (StepDown(false)) {
        }
    } else if (key == keys.left || key == keys.right) {
        const int step = key == keys.left ? -1 : 1;
        bool moved = false;
        for (int i = 0; i < r.repeatCount; ++i) {
            if (!FigureFits(r.x + step, r.y)) continue;
            MoveFigure(r.x + step, r.y, r.mask);
            r.playerDisplacement += step;
            moved = true;
        }
        if (moved) Tell([](GameEvents& e) { e.FigureMoved(false); });
    } else if (key == keys.rotate) {
        Rotate(1);
    } else if (key == keys.rotate2) {
        Rotate(3);
    } else if (key != keys.accelerate && key == KeyCode::Escape) {
        ToggleRunning(true);
    }
    r.pendingKey = KeyCode::None;
}

void Game::EnterAction() {
    const InputScope input(*this, {InputKind::Enter});
    GameRecord& r = record_;
    if (Animating()) return;
    if (r.waitingForStart && r.networkGame) {
        if (hooks_.network->MayStart()) hooks_.network->RequestStart();
        return;
    }
    hooks_.window->TakeFocus();
    ToggleRunning(true);
}

void Game::ToggleRunning(bool notify) {
    const InputScope input(*this, {InputKind::ToggleRunning, notify});
    GameRecord& r = record_;
    std::optional<RunChange> change;
    if (r.running) {
        r.running = false;
        if (r.networkGame) {
            if (notify) hooks_.network->SendPause();
        } else {
            r.computerPlays = false;
        }
        // A figure that no longer fits stops a game that is over, not paused.
        if (FigureFits(r.x, r.y)) change = RunChange::Paused;
    } else if (r.waitingForStart) {
        r.fallTicks = 0;
        r.running = true;
        r.waitingForStart = false;
        r.placementTicks = 1;
        hooks_.painter->DrawFigure(r.x, r.y);
        hooks_.painter->DrawNextPanel();
        hooks_.window->HideMessageWindow();
        change = RunChange::Started;
    } else if (r.networkGame && notify) {
        hooks_.network->SendResume();
    } else {
        r.fallTicks = 0;
        r.running = true;
        hooks_.window->HideMessageWindow();
        change = RunChange::Resumed;
    }
    hooks_.painter->UpdateStatusLine();
    if (change) Tell([&](GameEvents& e) { e.RunningChanged(*change); });
}

}  // namespace vexari
