#include "settings/HighScoreTable.h"

#include <gtest/gtest.h>

#include <vector>

#include "TempHome.h"

using namespace vexari;

namespace {

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

    EXPECT_EQ(std::tuple(FormatScore(12345678), FormatRow(9, "")), std::tuple("12345678", "10.           "));
    EXPECT_EQ(FormatCongratulation("Bob", 42), "Bob        : 000042 score,congratulations");
    EXPECT_TRUE(AcceptAskedText(std::string(18, 'a'), 19) && !AcceptAskedText(std::string(19, 'a'), 19));
}

TEST(HighScoreTable, ExactFileLayout) {
    HighScoreTable t;
    t.entries[0] = {"Ann", 0x01020304};
    t.entries[1] = {"ElevenChars", -2};
    t.entries[9] = {"Z", 7};
    std::string bytes(160, '\0');
    bytes.replace(0, 3, "Ann").replace(12, 4, "\x04\x03\x02\x01");
    bytes.replace(16, 11, "ElevenChars").replace(28, 4, "\xFE\xFF\xFF\xFF");
    bytes.replace(144, 1, "Z").replace(156, 1, "\x07");
    EXPECT_EQ(EncodeHighScores(t), bytes);
    EXPECT_EQ(DecodeHighScores(bytes), t);
    t.entries[2] = {"ABCDEFGHIJKLMNOP", 5};  // cut so that its zero byte still fits
    EXPECT_EQ(EncodeHighScores(t).substr(32, 12), std::string("ABCDEFGHIJK") + '\0');
}

TEST(HighScoreTable, BadBytesAreReadSafely) {
    std::string bytes(160, '\0');
    bytes.replace(0, 13, "ABCDEFGHIJKL\x09");  // no zero byte within the name
    bytes.replace(16, 5, "Hi\0xy", 5);           // bytes after the zero are leftovers
    bytes.replace(32, 3, "Cut");
    HighScoreTable t = Scores({9, 0, 0});
    t.entries[0].name = "ABCDEFGHIJK";
    t.entries[1].name = "Hi";
    t.entries[2].name = "Cut";
    EXPECT_EQ(DecodeHighScores(bytes), t);
    EXPECT_EQ(DecodeHighScores(bytes + std::string(50, 'x')), t);  // bytes past 160 are ignored
    t.entries[2] = {};
    EXPECT_EQ(DecodeHighScores(bytes.substr(0, 40)), t);  // two records and a half
}

class HighScoreFile : public TempHomeTest {
protected:
    std::filesystem::path File() const { return root_ / "vexari.his"; }
};

TEST_F(HighScoreFile, ShowingTheTableAsksForANameWhenTheScoreEntersAndAlwaysWritesTheFile) {
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
        {{}, true, 0, "Dan", nullptr, false, -1, "Dan", "000000 score"},  // 0 never enters
        {full, true, 1234, "Dan", nullptr, false, -1, "Dan", "001234 score"},
        {full, false, 99999, "Dan", nullptr, false, -1, "Dan", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        std::filesystem::remove(File());
        if (!c.table.empty()) {
            ASSERT_TRUE(WriteHighScores(File(), Scores(c.table)));
        }
        std::string player = c.player;
        bool asked = false;
        const auto ask = [&](std::string& text, std::size_t size) {
            EXPECT_EQ(std::tie(text, size), std::tuple(c.player, 19u));
            asked = true;
            if (c.typed) text = c.typed;
            return c.ok;
        };
        const HighScoreView v = PrepareHighScores(File(), c.newScore, c.score, player, ask);
        EXPECT_EQ(asked, c.typed != nullptr);
        EXPECT_EQ(std::tie(v.enteredRank, player, v.message), std::tie(c.rank, c.playerAfter, c.message));
        HighScoreTable expected = Scores(c.table);
        EnterScore(expected, c.rank, c.playerAfter, c.score);
        EXPECT_EQ(v.table, expected);
        EXPECT_TRUE(v.saved);
        EXPECT_EQ(std::filesystem::file_size(File()), 160u);
        EXPECT_EQ(ReadHighScores(File()), expected);
    }

    EXPECT_EQ(WriteHighScores(root_ / "missing-dir" / "x.his", HighScoreTable{}).Message(),
              "Cannot save " + (root_ / "missing-dir" / "x.his").string() + ": No such file or directory");
    HighScoreTable t = Scores({500});
    ASSERT_TRUE(ResetHighScores(File(), t));
    EXPECT_EQ(t, HighScoreTable{});
    EXPECT_EQ(Slurp(File()), std::string(160, '\0'));
}

}  // namespace
