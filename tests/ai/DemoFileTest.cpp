#include "ai/DemoFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vexari {
namespace {

namespace fs = std::filesystem;

class DemoFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("vexari-demo-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::string Contents(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(Path(name), std::ios::binary) << text;
    }

    fs::path dir_;
};

TEST_F(DemoFileTest, DefaultsAreWrittenAsEightCrLfLines) {
    ASSERT_TRUE(WriteDemoFile(Path("MyParams.dem"), DefaultDemoValues()));
    EXPECT_EQ(Contents("MyParams.dem"), "41\r\n5\r\n0\r\n7\r\n1\r\n1\r\n1\r\n1\r\n");
    EXPECT_FALSE(fs::exists(Path("MyParams.dem.tmp")));
}

TEST_F(DemoFileTest, SaveAndLoadGiveBackTheSameNumbers) {
    const DemoValues saved{-5, 2147483647, 0, -2147483647 - 1, 12, 1000, 7, -1};
    ASSERT_TRUE(WriteDemoFile(Path("a.dem"), saved));
    DemoValues loaded{};
    const DemoReadResult r = ReadDemoFile(Path("a.dem"), loaded);
    EXPECT_TRUE(r.opened);
    EXPECT_EQ(r.count, 8);
    EXPECT_EQ(loaded, saved);
    // Saving again replaces the file.
    ASSERT_TRUE(WriteDemoFile(Path("a.dem"), DefaultDemoValues()));
    EXPECT_EQ(ReadDemoFile(Path("a.dem"), loaded).count, 8);
    EXPECT_EQ(loaded, DefaultDemoValues());
}

TEST_F(DemoFileTest, ShortOrMalformedFilesKeepTheValuesNotRead) {
    const DemoValues before{10, 20, 30, 40, 50, 60, 70, 80};
    DemoValues v = before;
    Write("short.dem", "1 2 3");
    EXPECT_EQ(ReadDemoFile(Path("short.dem"), v).count, 3);
    EXPECT_EQ(v, (DemoValues{1, 2, 3, 40, 50, 60, 70, 80}));

    v = before;
    Write("bad.dem", " \t-4\n\n+5\r\n6x 7 8");
    EXPECT_EQ(ReadDemoFile(Path("bad.dem"), v).count, 3);  // stops at "x"
    EXPECT_EQ(v, (DemoValues{-4, 5, 6, 40, 50, 60, 70, 80}));

    v = before;
    Write("empty.dem", "");
    const DemoReadResult empty = ReadDemoFile(Path("empty.dem"), v);
    EXPECT_TRUE(empty.opened);
    EXPECT_EQ(empty.count, 0);
    EXPECT_EQ(v, before);

    // Nothing after the eighth number is looked at.
    Write("long.dem", "1 2 3 4 5 6 7 8 9 junk");
    EXPECT_EQ(ReadDemoFile(Path("long.dem"), v).count, 8);
    EXPECT_EQ(v, (DemoValues{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(DemoValuesParse, SignsAndOutOfRangeNumbers) {
    DemoValues v{};
    EXPECT_EQ(ParseDemoValues("- 5", v), 0);  // a sign alone is not a number
    EXPECT_EQ(ParseDemoValues("99999999999 -99999999999", v), 2);
    EXPECT_EQ(v[0], 2147483647);
    EXPECT_EQ(v[1], -2147483647 - 1);
}

TEST_F(DemoFileTest, UnopenableFilesAreReported) {
    DemoValues v = DefaultDemoValues();
    EXPECT_FALSE(ReadDemoFile(Path("missing.dem"), v).opened);
    EXPECT_FALSE(ReadDemoFile(dir_.string(), v).opened);
    EXPECT_EQ(v, DefaultDemoValues());
    EXPECT_FALSE(WriteDemoFile(Path("no/such/dir/x.dem"), v));
    // A failed save leaves an existing file as it was.
    Write("keep.dem", "1\r\n");
    fs::create_directory(Path("keep.dem.tmp"));  // the temporary cannot be made
    EXPECT_FALSE(WriteDemoFile(Path("keep.dem"), v));
    EXPECT_EQ(Contents("keep.dem"), "1\r\n");
}

DemoWeights Weights(std::initializer_list<double> w) {
    DemoWeights d;
    d.w.fill(0);
    int i = 0;
    for (const double x : w) d[i++] = x;
    return d;
}

TEST(DemoDialogValues, LargeWeightsAreScaledSoTheLargestIs500) {
    DemoWeights w = Weights({2000, 5, 0, 7, 1, 1, 1, 1});
    ScaleWeightsForDialog(w);
    EXPECT_EQ(DialogValuesFromWeights(w), (DemoValues{500, 1, 0, 1, 0, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(w[1], 1.25);  // the scaled weights keep their fractions

    DemoWeights exactly = Weights({1000, 5, 0, 7, 1, 1, 1, 1});
    const DemoWeights before = exactly;
    ScaleWeightsForDialog(exactly);
    EXPECT_EQ(exactly, before);

    DemoWeights above = Weights({3, 1000.5, 0, 7, 1, 1, 1, 1});
    ScaleWeightsForDialog(above);
    EXPECT_DOUBLE_EQ(above[1], 500);
    EXPECT_EQ(DialogValuesFromWeights(above)[3], 3);  // 7 * 500 / 1000.5

    DemoWeights negative = Weights({-5000, -2, -3, -4, -5, -6, -7, -8});
    const DemoWeights negativeBefore = negative;
    ScaleWeightsForDialog(negative);
    EXPECT_EQ(negative, negativeBefore);

    // Negative weights scale with the rest.
    DemoWeights mixed = Weights({4000, -4000, 0, 0, 0, 0, 0, 0});
    ScaleWeightsForDialog(mixed);
    EXPECT_EQ(DialogValuesFromWeights(mixed)[1], -500);
}

TEST(DemoDialogValues, LearnedFractionsAreTruncatedAndOkReplacesThem) {
    DemoWeights w = Weights({40.8, -0.9, 1e12, -1e12, 0, 0, 0, 0.99});
    const DemoValues values = DialogValuesFromWeights(w);
    EXPECT_EQ(values, (DemoValues{40, 0, 2147483647, -2147483647 - 1, 0, 0, 0, 0}));

    bool learn = false;
    w[9] = 0;  // beyond the eight: untouched
    ApplyDialogValues({DialogValuesFromWeights(Weights({40.8, 5, 0, 7, 1, 1, 1, 1})), true}, w, learn);
    EXPECT_TRUE(learn);
    EXPECT_EQ(w, Weights({40, 5, 0, 7, 1, 1, 1, 1}));
}

}  // namespace
}  // namespace vexari
