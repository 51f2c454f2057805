#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include <climits>

#include "TempHome.h"

using vexari::IniFile;

namespace {

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
    EXPECT_EQ(FromText("").ReadInt("NOPE", "K", -3), -3);
}

TEST(IniFile, NamesMatchInAnyCaseAndTheFirstSectionOfANameCounts) {
    IniFile ini = FromText("[ keys ]\r\n  left = 65 \r\nRight=66\r\n[Other]\r\nleft=1\r\n[KEYS]\r\nLEFT=2\r\nZ=3\r\n");
    EXPECT_EQ(ini.ReadInt("KEYS", "LEFT", 0), 65);
    EXPECT_EQ(ini.ReadInt("Keys", "RIGHT", 0), 66);
    EXPECT_EQ(ini.ReadInt("OTHER", "LEFT", 0), 1);
    EXPECT_EQ(ini.ReadString("KEYS", "LEFT", "", 100), "65");
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
        EXPECT_EQ(ini.ToText(), "[S]\nK=" + written + "\n");
        EXPECT_EQ(FromText(ini.ToText()).ReadString("S", "K", "-", 100), value);
    }
    // Every CR before a line's LF goes (line ends converted twice).
    IniFile twice = FromText("[S]\r\r\nK=scores.his\r\r\r\n");
    EXPECT_EQ(twice.ReadString("S", "K", "", 100), "scores.his");
    EXPECT_EQ(twice.ToText(), "[S]\r\nK=scores.his\r\n");
}

TEST(IniFile, StringsAreCutAndDefaultsApply) {
    IniFile ini = FromText("[N]\nNAME=abcdefghijklmnopqrstuvwxyz\nEMPTY=\nQ='quoted'\n");
    EXPECT_EQ(std::tuple(ini.ReadString("N", "NAME", "", 20), ini.ReadString("N", "NAME", "", 0)),
              std::tuple("abcdefghijklmnopqrs", ""));
    EXPECT_EQ(std::tuple(ini.ReadString("N", "EMPTY", "dflt", 20), ini.ReadString("N", "MISSING", "dflt", 3)),
              std::tuple("", "df"));
    EXPECT_EQ(ini.ReadString("N", "Q", "", 20), "quoted");
    // A cut never leaves half a UTF-8 character; other bytes are cut plainly.
    EXPECT_EQ(std::tuple(vexari::CutText("a\xE2\x82\xAC" "b", 3), vexari::CutText("\x80\x80\x80\x80", 3)),
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

class IniFileDisk : public TempHomeTest {};

TEST_F(IniFileDisk, MissingFileReadsDefaultsAndSaveWritesItWhole) {
    IniFile ini;
    EXPECT_FALSE(ini.Load(root_ / "a.ini"));
    EXPECT_EQ(ini.ReadInt("S", "K", 8), 8);
    ini.WriteInt("S", "K", 9);
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(Slurp(root_ / "a.ini"), "[S]\nK=9\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_), {}), 1);  // no temporary left behind

    EXPECT_FALSE(ini.Load(root_));  // a folder in place of the file reads as a missing file
    EXPECT_EQ(ini.ReadInt("S", "K", 8), 8);
}

}  // namespace
