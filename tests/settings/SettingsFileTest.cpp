#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <tuple>

#include "TempHome.h"
#include "settings/Paths.h"

using namespace vexari;

namespace {

// Every value of a Settings record, for comparing whole records.
auto Fields(const Settings& s) {
    return std::tie(s.keys, s.level, s.next, s.incLevel, s.botLines, s.height, s.demo, s.sound, s.animate, s.color,
                    s.dots, s.dotInterval, s.playerName, s.server, s.team, s.port, s.netLevel, s.commandToThrow,
                    s.playerToThrow, s.pendLines, s.countOnlyExitScores, s.playerExitScores, s.commandExitScores,
                    s.maxScores, s.secBeforeStart, s.traceMessages, s.highScore, s.help, s.bitmap, s.left, s.right,
                    s.top, s.bottom, s.installed);
}

class SettingsFileTest : public TempHomeTest {
protected:
    const ScreenMetrics metrics{768, 1024, 4};
    Settings Load(bool* firstRun = nullptr) const {
        Settings s;
        const bool first = LoadSettings(s, metrics);
        if (firstRun) *firstRun = first;
        return s;
    }
    Settings LoadText(const std::string& text) const {
        Spit(SettingsFilePath(), text);
        return Load();
    }
};

TEST_F(SettingsFileTest, PathsFollowXdgAndTheDefaultPlaceFollowsTheScreen) {
    EXPECT_EQ(SettingsFilePath(), root_ / "config" / "vexari" / "vexari.ini");
    EXPECT_EQ(DataDir(), root_ / "data" / "vexari");
    EXPECT_TRUE(std::filesystem::is_directory(root_ / "config" / "vexari"));
    EXPECT_TRUE(std::filesystem::is_directory(root_ / "data" / "vexari"));
    // Cells of (768 - 70) / 25 = 27 pixels: 15 * 27 + 20 = 425 wide, centred.
    EXPECT_EQ(DefaultGeometry(metrics, 25), (WindowRect{299, -4, 299 + 425, 764}));
    EXPECT_EQ(DefaultGeometry(metrics, 0), DefaultGeometry(metrics, 19));  // no division by zero
}

TEST_F(SettingsFileTest, FirstRunWithoutAFileWritesEveryKey) {
    bool first = false;
    Settings s = Load(&first);
    EXPECT_TRUE(first);
    Settings defaults;
    const WindowRect g = DefaultGeometry(metrics, 25);
    std::tie(defaults.left, defaults.top, defaults.right, defaults.bottom) = std::tie(g.left, g.top, g.right, g.bottom);
    EXPECT_EQ(Fields(s), Fields(defaults));

    ASSERT_TRUE(FinishFirstRun(s));
    EXPECT_EQ(s.installed, 1);
    EXPECT_EQ(s.highScore, (DataDir() / "vexari.his").string());
    // Every key as a whole line, in this order; the high-score path is absolute.
    std::istringstream order(
        "[KEYS] LEFT=37 RIGHT=39 ROTATE=38 ROTATE2=12 DROP=32 ACCELERATE=40 [SKILL] LEVEL=5 INCLEVEL=1 NEXT=1 "
        "BOTLINES=1 HEIGHT=25 [DEMO] HOLE=41 MINHOLE=5 HEIGHT=0 ILLLINE=7 ILL2LINE=1 SURFACE=1 YFIGURE=1 GREED=1 "
        "[DESIGN] SOUND=1 ANIMATE=1 COLOR=1 DOTS=1 DOT_INTERVAL=1 [NET] PLAYER_NAME= SERVER= TEAM= PORT=7000 LEVEL=5 "
        "COMMAND_TO_THROW=0 PLAYER_TO_THROW=0 PEND_LINES=0 COUNT_ONLY_EXIT_SCORES=1 PLAYER_EXIT_SCORES=0 "
        "COMMAND_EXIT_SCORES=1 MAX_SCORES=20 SEC_BEFORE_START=0 TRACE_MESSAGES=1 [FILES] HIGH_SCORE=/ HELP=vexari.hlp "
        "BITMAP= [SIZE] LEFT=299 RIGHT=724 TOP=-4 BOTTOM=764 [INSTALLED] INSTALLED=1");
    const std::string text = "\n" + Slurp(SettingsFilePath());
    std::size_t at = 0;
    for (std::string item; order >> item; at += item.size()) {
        at = text.find("\n" + item + (item == "HIGH_SCORE=/" ? "" : "\n"), at);
        ASSERT_NE(at, std::string::npos) << item << " missing or out of order in" << text;
    }
    EXPECT_EQ(Fields(Load(&first)), Fields(s));
    EXPECT_FALSE(first);
}

TEST_F(SettingsFileTest, RoundTripKeepsEveryValue) {
    const Settings s{.keys = {65, 68, 87, 83, 13, 88}, .level = 3, .next = 0, .incLevel = 0, .botLines = 0,
                     .height = 20, .demo = {{10, 11, 12, 13, 14, 15, 16, 17}}, .sound = 0, .animate = 0, .color = 0,
                     .dots = 3, .dotInterval = 3, .playerName = " Alice ", .server = "'game.example'",
                     .team = "\"Red\"", .port = 7100, .netLevel = 9, .commandToThrow = 2, .playerToThrow = 1,
                     .pendLines = 6, .countOnlyExitScores = 0, .playerExitScores = 3, .commandExitScores = 4,
                     .maxScores = 30, .secBeforeStart = 5, .traceMessages = 0,
                     .highScore = (root_ / "scores.his ").string(), .help = "help.txt", .bitmap = "/tmp/pic.bmp",
                     .left = -7, .right = 400, .top = -4, .bottom = 700, .installed = 1};
    ASSERT_TRUE(SaveSettings(s));
    EXPECT_EQ(Fields(Load()), Fields(s));
    EXPECT_NE(Slurp(SettingsFilePath()).find("TOP=-4\n"), std::string::npos);
}

TEST_F(SettingsFileTest, WeightsAreWrittenTruncatedTowardsZeroAndInstalledAsOne) {
    Settings s;
    s.installed = 0;  // whatever the record holds, the file says it is installed
    s.demo[DemoWeights::HOLE] = 12.8;
    s.demo[DemoWeights::MINHOLE] = -3.9;
    s.demo[DemoWeights::HEIGHT] = 1e300;
    ASSERT_TRUE(SaveSettings(s));
    const std::string text = Slurp(SettingsFilePath());
    EXPECT_NE(text.find("HOLE=12\n"), std::string::npos);
    EXPECT_NE(text.find("MINHOLE=-3\n"), std::string::npos);
    EXPECT_NE(text.find("[INSTALLED]\nINSTALLED=1\n"), std::string::npos);
    EXPECT_EQ(Load().demo, (DemoWeights{{12, -3, 2147483647.0, 7, 1, 1, 1, 1}}));
}

TEST_F(SettingsFileTest, HandWrittenFiles) {
    // Missing NET LEVEL and SIZE keys follow the values read before them.
    Settings s = LoadText("[SKILL]\nLEVEL=2\nHEIGHT=19\n[SIZE]\nTOP=-10\n");
    const WindowRect g = DefaultGeometry(metrics, 19);
    EXPECT_EQ(std::tuple(s.netLevel, s.left, s.top, s.right, s.bottom), std::tuple(2, g.left, -10, g.right, g.bottom));
    EXPECT_EQ(LoadText("[SKILL]\nLEVEL=2\n[NET]\nLEVEL=7\n").netLevel, 7);

    // Odd integers, names in any case.
    bool first = true;
    Spit(SettingsFilePath(), "[keys]\r\nleft=  65abc\r\nRight=+68\r\n[Skill]\r\nlevel=x\r\nNext=\r\n"
                             "[design]\r\ndot_interval=  3 \r\n[Installed]\r\ninstalled=7\r\n"
                             "[FILES]\r\r\nHIGH_SCORE=/x/scores.his\r\r\n");  // line ends converted twice
    s = Load(&first);
    EXPECT_FALSE(first);
    // "x" reads as 0 and is brought up to 1; an empty value keeps the default.
    EXPECT_EQ(std::tuple(s.keys.left, s.keys.right, s.level, s.next, s.dotInterval, s.highScore),
              std::tuple(65, 68, 1, 1, 3, "/x/scores.his"));

    // Texts are cut to their size less one.
    s = LoadText("[NET]\nPLAYER_NAME=" + std::string(40, 'n') + "\n[FILES]\nBITMAP=" + std::string(150, 's') + "\n");
    EXPECT_EQ(std::tie(s.playerName, s.bitmap), std::tuple(std::string(19, 'n'), std::string(99, 's')));
}

TEST_F(SettingsFileTest, EditedValuesAreBroughtIntoRange) {
    Settings s = LoadText("[KEYS]\nLEFT=0\nRIGHT=255\nROTATE=-1\nDROP=254\nACCELERATE=1\nROTATE2=100000\n"
                          "[SKILL]\nLEVEL=0\nNEXT=65536\nINCLEVEL=-7\nBOTLINES=2\nHEIGHT=1000\n"
                          "[DEMO]\nMINHOLE=-99999999999\n[DESIGN]\nANIMATE=5\nCOLOR=-1\nDOTS=4\nDOT_INTERVAL=-5\n"
                          "[NET]\nLEVEL=11\nPORT=65536\nCOMMAND_TO_THROW=5\nPLAYER_TO_THROW=-1\n"
                          "PLAYER_EXIT_SCORES=-2\nCOMMAND_EXIT_SCORES=-3\nMAX_SCORES=-4\nSEC_BEFORE_START=11\n"
                          "TRACE_MESSAGES=65536\n[SIZE]\nLEFT=-99999999999\nRIGHT=99999999999\n");
    const KeyBindings d;
    EXPECT_EQ(s.keys, (KeyBindings{d.left, d.right, d.rotate, d.rotate2, 254, 1}));
    EXPECT_EQ(std::tuple(s.level, s.netLevel, s.height, s.dots, s.dotInterval, s.port, s.demo[DemoWeights::MINHOLE]),
              std::tuple(1, 10, 25, 1, 1, 7000, double{INT_MIN}));
    // On/off values read as 1 when not 0.
    EXPECT_EQ(std::tuple(s.next, s.incLevel, s.botLines, s.animate, s.color, s.traceMessages),
              std::tuple(1, 1, 1, 1, 1, 1));
    EXPECT_EQ(std::tuple(s.commandToThrow, s.playerToThrow, s.playerExitScores, s.commandExitScores, s.maxScores,
                         s.secBeforeStart, s.left, s.right),
              std::tuple(4, 0, 0, 0, 0, 10, -(1 << 24), 1 << 24));
    s = LoadText("[SKILL]\nHEIGHT=3\n[DESIGN]\nDOTS=65538\nDOT_INTERVAL=4\n");  // 65538 would wrap to 2
    EXPECT_EQ(std::tuple(s.height, s.dots, s.dotInterval), std::tuple(19, 1, 3));
}

TEST_F(SettingsFileTest, SaveKeepsOtherContent) {
    Settings s = LoadText("; hand-written note\r\n[KEYS]\r\nLEFT=0\r\nMY_KEY=abc\r\n[MINE]\r\nX=1\r\n");
    ASSERT_TRUE(SaveSettings(s));
    const std::string text = Slurp(SettingsFilePath());
    EXPECT_EQ(text.rfind("; hand-written note\r\n[KEYS]\r\nLEFT=37\r\nMY_KEY=abc\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("[MINE]\r\nX=1\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, HighScorePathIsMadeAbsoluteSafely) {
    const std::string data = DataDir().string();
    const std::pair<std::string, std::string> cases[] = {
        {"./a/../b.his", data + "/b.his"}, {"", data + "/vexari.his"}, {"/var/x.his", "/var/x.his"},
        {"/" + std::string(120, 'x'), data + "/vexari.his"},  // too long to keep
    };
    for (const auto& [value, path] : cases) EXPECT_EQ(AbsoluteHighScorePath(value), path) << value;
    // With a data directory too long itself, the plain name is kept and placed there when used.
    const std::filesystem::path deep = root_ / std::string(100, 'd');
    setenv("XDG_DATA_HOME", deep.c_str(), 1);
    EXPECT_EQ(AbsoluteHighScorePath("x.his"), "vexari.his");
    EXPECT_EQ(ResolveHighScorePath("vexari.his"), deep / "vexari" / "vexari.his");
}

}  // namespace
