// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>

#include "render/Layout.h"
#include "game/GameHooks.h"
#include "game/GameRecord.h"
#include "settings/Settings.h"
#include "render/CellLook.h"
#include "render/PixelImage.h"

namespace vexari {

// What the screen image needs from the window around it.
class ScreenHost {
public:
    virtual ~ScreenHost() = default;
    virtual int TextWidth(const std::string& text) = 0;
    // White text on black, its top-left corner at (x, y).
    virtual void DrawText(PixelImage& surface, int x, int y, const std::string& text) = 0;
    virtual void SetIndicatorPicture(int index) = 0;
    virtual void UpdateStatusLine() = 0;
    virtual void HeightChanged() = 0;
    // The rectangle of the screen image changed and should reach the screen.
    virtual void Invalidate(const Rect& rect) = 0;
};

// The game as the window shows it: an image of the whole client area, kept
// up to date by copying pre-drawn cell images into it. Only the cells that
// differ from what was drawn last are copied on an ordinary repaint.
class GameScreen final : public GamePainter {
public:
    static constexpr int kRows = 25;  // rows kept of what is shown

    GameScreen(const GameRecord& record, const Settings& settings, const PixelImage& background,
               ScreenHost& host);

    // Makes the cell images and the frame image for a new layout.
    void SetLayout(const WindowLayout& layout);
    const WindowLayout& Layout() const { return layout_; }

    // Redraws the whole client area from the pre-drawn images.
    void Repaint();
    void PaintGame(bool full);
    void DrawCell(int x, int y, int value);

    // GamePainter
    void DrawFigure(int x, int y) override;
    void EraseFigure(int x, int y, const FigureMask& mask) override;
    void PaintGame() override { PaintGame(false); }
    void DrawNextPanel() override;
    void UpdateStatusLine() override { host_.UpdateStatusLine(); }
    void HeightChanged() override;
    void FigureMergedOnScreen(int x, int y, const FigureMask& mask) override;

    const PixelImage& Screen() const { return screen_; }
    const GameRecord& Record() const { return record_; }
    const Settings& DisplaySettings() const { return settings_; }
    const PixelImage& Background() const { return background_; }
    const PixelImage& CellImage(int value) const { return cells_[static_cast<std::size_t>(value)]; }
    int ShownValue(int column, int row) const { return shown_[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)]; }

private:
    using CellFlags = std::array<std::array<bool, kRows>, 10>;
    static bool& Flag(CellFlags& flags, int column, int row) {
        return flags[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
    }
    void MakeCells();
    // Outlines where the figure at (x, y) would come to rest, on the empty
    // cells it does not cover itself (when the LANDING setting asks for it),
    // and restores the cells the outline left.
    void ShowLanding(int x, int y);
    void DrawLandingCell(int column, int row);
    void DrawEmpty(int x, int y);
    void FillBlack(int x, int y, int w, int h);
    void DrawCounter(const Rect& box, const std::string& text);
    void ClearShown();
    // A figure cell that lies on the visible part of the well (row 0 included).
    bool OnWell(int column, int row) const;
    // The falling figure is drawn only on cells of 3 pixels or more.
    bool FigureDrawable() const { return !screen_.IsNull() && layout_.cellW >= 3 && layout_.cellH >= 3; }

    const GameRecord& record_;
    const Settings& settings_;
    const PixelImage& background_;
    ScreenHost& host_;

    WindowLayout layout_;
    CellLook look_;  // of the cell images
    std::array<PixelImage, 8> cells_;
    PixelImage frame_;
    PixelImage screen_;
    int shownIndicator_ = -1;

    std::array<std::array<int, kRows>, 10> shown_{};
    CellFlags figureCells_{};
    CellFlags landingCells_{};  // the landing place outlined
    Color landingColour_ = kWhite;
    std::array<bool, 10> indicatorFlags_{};
};

}  // namespace vexari
