// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <charconv>
#include <string>

namespace vexari {

// A command-line number: whole, decimal, within T's range and with nothing
// around it ("+5" and " 5" are refused).
template <typename T>
bool ParseWhole(const std::string& text, T& value) {
    if (text.empty() || text[0] == '+') return false;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc{} && ptr == end;
}

}  // namespace vexari
