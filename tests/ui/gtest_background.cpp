#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "BmpBuilder.h"
#include "PixelTestUtil.h"
#include "ui/Background.h"

namespace vexari {
namespace {

using testing::kUntouched;

TEST(EmptyCell, PictureRepeatsFromTheWellCorner) {
    const PixelImage pic = testing::Numbered(16, 16, 100);
    PixelImage screen(60, 80, kUntouched);
    // The second cell of the first row and the first of the third, in pieces cut at the picture's edges.
    DrawEmptyCell(screen, 30, 10, pic, {20, 20, kStrokeNone, 1});
    DrawEmptyCell(screen, 10, 50, pic, {20, 20, kStrokeNone, 1});
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 60; ++x) {
            const bool drawn = (x >= 30 && x < 50 && y >= 10 && y < 30) || (x >= 10 && x < 30 && y >= 50 && y < 70);
            ASSERT_EQ(screen.Pixel(x, y), drawn ? MakeColor((x - 10) % 16, (y - 10) % 16, 100) : kUntouched)
                << x << "," << y;
        }
}

TEST(EmptyCell, StrokesAndTheirInterval) {
    // The default: black with a 2 x 2 white dot left of and above the middle; nothing above the well.
    const std::map<char, Color> legend = {{'.', kUntouched}, {'K', kBlack}, {'W', kWhite}};
    PixelImage screen(60, 60, kUntouched);
    DrawEmptyCell(screen, 10, 9, MakeBlackImage(), {20, 20, kStrokeWhite, 1});
    EXPECT_EQ(screen, PixelImage(60, 60, kUntouched));
    DrawEmptyCell(screen, 10, 10, MakeBlackImage(), {20, 19, kStrokeWhite, 1});
    EXPECT_TRUE(testing::PixelsAre(screen, 17, 16, {"KKKKKK", "KKKKKK", "KKWWKK", "KKWWKK", "KKKKKK"}, legend));
    EXPECT_TRUE(testing::PixelsAre(screen, 28, 27, {"KK.", "KK.", "..."}, legend));
    // Inverted strokes on a picture.
    PixelImage cell(30, 30, kUntouched);
    DrawEmptyCell(cell, 10, 10, testing::Numbered(16, 16, 100), {8, 8, kStrokeInverted, 1});
    EXPECT_EQ(std::tuple(cell.Pixel(13, 13), cell.Pixel(15, 14)),
              std::tuple(MakeColor(252, 252, 155), MakeColor(5, 4, 100)));

    // Which of the ten columns of a row get a dot; an interval below 1, from an edited file, counts as 1.
    const auto dotted = [](int cellW, int cellH, int interval) {
        PixelImage row(10 + 10 * cellW, 10 + cellH, kUntouched);
        std::vector<int> columns;
        for (int k = 1; k <= 10; ++k) {
            const int x = 10 + (k - 1) * cellW;
            DrawEmptyCell(row, x, 10, MakeBlackImage(), {cellW, cellH, kStrokeWhite, interval});
            if (row.Pixel(x + cellW / 2 - 1, 10 + cellH / 2 - 1) == kWhite) columns.push_back(k);
        }
        return columns;
    };
    struct Case { int cellW, cellH, interval; std::vector<int> columns; };
    const std::vector<int> all = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    for (const Case& c : {Case{20, 20, 3, {3, 6, 9}}, Case{20, 20, -4, all}, Case{5, 20, 1, {}}, Case{6, 6, 1, all}})
        EXPECT_EQ(dotted(c.cellW, c.cellH, c.interval), c.columns) << c.cellW << "x" << c.cellH << " / " << c.interval;
}

TEST(BackgroundFile, LoadsOrFallsBackToBlack) {
    const auto dir = std::filesystem::temp_directory_path() / ("vexari_bg_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto write = [&](const char* name, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return (dir / name).string();
    };
    const PixelImage black(32, 32, kBlack);
    PixelImage img(3, 3, kWhite);
    EXPECT_EQ(LoadBackgroundForWindow("", img), "");
    EXPECT_EQ(img, black);
    const std::string ok = write("ok.bmp", testing::BuildBmp({.width = 2, .rows = {{1, 2, 3, 4, 5, 6}}}));
    EXPECT_TRUE(LoadBackgroundImage(ok, img));
    EXPECT_EQ(img.Pixel(1, 0), MakeColor(6, 5, 4));

    // Rows stored top row first cannot be made into a background.
    const std::string topDown = write("topdown.bmp", testing::BuildBmp({.height = -1, .rows = {{1, 2, 3}}}));
    const std::string text = write("notes.bmp", {'h', 'e', 'l', 'l', 'o'});
    for (const std::string& path : {topDown, text, (dir / "missing.bmp").string(), dir.string()}) {
        img = PixelImage(5, 5, kWhite);
        EXPECT_EQ(LoadBackgroundForWindow(path, img),
                  "Cannon read bitmap file " + path + ".Please change the file pathname or set backround to BLACK");
        EXPECT_EQ(img, black) << path;
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vexari
