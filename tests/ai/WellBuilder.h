#pragma once
#include <initializer_list>
#include <string>

#include "game/Well.h"

namespace vexari::test {

// A well of height h whose bottom rows are given top to bottom ('.' empty,
// anything else filled); the rows above them are empty.
inline Well BottomRows(int h, std::initializer_list<std::string> rows) {
    Well w;
    w.Reset(h);
    int v = h - static_cast<int>(rows.size());
    for (const std::string& row : rows) {
        for (int u = 0; u < 10; ++u) w.at(u, v) = row[static_cast<std::size_t>(u)] == '.' ? 0 : 1;
        ++v;
    }
    return w;
}

}  // namespace vexari::test
