#include "settings/HighScoreTable.h"

#include <gtest/gtest.h>

#include "TempHome.h"

using namespace vexari;

namespace {

HighScoreTable Scores(std::initializer_list<std::int32_t> scores) {
    HighScoreTable t;
    int k = 0;
    for (std::int32_t s : scores) {
        t.entries[static_cast<std::size_t>(k)] = {"p" + std::to_string(k), s};
        ++k;
    }
    return t;
}

class HighScoreFile : public TempHomeTest {
protected:
    std::filesystem::path File() const { return root_ / "vexari.his"; }
};

}  // namespace

TEST(HighScoreRank, EqualScoresStayBelowOlderOnes) {
    HighScoreTable t = Scores({500, 400, 400});
    EXPECT_EQ(FindRank(t, 400), 3);
    EXPECT_EQ(FindRank(t, 401), 1);
    EXPECT_EQ(FindRank(t, 501), 0);
    EXPECT_EQ(FindRank(t, 1), 3);
    EXPECT_EQ(FindRank(t, 0), -1);  // 0 never enters
    EXPECT_EQ(FindRank(Scores({9, 9, 9, 9, 9, 9, 9, 9, 9, 9}), 9), -1);
    EXPECT_EQ(FindRank(Scores({9, 9, 9, 9, 9, 9, 9, 9, 9, 9}), 10), 0);
}

TEST(HighScoreRank, EnteringMovesTheRestDown) {
    HighScoreTable t = Scores({500, 400, 400, 300, 200, 100, 90, 80, 70, 60});
    EnterScore(t, 1, "Newcomer", 401);
    EXPECT_EQ(t.entries[0], (HighScoreEntry{"p0", 500}));
    EXPECT_EQ(t.entries[1], (HighScoreEntry{"Newcomer", 401}));
    EXPECT_EQ(t.entries[2], (HighScoreEntry{"p1", 400}));
    EXPECT_EQ(t.entries[9], (HighScoreEntry{"p8", 70}));  // p9 dropped out

    EnterScore(t, 9, "Last", 61);
    EXPECT_EQ(t.entries[9], (HighScoreEntry{"Last", 61}));
    EnterScore(t, 0, "TwelveChars!", 1000);
    EXPECT_EQ(t.entries[0].name, "TwelveChar");
    EXPECT_EQ(t.entries[1], (HighScoreEntry{"p0", 500}));

    HighScoreTable before = t;
    EnterScore(t, -1, "x", 1);
    EnterScore(t, 10, "x", 1);
    EXPECT_EQ(t, before);

    ResetTable(t);
    EXPECT_EQ(t, HighScoreTable{});
}

TEST(HighScoreText, MatchesTheDialogFormats) {
    EXPECT_EQ(FormatScore(1234), "001234");
    EXPECT_EQ(FormatScore(-1234), "-001234");
    EXPECT_EQ(FormatScore(12345678), "12345678");
    EXPECT_EQ(FormatScoreOnly(1234), "001234 score");
    EXPECT_EQ(FormatCongratulation("Bob", 42), "Bob        : 000042 score,congratulations");
    EXPECT_EQ(FormatCongratulation("ABCDEFGHIJKLMNOPQRS", 42), "ABCDEFGHIJKLMNOPQRS: 000042 score,congratulations");
    EXPECT_EQ(FormatRow(0, "TwelveChar"), "01.TwelveChar ");
    EXPECT_EQ(FormatRow(9, ""), "10.           ");
    EXPECT_TRUE(AcceptAskedText(std::string(18, 'a'), 19));
    EXPECT_FALSE(AcceptAskedText(std::string(19, 'a'), 19));
}

TEST(HighScoreBytes, LayoutIsExact) {
    HighScoreTable t;
    t.entries[0] = {"Ann", 0x01020304};
    t.entries[1] = {"ElevenChars", -2};
    t.entries[9] = {"Z", 7};
    std::string b = EncodeHighScores(t);
    ASSERT_EQ(b.size(), 160u);
    std::string expected(160, '\0');
    expected.replace(0, 3, "Ann");
    expected[12] = 0x04, expected[13] = 0x03, expected[14] = 0x02, expected[15] = 0x01;
    expected.replace(16, 11, "ElevenChars");
    expected[28] = expected[29] = expected[30] = expected[31] = static_cast<char>(0xFF);
    expected[31] = static_cast<char>(0xFF), expected[28] = static_cast<char>(0xFE);
    expected[144] = 'Z';
    expected[156] = 7;
    for (std::size_t i = 0; i < 160; ++i) EXPECT_EQ(b[i], expected[i]) << "byte " << i;
    EXPECT_EQ(DecodeHighScores(b), t);

    // A longer name is cut so that its zero byte still fits.
    t.entries[2] = {"ABCDEFGHIJKLMNOP", 5};
    b = EncodeHighScores(t);
    EXPECT_EQ(b.substr(32, 12), std::string("ABCDEFGHIJK") + '\0');
}

TEST(HighScoreBytes, NameWithoutZeroByteIsReadSafely) {
    std::string b(160, '\0');
    b.replace(0, 12, "ABCDEFGHIJKL");
    b[12] = 9;
    b.replace(16, 5, "Hi\0xy", 5);  // bytes after the zero are leftovers
    HighScoreTable t = DecodeHighScores(b);
    EXPECT_EQ(t.entries[0], (HighScoreEntry{"ABCDEFGHIJK", 9}));
    EXPECT_EQ(t.entries[1].name, "Hi");
}

TEST(HighScoreBytes, ShortAndOversizedInput) {
    HighScoreTable t = Scores({5, 4, 3, 2, 1, 1, 1, 1, 1, 1});
    std::string full = EncodeHighScores(t);
    HighScoreTable shortT = DecodeHighScores(full.substr(0, 40));  // two records and a half
    EXPECT_EQ(shortT.entries[0], t.entries[0]);
    EXPECT_EQ(shortT.entries[1], t.entries[1]);
    EXPECT_EQ(shortT.entries[2], HighScoreEntry{});
    EXPECT_EQ(shortT.entries[9], HighScoreEntry{});
    EXPECT_EQ(DecodeHighScores(full + std::string(50, 'x')), t);
    EXPECT_EQ(DecodeHighScores(""), HighScoreTable{});
}

TEST_F(HighScoreFile, FilesAreReadAndWrittenWhole) {
    EXPECT_EQ(ReadHighScores(File()), HighScoreTable{});  // missing
    HighScoreTable t = Scores({500, 400, 400});
    ASSERT_TRUE(WriteHighScores(File(), t));
    EXPECT_EQ(std::filesystem::file_size(File()), 160u);
    EXPECT_EQ(ReadHighScores(File()), t);

    Spit(File(), Slurp(File()) + "trailing garbage");
    EXPECT_EQ(ReadHighScores(File()), t);
    Spit(File(), Slurp(File()).substr(0, 20));
    HighScoreTable partial = ReadHighScores(File());
    EXPECT_EQ(partial.entries[0], t.entries[0]);
    EXPECT_EQ(partial.entries[1], HighScoreEntry{});

    EXPECT_FALSE(WriteHighScores(root_ / "missing-dir" / "x.his", t));
}

TEST_F(HighScoreFile, NewScoreAsksEntersAndWrites) {
    ASSERT_TRUE(WriteHighScores(File(), Scores({500, 400, 400, 0})));
    std::string player = "Alice";
    int asked = 0;
    auto ask = [&](std::string& text, std::size_t size) {
        ++asked;
        EXPECT_EQ(text, "Alice");
        EXPECT_EQ(size, 19u);
        text = "Bob the Builder";
        return true;
    };
    HighScoreView v = PrepareHighScores(File(), true, 400, player, ask);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(player, "Bob the Builder");  // the typed name becomes the player name
    EXPECT_EQ(v.enteredRank, 3);
    EXPECT_EQ(v.table.entries[3], (HighScoreEntry{"Bob the Bu", 400}));
    EXPECT_EQ(v.message, "Bob the Builder: 000400 score,congratulations");
    EXPECT_TRUE(v.written);
    EXPECT_EQ(ReadHighScores(File()), v.table);
}

TEST_F(HighScoreFile, CancelOrOverlongNameMakesNoEntry) {
    ASSERT_TRUE(WriteHighScores(File(), Scores({500})));
    std::string player(19, 'N');  // offered in full, too long to confirm unchanged
    HighScoreView v = PrepareHighScores(File(), true, 600, player, [](std::string&, std::size_t) { return true; });
    EXPECT_EQ(v.enteredRank, -1);
    EXPECT_EQ(v.table, Scores({500}));
    EXPECT_EQ(v.message, std::string(19, 'N') + ": 000600 score,congratulations");
    EXPECT_EQ(player, std::string(19, 'N'));

    v = PrepareHighScores(File(), true, 600, player, [](std::string& t, std::size_t) {
        t.pop_back();
        return true;
    });
    EXPECT_EQ(v.enteredRank, 0);
    EXPECT_EQ(player, std::string(18, 'N'));

    std::string other = "Carol";
    v = PrepareHighScores(File(), true, 700, other, [](std::string& t, std::size_t) {
        t = "Changed";
        return false;
    });
    EXPECT_EQ(v.enteredRank, -1);
    EXPECT_EQ(other, "Carol");
    EXPECT_EQ(v.message, "Carol      : 000700 score,congratulations");
}

TEST_F(HighScoreFile, NoPlaceOrViewModeStillWritesTheFile) {
    std::string player = "Dan";
    bool asked = false;
    auto ask = [&](std::string&, std::size_t) { return asked = true; };
    HighScoreView v = PrepareHighScores(File(), true, 0, player, ask);  // empty table: 0 never enters
    EXPECT_FALSE(asked);
    EXPECT_EQ(v.message, "000000 score");
    EXPECT_EQ(std::filesystem::file_size(File()), 160u);

    ASSERT_TRUE(WriteHighScores(File(), Scores({9000, 8000, 7000, 6000, 5000, 4000, 3000, 2000, 1500, 1234})));
    v = PrepareHighScores(File(), true, 1234, player, ask);
    EXPECT_FALSE(asked);
    EXPECT_EQ(v.message, "001234 score");

    v = PrepareHighScores(File(), false, 99999, player, ask);
    EXPECT_FALSE(asked);
    EXPECT_EQ(v.message, "");
    EXPECT_EQ(v.enteredRank, -1);

    HighScoreTable t = v.table;
    ASSERT_TRUE(ResetHighScores(File(), t));
    EXPECT_EQ(t, HighScoreTable{});
    EXPECT_EQ(Slurp(File()), std::string(160, '\0'));
}
