#include "ai/DemoFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

#include <unistd.h>

namespace vexari {
namespace {

namespace fs = std::filesystem;

class DemoFileTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(dir_); }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::string Contents(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    const fs::path dir_ = fs::temp_directory_path() / ("vexari-demo-" + std::to_string(getpid()) + "-" +
                                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

// That any eight numbers read back as written is the fuzzing's concern.
TEST_F(DemoFileTest, ExactBytesShortAndUnopenableFiles) {
    std::ofstream(Path("MyParams.dem.tmp")) << "mine";  // a file of the name a temporary once had stays
    ASSERT_TRUE(WriteDemoFile(Path("MyParams.dem"), DefaultDemoValues()));
    EXPECT_EQ(Contents("MyParams.dem"), "41\r\n5\r\n0\r\n7\r\n1\r\n1\r\n1\r\n1\r\n");
    EXPECT_EQ(Contents("MyParams.dem.tmp"), "mine");

    DemoValues v = DefaultDemoValues();
    std::ofstream(Path("short.dem")) << "1 2 3";
    const DemoReadResult r = ReadDemoFile(Path("short.dem"), v);
    EXPECT_EQ(std::tuple(r.opened, r.count, v), std::tuple(true, 3, DemoValues{1, 2, 3, 7, 1, 1, 1, 1}));
    EXPECT_FALSE(ReadDemoFile(Path("missing.dem"), v).opened || ReadDemoFile(dir_.string(), v).opened);
    EXPECT_EQ(v, (DemoValues{1, 2, 3, 7, 1, 1, 1, 1}));
    EXPECT_EQ(WriteDemoFile(Path("no/such/dir/x.dem"), v).Message(),
              "Cannot save " + Path("no/such/dir/x.dem") + ": No such file or directory");
}

TEST(DemoValuesParse, ShortOrMalformedInputKeepsTheValuesNotRead) {
    const DemoValues before{10, 20, 30, 40, 50, 60, 70, 80};
    const std::tuple<const char*, int, DemoValues> cases[] = {
        {"1 2 3", 3, {1, 2, 3, 40, 50, 60, 70, 80}},
        {" \t-4\n\n+5\r\n6x 7 8", 3, {-4, 5, 6, 40, 50, 60, 70, 80}},  // stops at "x"
        {"- 5", 0, before},                                           // a sign alone is no number
        {"1 2 3 4 5 6 7 8 9 junk", 8, {1, 2, 3, 4, 5, 6, 7, 8}},      // nothing after the eighth is read
        {"99999999999 -99999999999", 2, {INT_MAX, INT_MIN, 30, 40, 50, 60, 70, 80}},
    };
    for (const auto& [text, count, values] : cases) {
        DemoValues v = before;
        EXPECT_EQ(ParseDemoValues(text, v), count) << text;
        EXPECT_EQ(v, values) << text;
    }
}

TEST(DemoDialogValues, WeightsAbove1000AreScaledSoTheLargestIs500) {
    const std::pair<DemoWeights, DemoValues> cases[] = {
        {{{2000, 5, 0, 7, 1, 1, 1, 1}}, {500, 1, 0, 1, 0, 0, 0, 0}},
        {{{1000, 5, 0, 7, 1, 1, 1, 1}}, {1000, 5, 0, 7, 1, 1, 1, 1}},
        {{{3, 1000.5, 0, 7, 1, 1, 1, 1}}, {1, 500, 0, 3, 0, 0, 0, 0}},
        {{{-5000, -2, -3, -4, -5, -6, -7, -8}}, {-5000, -2, -3, -4, -5, -6, -7, -8}},  // all below 0
        {{{4000, -4000}}, {500, -500, 0, 0, 0, 0, 0, 0}},
        {{{1, 1, 1, 1, 1, 1, 1, 2000}}, {0, 0, 0, 0, 0, 0, 0, 500}},  // the last weight counts too
        {{{531, 1062}}, {250, 500, 0, 0, 0, 0, 0, 0}},               // 531 x 500 / 1062, not 531 x (500 / 1062)
    };
    for (auto [w, shown] : cases) {
        ScaleWeightsForDialog(w);
        EXPECT_EQ(DialogValuesFromWeights(w), shown);
    }
    DemoWeights w = cases[0].first;
    ScaleWeightsForDialog(w);
    EXPECT_DOUBLE_EQ(w[1], 1.25);  // the scaled weights keep their fractions
}

TEST(DemoDialogValues, LearnedFractionsAreTruncatedAndOkReplacesThem) {
    DemoWeights w{{40.8, -0.9, 1e12, -1e12, 0, 0, 0, 0.99}};
    EXPECT_EQ(DialogValuesFromWeights(w), (DemoValues{40, 0, INT_MAX, INT_MIN, 0, 0, 0, 0}));
    bool learn = false;
    ApplyDialogValues({DialogValuesFromWeights(DemoWeights{{40.8, 5, 0, 7, 1, 1, 1, 1}}), true}, w, learn);
    EXPECT_TRUE(learn);
    EXPECT_EQ(w, (DemoWeights{{40, 5, 0, 7, 1, 1, 1, 1}}));
}

}  // namespace
}  // namespace vexari
