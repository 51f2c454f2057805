#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include "TempHome.h"
#include "settings/IniFile.h"
#include "settings/Paths.h"

using namespace vexari;

namespace {

class SettingsFileTest : public TempHomeTest {
protected:
    ScreenMetrics metrics{768, 1024, 4};
    std::filesystem::path Ini() const { return SettingsFilePath(); }
    Settings Load(bool* firstRun = nullptr) {
        Settings s;
        bool first = LoadSettings(s, metrics);
        if (firstRun) *firstRun = first;
        return s;
    }
};

}  // namespace

TEST_F(SettingsFileTest, PathsFollowXdgAndAreCreated) {
    EXPECT_EQ(ConfigDir(), root_ / "config" / "vexari");
    EXPECT_EQ(DataDir(), root_ / "data" / "vexari");
    EXPECT_TRUE(std::filesystem::is_directory(root_ / "config" / "vexari"));
    EXPECT_TRUE(std::filesystem::is_directory(root_ / "data" / "vexari"));
    EXPECT_EQ(SettingsFilePath(), root_ / "config" / "vexari" / "vexari.ini");
}

TEST_F(SettingsFileTest, DefaultGeometryFollowsScreenAndHeight) {
    // cell = (768 - 70) / 25 = 27, width = 15 * 27 + 20 = 425
    EXPECT_EQ(DefaultGeometry(metrics, 25), (WindowRect{(1024 - 425) / 2, -4, (1024 - 425) / 2 + 425, 764}));
    // cell = 698 / 19 = 36, width = 560
    EXPECT_EQ(DefaultGeometry(metrics, 19).right - DefaultGeometry(metrics, 19).left, 560);
    // An impossible height does not divide by zero.
    EXPECT_EQ(DefaultGeometry(metrics, 0), DefaultGeometry(metrics, 19));
}

TEST_F(SettingsFileTest, MissingFileIsFirstRunWithDefaults) {
    bool first = false;
    Settings s = Load(&first);
    EXPECT_TRUE(first);
    Settings d;
    EXPECT_EQ(s.keys, d.keys);
    EXPECT_EQ(s.demo, d.demo);
    EXPECT_EQ(s.level, 5);
    EXPECT_EQ(s.netLevel, 5);
    EXPECT_EQ(s.port, 7000);
    EXPECT_EQ(s.maxScores, 20);
    EXPECT_EQ(s.highScore, "vexari.his");
    EXPECT_EQ(s.installed, 0);
    WindowRect g = DefaultGeometry(metrics, 25);
    EXPECT_EQ((WindowRect{s.left, s.top, s.right, s.bottom}), g);
}

TEST_F(SettingsFileTest, FirstRunWritesCompleteFileWithAbsoluteHighScore) {
    Settings s = Load();
    ASSERT_TRUE(FinishFirstRun(s));
    EXPECT_EQ(s.installed, 1);
    EXPECT_EQ(s.highScore, (DataDir() / "vexari.his").string());

    std::string text = Slurp(Ini());
    const char* expectedOrder[] = {
        "[KEYS]", "LEFT=37", "RIGHT=39", "ROTATE=38", "ROTATE2=12", "DROP=32", "ACCELERATE=40",
        "[SKILL]", "LEVEL=5", "INCLEVEL=1", "NEXT=1", "BOTLINES=1", "HEIGHT=25",
        "[DEMO]", "HOLE=41", "MINHOLE=5", "HEIGHT=0", "ILLLINE=7", "ILL2LINE=1", "SURFACE=1", "YFIGURE=1",
        "GREED=1", "[DESIGN]", "SOUND=1", "ANIMATE=1", "COLOR=1", "DOTS=1", "DOT_INTERVAL=1",
        "[NET]", "PLAYER_NAME=\n", "SERVER=\n", "TEAM=\n", "PORT=7000", "LEVEL=5", "COMMAND_TO_THROW=0",
        "PLAYER_TO_THROW=0", "PEND_LINES=0", "COUNT_ONLY_EXIT_SCORES=1", "PLAYER_EXIT_SCORES=0",
        "COMMAND_EXIT_SCORES=1", "MAX_SCORES=20", "SEC_BEFORE_START=0", "TRACE_MESSAGES=1",
        "[FILES]", "HIGH_SCORE=/", "HELP=vexari.hlp", "BITMAP=\n", "[SIZE]", "LEFT=299", "RIGHT=724",
        "TOP=-4", "BOTTOM=764", "[INSTALLED]", "INSTALLED=1"};
    std::size_t at = 0;
    for (const char* item : expectedOrder) {
        std::size_t found = text.find(item, at);
        ASSERT_NE(found, std::string::npos) << item << " missing after offset " << at << " in\n" << text;
        at = found + 1;
    }

    bool first = true;
    Settings again = Load(&first);
    EXPECT_FALSE(first);
    EXPECT_EQ(again.highScore, s.highScore);
}

TEST_F(SettingsFileTest, RoundTripKeepsEveryValue) {
    Settings s;
    s.keys = KeyBindings{65, 68, 87, 83, 13, 88};
    s.level = 3;
    s.next = 0;
    s.incLevel = 0;
    s.botLines = 0;
    s.height = 20;
    for (int i = 0; i < DemoWeights::kCriteria; ++i) s.demo[i] = 10 + i;
    s.sound = 0;
    s.animate = 0;
    s.color = 0;
    s.dots = 3;
    s.dotInterval = 4;
    s.playerName = "Alice";
    s.server = "game.example";
    s.team = "Red";
    s.port = 7100;
    s.netLevel = 9;
    s.commandToThrow = 2;
    s.playerToThrow = 1;
    s.pendLines = 6;
    s.countOnlyExitScores = 0;
    s.playerExitScores = 3;
    s.commandExitScores = 4;
    s.maxScores = 30;
    s.secBeforeStart = 5;
    s.traceMessages = 0;
    s.highScore = (root_ / "scores.his").string();
    s.help = "help.txt";
    s.bitmap = "/tmp/pic.bmp";
    s.left = -7;
    s.right = 400;
    s.top = -4;
    s.bottom = 700;
    ASSERT_TRUE(SaveSettings(s));

    bool first = true;
    Settings r = Load(&first);
    EXPECT_FALSE(first);
    EXPECT_EQ(r.keys, s.keys);
    EXPECT_EQ(r.demo, s.demo);
    EXPECT_EQ(r.level, 3);
    EXPECT_EQ(r.next, 0);
    EXPECT_EQ(r.incLevel, 0);
    EXPECT_EQ(r.botLines, 0);
    EXPECT_EQ(r.height, 20);
    EXPECT_EQ(r.sound, 0);
    EXPECT_EQ(r.animate, 0);
    EXPECT_EQ(r.color, 0);
    EXPECT_EQ(r.dots, 3);
    EXPECT_EQ(r.dotInterval, 4);
    EXPECT_EQ(r.playerName, "Alice");
    EXPECT_EQ(r.server, "game.example");
    EXPECT_EQ(r.team, "Red");
    EXPECT_EQ(r.port, 7100);
    EXPECT_EQ(r.netLevel, 9);
    EXPECT_EQ(r.commandToThrow, 2);
    EXPECT_EQ(r.playerToThrow, 1);
    EXPECT_EQ(r.pendLines, 6);
    EXPECT_EQ(r.countOnlyExitScores, 0);
    EXPECT_EQ(r.playerExitScores, 3);
    EXPECT_EQ(r.commandExitScores, 4);
    EXPECT_EQ(r.maxScores, 30);
    EXPECT_EQ(r.secBeforeStart, 5);
    EXPECT_EQ(r.traceMessages, 0);
    EXPECT_EQ(r.highScore, s.highScore);
    EXPECT_EQ(r.help, "help.txt");
    EXPECT_EQ(r.bitmap, "/tmp/pic.bmp");
    EXPECT_EQ(r.left, -7);
    EXPECT_EQ(r.right, 400);
    EXPECT_EQ(r.top, -4);
    EXPECT_EQ(r.bottom, 700);
    EXPECT_NE(Slurp(Ini()).find("TOP=-4\n"), std::string::npos);
}

TEST_F(SettingsFileTest, WeightsAreWrittenTruncatedTowardsZero) {
    Settings s;
    s.demo[DemoWeights::HOLE] = 12.8;
    s.demo[DemoWeights::MINHOLE] = -3.9;
    s.demo[DemoWeights::HEIGHT] = 1e300;
    ASSERT_TRUE(SaveSettings(s));
    std::string text = Slurp(Ini());
    EXPECT_NE(text.find("HOLE=12\n"), std::string::npos);
    EXPECT_NE(text.find("MINHOLE=-3\n"), std::string::npos);
    Settings r = Load();
    EXPECT_EQ(r.demo[DemoWeights::HOLE], 12.0);
    EXPECT_EQ(r.demo[DemoWeights::MINHOLE], -3.0);
    EXPECT_EQ(r.demo[DemoWeights::HEIGHT], 2147483647.0);
}

TEST_F(SettingsFileTest, NetLevelDefaultsToSkillLevel) {
    Spit(Ini(), "[SKILL]\nLEVEL=2\n[INSTALLED]\nINSTALLED=1\n");
    bool first = true;
    Settings s = Load(&first);
    EXPECT_FALSE(first);
    EXPECT_EQ(s.level, 2);
    EXPECT_EQ(s.netLevel, 2);
    Spit(Ini(), "[SKILL]\nLEVEL=2\n[NET]\nLEVEL=7\n");
    EXPECT_EQ(Load().netLevel, 7);
}

TEST_F(SettingsFileTest, SizeDefaultsUseTheHeightJustRead) {
    Spit(Ini(), "[SKILL]\nHEIGHT=19\n[SIZE]\nTOP=-10\n");
    Settings s = Load();
    WindowRect g = DefaultGeometry(metrics, 19);
    EXPECT_EQ(s.left, g.left);
    EXPECT_EQ(s.right, g.right);
    EXPECT_EQ(s.top, -10);
    EXPECT_EQ(s.bottom, g.bottom);
}

TEST_F(SettingsFileTest, ReadsOddIntegersAndMixedCase) {
    Spit(Ini(),
         "[keys]\r\nleft=  65abc\r\nRight=+68\r\n[Skill]\r\nlevel=x\r\nNext=\r\n[design]\r\ndot_interval=  3 \r\n"
         "[Installed]\r\ninstalled=7\r\n");
    bool first = true;
    Settings s = Load(&first);
    EXPECT_FALSE(first);
    EXPECT_EQ(s.keys.left, 65);
    EXPECT_EQ(s.keys.right, 68);
    EXPECT_EQ(s.level, 1);   // "x" reads as 0, brought up to 1
    EXPECT_EQ(s.next, 1);    // empty value keeps the default
    EXPECT_EQ(s.dotInterval, 3);
}

TEST_F(SettingsFileTest, LongTextsAreCut) {
    std::string longName(40, 'n');
    std::string longServer(150, 's');
    Spit(Ini(), "[NET]\nPLAYER_NAME=" + longName + "\nSERVER=" + longServer + "\nTEAM=" + longName +
                    "\n[FILES]\nBITMAP=" + longServer + "\n");
    Settings s = Load();
    EXPECT_EQ(s.playerName, std::string(19, 'n'));
    EXPECT_EQ(s.server, std::string(99, 's'));
    EXPECT_EQ(s.team, std::string(19, 'n'));
    EXPECT_EQ(s.bitmap, std::string(99, 's'));
}

TEST_F(SettingsFileTest, EditedValuesAreBroughtIntoRange) {
    Spit(Ini(),
         "[KEYS]\nLEFT=0\nRIGHT=255\nROTATE=-1\nDROP=254\nACCELERATE=1\nROTATE2=100000\n"
         "[SKILL]\nLEVEL=0\nNEXT=65536\nINCLEVEL=65537\nHEIGHT=1000\n"
         "[DESIGN]\nDOTS=4\nDOT_INTERVAL=-5\n"
         "[NET]\nLEVEL=11\nPORT=-1\n");
    Settings s = Load();
    KeyBindings d;
    EXPECT_EQ(s.keys.left, d.left);
    EXPECT_EQ(s.keys.right, d.right);
    EXPECT_EQ(s.keys.rotate, d.rotate);
    EXPECT_EQ(s.keys.drop, 254);
    EXPECT_EQ(s.keys.accelerate, 1);
    EXPECT_EQ(s.keys.rotate2, d.rotate2);
    EXPECT_EQ(s.level, 1);
    EXPECT_EQ(s.netLevel, 10);
    EXPECT_EQ(s.next, 0);      // low 16 bits of 65536
    EXPECT_EQ(s.incLevel, 1);  // low 16 bits of 65537
    EXPECT_EQ(s.height, 25);
    EXPECT_EQ(s.dots, 1);
    EXPECT_EQ(s.dotInterval, 1);
    EXPECT_EQ(s.port, -1);  // left for its user to refuse

    Spit(Ini(), "[SKILL]\nHEIGHT=3\n[DESIGN]\nDOTS=65538\n");  // 65538 keeps 2
    s = Load();
    EXPECT_EQ(s.height, 19);
    EXPECT_EQ(s.dots, 2);
}

TEST_F(SettingsFileTest, SaveKeepsOtherContent) {
    Spit(Ini(), "; hand-written note\r\n[KEYS]\r\nLEFT=0\r\nMY_KEY=abc\r\n[MINE]\r\nX=1\r\n");
    Settings s = Load();
    ASSERT_TRUE(SaveSettings(s));
    std::string text = Slurp(Ini());
    EXPECT_EQ(text.rfind("; hand-written note\r\n[KEYS]\r\nLEFT=37\r\nMY_KEY=abc\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("[MINE]\r\nX=1\r\n"), std::string::npos);
    IniFile ini(Ini());
    EXPECT_EQ(ini.ReadString("KEYS", "MY_KEY", "", 100), "abc");
}

TEST_F(SettingsFileTest, HighScorePathIsMadeAbsoluteSafely) {
    std::string data = DataDir().string();
    EXPECT_EQ(AbsoluteHighScorePath("scores/my.his"), data + "/scores/my.his");
    EXPECT_EQ(AbsoluteHighScorePath("./a/../b.his"), data + "/b.his");
    EXPECT_EQ(AbsoluteHighScorePath(""), data + "/vexari.his");
    EXPECT_EQ(AbsoluteHighScorePath("/var/x.his"), "/var/x.his");
    // Too long for the file: falls back to the data directory's default.
    EXPECT_EQ(AbsoluteHighScorePath("/" + std::string(120, 'x')), data + "/vexari.his");
    EXPECT_EQ(ResolveHighScorePath("rel.his"), DataDir() / "rel.his");

    // If even the data directory is too long, the plain name is kept and
    // placed in the data directory when used.
    std::filesystem::path deep = root_ / std::string(100, 'd');
    setenv("XDG_DATA_HOME", deep.c_str(), 1);
    EXPECT_EQ(AbsoluteHighScorePath("x.his"), "vexari.his");
    EXPECT_EQ(ResolveHighScorePath("vexari.his"), deep / "vexari" / "vexari.his");
}
