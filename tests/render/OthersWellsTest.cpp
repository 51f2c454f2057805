// SPDX-License-Identifier: GPL-3.0-or-later
// The other players' wells: what changed between two states of a well,
// which wells the strip shows and how, and the window widened for them.
#include <gtest/gtest.h>

#include <string>

#include "render/WellChange.h"
#include "render/WellStrip.h"
#include "render/WindowPlace.h"

namespace vexari {
namespace {

// Rows written bottom first, a character a cell: '.' empty, a digit a colour.
CellRows Rows(std::initializer_list<const char*> bottomUp) {
    CellRows rows;
    for (const std::string text : bottomUp) {
        CellRow row{};
        for (std::size_t u = 0; u < row.size(); ++u)
            row[u] = static_cast<std::uint8_t>(text[u] == '.' ? 0 : text[u] - '0');
        rows.push_back(row);
    }
    return rows;
}

TEST(WellChange, TellsRisenRowsRemovedRowsAndNothingElse) {
    const CellRows well = Rows({"22222.2222", "3.33333333", "..4......."});
    struct Case {
        const char* what;
        CellRows before, after;
        WellChange expected;
    };
    const Case cases[] = {
        {"a present of two rows", well, Rows({"1111.11111", "11111.1111", "22222.2222", "3.33333333", "..4......."}),
         {2, {}}},
        {"a present on rows that repeat", Rows({"1111.11111"}), Rows({"1111.11111", "1111.11111"}), {1, {}}},
        {"a landing that removes the bottom row", well,
         Rows({"3.33333333", "..4..5....", ".....55..."}), {0, {0}}},
        {"an O that fills two rows", Rows({"22222..222", "33333..333", "........4."}), Rows({"........4."}),
         {0, {0, 1}}},
        {"an I that removes the two rows below a kept one",
         Rows({"2222.22222", "3333.33333", "4444..4444", "1........."}), Rows({"44447.4444", "1...7....."}),
         {0, {0, 1}}},
        {"a plain landing", well, Rows({"22222.2222", "3.33333333", "..4...66..", "......66.."}), {}},
        {"a new round", well, Rows({}), {}},
        {"the first landing of a round", Rows({}), Rows({"66........", "66........"}), {}},
        {"a landing with a present at once", well, Rows({"1111.11111", "22222.2222", "3.33333333", "..4.66...."}), {}},
        {"a row gone with too few cells added", well, Rows({"3.33333333", "..4......."}), {}},
        {"kept cells that moved", Rows({"2222.22222", "33.3......"}), Rows({"3.33......", "777......."}), {}},
        {"cells that changed colour", well, Rows({"22222.2222", "3.33333333", "..5......."}), {}},
    };
    for (const Case& c : cases) EXPECT_EQ(CompareWells(c.before, c.after), c.expected) << c.what;
}

TEST(WellStrip, WindowWidensOnItsScreenAndTilesFitTheStrip) {
    const std::vector<Rect> screens = {{0, 0, 1920, 1200}, {1920, 0, 1280, 1024}};
    // Wider to the right; against the edge it moves left; never wider than its screen; narrower as asked.
    EXPECT_EQ(WidenedPlace({100, 50, 700, 1150}, 400, screens), (WindowRect{100, 50, 1100, 1150}));
    EXPECT_EQ(WidenedPlace({1500, 50, 1900, 1150}, 400, screens), (WindowRect{1120, 50, 1920, 1150}));
    EXPECT_EQ(WidenedPlace({2000, 0, 2900, 900}, 800, screens), (WindowRect{1920, 0, 3200, 900}));
    EXPECT_EQ(WidenedPlace({1120, 50, 1920, 1150}, -400, screens), (WindowRect{1120, 50, 1520, 1150}));

    // Tiles at half the player's cells, in as few columns as fit the height.
    const TileMetrics m{19, 30, 2, 4};
    EXPECT_EQ(StripWidth(2, 600, 26, m), 1 * (m.Width(13) + 4) + 4);
    EXPECT_EQ(StripWidth(4, 600, 26, m), 2 * (m.Width(13) + 4) + 4);
    EXPECT_EQ(StripWidth(7, 600, 26, m), 4 * (m.Width(13) + 4) + 4);
    EXPECT_EQ(StripWidth(0, 600, 26, m), 0);
    EXPECT_EQ(FitTiles(4, 2 * (m.Width(13) + 4) + 4, 600, 13, m), (TileGrid{2, 2, 13}));
    EXPECT_EQ(FitTiles(4, 2 * (m.Width(13) + 4) + 4, 300, 13, m), (TileGrid{4, 1, 6}));  // a lower window: one row
    EXPECT_EQ(FitTiles(2, 1000, 1000, 13, m), (TileGrid{1, 2, 13}));  // the fewest columns for equal cells
    EXPECT_EQ(FitTiles(10, 2 * (m.Width(13) + 4) + 4, 600, 13, m, true), (TileGrid{2, 5, 13}));  // scrolled

    // The highest wells, or team mates first, kept in the room's order.
    const std::vector<StripEntry> room = {{1, false, 3}, {2, true, 0}, {3, false, 9}, {4, true, 5}, {5, false, 7}};
    EXPECT_EQ(PickWells(room, WellChoice::Threats, 3), (std::vector<std::int32_t>{3, 4, 5}));
    EXPECT_EQ(PickWells(room, WellChoice::Team, 3), (std::vector<std::int32_t>{2, 4, 3}));
    EXPECT_EQ(PickWells(room, WellChoice::All, 3), (std::vector<std::int32_t>{1, 2, 3, 4, 5}));
}

}  // namespace
}  // namespace vexari
