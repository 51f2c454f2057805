// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "net/GameClient.h"

namespace vexari::bot {

// Writes `text` to stdout at once, so that the lines of several players in
// one process reach a pipe in the order they happened.
void Print(const std::string& text);

// A network client's display without a window: the server's texts go to
// stdout, each after `prefix` and ending in "\n" (the wire's "\r" dropped);
// tables, messages and the start button have nowhere to show.
class PrintingDisplay : public ClientDisplay {
public:
    explicit PrintingDisplay(std::string prefix = {}) : prefix_(std::move(prefix)) {}

    void ShowTables(const Tables&) override {}
    void AppendText(const std::string& text) override;
    void ShowMessage(const std::string&) override {}
    void SetStartEnabled(bool) override {}
    void CannotPlayAlone() override {}

private:
    std::string prefix_;
};

}  // namespace vexari::bot
