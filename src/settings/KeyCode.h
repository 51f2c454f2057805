// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace vexari {

// A key of the keyboard as the game knows it: the physical key, whatever the
// layout and the modifiers. Its value is the number stored for the key: in
// the settings file (KEYS), in the replay files and in the table of key names
// (game/KeyNames.h). Those numbers are the Windows virtual-key codes, which
// the settings files have always held. The keys the program names itself are
// listed; any other key is the KeyCode of its stored number.
enum class KeyCode : std::int32_t {
    None = 0,
    Tab = 0x09,
    Clear = 0x0C,  // keypad 5 without Num Lock
    Enter = 0x0D,
    Escape = 0x1B,
    Space = 0x20,
    End = 0x23,
    Left = 0x25,
    Up = 0x26,
    Right = 0x27,
    Down = 0x28,
    Digit1 = 0x31,
    Digit2 = 0x32,
    Digit4 = 0x34,
    Digit6 = 0x36,
    A = 0x41,
    F2 = 0x71,
};

// The one conversion between a key and the number stored for it.
constexpr std::int32_t StoredKeyCode(KeyCode key) { return static_cast<std::int32_t>(key); }
constexpr KeyCode KeyCodeFromStored(std::int32_t code) { return static_cast<KeyCode>(code); }

}  // namespace vexari
