// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintingDisplay.h"

#include <cstdio>

namespace vexari::bot {

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

void PrintingDisplay::AppendText(const std::string& text) {
    std::string line;
    for (const char c : text)
        if (c != '\r') line += c;
    if (line.empty() || line.back() != '\n') line += '\n';
    Print(prefix_ + line);
}

}  // namespace vexari::bot
