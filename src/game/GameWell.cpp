// SPDX-License-Identifier: GPL-3.0-or-later
// The well's side of the game: a figure landing in it, the full rows that
// go and the score and level they bring, and the rows that rise from the
// bottom, every kLandingsPerBottomLine landings or as a network present.
#include "game/Game.h"

#include <algorithm>

#include "game/Random.h"

namespace vexari {

bool Game::LandFigure(bool draw) {
    GameRecord& r = record_;
    if (!draw && !settings_.animate) {
        hooks_.painter->DrawFigure(r.x, r.y);
        hooks_.painter->EraseFigure(r.dropStartX, r.dropStartY, r.mask);
    }
    Score((settings_.next ? 540 : 702) / (r.placementTicks + 2));
    MergeFigure();
    hooks_.painter->PaintGame();

    int removed = 0;
    ScanRows(removed);
    RaiseLevel();

    if (removed >= 2)
        r.landingIndicator = 4;
    else if (removed == 1)
        r.landingIndicator = 3;
    else
        r.landingIndicator = r.y > r.height / 2 ? 2 : 1;

    if (++r.landingCounter >= kLandingsPerBottomLine) {
        r.landingCounter = 0;
        if (settings_.botLines && !r.networkGame) {
            --r.landingIndicator;
            Score(LineAward() / r.fallPeriod);
            PopBottomLine();
        }
    }
    if (r.networkGame) {
        // Presents push rows out over the top and StackTop below 0; the
        // stack never stands higher than the well.
        hooks_.network->SendLanded(r.height - std::clamp(r.stackTop, 0, r.height), r.score, removed);
    }
    const Landing landing{FigureIndexOf(r.mask), r.x, r.y, removed, r.score, r.lines, r.stackTop};
    Tell([&](GameEvents& e) { e.FigureLanded(landing); });

    TakeNextFigure();
    hooks_.painter->PaintGame();
    if (FigureFits(r.x, r.y)) {
        hooks_.painter->DrawFigure(r.x, r.y);
        return true;
    }
    ToggleRunning(false);
    Tell([&](GameEvents& e) { e.GameOver(r.score, r.lines); });
    EndOfGameAnimation(AfterAnimation::ReportAndReset);
    return false;
}

void Game::MergeFigure() {
    GameRecord& r = record_;
    for (int u = 0; u < 4; ++u)
        for (int v = 0; v < 4; ++v)
            if (r.mask.at(u, v)) r.well.at(r.x + u, r.y + v) |= r.mask.at(u, v);
}

void Game::ScanRows(int& removed) {
    GameRecord& r = record_;
    const int end = std::min(r.y + 5, r.height);
    for (int k = r.y; k < end; ++k) {
        int filled = 0;
        for (int u = 0; u < Well::kColumns; ++u) filled += r.well.at(u, k) != 0;
        if (filled == Well::kColumns) {
            RemoveRow(k);
            if (settings_.animate) hooks_.painter->PaintGame();
            ++r.lines;
            ++removed;
            Score(removed * LineAward() / r.fallPeriod);
            ++r.stackTop;
        } else if (filled > 0 && k < r.stackTop) {
            r.stackTop = k;
        }
    }
}

void Game::RemoveRow(int k) {
    Well& well = record_.well;
    for (int u = 0; u < Well::kColumns; ++u)
        for (int v = k; v >= 1; --v) well.at(u, v) = well.at(u, v - 1);
}

void Game::RaiseLevel() {
    GameRecord& r = record_;
    if (!settings_.incLevel || r.networkGame) return;
    const int before = r.fallPeriod;
    while (r.lines >= 15 * (r.Level() + 1) && r.fallPeriod > kMinFallPeriod) {
        --r.fallPeriod;
        r.fallTicks = 0;
    }
    if (r.fallPeriod != before) Tell([&](GameEvents& e) { e.LevelChanged(r.Level()); });
}

void Game::PopBottomLine() {
    GameRecord& r = record_;
    Well& well = r.well;
    const int bottom = r.height - 1;
    for (int u = 0; u < Well::kColumns; ++u)
        for (int v = 0; v < r.height; ++v) well.at(u, v) = well.at(u, v + 1);
    bool full = true;
    for (int u = 0; u < Well::kColumns; ++u) {
        well.at(u, bottom) = DrawRandom(r.lineSeed) % 4 != 0 ? 1 : 0;
        full &= well.at(u, bottom) != 0;
    }
    if (full) well.at(DrawRandom(r.lineSeed) % Well::kColumns, bottom) = 0;
    --r.stackTop;
}

void Game::ReceivePresent(int rows) {
    const InputScope input(*this, {InputKind::Present, rows});
    // H rows replace the whole well, so a larger count cannot add more; and
    // once the game is lost nothing more rises.
    const int count = std::min(rows, record_.height);
    const auto lost = [this] { return record_.waitingForStart || Animating(); };
    if (count <= 0 || lost()) return;
    Tell([&](GameEvents& e) { e.PresentArrived(count); });
    for (int i = 0; i < count && !lost(); ++i) ReceivePresentLine();
}

void Game::ReceivePresentLine() {
    GameRecord& r = record_;
    if (r.waitingForStart || Animating()) return;
    if (r.y > 0) {
        MoveFigure(r.x, r.y - 1, r.mask);
    } else {
        while (!FigureFits(r.x, r.y + 1))
            if (!LandFigure(true)) return;
    }
    PopBottomLine();
    hooks_.painter->PaintGame();
}

}  // namespace vexari
