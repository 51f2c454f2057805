#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "BmpBuilder.h"
#include "PixelTestUtil.h"
#include "ui/Background.h"

namespace vexari {
namespace {

using testing::kUntouched;

// A picture whose every pixel says where it lies.
PixelImage Numbered(int w, int h) {
    PixelImage p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.SetPixel(x, y, MakeColor(x, y, 100));
    return p;
}

TEST(EmptyCell, PictureIsRepeatedFromTheWellCorner) {
    const PixelImage pic = Numbered(16, 16);
    PixelImage screen(250, 100, kUntouched);
    const EmptyCellStyle style{20, 20, kStrokeNone, 1};
    // The second column (x = 30) starts at picture column 4: pieces of 12 and 8.
    DrawEmptyCell(screen, 30, 10, pic, style);
    EXPECT_EQ(screen.Pixel(30, 10), MakeColor(4, 0, 100));
    EXPECT_EQ(screen.Pixel(41, 10), MakeColor(15, 0, 100));
    EXPECT_EQ(screen.Pixel(42, 10), MakeColor(0, 0, 100));
    EXPECT_EQ(screen.Pixel(49, 29), MakeColor(7, 3, 100));
    EXPECT_EQ(screen.Pixel(30, 26), MakeColor(4, 0, 100));
    EXPECT_EQ(screen.Pixel(50, 10), kUntouched);
    EXPECT_EQ(screen.Pixel(30, 30), kUntouched);
    // Third row (y = 50): picture row 40 mod 16 = 8.
    DrawEmptyCell(screen, 10, 50, pic, style);
    EXPECT_EQ(screen.Pixel(10, 50), MakeColor(0, 8, 100));
    EXPECT_EQ(screen.Pixel(10, 58), MakeColor(0, 0, 100));
    EXPECT_EQ(screen.Pixel(29, 69), MakeColor(3, 11, 100));
    for (int y = 50; y < 70; ++y)
        for (int x = 10; x < 30; ++x)
            ASSERT_EQ(screen.Pixel(x, y), MakeColor((x - 10) % 16, (y - 10) % 16, 100)) << x << "," << y;
}

TEST(EmptyCell, CellsAboveTheWellAreNotDrawn) {
    PixelImage screen(50, 50, kUntouched);
    DrawEmptyCell(screen, 10, 9, MakeBlackImage(), {20, 20, kStrokeWhite, 1});
    EXPECT_EQ(screen, PixelImage(50, 50, kUntouched));
}

TEST(EmptyCell, DefaultWhiteDotInTheMiddleOfABlackCell) {
    PixelImage screen(60, 60, kUntouched);
    DrawEmptyCell(screen, 10, 10, MakeBlackImage(), {20, 19, kStrokeWhite, 1});
    // Dot at (10 + 10 - 1, 10 + 9 - 1) = (19, 18).
    EXPECT_TRUE(testing::PixelsAre(screen, 17, 16,
                                   {
                                       "KKKKKK",
                                       "KKKKKK",
                                       "KKWWKK",
                                       "KKWWKK",
                                       "KKKKKK",
                                   },
                                   {{'K', kBlack}, {'W', kWhite}}));
}

TEST(EmptyCell, BlackAndInvertedStrokes) {
    const PixelImage white(32, 32, kWhite);
    PixelImage screen(40, 40, kUntouched);
    DrawEmptyCell(screen, 10, 10, white, {8, 8, kStrokeBlack, 1});
    EXPECT_EQ(screen.Pixel(13, 13), kBlack);
    EXPECT_EQ(screen.Pixel(14, 14), kBlack);
    EXPECT_EQ(screen.Pixel(15, 14), kWhite);

    DrawEmptyCell(screen, 10, 10, MakeBlackImage(), {8, 8, kStrokeInverted, 1});
    EXPECT_EQ(screen.Pixel(13, 13), kWhite);
    EXPECT_EQ(screen.Pixel(12, 13), kBlack);

    const PixelImage pic = Numbered(16, 16);
    DrawEmptyCell(screen, 10, 10, pic, {8, 8, kStrokeInverted, 1});
    EXPECT_EQ(screen.Pixel(13, 13), MakeColor(255 - 3, 255 - 3, 155));
    EXPECT_EQ(screen.Pixel(14, 13), MakeColor(255 - 4, 255 - 3, 155));
    EXPECT_EQ(screen.Pixel(15, 13), MakeColor(5, 3, 100));

    DrawEmptyCell(screen, 10, 10, pic, {8, 8, 7, 1});  // an unknown kind draws no stroke
    EXPECT_EQ(screen.Pixel(13, 13), MakeColor(3, 3, 100));
}

// Which of the ten columns of a row get a dot.
std::vector<int> ColumnsWithDots(int cellW, int cellH, int interval) {
    PixelImage screen(10 + 10 * cellW, 10 + cellH, kUntouched);
    std::vector<int> dotted;
    for (int k = 1; k <= 10; ++k) {
        const int x = 10 + (k - 1) * cellW;
        DrawEmptyCell(screen, x, 10, MakeBlackImage(), {cellW, cellH, kStrokeWhite, interval});
        if (screen.Pixel(x + cellW / 2 - 1, 10 + cellH / 2 - 1) == kWhite) dotted.push_back(k);
    }
    return dotted;
}

TEST(EmptyCell, IntervalPicksTheColumns) {
    EXPECT_EQ(ColumnsWithDots(20, 20, 1), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(ColumnsWithDots(20, 20, 2), (std::vector<int>{2, 4, 6, 8, 10}));
    EXPECT_EQ(ColumnsWithDots(20, 20, 3), (std::vector<int>{3, 6, 9}));
    // An interval below 1, from an edited settings file, counts as 1.
    EXPECT_EQ(ColumnsWithDots(20, 20, 0), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(ColumnsWithDots(20, 20, -4), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST(EmptyCell, SmallCellsHaveNoDots) {
    EXPECT_TRUE(ColumnsWithDots(5, 20, 1).empty());
    EXPECT_TRUE(ColumnsWithDots(20, 5, 1).empty());
    EXPECT_EQ(ColumnsWithDots(6, 6, 1).size(), 10u);
}

TEST(EmptyCell, WithoutAPictureTheCellIsBlack) {
    PixelImage screen(40, 40, kUntouched);
    DrawEmptyCell(screen, 10, 10, PixelImage(), {10, 10, kStrokeNone, 1});
    EXPECT_EQ(screen.Pixel(10, 10), kBlack);
    EXPECT_EQ(screen.Pixel(19, 19), kBlack);
    EXPECT_EQ(screen.Pixel(20, 20), kUntouched);
}

class BackgroundFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("vexari_bg_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const auto p = dir_ / name;
        std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
        return p.string();
    }
    std::filesystem::path dir_;
};

TEST_F(BackgroundFile, EmptyPathGivesTheBlackImage) {
    PixelImage img(3, 3, kWhite);
    EXPECT_TRUE(LoadBackgroundImage("", img));
    EXPECT_EQ(img, PixelImage(32, 32, kBlack));
    EXPECT_EQ(LoadBackgroundForWindow("", img), "");
}

TEST_F(BackgroundFile, ReadableFileReplacesTheImage) {
    testing::BmpLayout s;
    s.width = 2;
    s.height = 1;
    s.rows = {{1, 2, 3, 4, 5, 6}};
    const std::string path = Write("ok.bmp", testing::BuildBmp(s));
    PixelImage img;
    EXPECT_TRUE(LoadBackgroundImage(path, img));
    EXPECT_EQ(img.Width(), 2);
    EXPECT_EQ(img.Pixel(1, 0), MakeColor(6, 5, 4));
    EXPECT_EQ(LoadBackgroundForWindow(path, img), "");
}

TEST_F(BackgroundFile, UnreadableFilesGiveBlackAndTheMessage) {
    testing::BmpLayout s;
    s.height = -1;  // rows top row first cannot be made into a background
    s.rows = {{1, 2, 3}};
    const std::string topDown = Write("topdown.bmp", testing::BuildBmp(s));
    const std::string text = Write("notes.bmp", {'h', 'e', 'l', 'l', 'o'});
    for (const std::string& path : {topDown, text, (dir_ / "missing.bmp").string(), dir_.string()}) {
        PixelImage img(5, 5, kWhite);
        EXPECT_FALSE(LoadBackgroundImage(path, img)) << path;
        EXPECT_EQ(img, PixelImage(32, 32, kBlack)) << path;
        img = PixelImage(5, 5, kWhite);
        EXPECT_EQ(LoadBackgroundForWindow(path, img),
                  "Cannon read bitmap file " + path + ".Please change the file pathname or set backround to BLACK");
        EXPECT_EQ(img, PixelImage(32, 32, kBlack));
    }
}

}  // namespace
}  // namespace vexari
