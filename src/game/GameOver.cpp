// SPDX-License-Identifier: GPL-3.0-or-later
// The end of a game: the locomotive that pushes the well out, run as a timed
// sequence so that the thread it shares with the window and a hosted server
// never waits, and the report that follows it.
#include "game/Game.h"
#include "game/Locomotive.h"

namespace vexari {

void Game::EndOfGameAnimation(AfterAnimation after) {
    const InputScope input(*this, {InputKind::EndAnimation, static_cast<int>(after)});
    FinishAnimation();  // one end at a time
    afterAnimation_ = after;
    GameRecord& r = record_;
    if (!settings_.animate || r.waitingForStart) return CompleteAnimation();
    MergeFigure();
    hooks_.painter->FigureMergedOnScreen(r.x, r.y, r.mask);
    r.running = false;
    animationFrame_ = 0;
    DrawAnimationFrame();
}

std::optional<std::uint32_t> Game::AnimationDeadline() const {
    if (!Animating()) return std::nullopt;
    return frameShownAt_ + kAnimationFrameMs;
}

void Game::AdvanceAnimation(std::uint32_t nowMs) {
    // Unsigned differences stay right when the millisecond count wraps.
    if (!Animating() || nowMs - frameShownAt_ < kAnimationFrameMs) return;
    const InputScope input(*this, {InputKind::AnimationFrame});
    if (animationFrame_ + 1 < kLocomotiveSteps) {
        ++animationFrame_;
        DrawAnimationFrame();
    } else {
        CompleteAnimation();
    }
}

void Game::DrawAnimationFrame() {
    GameRecord& r = record_;
    Well& well = r.well;
    const int i = animationFrame_;
    frameShownAt_ = hooks_.clock->TickCount();
    const int pictureTop = kLocomotiveRows - r.height;  // a lower well cuts off the top rows
    for (int v = 0; v < r.height; ++v) {
        for (int n = 0; n + 1 < Well::kColumns; ++n) well.at(n, v) = well.at(n + 1, v);
        for (int n = 0; n < Well::kColumns; ++n) {
            const int p = n + i - 9;
            if (p >= 0 && p < kLocomotiveColumns) well.at(n, v) = LocomotiveCell(i % 2, pictureTop + v, p);
        }
    }
    hooks_.painter->PaintGame();
}

void Game::FinishAnimation() {
    if (!Animating()) return;
    const InputScope input(*this, {InputKind::FinishAnimation});
    CompleteAnimation();
}

void Game::CompleteAnimation() {
    animationFrame_ = -1;
    switch (afterAnimation_) {
    case AfterAnimation::ReportAndReset:
        GameOverReport();
        ResetGame(false);
        break;
    case AfterAnimation::Reset:
        ResetGame(false);
        break;
    case AfterAnimation::ResetKeepingDrawing:
        ResetGame(true);
        break;
    case AfterAnimation::StartNewGame:
        ResetGame(true);
        ToggleRunning(true);
        break;
    }
}

void Game::GameOverReport() {
    if (record_.networkGame)
        hooks_.network->SendFilled();
    else
        hooks_.window->ShowHighScores(record_.highScoreEligible, record_.score);
}

}  // namespace vexari
