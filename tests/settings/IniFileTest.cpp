#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include "TempHome.h"

using vexari::IniFile;

namespace {

IniFile FromText(const std::string& text) {
    IniFile ini;
    ini.Parse(text);
    return ini;
}

}  // namespace

TEST(IniFile, ReadsIntegersLikeTheProfileFunctions) {
    IniFile ini = FromText(
        "[S]\nA=  -12abc\nB=+7\nC=x\nD=\nE=42\nF=-\nG=4294967297\nH=\"15\"\nI=12 34\n");
    EXPECT_EQ(ini.ReadInt("S", "A", 99), -12);
    EXPECT_EQ(ini.ReadInt("S", "B", 99), 7);
    EXPECT_EQ(ini.ReadInt("S", "C", 99), 0);
    EXPECT_EQ(ini.ReadInt("S", "D", 99), 99);  // present but empty: default
    EXPECT_EQ(ini.ReadInt("S", "E", 99), 42);
    EXPECT_EQ(ini.ReadInt("S", "F", 99), 0);
    EXPECT_EQ(ini.ReadInt("S", "G", 99), 1);  // wraps modulo 2^32
    EXPECT_EQ(ini.ReadInt("S", "H", 99), 15);
    EXPECT_EQ(ini.ReadInt("S", "I", 99), 12);
    EXPECT_EQ(ini.ReadInt("S", "MISSING", 99), 99);
    EXPECT_EQ(ini.ReadInt("NOPE", "A", -3), -3);
}

TEST(IniFile, NamesMatchRegardlessOfCaseAndBlanks) {
    IniFile ini = FromText("[ keys ]\r\n  left = 65 \r\nRight=66\r\n[Other]\r\nleft=1\r\n");
    EXPECT_EQ(ini.ReadInt("KEYS", "LEFT", 0), 65);
    EXPECT_EQ(ini.ReadInt("Keys", "RIGHT", 0), 66);
    EXPECT_EQ(ini.ReadInt("OTHER", "LEFT", 0), 1);
    EXPECT_EQ(ini.ReadString("KEYS", "LEFT", "", 100), "65");
}

TEST(IniFile, FirstSectionOfANameCounts) {
    IniFile ini = FromText("[A]\nX=1\n[B]\nY=5\n[a]\nX=2\nZ=3\n");
    EXPECT_EQ(ini.ReadInt("A", "X", 0), 1);
    EXPECT_FALSE(ini.HasKey("A", "Z"));
    ini.WriteString("A", "Z", "9");
    EXPECT_EQ(ini.ReadInt("A", "Z", 0), 9);
    EXPECT_EQ(ini.ToText(), "[A]\nX=1\nZ=9\n[B]\nY=5\n[a]\nX=2\nZ=3\n");
}

TEST(IniFile, StringsAreCutAndDefaultsApply) {
    IniFile ini = FromText("[N]\nNAME=abcdefghijklmnopqrstuvwxyz\nEMPTY=\nQ='quoted'\n");
    EXPECT_EQ(ini.ReadString("N", "NAME", "", 20), "abcdefghijklmnopqrs");
    EXPECT_EQ(ini.ReadString("N", "EMPTY", "dflt", 20), "");
    EXPECT_EQ(ini.ReadString("N", "MISSING", "dflt", 20), "dflt");
    EXPECT_EQ(ini.ReadString("N", "MISSING", "dflt", 3), "df");
    EXPECT_EQ(ini.ReadString("N", "NAME", "", 0), "");
    EXPECT_EQ(ini.ReadString("N", "Q", "", 20), "quoted");
}

TEST(IniFile, CutNeverSplitsACharacter) {
    EXPECT_EQ(vexari::CutText("ab\xC3\xA9", 3), "ab");   // é needs two bytes
    EXPECT_EQ(vexari::CutText("ab\xC3\xA9", 4), "ab\xC3\xA9");
    EXPECT_EQ(vexari::CutText("a\xE2\x82\xAC" "b", 3), "a");  // €
    EXPECT_EQ(vexari::CutText("\x80\x80\x80\x80\x80\x80", 3), "\x80\x80\x80");  // not UTF-8: plain cut
}

TEST(IniFile, WritesInPlaceAppendsAndKeepsEverythingElse) {
    IniFile ini = FromText(
        "; my settings\n"
        "junk line without equals\n"
        "[KEYS]\n"
        "left=1\n"
        "; keep me\n"
        "CUSTOM=hello\n"
        "\n"
        "[broken\n"
        "[UNKNOWN]\n"
        "FOO=bar\n");
    ini.WriteString("KEYS", "LEFT", "37");
    ini.WriteString("KEYS", "RIGHT", "39");
    ini.WriteString("NEW", "KEY", "line1\nline2");
    EXPECT_EQ(ini.ToText(),
              "; my settings\n"
              "junk line without equals\n"
              "[KEYS]\n"
              "left=37\n"
              "; keep me\n"
              "CUSTOM=hello\n"
              "RIGHT=39\n"
              "\n"
              "[broken\n"
              "[UNKNOWN]\n"
              "FOO=bar\n"
              "\n"
              "[NEW]\n"
              "KEY=line1 line2\n");
    EXPECT_EQ(ini.ReadString("NEW", "KEY", "", 100), "line1 line2");
}

TEST(IniFile, KeepsCrlfLineEnds) {
    IniFile ini = FromText("[A]\r\nX=1\r\n");
    ini.WriteInt("A", "Y", -5);
    EXPECT_EQ(ini.ToText(), "[A]\r\nX=1\r\nY=-5\r\n");
}

TEST(IniFile, SurvivesGarbage) {
    std::string garbage;
    for (int i = 0; i < 2000; ++i) garbage += static_cast<char>((i * 7919) % 256);
    garbage += "\n[=\n]=[\n=\n==\n[]\n=x\n\r\r\n";
    IniFile ini = FromText(garbage);
    EXPECT_EQ(ini.ReadInt("A", "B", 3), 3);
    ini.WriteString("A", "B", "4");
    EXPECT_EQ(ini.ReadInt("A", "B", 3), 4);
    IniFile again = FromText(ini.ToText());
    EXPECT_EQ(again.ReadInt("A", "B", 3), 4);
}

class IniFileDisk : public TempHomeTest {};

TEST_F(IniFileDisk, MissingFileReadsDefaultsAndSaveCreatesIt) {
    std::filesystem::path p = root_ / "a.ini";
    IniFile ini;
    EXPECT_FALSE(ini.Load(p));
    EXPECT_EQ(ini.ReadInt("S", "K", 8), 8);
    ini.WriteInt("S", "K", 9);
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(Slurp(p), "[S]\nK=9\n");
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(root_)) ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(IniFileDisk, SaveFailureIsReported) {
    IniFile ini;
    ini.Load(root_ / "no-such-dir" / "a.ini");
    ini.WriteInt("S", "K", 1);
    EXPECT_FALSE(ini.Save());
    EXPECT_FALSE(std::filesystem::exists(root_ / "no-such-dir"));
}
