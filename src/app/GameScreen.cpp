// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GameScreen.h"

#include <algorithm>

#include "ui/Background.h"
#include "ui/Bevel.h"

namespace vexari {
namespace {

// Face colour of cell value v: red, green and blue from bits 2, 1 and 0.
Color CellFace(int v) { return MakeColor(v & 4 ? 255 : 0, v & 2 ? 255 : 0, v & 1 ? 255 : 0); }

}  // namespace

GameScreen::GameScreen(const GameRecord& record, const Settings& settings, const PixelImage& background,
                       ScreenShell& shell)
    : record_(record), settings_(settings), background_(background), shell_(shell) {
    for (auto& cell : cells_) cell = PixelImage(8, 8, kGrey);
}

void GameScreen::SetLayout(const WindowLayout& layout) {
    layout_ = layout;
    const int cw = layout.cellW, ch = layout.cellH, n = layout.bevel;
    for (int v = 1; v <= 7; ++v) {
        PixelImage& cell = cells_[static_cast<std::size_t>(v)];
        cell = PixelImage(cw, ch);
        DrawRaisedBox(cell, 0, 0, cw, ch, n, CellFace(v), MakeColor(240, 240, 240), MakeColor(64, 64, 64), false,
                      true);
    }
    cells_[0] = PixelImage(cw, ch);
    DrawRaisedBox(cells_[0], 0, 0, cw, ch, n, kGrey, kWhite, kDarkGrey, false, true);

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
    shell_.Invalidate({0, 0, screen_.Width(), screen_.Height()});
}

void GameScreen::FillBlack(int x, int y, int w, int h) {
    screen_.FillRect(x, y, w, h, kBlack);
    shell_.Invalidate({x, y, w, h});
}

void GameScreen::DrawCell(int x, int y, int value) {
    if (y < 10) return;
    const PixelImage& cell = cells_[static_cast<std::size_t>(settings_.color ? value & 7 : 0)];
    screen_.CopyFrom(x, y, cell, 0, 0, cell.Width(), cell.Height());
    shell_.Invalidate({x, y, cell.Width(), cell.Height()});
}

void GameScreen::DrawEmpty(int x, int y) {
    if (y < 10) return;
    DrawEmptyCell(screen_, x, y, background_, {layout_.cellW, layout_.cellH, settings_.dots, settings_.dotInterval});
    shell_.Invalidate({x, y, layout_.cellW, layout_.cellH});
}

void GameScreen::DrawCounter(const Rect& box, const std::string& text) {
    FillBlack(box.x, box.y, box.w, box.h);
    shell_.DrawText(screen_, layout_.sideX + (60 - shell_.TextWidth(text)) / 2, box.y, text);
}

void GameScreen::PaintGame(bool full) {
    if (screen_.IsNull()) return;  // not laid out yet
    if (full) {
        screen_.CopyFrom(0, 0, frame_, 0, 0, frame_.Width(), frame_.Height());
        shell_.Invalidate({0, 0, frame_.Width(), frame_.Height()});
    }
    if (full || record_.landingIndicator != shownIndicator_) {
        shell_.SetIndicatorPicture(record_.landingIndicator);
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
    if (record_.waitingForStart) return;
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
}

void GameScreen::EraseFigure(int x, int y, const FigureMask& mask) {
    if (!FigureDrawable()) return;
    for (int u = 0; u < 4; ++u) {
        bool erased = false;
        for (int v = 0; v < 4; ++v) {
            if (!mask.at(u, v) || !OnWell(x + u, y + v) ||
                figureCells_[static_cast<std::size_t>(x + u)][static_cast<std::size_t>(y + v)])
                continue;
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
    indicatorFlags_.fill(false);
}

void GameScreen::HeightChanged() {
    ClearShown();
    shell_.HeightChanged();
}

void GameScreen::FigureMergedOnScreen(int x, int y, const FigureMask& mask) {
    for (int u = 0; u < 4; ++u)
        for (int v = 0; v < 4; ++v)
            if (mask.at(u, v) && OnWell(x + u, y + v))
                shown_[static_cast<std::size_t>(x + u)][static_cast<std::size_t>(y + v)] = record_.well.at(x + u, y + v);
}

}  // namespace vexari
