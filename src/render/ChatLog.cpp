// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ChatLog.h"

#include <algorithm>

namespace vexari {

namespace {

bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

ChatLog AppendToChatLog(std::u16string text, std::size_t selStart, std::size_t selEnd, std::u16string_view added,
                        std::size_t limit) {
    ChatLog log;
    log.followEnd = selStart >= text.size();
    text.append(added);
    std::size_t removed = 0;
    if (text.size() > limit) {
        removed = text.size() - limit;
        // Never keep the second half of a character outside the basic plane.
        if (removed < text.size() && IsLowSurrogate(text[removed])) ++removed;
        text.erase(0, removed);
    }
    if (log.followEnd) {
        log.selStart = log.selEnd = text.size();
    } else {
        log.selStart = selStart > removed ? selStart - removed : 0;
        log.selEnd = selEnd > removed ? selEnd - removed : 0;
    }
    log.text = std::move(text);
    return log;
}

std::u16string ShownChatText(std::u16string_view stored) {
    std::u16string shown;
    shown.reserve(stored.size());
    for (char16_t c : stored)
        if (c != u'\r') shown.push_back(c);
    return shown;
}

std::size_t ShownChatPosition(std::u16string_view stored, std::size_t storedPos) {
    const std::u16string_view before = stored.substr(0, std::min(storedPos, stored.size()));
    return before.size() - static_cast<std::size_t>(std::count(before.begin(), before.end(), u'\r'));
}

std::size_t StoredChatPosition(std::u16string_view stored, std::size_t shownPos) {
    std::size_t shown = 0;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == u'\r') continue;
        if (shown == shownPos) {
            // Before the carriage returns that belong to this character.
            while (i > 0 && stored[i - 1] == u'\r') --i;
            return i;
        }
        ++shown;
    }
    return stored.size();
}

}  // namespace vexari
