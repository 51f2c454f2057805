// SPDX-License-Identifier: GPL-3.0-or-later
// What a small well shows between two states of another player's well.
#include <gtest/gtest.h>

#include <string>

#include "render/WellChange.h"

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

}  // namespace
}  // namespace vexari
