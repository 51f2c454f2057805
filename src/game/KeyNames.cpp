// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/KeyNames.h"

#include <algorithm>
#include <cstdio>

namespace vexari {

// Indexed by virtual-key code; each line holds eight codes, the first of
// which is given in hexadecimal at the end of the line.
const std::array<const char*, kKeyNameCount> KeyNames{
    "--0", "--1", "--2", "CtrlBreak", "--4", "--5", "--6", "--7",  // 00
    "BackSpace", "Tab", "--A", "--B", "<5>", "Enter", "--E", "--F",  // 08
    "Shift", "Ctrl", "Alt", "Pause", "CapsLock", "-15", "-16", "-17",  // 10
    "-18", "-19", "-1A", "Esc", "-1C", "-1D", "-1E", "-1F",  // 18
    "Space", "PgUp", "PgDn", "End", "Home", "Left", "Up", "Right",  // 20
    "Down", "-29", "-2A", "-2B", "PrntScrn", "Ins", "Del", "-2F",  // 28
    "0", "1", "2", "3", "4", "5", "6", "7",  // 30
    "8", "9", "-3A", "-3B", "-3C", "-3D", "-3E", "-3F",  // 38
    "-40", "A", "B", "C", "D", "E", "F", "G",  // 40
    "H", "I", "J", "K", "L", "M", "N", "O",  // 48
    "P", "Q", "R", "S", "T", "U", "V", "W",  // 50
    "X", "Y", "Z", "-5B", "-5C", "-5D", "-5E", "-5F",  // 58
    "Ins(0)", "End(1)", "Down(2)", "PgDn(3)", "Left(4)", "(5)", "Right(6)", "Home(7)",  // 60
    "Up(8)", "PgUp(9)", "*", "+", "Sep/", "-", "Sep\\", "/",  // 68
    "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8",  // 70
    "F9", "F10", "F11", "F12", "F13", "F14", "F15", "F16",  // 78
    "-80", "-81", "-82", "-83", "-84", "-85", "-86", "-87",  // 80
    "-88", "-89", "-8A", "-8B", "-8C", "-8D", "-8E", "-8F",  // 88
    "NumLock", "ScrollLock", "-92", "-93", "-94", "-95", "-96", "-97",  // 90
    "-98", "-99", "-9A", "-9B", "-9C", "-9D", "-9E", "-9F",  // 98
    "-A0", "-A1", "-A2", "-A3", "-A4", "-A5", "-A6", "-A7",  // A0
    "-A8", "-A9", "-AA", "-AB", "-AC", "-AD", "-AE", "-AF",  // A8
    "-B0", "-B1", "-B2", "-B3", "-B4", "-B5", "-B6", "-B7",  // B0
    "-B8", "-B9", ";:", "+=", ",<", "_-", ".>", "/?",  // B8
    "~", "-C1", "-C2", "-C3", "-C4", "-C5", "-C6", "-C7",  // C0
    "-C8", "-C9", "-CA", "-CB", "-CC", "-CD", "-CE", "-CF",  // C8
    "-D0", "-D1", "-D2", "-D3", "-D4", "-D5", "-D6", "-D7",  // D0
    "-D8", "-D9", "-DA", "[", "|", "]", "'\"", "OEM8",  // D8
    "", "", "OEM102",  // E0
};

std::string KeyName(KeyCode key) {
    const int code = StoredKeyCode(key);
    if (code >= 0 && code < kKeyNameCount) return KeyNames[static_cast<std::size_t>(code)];
    char buf[16];
    std::snprintf(buf, sizeof buf, "-%02X", static_cast<unsigned>(code));
    return buf;
}

bool KeysConflict(const KeyBindings& keys) {
    const std::array<KeyCode, 6> all{keys.left, keys.right, keys.rotate, keys.drop, keys.accelerate, keys.rotate2};
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (std::find(kFixedKeys.begin(), kFixedKeys.end(), all[i]) != kFixedKeys.end()) return true;
        for (std::size_t j = i + 1; j < all.size(); ++j)
            if (all[i] == all[j]) return true;
    }
    return false;
}

}  // namespace vexari
