// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// The chat log of the network game window, without the toolkit: the text as
// the server sends it (lines end with "\r\n"), counted in UTF-16 units, and
// the place the user has selected in it.
namespace vexari {

inline constexpr std::size_t kChatLogLimit = 32000;

struct ChatLog {
    std::u16string text;
    std::size_t selStart = 0;
    std::size_t selEnd = 0;
    bool followEnd = true;  // the caret goes to the end of the text
};

// Appends `added` to a log whose selection is [selStart, selEnd). A selection
// that starts at the end of the text follows the end; otherwise it is kept,
// moved back by what is cut from the front when the text grows past `limit`.
ChatLog AppendToChatLog(std::u16string text, std::size_t selStart, std::size_t selEnd, std::u16string_view added,
                        std::size_t limit = kChatLogLimit);

// The log is shown without carriage returns, so each "\r\n" is one line
// break. Positions convert between the stored text and the shown one; a
// position between "\r" and "\n" shows where the line break is.
std::u16string ShownChatText(std::u16string_view stored);
std::size_t ShownChatPosition(std::u16string_view stored, std::size_t storedPos);
// The stored position before the shown character at `shownPos` (and before
// its carriage return); the end of the shown text is the end of the stored one.
std::size_t StoredChatPosition(std::u16string_view stored, std::size_t shownPos);

}  // namespace vexari
