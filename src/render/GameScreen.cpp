// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/GameScreen.h"

#include <algorithm>
#include <utility>

#include "render/Background.h"
#include "render/Bevel.h"

namespace vexari {

GameScreen::GameScreen(const GameRecord& record, const Settings& settings, const PixelImage& background,
                       ScreenHost& host)
    : record_(record), settings_(settings), background_(background), host_(host) {
    for (auto& cell : cells_) cell = PixelImage(8, 8, kGrey);
}

void GameScreen::MakeCells() {
    look_ = CellLook::Of(settings_);
    for (int v = 0; v <= 7; ++v)
        cells_[static_cast<std::size_t>(v)] = MakeCellImage(v, layout_.cellW, layout_.cellH, layout_.bevel, look_);
}

void GameScreen::SetLayout(const WindowLayout& layout) {
    layout_ = layout;
    const int n = layout.bevel;
    MakeCells();
    frame_ = PixelImage(layout.clientW, layout.clientH);
    DrawRaisedBox(frame_, 0, 0, layout.clientW, layout.clientH, n, kGrey, kWhite, kDarkGrey, false, true);
    for (const Rect& area : {layout.well, layout.indicatorRow, layout.nextPanel, layout.scoreBox, layout.levelBox,
                             layout.linesBox})
        DrawSunkenFrame(frame_, area.x, area.y, area.w, area.h, n, kBlack, kGrey, kWhite, kDarkGrey, true);
    screen_ = PixelImage(layout.clientW, layout.clientH);
}

void GameScreen::Repaint() {
    PaintGame(true);
    DrawFigure(record_.x, record_.y);
    host_.Invalidate({0, 0, screen_.Width(), screen_.Height()});
}

void GameScreen::FillBlack(int x, int y, int w, int h) {
    screen_.FillRect(x, y, w, h, kBlack);
    host_.Invalidate({x, y, w, h});
}

void GameScreen::DrawCell(int x, int y, int value) {
    if (y < 10) return;
    const PixelImage& cell = cells_[static_cast<std::size_t>(value & 7)];
    screen_.CopyFrom(x, y, cell, 0, 0, cell.Width(), cell.Height());
    host_.Invalidate({x, y, cell.Width(), cell.Height()});
}

void GameScreen::DrawEmpty(int x, int y) {
    if (y < 10) return;
    DrawEmptyCell(screen_, x, y, background_, {layout_.cellW, layout_.cellH, settings_.dots, settings_.dotInterval});
    host_.Invalidate({x, y, layout_.cellW, layout_.cellH});
}

void GameScreen::DrawCounter(const Rect& box, const std::string& text) {
    FillBlack(box.x, box.y, box.w, box.h);
    host_.DrawText(screen_, layout_.sideX + (60 - host_.TextWidth(text)) / 2, box.y, text);
}

void GameScreen::PaintGame(bool full) {
    if (screen_.IsNull()) return;  // not laid out yet
    if (full) {
        if (look_ != CellLook::Of(settings_)) MakeCells();
        screen_.CopyFrom(0, 0, frame_, 0, 0, frame_.Width(), frame_.Height());
        host_.Invalidate({0, 0, frame_.Width(), frame_.Height()});
    }
    if (full || record_.landingIndicator != shownIndicator_) {
        host_.SetIndicatorPicture(record_.landingIndicator);
        shownIndicator_ = record_.landingIndicator;
    }
    if (!layout_.CellsDrawable()) return;

    DrawCounter(layout_.scoreBox, std::to_string(record_.score));
    DrawCounter(layout_.linesBox, std::to_string(record_.lines));
    DrawCounter(layout_.levelBox, std::to_string(record_.Level()));

    const int rows = std::min(record_.height, kRows);
    for (int r = 0; r < rows; ++r) {
        for (int j = 0; j < 10; ++j) {
            const int value = record_.well.at(j, r);
            int& shown = shown_[static_cast<std::size_t>(j)][static_cast<std::size_t>(r)];
            if (!full && value == shown) continue;
            if (value)
                DrawCell(layout_.CellX(j), layout_.CellY(r), value);
            else
                DrawEmpty(layout_.CellX(j), layout_.CellY(r));
            if (!full) shown = value;
        }
    }
    for (int j = 0; j < 10; ++j) DrawEmpty(layout_.CellX(j), layout_.IndicatorY());
    ShowLanding(record_.x, record_.y);
    DrawNextPanel();
    UpdateStatusLine();
}

void GameScreen::DrawNextPanel() {
    if (screen_.IsNull()) return;
    const FigureMask& next = FigureTable()[static_cast<std::size_t>(record_.nextFigure)];
    for (int v = 0; v < 4; ++v) {
        for (int u = 0; u < 4; ++u) {
            const int value = record_.waitingForStart ? 1 : next.at(u, v);
            const int x = layout_.NextCellX(u), y = layout_.NextCellY(v);
            if (value && settings_.next)
                DrawCell(x, y, value);
            else
                FillBlack(x, y, layout_.cellW, layout_.cellH);
        }
    }
}

bool GameScreen::OnWell(int column, int row) const {
    return column >= 0 && column < 10 && row >= 0 && row < std::min(record_.height, kRows);
}

void GameScreen::DrawFigure(int x, int y) {
    if (!FigureDrawable()) return;
    for (auto& column : figureCells_) column.fill(false);
    indicatorFlags_.fill(false);
    if (record_.waitingForStart) return ShowLanding(x, y);
    for (int u = 0; u < 4; ++u) {
        int lowest = 0;
        for (int v = 0; v < 4; ++v) {
            const int value = record_.mask.at(u, v);
            if (!value || !OnWell(x + u, y + v)) continue;
            DrawCell(layout_.CellX(x + u), layout_.CellY(y + v), value);
            figureCells_[static_cast<std::size_t>(x + u)][static_cast<std::size_t>(y + v)] = true;
            lowest = value;
        }
        if (lowest) {
            DrawCell(layout_.CellX(x + u), layout_.IndicatorY(), lowest);
            indicatorFlags_[static_cast<std::size_t>(x + u)] = true;
        }
    }
    ShowLanding(x, y);
}

void GameScreen::ShowLanding(int x, int y) {
    CellFlags landing{};
    const GameRecord& r = record_;
    if (settings_.landing && !r.waitingForStart && FigureDrawable() && FigureFits(r.well, r.mask, x, y)) {
        const int row = LandingRow(r.well, r.mask, x, y);
        for (int u = 0; u < 4; ++u)
            for (int v = 0; v < 4; ++v)
                if (r.mask.at(u, v) && OnWell(x + u, row + v) && !Flag(figureCells_, x + u, row + v)) {
                    Flag(landing, x + u, row + v) = true;
                    landingColour_ = look_.color ? CellFace(r.mask.at(u, v), look_.palette) : kWhite;
                }
    }
    CellFlags before = std::exchange(landingCells_, landing);
    for (int c = 0; c < 10; ++c)
        for (int row = 0; row < kRows; ++row) {
            if (Flag(landing, c, row)) {
                DrawLandingCell(c, row);
            } else if (Flag(before, c, row) && !Flag(figureCells_, c, row)) {
                const int value = r.well.at(c, row);
                if (value)
                    DrawCell(layout_.CellX(c), layout_.CellY(row), value);
                else
                    DrawEmpty(layout_.CellX(c), layout_.CellY(row));
            }
        }
}

void GameScreen::DrawLandingCell(int column, int row) {
    const int x = layout_.CellX(column), y = layout_.CellY(row), w = layout_.cellW, h = layout_.cellH;
    if (y < 10) return;
    DrawEmpty(x, y);
    // The figure's outline: a line along each side that borders no other
    // cell of the landing place.
    const int t = std::max(layout_.bevel, 1);
    const auto open = [&](int c, int r) { return !(OnWell(c, r) && Flag(landingCells_, c, r)); };
    if (open(column, row - 1)) screen_.FillRect(x, y, w, t, landingColour_);
    if (open(column, row + 1)) screen_.FillRect(x, y + h - t, w, t, landingColour_);
    if (open(column - 1, row)) screen_.FillRect(x, y, t, h, landingColour_);
    if (open(column + 1, row)) screen_.FillRect(x + w - t, y, t, h, landingColour_);
}

void GameScreen::EraseFigure(int x, int y, const FigureMask& mask) {
    if (!FigureDrawable()) return;
    for (int u = 0; u < 4; ++u) {
        bool erased = false;
        for (int v = 0; v < 4; ++v) {
            if (!mask.at(u, v) || !OnWell(x + u, y + v) ||
                figureCells_[static_cast<std::size_t>(x + u)][static_cast<std::size_t>(y + v)])
                continue;
            if (Flag(landingCells_, x + u, y + v))
                DrawLandingCell(x + u, y + v);
            else
                DrawEmpty(layout_.CellX(x + u), layout_.CellY(y + v));
            erased = true;
        }
        if (erased && !indicatorFlags_[static_cast<std::size_t>(x + u)])
            DrawEmpty(layout_.CellX(x + u), layout_.IndicatorY());
    }
}

void GameScreen::ClearShown() {
    for (auto& column : shown_) column.fill(0);
    for (auto& column : figureCells_) column.fill(false);
    for (auto& column : landingCells_) column.fill(false);
    indicatorFlags_.fill(false);
}

void GameScreen::HeightChanged() {
    ClearShown();
    host_.HeightChanged();
}

void GameScreen::FigureMergedOnScreen(int x, int y, const FigureMask& mask) {
    for (int u = 0; u < 4; ++u)
        for (int v = 0; v < 4; ++v)
            if (mask.at(u, v) && OnWell(x + u, y + v))
                shown_[static_cast<std::size_t>(x + u)][static_cast<std::size_t>(y + v)] = record_.well.at(x + u, y + v);
}

}  // namespace vexari
