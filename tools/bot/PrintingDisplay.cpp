// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintingDisplay.h"

#include <cstdio>

#include "net/Codepage.h"

namespace vexari::bot {

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

void PrintingDisplay::AppendText(const std::string& text) { Print(prefix_ + TerminalLines(text)); }

}  // namespace vexari::bot
