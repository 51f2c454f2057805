#include <gtest/gtest.h>

#include "app/GameScreen.h"
#include "app/Layout.h"
#include "game/Game.h"
#include "ui/Background.h"

namespace vexari {
namespace {

TEST(Layout, FollowsTheClientSizeAndTextHeight) {
    const WindowLayout l = ComputeLayout(320, 545, 25, 16, {});
    EXPECT_EQ(std::tuple(l.cellW, l.cellH, l.bevel, l.sideX, l.nextLabelY, l.scoreLabelY, l.scoreBox.y),
              std::tuple(20, 19, 2, 230, 10, 140, 179));
    EXPECT_EQ(std::tuple(l.levelLabelY, l.levelBox.y, l.linesLabelY, l.linesBox.y, l.picture.y, l.IndicatorY()),
              std::tuple(214, 253, 288, 327, 373, 476));
    EXPECT_EQ(std::tuple(l.well, l.statusLine, l.nextPanel),
              std::tuple(Rect{10, 10, 200, 456}, Rect{10, 510, 203, 26}, Rect{230, 45, 80, 76}));
    // A size change that is neither a restore nor a maximise keeps the cells.
    const WindowLayout kept = ComputeLayout(600, 900, 25, 16, l, false);
    EXPECT_EQ(std::tuple(kept.cellW, kept.clientW), std::tuple(20, 600));
}

struct FakeShell : ScreenShell {
    std::vector<Rect> invalid;
    std::vector<std::pair<int, std::string>> texts;
    int indicator = -1, statusUpdates = 0;
    int TextWidth(const std::string& text) override { return 7 * static_cast<int>(text.size()); }
    void DrawText(PixelImage&, int x, int, const std::string& text) override { texts.emplace_back(x, text); }
    void SetIndicatorPicture(int index) override { indicator = index; }
    void UpdateStatusLine() override { ++statusUpdates; }
    void HeightChanged() override {}
    void Invalidate(const Rect& rect) override { invalid.push_back(rect); }
};

struct ScreenFixture {
    Settings settings;
    Game game{settings};
    PixelImage background = MakeBlackImage();
    FakeShell shell;
    GameScreen screen{game.record(), settings, background, shell};
    ScreenFixture() {
        settings.dots = 0;
        game.SetHooks({&screen, nullptr, nullptr, nullptr, nullptr, nullptr});
        screen.SetLayout(ComputeLayout(320, 545, 25, 16, {}));
        game.ResetGame();
        screen.Repaint();
        shell.invalid.clear();
        shell.texts.clear();
    }
    Color At(int x, int y) const { return screen.Screen().Pixel(x, y); }
    // The colour in the middle of well cell (column, row).
    Color CellColour(int column, int row) const { return At(10 + column * 20 + 10, 10 + (row - 1) * 19 + 9); }
};

// Cells are raised boxes in the colour of their value (grey when empty) on a
// raised panel with sunken black areas.
TEST(Screen, CellsAndFrameAreBevelled) {
    ScreenFixture f;
    const PixelImage& magenta = f.screen.CellImage(5);
    ASSERT_EQ(std::tuple(magenta.Width(), magenta.Height()), std::tuple(20, 19));
    EXPECT_EQ(std::tuple(magenta.Pixel(10, 9), magenta.Pixel(1, 1), magenta.Pixel(19, 18), magenta.Pixel(19, 0)),
              std::tuple(MakeColor(255, 0, 255), MakeColor(240, 240, 240), MakeColor(64, 64, 64),
                         MakeColor(255, 0, 255)));  // odd corner in the face colour
    EXPECT_EQ(f.screen.CellImage(0).Pixel(10, 9), kGrey);
    EXPECT_EQ(std::tuple(f.At(0, 0), f.At(319, 544), f.At(5, 300), f.At(8, 100), f.At(211, 100), f.At(235, 180)),
              std::tuple(kWhite, kDarkGrey, kGrey, kDarkGrey, kWhite, kBlack));  // well frame, score box
}

TEST(Screen, RepaintShowsChangedCellsAndCentresTheCounters) {
    ScreenFixture f;
    f.game.record().well.at(4, 20) = 6;
    f.game.record().score = 123;
    f.game.record().fallPeriod = 10;
    f.screen.PaintGame(false);
    EXPECT_EQ(f.CellColour(4, 20), MakeColor(255, 255, 0));
    ASSERT_EQ(f.shell.texts.size(), 3u);
    EXPECT_EQ(f.shell.texts[0], std::make_pair(230 + (60 - 21) / 2, std::string("123")));
    EXPECT_EQ(f.shell.texts[2].second, "0");  // the level
}

TEST(Screen, NextPanelShowsABlockWhileWaitingAndTheFigureOnceStarted) {
    ScreenFixture f;
    const int x = 230 + 10, y = 16 + 10 + 19 + 9;  // middle of panel cell (0, 0)
    EXPECT_EQ(f.At(x, y), MakeColor(0, 0, 255));
    f.game.ToggleRunning(true);
    f.game.record().nextFigure = 1;  // long figure: box row 1 only
    f.screen.DrawNextPanel();
    EXPECT_EQ(f.At(x, y), kBlack);
    EXPECT_EQ(f.At(x, y + 19), MakeColor(255, 0, 0));
    f.settings.next = 0;
    f.screen.DrawNextPanel();
    EXPECT_EQ(f.At(x, y + 19), kBlack);
}

TEST(Screen, MovingFigureNeverBlanksSharedCellsAndMarksItsColumns) {
    ScreenFixture f;
    f.game.ToggleRunning(true);
    GameRecord& r = f.game.record();
    r.mask = FigureTable()[4];  // green square in box columns 1, 2
    r.x = 3;
    r.y = 5;
    f.screen.DrawFigure(3, 5);
    f.shell.invalid.clear();
    f.game.PressKey(f.settings.keys.right);
    EXPECT_EQ(r.x, 4);
    const Color green = MakeColor(0, 255, 0);
    EXPECT_EQ(f.CellColour(5, 6), green);  // shared by both places
    EXPECT_EQ(f.CellColour(6, 7), green);
    EXPECT_EQ(f.CellColour(4, 6), kBlack);  // left behind
    const int indicatorMid = 476 + 9;
    EXPECT_EQ(f.At(10 + 4 * 20 + 10, indicatorMid), kBlack);
    EXPECT_EQ(f.At(10 + 5 * 20 + 10, indicatorMid), green);
    EXPECT_EQ(f.At(10 + 6 * 20 + 10, indicatorMid), green);
}

TEST(Screen, ColourOffDrawsEverythingGreyAndEmptyCellsShowStrokes) {
    ScreenFixture f;
    f.settings.color = 0;
    f.settings.dots = 1;
    f.settings.dotInterval = 2;
    f.game.record().well.at(2, 24) = 4;
    f.screen.Repaint();
    EXPECT_EQ(f.CellColour(2, 24), kGrey);
    // Dot of cell (column 1 = number 2, row 3) at its middle: (x + 9, y + 8).
    const int y = 10 + 2 * 19 + 8;
    EXPECT_EQ(std::tuple(f.At(10 + 20 + 9, y), f.At(10 + 9, y)), std::tuple(kWhite, kBlack));
}

}  // namespace
}  // namespace vexari
