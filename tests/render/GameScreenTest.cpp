// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <climits>

#include "render/GameScreen.h"
#include "render/Layout.h"
#include "render/WindowPlace.h"
#include "../game/Fakes.h"
#include "render/Background.h"

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

// Keeps the texts drawn; what the screen shows is read from its pixels.
struct FakeScreenHost : ScreenHost {
    std::vector<std::pair<int, std::string>> texts;
    int TextWidth(const std::string& text) override { return 7 * static_cast<int>(text.size()); }
    void DrawText(PixelImage&, int x, int, const std::string& text) override { texts.emplace_back(x, text); }
    void SetIndicatorPicture(int) override {}
    void UpdateStatusLine() override {}
    void HeightChanged() override {}
    void Invalidate(const Rect&) override {}
};

struct Screen : ::testing::Test {
    Settings settings;
    Game game{settings};
    PixelImage background = MakeBlackImage();
    FakeScreenHost host;
    GameScreen screen{game.record(), settings, background, host};
    Screen() {
        settings.dots = 0;
        game.SetHooks({.painter = &screen});
        screen.SetLayout(ComputeLayout(320, 545, 25, 16, {}));
        game.ResetGame();
        screen.Repaint();
        host.texts.clear();
    }
    Color At(int x, int y) const { return screen.Screen().Pixel(x, y); }
    // The colour in the middle of well cell (column, row).
    Color CellColour(int column, int row) const { return At(10 + column * 20 + 10, 10 + (row - 1) * 19 + 9); }
};

// Cells are raised boxes in the colour of their value (grey when empty) on a
// raised panel with sunken black areas.
TEST_F(Screen, CellsAndFrameAreBevelled) {
    const PixelImage& magenta = screen.CellImage(5);
    ASSERT_EQ(std::tuple(magenta.Width(), magenta.Height()), std::tuple(20, 19));
    EXPECT_EQ(std::tuple(magenta.Pixel(10, 9), magenta.Pixel(1, 1), magenta.Pixel(19, 18), magenta.Pixel(19, 0)),
              std::tuple(MakeColor(255, 0, 255), MakeColor(240, 240, 240), MakeColor(64, 64, 64),
                         MakeColor(255, 0, 255)));  // odd corner in the face colour
    EXPECT_EQ(screen.CellImage(0).Pixel(10, 9), kGrey);
    EXPECT_EQ(std::tuple(At(0, 0), At(319, 544), At(5, 300), At(8, 100), At(211, 100), At(235, 180)),
              std::tuple(kWhite, kDarkGrey, kGrey, kDarkGrey, kWhite, kBlack));  // well frame, score box
}

TEST_F(Screen, RepaintShowsChangedCellsAndCentresTheCounters) {
    GameRecord& r = GameAccess::Record(game);
    std::tie(r.well.at(4, 20), r.score, r.fallPeriod) = std::tuple(6, 123, 10);
    screen.PaintGame(false);
    EXPECT_EQ(CellColour(4, 20), MakeColor(255, 255, 0));
    ASSERT_EQ(host.texts.size(), 3u);
    EXPECT_EQ(std::tie(host.texts[0], host.texts[2].second),  // the score, centred, and the level
              std::tuple(std::pair(230 + (60 - 21) / 2, std::string("123")), "0"));
}

TEST_F(Screen, NextPanelShowsABlockWhileWaitingAndTheFigureOnceStarted) {
    const int x = 230 + 10, y = 16 + 10 + 19 + 9;  // middle of panel cell (0, 0)
    EXPECT_EQ(At(x, y), MakeColor(0, 0, 255));
    game.ToggleRunning(true);
    GameAccess::Record(game).nextFigure = 1;  // long figure: box row 1 only
    screen.DrawNextPanel();
    EXPECT_EQ(std::tuple(At(x, y), At(x, y + 19)), std::tuple(kBlack, MakeColor(255, 0, 0)));
    settings.next = 0;
    screen.DrawNextPanel();
    EXPECT_EQ(At(x, y + 19), kBlack);
}

TEST_F(Screen, MovingFigureNeverBlanksSharedCellsAndMarksItsColumns) {
    game.ToggleRunning(true);
    GameRecord& r = GameAccess::Record(game);
    std::tie(r.mask, r.x, r.y) = std::tuple(FigureTable()[4], 3, 5);  // green square in box columns 1, 2
    screen.DrawFigure(3, 5);
    game.PressKey(settings.keys.right);
    EXPECT_EQ(r.x, 4);
    const Color green = MakeColor(0, 255, 0);
    // Shared by both places, shared, left behind.
    EXPECT_EQ(std::tuple(CellColour(5, 6), CellColour(6, 7), CellColour(4, 6)), std::tuple(green, green, kBlack));
    const int indicatorMid = 476 + 9;
    EXPECT_EQ(std::tuple(At(100, indicatorMid), At(120, indicatorMid), At(140, indicatorMid)),
              std::tuple(kBlack, green, green));  // columns 4, 5 and 6
}

TEST_F(Screen, ColourOffDrawsEverythingGreyAndEmptyCellsShowStrokes) {
    std::tie(settings.color, settings.dots, settings.dotInterval) = std::tuple(0, 1, 2);
    GameAccess::Record(game).well.at(2, 24) = 4;
    screen.Repaint();
    EXPECT_EQ(CellColour(2, 24), kGrey);
    // Dot of cell (column 1 = number 2, row 3) at its middle: (x + 9, y + 8).
    const int y = 10 + 2 * 19 + 8;
    EXPECT_EQ(std::tuple(At(10 + 20 + 9, y), At(10 + 9, y)), std::tuple(kWhite, kBlack));
}

// With the setting on, the figure's outline stands on the empty cells where
// it would come to rest and follows its moves, over the plain, the dotted
// and a picture background alike; the cells inside show the background.
TEST_F(Screen, LandingPlaceIsOutlinedAndFollowsTheFigure) {
    game.ToggleRunning(true);
    GameRecord& r = GameAccess::Record(game);
    r.well.at(4, 24) = 3;
    std::tie(r.mask, r.x, r.y) = std::tuple(FigureTable()[4], 3, 5);  // green square in columns 4 and 5
    const Color green = MakeColor(0, 255, 0);
    const int top22 = 10 + 21 * 19, mid22 = top22 + 9, mid23 = mid22 + 19;
    for (const int look : {0, 1, 2}) {  // plain, dotted, picture
        std::tie(settings.landing, settings.dots) = std::tuple(1, look == 1 ? 1 : 0);
        background = look == 2 ? PixelImage(32, 32, MakeColor(90, 80, 70)) : MakeBlackImage();
        std::tie(r.x, r.y) = std::tuple(3, 5);
        screen.Repaint();
        // Rows 22 and 23 above the cell in column 4: the outline runs round
        // the square, not between its cells; inside, the cells look as those
        // of column 0 do.
        EXPECT_EQ(std::tuple(At(90, mid22), At(100, top22), At(129, mid23), At(108, mid22), CellColour(4, 22)),
                  std::tuple(green, green, green, At(28, mid22), CellColour(0, 22))) << look;
        game.PressKey(settings.keys.right);  // now down to the floor in columns 5 and 6
        EXPECT_EQ(std::tuple(At(90, mid22), CellColour(4, 22), At(110, mid23 + 19), CellColour(5, 24)),
                  std::tuple(At(10, mid22), CellColour(0, 22), green, CellColour(0, 24))) << look;
        settings.landing = 0;
        screen.Repaint();
        EXPECT_EQ(At(110, mid23 + 19), At(10, mid23 + 19)) << look;
    }
}

TEST(WindowPlace, SavedPlacesAreCheckedAgainstTheScreens) {
    const FrameMargins frame{1, 22, 1, 1};  // smallest outer size 258 x 503
    const Rect screen{0, 0, 1280, 1024};
    const Rect underPanel{0, 30, 1280, 994};
    const Rect second{1280, 0, 1920, 1080};
    // Cells of (1024 - 70) / 25 = 38: 590 wide, centred, the whole height.
    const WindowRect byDefault{345, 0, 935, 1024};
    struct Case {
        const char* what;
        WindowRect saved;
        std::vector<Rect> screens;
        WindowRect expected;
    } cases[] = {
        {"default kept", byDefault, {screen}, byDefault},
        {"default below a panel", {0, 0, 10, 10}, {underPanel}, {360, 30, 920, 1024}},
        {"second monitor there", {2000, 100, 2590, 1124}, {screen, second}, {2000, 100, 2590, 1124}},
        {"second monitor gone", {2000, 100, 2590, 1124}, {screen}, byDefault},
        {"title bar above the screen", {345, -24, 935, 1000}, {screen}, byDefault},
        {"title bar half off the side", {-300, 100, 290, 900}, {screen}, byDefault},
        {"over half showing", {900, 100, 1490, 900}, {screen}, {900, 100, 1490, 900}},
        {"less than half showing", {345, 600, 935, 1500}, {screen}, byDefault},
        {"absurd values", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {screen}, byDefault},
        {"negative size grows to the minimum", {100, 100, 90, 50}, {screen}, {100, 100, 358, 603}},
        {"taller than the screen", {100, 50, 690, 1200}, {{0, 0, 800, 600}}, {100, 0, 690, 600}},
        {"wider than the screen", {-10, 0, 1300, 700}, {screen}, {0, 0, 1280, 700}},
        {"screen below the minimum", {100, 0, 690, 1024}, {{0, 0, 640, 400}}, {100, 0, 690, 503}},
        {"no screens known", {5, 6, 7, 8}, {}, {5, 6, 7, 8}},
    };
    for (const Case& c : cases) EXPECT_EQ(CheckWindowPlace(c.saved, c.screens, frame, 25), c.expected) << c.what;
}

// Copies of the game opened at one place stand beside each other while the
// screen has room, right side first, then step down and right.
TEST(WindowPlace, FurtherCopiesOpenBesideTheFirst) {
    const std::vector<Rect> screens{{0, 0, 1920, 1080}, {1920, 0, 1920, 1080}};
    const WindowRect first{345, 0, 935, 1024};  // 590 wide: one more fits on the right, none on the left
    const WindowRect expected[] = {first, {935, 0, 1525, 1024}, {1330, 0, 1920, 1024}, {0, 0, 590, 1024},
                                   {345 + 128, 128, 935 + 128, 1152}};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(PlaceForCopy(first, k, screens, 32), expected[k]) << k;
    // Exactly room on the right; on the second screen, near its right edge: left side, then its left edge.
    EXPECT_EQ(PlaceForCopy({740, 0, 1330, 1024}, 1, screens, 32), (WindowRect{1330, 0, 1920, 1024}));
    EXPECT_EQ(PlaceForCopy({3200, 0, 3800, 900}, 3, screens, 32), (WindowRect{1920, 0, 2520, 900}));
}

}  // namespace
}  // namespace vexari
