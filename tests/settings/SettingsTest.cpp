// SPDX-License-Identifier: GPL-3.0-or-later
// The settings library: the ini file reader and writer, the settings file,
// the high-score table and the safe writer every saved file goes through.
#include <fcntl.h>
#include <gtest/gtest.h>

#include <regex>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <sstream>
#include <thread>

#include "settings/HighScoreTable.h"
#include "settings/IniFile.h"
#include "settings/Paths.h"
#include "settings/SafeFile.h"
#include "settings/SettingsFile.h"

using namespace vexari;
namespace fs = std::filesystem;

namespace {

// Gives each test its own configuration and data directories.
class TempHomeTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        root_ = fs::temp_directory_path() / ("vexari-settings-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        fs::create_directories(root_);
        setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    static std::string Slurp(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream bytes;
        if (in) bytes << in.rdbuf();
        return bytes.str();
    }
    static void Spit(const fs::path& p, const std::string& bytes) {
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }

    fs::path root_;
};

// ---- the ini file ----

IniFile FromText(const std::string& text) {
    IniFile ini;
    ini.Parse(text);
    return ini;
}

TEST(IniFile, ReadsIntegersLikeTheProfileFunctions) {
    const std::pair<const char*, int> cases[] = {  // beyond the range of int: its nearest end
        {"  -12abc", -12}, {"+7", 7}, {"x", 0}, {"", 99}, {"\"15\"", 15}, {"4294967297", INT_MAX},
        {"-99999999999", INT_MIN},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(FromText(std::string("[S]\nK=") + value + "\n").ReadInt("S", "K", 99), expected) << value;
}

TEST(IniFile, NamesMatchInAnyCaseAndTheFirstSectionOfANameCounts) {
    IniFile ini = FromText("[ keys ]\r\n  left = 65 \r\nRight=66\r\n[Other]\r\nleft=1\r\n[KEYS]\r\nLEFT=2\r\nZ=3\r\n");
    EXPECT_EQ(std::tuple(ini.ReadInt("KEYS", "LEFT", 0), ini.ReadInt("Keys", "RIGHT", 0),
                         ini.ReadInt("OTHER", "LEFT", 0), ini.ReadString("KEYS", "LEFT", "", 100)),
              std::tuple(65, 66, 1, "65"));
    EXPECT_FALSE(ini.HasKey("KEYS", "Z"));
    ini.WriteInt("KEYS", "Z", -9);  // added to the first section, with the file's line ends
    EXPECT_EQ(ini.ToText(),
              "[ keys ]\r\n  left = 65 \r\nRight=66\r\nZ=-9\r\n[Other]\r\nleft=1\r\n[KEYS]\r\nLEFT=2\r\nZ=3\r\n");
}

TEST(IniFile, TextValuesReadBackAsWritten) {
    // Values that blanks or quotes around them would change are written quoted; the rest as they are.
    const std::pair<std::string, std::string> cases[] = {
        {"a\"b'", "a\"b'"}, {"\"open", "\"open"}, {"", ""},   {" a ", "\" a \""},
        {"\"q\"", "\"\"q\"\""},  {"'x'", "\"'x'\""},   {"a\rb", "a\rb"}, {"cr\r", "\"cr\r\""},
    };
    for (const auto& [value, written] : cases) {
        IniFile ini;
        ini.WriteString("S", "K", value);
        EXPECT_EQ(std::pair(ini.ToText(), FromText(ini.ToText()).ReadString("S", "K", "-", 100)),
                  std::pair("[S]\nK=" + written + "\n", value));
    }
    // Every CR before a line's LF goes (line ends converted twice).
    IniFile twice = FromText("[S]\r\r\nK=scores.his\r\r\r\n");
    EXPECT_EQ(std::tuple(twice.ReadString("S", "K", "", 100), twice.ToText()),
              std::tuple("scores.his", "[S]\r\nK=scores.his\r\n"));
}

TEST(IniFile, StringsAreCutAndDefaultsApply) {
    IniFile ini = FromText("[N]\nNAME=abcdefghijklmnopqrstuvwxyz\nEMPTY=\nQ='quoted'\n");
    EXPECT_EQ(std::tuple(ini.ReadString("N", "NAME", "", 20), ini.ReadString("N", "NAME", "", 0),
                         ini.ReadString("N", "EMPTY", "dflt", 20), ini.ReadString("N", "MISSING", "dflt", 3),
                         ini.ReadString("N", "Q", "", 20)),
              std::tuple("abcdefghijklmnopqrs", "", "", "df", "quoted"));
    // A cut never leaves half a UTF-8 character; other bytes are cut plainly.
    EXPECT_EQ(std::tuple(CutText("a\xE2\x82\xAC" "b", 3), CutText("\x80\x80\x80\x80", 3)),
              std::tuple("a", "\x80\x80\x80"));
}

TEST(IniFile, WritesInPlaceAppendsAndKeepsEverythingElse) {
    const std::string head = "; my settings\njunk line without equals\n[KEYS]\n";
    const std::string tail = "\n[broken\n[UNKNOWN]\nFOO=bar\n";
    IniFile ini = FromText(head + "left=1\n; keep me\nCUSTOM=hello\n" + tail);
    ini.WriteString("KEYS", "LEFT", "37");
    ini.WriteString("KEYS", "RIGHT", "39");
    ini.WriteString("NEW", "KEY", "line1\r\nline2");
    EXPECT_EQ(ini.ToText(),
              head + "left=37\n; keep me\nCUSTOM=hello\nRIGHT=39\n" + tail + "\n[NEW]\nKEY=line1 line2\n");
    EXPECT_EQ(ini.ReadString("NEW", "KEY", "", 100), "line1 line2");

    std::string garbage;
    for (int i = 0; i < 2000; ++i) garbage += static_cast<char>((i * 7919) % 256);
    ini = FromText(garbage + "\n[=\n]=[\n==\n[]\n\r\r\n");
    EXPECT_EQ(ini.ReadInt("A", "B", 3), 3);
    ini.WriteString("A", "B", "4");
    EXPECT_EQ(std::tuple(ini.ReadInt("A", "B", 3), FromText(ini.ToText()).ReadInt("A", "B", 3)), std::tuple(4, 4));
}

using IniFileDisk = TempHomeTest;

TEST_F(IniFileDisk, MissingFileReadsDefaultsAndSaveWritesItWhole) {
    IniFile ini;
    EXPECT_TRUE(!ini.Load(root_ / "a.ini") && ini.ReadInt("S", "K", 8) == 8);
    ini.WriteInt("S", "K", 9);
    ASSERT_TRUE(ini.Save());
    // No temporary is left behind; a folder in place of the file reads as a missing file.
    EXPECT_EQ(std::tuple(Slurp(root_ / "a.ini"), std::distance(fs::directory_iterator(root_), {})),
              std::tuple("[S]\nK=9\n", 1));
    EXPECT_TRUE(!ini.Load(root_) && ini.ReadInt("S", "K", 8) == 8);
}

// ---- the settings file ----

// Every value of a Settings record, for comparing whole records.
auto Fields(const Settings& s) {
    return std::tie(s.keys, s.pad, s.fallPeriod, s.next, s.incLevel, s.botLines, s.height, s.weights, s.sound, s.animate,
                    s.color, s.dots, s.dotInterval, s.palette, s.marks, s.landing, s.playerName, s.server, s.team, s.port,
                    s.netFallPeriod, s.teamThrow,
                    s.playerThrow, s.pendLines, s.countOnlyWinScores, s.playerWinScores, s.teamWinScores,
                    s.playTill, s.countdownSeconds, s.traceMessages, s.highScore, s.help, s.bitmap, s.left, s.right,
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
    Settings LoadText(const std::string& text, bool* firstRun = nullptr) const {
        Spit(SettingsFilePath(), text);
        return Load(firstRun);
    }
};

TEST_F(SettingsFileTest, FirstRunWithoutAFileWritesEveryKeyWhereXdgSays) {
    EXPECT_EQ(std::tuple(SettingsFilePath(), DataDir()),
              std::tuple(root_ / "config" / "vexari" / "vexari.ini", root_ / "data" / "vexari"));
    EXPECT_TRUE(fs::is_directory(root_ / "config" / "vexari") && fs::is_directory(root_ / "data" / "vexari"));
    // The default place: cells of (768 - 70) / 25 = 27 pixels, 15 * 27 + 20 = 425 wide, centred.
    const WindowRect g = DefaultGeometry(metrics, 25);
    EXPECT_EQ(g, (WindowRect{299, -4, 299 + 425, 764}));
    EXPECT_EQ(DefaultGeometry(metrics, 0), DefaultGeometry(metrics, 19));  // no division by zero

    bool first = false;
    Settings s = Load(&first);
    EXPECT_TRUE(first);
    Settings defaults;
    std::tie(defaults.left, defaults.top, defaults.right, defaults.bottom) = std::tie(g.left, g.top, g.right, g.bottom);
    EXPECT_EQ(Fields(s), Fields(defaults));

    ASSERT_TRUE(FinishFirstRun(s));
    EXPECT_EQ(std::tuple(s.installed, s.highScore), std::tuple(1, (DataDir() / "vexari.his").string()));
    // Every key as a whole line, in this order; the high-score path is absolute.
    std::istringstream order(
        "[KEYS] LEFT=37 RIGHT=39 ROTATE=38 ROTATE2=12 DROP=32 ACCELERATE=40 "
        "PAD_DELAY=500 PAD_RATE=30 PAD_A=1 PAD_B=2 PAD_X=2 PAD_Y=3 PAD_LB=2 PAD_RB=1 [SKILL] LEVEL=5 INCLEVEL=1 NEXT=1 "
        "BOTLINES=1 HEIGHT=25 [DEMO] HOLE=41 MINHOLE=5 HEIGHT=0 ILLLINE=7 ILL2LINE=1 SURFACE=1 YFIGURE=1 GREED=1 "
        "[DESIGN] SOUND=1 ANIMATE=1 COLOR=1 DOTS=1 DOT_INTERVAL=1 PALETTE=0 MARKS=0 LANDING=0 [NET] PLAYER_NAME= SERVER= TEAM= PORT=7000 LEVEL=5 "
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

TEST_F(SettingsFileTest, SavedValuesReadBack) {
    constexpr auto key = KeyCodeFromStored;
    const Settings s{.keys = {key('A'), key('D'), key('W'), key('S'), key(13), key('X')}, .pad = {250, 12, {4, 3, 0, 1, 2, 2}},
                     .fallPeriod = 3, .next = 0, .incLevel = 0, .botLines = 0,
                     .height = 20, .weights = {{10, 11, 12, 13, 14, 15, 16, 17}}, .sound = 0, .animate = 0, .color = 0,
                     .dots = 3, .dotInterval = 3, .palette = 1, .marks = 1, .landing = 1, .playerName = " Alice ", .server = "'game.example'",
                     .team = "\"Red\"", .port = 7100, .netFallPeriod = 9, .teamThrow = 2, .playerThrow = 1,
                     .pendLines = 6, .countOnlyWinScores = 0, .playerWinScores = 3, .teamWinScores = 4,
                     .playTill = 30, .countdownSeconds = 5, .traceMessages = 0,
                     .highScore = (root_ / "scores.his ").string(), .help = "help.txt", .bitmap = "/tmp/pic.bmp",
                     .left = -7, .right = 400, .top = -4, .bottom = 700, .installed = 1};
    ASSERT_TRUE(SaveSettings(s));
    EXPECT_EQ(Fields(Load()), Fields(s));

    // Weights are written truncated towards zero; whatever the record holds, the file says it is installed.
    Settings t;
    t.installed = 0;
    std::tie(t.weights[ComputerWeights::kHoles], t.weights[ComputerWeights::kHoleDepth], t.weights[ComputerWeights::kContacts]) =
        std::tuple(12.8, -3.9, 1e300);
    ASSERT_TRUE(SaveSettings(t));
    const std::string text = Slurp(SettingsFilePath());
    for (const char* line : {"[DEMO]\nHOLE=12\nMINHOLE=-3\n", "[INSTALLED]\nINSTALLED=1\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_EQ(Load().weights, (ComputerWeights{{12, -3, 2147483647.0, 7, 1, 1, 1, 1}}));
}

// Two copies of the game run from one settings file: each saves what it
// changed, and neither undoes the other's changes; a key missing from the
// file is written all the same.
TEST_F(SettingsFileTest, TwoCopiesSaveTheirOwnChangesAndLoseNoneOfTheOther) {
    Settings first;
    first.installed = 1;
    ASSERT_TRUE(SaveSettings(first));
    const Settings loadedA = Load(), loadedB = Load();
    Settings a = loadedA, b = loadedB;
    a.keys.left = KeyCode::A;
    b.fallPeriod = 9;
    b.playerName = "Bob";
    ASSERT_TRUE(SaveSettingsChanges(loadedA, a));
    Spit(SettingsFilePath(), std::regex_replace(Slurp(SettingsFilePath()), std::regex("BITMAP=.*\n"), ""));
    ASSERT_TRUE(SaveSettingsChanges(loadedB, b));
    const Settings both = Load();
    EXPECT_EQ(std::tuple(both.keys.left, both.fallPeriod, both.playerName), std::tuple(KeyCode::A, 9, std::string("Bob")));
    EXPECT_NE(Slurp(SettingsFilePath()).find("\nBITMAP=\n"), std::string::npos);
}

// A text saved as a change reads back as itself in the next run and leaves
// the same file as a whole save of the same settings, whatever it holds.
TEST_F(SettingsFileTest, ChangedTextsReadBackAsTheWholeFileWritesThem) {
    for (const std::string v : {"  Bob  ", "\"Bob\"", "'Bob'", "\"", "Bob\r", ""}) {
        Settings first;
        first.playerName = first.team = first.server = first.bitmap = "x";
        ASSERT_TRUE(SaveSettings(first));
        const Settings loaded = Load();
        Settings changed = loaded;
        changed.playerName = changed.team = changed.server = changed.bitmap = v;
        ASSERT_TRUE(SaveSettingsChanges(loaded, changed));
        const Settings next = Load();  // the next run
        EXPECT_EQ(std::tie(next.playerName, next.team, next.server, next.bitmap), std::tie(v, v, v, v));
        Settings again = next;
        again.keys.left = KeyCode::A;
        ASSERT_TRUE(SaveSettingsChanges(next, again));
        const std::string byChanges = Slurp(SettingsFilePath());
        ASSERT_TRUE(SaveSettings(again));
        EXPECT_EQ(byChanges, Slurp(SettingsFilePath())) << v;
        EXPECT_EQ(Fields(Load()), Fields(again));
    }
}

TEST_F(SettingsFileTest, HandWrittenFilesAreReadAndKept) {
    // Missing NET LEVEL and SIZE keys follow the values read before them.
    Settings s = LoadText("[SKILL]\nLEVEL=2\nHEIGHT=19\n[SIZE]\nTOP=-10\n");
    const WindowRect g = DefaultGeometry(metrics, 19);
    EXPECT_EQ(std::tuple(s.netFallPeriod, s.left, s.top, s.right, s.bottom), std::tuple(2, g.left, -10, g.right, g.bottom));
    EXPECT_EQ(LoadText("[SKILL]\nLEVEL=2\n[NET]\nLEVEL=7\n").netFallPeriod, 7);

    // Texts are cut to their size less one; any INSTALLED value but 0 means the first run is done.
    bool first = true;
    s = LoadText("[NET]\nPLAYER_NAME=" + std::string(40, 'n') + "\n[FILES]\nBITMAP=" + std::string(150, 's') +
                     "\n[INSTALLED]\nINSTALLED=7\n",
                 &first);
    EXPECT_EQ(std::tie(s.playerName, s.bitmap, first), std::tuple(std::string(19, 'n'), std::string(99, 's'), false));

    // Saving keeps what the program does not know.
    ASSERT_TRUE(SaveSettings(LoadText("; hand-written note\r\n[KEYS]\r\nLEFT=0\r\nMY_KEY=abc\r\n[MINE]\r\nX=1\r\n")));
    const std::string text = Slurp(SettingsFilePath());
    EXPECT_TRUE(text.starts_with("; hand-written note\r\n[KEYS]\r\nLEFT=37\r\nMY_KEY=abc\r\n") &&
                text.find("[MINE]\r\nX=1\r\n") != std::string::npos) << text;
}

TEST_F(SettingsFileTest, EditedValuesAreBroughtIntoRange) {
    Settings s = LoadText("[KEYS]\nLEFT=0\nRIGHT=255\nROTATE=-1\nDROP=254\nACCELERATE=1\nROTATE2=100000\n"
                          "PAD_DELAY=99\nPAD_RATE=61\nPAD_A=5\nPAD_B=-1\nPAD_X=0\nPAD_Y=4\n"
                          "[SKILL]\nLEVEL=0\nNEXT=65536\nINCLEVEL=-7\nBOTLINES=2\nHEIGHT=1000\n"
                          "[DEMO]\nMINHOLE=-99999999999\n[DESIGN]\nANIMATE=5\nCOLOR=-1\nDOTS=4\nDOT_INTERVAL=-5\n"
                          "PALETTE=2\nMARKS=-3\nLANDING=9\n"
                          "[NET]\nLEVEL=11\nPORT=65536\nCOMMAND_TO_THROW=5\nPLAYER_TO_THROW=-1\n"
                          "PLAYER_EXIT_SCORES=-2\nCOMMAND_EXIT_SCORES=-3\nMAX_SCORES=-4\nSEC_BEFORE_START=11\n"
                          "TRACE_MESSAGES=65536\n[SIZE]\nLEFT=-99999999999\nRIGHT=99999999999\n");
    const KeyBindings d;
    EXPECT_EQ(s.keys, (KeyBindings{d.left, d.right, d.rotate, d.rotate2, KeyCodeFromStored(254), KeyCodeFromStored(1)}));
    EXPECT_EQ(s.pad,
              (PadSettings{500, 30, {kPadRotate, kPadRotate2, kPadNone, kPadAccelerate, kPadRotate2, kPadRotate}}));
    EXPECT_EQ(std::tuple(s.fallPeriod, s.netFallPeriod, s.height, s.dots, s.dotInterval, s.port, s.weights[ComputerWeights::kHoleDepth]),
              std::tuple(1, 10, 25, 1, 1, 7000, double{INT_MIN}));
    // On/off values read as 1 when not 0.
    EXPECT_EQ(std::tuple(s.next, s.incLevel, s.botLines, s.animate, s.color, s.traceMessages, s.marks, s.landing,
                         s.palette),
              std::tuple(1, 1, 1, 1, 1, 1, 1, 1, kPaletteClassic));
    EXPECT_EQ(std::tuple(s.teamThrow, s.playerThrow, s.playerWinScores, s.teamWinScores, s.playTill,
                         s.countdownSeconds, s.left, s.right),
              std::tuple(4, 0, 0, 0, 0, 10, -(1 << 24), 1 << 24));
    s = LoadText("[SKILL]\nHEIGHT=3\n[DESIGN]\nDOTS=65538\nDOT_INTERVAL=4\n");  // 65538 would wrap to 2
    EXPECT_EQ(std::tuple(s.height, s.dots, s.dotInterval), std::tuple(19, 1, 3));
}

TEST_F(SettingsFileTest, HighScorePathIsMadeAbsoluteSafely) {
    const std::string data = DataDir().string();
    const std::pair<std::string, std::string> cases[] = {
        {"./a/../b.his", data + "/b.his"}, {"", data + "/vexari.his"}, {"/var/x.his", "/var/x.his"},
        {"/" + std::string(120, 'x'), data + "/vexari.his"},  // too long to keep
    };
    for (const auto& [value, path] : cases) EXPECT_EQ(AbsoluteHighScorePath(value), path) << value;
    // With a data directory too long itself, the plain name is kept and placed there when used.
    const fs::path deep = root_ / std::string(100, 'd');
    setenv("XDG_DATA_HOME", deep.c_str(), 1);
    EXPECT_EQ(std::tuple(AbsoluteHighScorePath("x.his"), ResolveHighScorePath("vexari.his")),
              std::tuple("vexari.his", deep / "vexari" / "vexari.his"));
    // A configured file in a folder that is not there yet: the folder is made when the table is shown.
    const fs::path missing = root_ / "restored" / "share" / "vexari" / "vexari.his";
    std::string name = "Ann";
    EXPECT_TRUE(PrepareHighScores(missing, false, 0, name, {}).saved && fs::file_size(missing) == 160u);
}

// ---- the high-score table ----

// Entries named p0, p1, ... with the given scores; the rest empty.
HighScoreTable Scores(const std::vector<std::int32_t>& scores) {
    HighScoreTable t;
    int k = 0;
    for (std::int32_t s : scores) t.entries[k] = {"p" + std::to_string(k), s}, ++k;
    return t;
}

TEST(HighScoreTable, RankEntryAndTexts) {
    const HighScoreTable ties = Scores({500, 400, 400});
    const std::pair<int, int> ranks[] = {{400, 3}, {401, 1}, {501, 0}, {0, -1}};  // 0 never enters
    for (const auto& [score, rank] : ranks) EXPECT_EQ(FindRank(ties, score), rank) << score;
    EXPECT_EQ(FindRank(Scores({9, 9, 9, 9, 9, 9, 9, 9, 9, 9}), 9), -1);

    HighScoreTable t = Scores({500, 400, 400, 300, 200, 100, 90, 80, 70, 60});
    EnterScore(t, 1, "TwelveChars!", 401);  // names keep their first 10 characters
    EXPECT_EQ(std::tie(t.entries[0], t.entries[1], t.entries[2], t.entries[9]),
              std::tuple(HighScoreEntry{"p0", 500}, HighScoreEntry{"TwelveChar", 401}, HighScoreEntry{"p1", 400},
                         HighScoreEntry{"p8", 70}));
    const HighScoreTable before = t;
    EnterScore(t, -1, "x", 1);
    EnterScore(t, 10, "x", 1);
    EXPECT_EQ(t, before);

    // A score wider than its six places is shown whole (the rows and messages are in the dialog test).
    EXPECT_EQ(FormatScore(12345678), "12345678");
}

TEST(HighScoreTable, ExactFileLayout) {
    HighScoreTable t;
    std::tie(t.entries[0], t.entries[1], t.entries[9]) =
        std::tuple(HighScoreEntry{"Ann", 0x01020304}, HighScoreEntry{"ElevenChars", -2}, HighScoreEntry{"Z", 7});
    std::string bytes(160, '\0');
    bytes.replace(0, 3, "Ann").replace(12, 4, "\x04\x03\x02\x01");
    bytes.replace(16, 11, "ElevenChars").replace(28, 4, "\xFE\xFF\xFF\xFF");
    bytes.replace(144, 1, "Z").replace(156, 1, "\x07");
    EXPECT_EQ(std::tuple(EncodeHighScores(t), DecodeHighScores(bytes)), std::tuple(bytes, t));
    t.entries[2] = {"ABCDEFGHIJKLMNOP", 5};  // cut so that its zero byte still fits
    EXPECT_EQ(EncodeHighScores(t).substr(32, 12), std::string("ABCDEFGHIJK") + '\0');
}

TEST(HighScoreTable, BadBytesAreReadSafely) {
    std::string bytes(160, '\0');
    bytes.replace(0, 13, "ABCDEFGHIJKL\x09");  // no zero byte within the name
    bytes.replace(16, 5, "Hi\0xy", 5);           // bytes after the zero are leftovers
    bytes.replace(32, 3, "Cut");
    HighScoreTable t = Scores({9, 0, 0});
    std::tie(t.entries[0].name, t.entries[1].name, t.entries[2].name) = std::tuple("ABCDEFGHIJK", "Hi", "Cut");
    EXPECT_EQ(DecodeHighScores(bytes), t);
    EXPECT_EQ(DecodeHighScores(bytes + std::string(50, 'x')), t);  // bytes past 160 are ignored
    t.entries[2] = {};
    EXPECT_EQ(DecodeHighScores(bytes.substr(0, 40)), t);  // two records and a half
}

using HighScoreFile = TempHomeTest;

TEST_F(HighScoreFile, ShowingTheTableAsksForANameWhenTheScoreEntersAndAlwaysWritesTheFile) {
    const fs::path file = root_ / "vexari.his";
    const std::string n19(19, 'N'), n18(18, 'N');
    const std::vector<std::int32_t> full = {9000, 8000, 7000, 6000, 5000, 4000, 3000, 2000, 1500, 1234};
    const struct {
        std::vector<std::int32_t> table;
        bool newScore;
        std::int32_t score;
        std::string player;
        const char* typed;  // nullptr: the name dialog must not open
        bool ok;
        int rank;
        std::string playerAfter, message;
    } cases[] = {
        // The typed name becomes the player name; the entry keeps 10 characters of it.
        {{500, 400, 400, 0}, true, 400, "Alice", "Bob the Builder", true, 3, "Bob the Builder",
         "Bob the Builder: 000400 score,congratulations"},
        // A 19-character name is offered in full but cannot be confirmed unchanged.
        {{500}, true, 600, n19, n19.c_str(), true, -1, n19, n19 + ": 000600 score,congratulations"},
        {{500}, true, 600, n19, n18.c_str(), true, 0, n18, n18 + ": 000600 score,congratulations"},
        {{500}, true, 700, "Carol", "Changed", false, -1, "Carol", "Carol      : 000700 score,congratulations"},
        {full, true, 1234, "Dan", nullptr, false, -1, "Dan", "001234 score"},
        {full, false, 99999, "Dan", nullptr, false, -1, "Dan", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        fs::remove(file);
        if (!c.table.empty()) {
            ASSERT_TRUE(WriteHighScores(file, Scores(c.table)));
        }
        std::string player = c.player;
        bool asked = false;
        const auto ask = [&](std::string& text, std::size_t size) {
            EXPECT_EQ(std::tie(text, size), std::tuple(c.player, 19u));
            asked = true;
            if (c.typed) text = c.typed;
            return c.ok;
        };
        const HighScoreView v = PrepareHighScores(file, c.newScore, c.score, player, ask);
        HighScoreTable expected = Scores(c.table);
        EnterScore(expected, c.rank, c.playerAfter, c.score);
        EXPECT_EQ(std::tuple(asked, v.enteredRank, player, v.message, v.table, bool(v.saved)),
                  std::tuple(c.typed != nullptr, c.rank, c.playerAfter, c.message, expected, true));
        EXPECT_EQ(std::tuple(fs::file_size(file), ReadHighScores(file)), std::tuple(160u, expected));
    }
}

// ---- safe writes ----

class SafeFileTest : public TempHomeTest {
protected:
    // Sets or clears the immutable attribute (root on most file systems);
    // false when it could not.
    static bool Immutable(const fs::path& p, bool on) {
        const int fd = open(p.c_str(), O_RDONLY | O_CLOEXEC);
        int flags = 0;
        bool done = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        if (fd >= 0) close(fd);
        return done;
    }
    // Every entry under root_: a file's bytes, "-> target" for a link, "/" for a folder.
    std::map<std::string, std::string> Tree() const {
        std::map<std::string, std::string> tree;
        for (const auto& e : fs::recursive_directory_iterator(root_)) {
            const std::string name = e.path().lexically_relative(root_).string();
            tree[name] = e.is_symlink() ? "-> " + fs::read_symlink(e.path()).string()
                         : e.is_directory() ? "/"
                                            : Slurp(e.path());
        }
        return tree;
    }
};

TEST_F(SafeFileTest, ReplacesFollowsLinksFallsBackInPlaceAndReportsFailures) {
    // Root writes into any folder, so there the folder's refusal is simulated.
    const bool root = geteuid() == 0;
    const rlimit tiny{1, RLIM_INFINITY};
    bool unsupported = false;  // the immutable attribute cannot be set here
    const auto readOnlyFolder = [&](const std::string& file) {
        fs::create_directory(root_ / "ro");
        if (!file.empty()) Spit(root_ / "ro" / file, "old file");
        fs::permissions(root_ / "ro", fs::perms::owner_read | fs::perms::owner_exec);
        SimulateFoldersRefuseNewFiles(root);
    };
    const struct {
        const char* what;
        std::function<void()> setUp;
        const char* file;
        const char* error;  // nullptr: saved
        std::map<std::string, std::string> after;
    } cases[] = {
        {"new file", [] {}, "f", nullptr, {{"f", "new"}}},
        {"replaced", [&] { Spit(root_ / "f", "old file"); }, "f", nullptr, {{"f", "new"}}},
        {"a chain of links, relative and absolute, is followed to its file",
         [&] { Spit(root_ / "real", "old"), fs::create_symlink("real", root_ / "l1"),
               fs::create_symlink(root_ / "l1", root_ / "l2"); },
         "l2", nullptr, {{"real", "new"}, {"l1", "-> real"}, {"l2", "-> " + (root_ / "l1").string()}}},
        {"a dangling link makes its file",
         [&] { fs::create_directory(root_ / "d"), fs::create_symlink("d/t", root_ / "l"); },
         "l", nullptr, {{"d", "/"}, {"d/t", "new"}, {"l", "-> d/t"}}},
        {"read-only folder, writable file: written in place", [&] { readOnlyFolder("f"); }, "ro/f", nullptr,
         {{"ro", "/"}, {"ro/f", "new"}}},
        {"read-only folder, no file", [&] { readOnlyFolder(""); }, "ro/f", "Permission denied", {{"ro", "/"}}},
        {"missing folder", [] {}, "none/f", "No such file or directory", {}},
        {"a folder in the way", [&] { fs::create_directory(root_ / "f"); }, "f", "Is a directory", {{"f", "/"}}},
        {"a write that fails keeps the old file",
         [&] { Spit(root_ / "f", "old file"), setrlimit(RLIMIT_FSIZE, &tiny); }, "f", "File too large",
         {{"f", "old file"}}},
        {"a file that may not be replaced nor written: kept, and no temporary left",
         [&] { Spit(root_ / "f", "old file"), unsupported = !Immutable(root_ / "f", true); }, "f",
         "Operation not permitted", {{"f", "old file"}}},
    };
    signal(SIGXFSZ, SIG_IGN);
    rlimit unlimited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.setUp();
        const SaveResult r = WriteFileSafely(root_ / c.file, "new");
        SimulateFoldersRefuseNewFiles(false);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        // Nothing else is left: no temporary file.
        if (!std::exchange(unsupported, false)) {
            EXPECT_EQ(std::tuple(r.Message(), Tree()),
                      std::tuple(c.error ? "Cannot save " + (root_ / c.file).string() + ": " + c.error : "", c.after));
        }
        Immutable(root_ / "f", false);
        fs::permissions(root_, fs::perms::owner_all);
        if (fs::exists(root_ / "ro")) fs::permissions(root_ / "ro", fs::perms::owner_all);
        for (const auto& e : fs::directory_iterator(root_)) fs::remove_all(e.path());
    }

    // The new file keeps the old one's permission bits.
    constexpr fs::perms kMode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    Spit(root_ / "f", "old");
    fs::permissions(root_ / "f", kMode);
    EXPECT_TRUE(WriteFileSafely(root_ / "f", "new") && fs::status(root_ / "f").permissions() == kMode);
}

TEST_F(SafeFileTest, AKilledWriterLeavesTheOldOrTheNewFileWhole) {
    // A kill cannot undo what reached the page cache, so syncing plays no part
    // here: on tmpfs, where it costs nothing, the kills land in every step.
    const fs::path shm = "/dev/shm";
    const fs::path file = (fs::is_directory(shm) ? shm : root_) / ("vexari-kill-" + std::to_string(getpid()));
    // Small enough that a sanitized build on a busy machine still finishes writes between kills.
    const std::string a(1 << 16, 'a'), b((1 << 16) + 4321, 'b');
    ASSERT_TRUE(WriteFileSafely(file, a));
    std::minstd_rand random(std::random_device{}());
    int changes = 0;
    std::string last = a;
    for (int round = 0; round < 200; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            for (bool flip = last == a;; flip = !flip) WriteFileSafely(file, flip ? b : a);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 8000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string now = Slurp(file);
        ASSERT_TRUE(now == a || now == b) << "round " << round << ": " << now.size() << " bytes";
        changes += now != last;
        last = now;
    }
    EXPECT_GT(changes, 10);  // the kills did land during and between writes
    for (const auto& e : fs::directory_iterator(file.parent_path()))  // temporaries the kills left behind
        if (e.path().filename().string().rfind("." + file.filename().string() + ".", 0) == 0) fs::remove(e.path());
    fs::remove(file);
}

}  // namespace
