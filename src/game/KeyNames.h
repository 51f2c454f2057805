// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>

#include "settings/Settings.h"

namespace vexari {

// Names of the keys by their stored codes (settings/KeyCode.h), 0 to 226,
// as the key fields of the design dialog show them. A code without a name of its own holds a placeholder:
// "--" and one hexadecimal digit below 0x10, "-" and two digits above.
inline constexpr int kKeyNameCount = 227;
extern const std::array<const char*, kKeyNameCount> KeyNames;

// The name of a key: its code's KeyNames entry for 0 to 226; codes outside the
// table (only a hand-edited settings file holds them) get a placeholder of
// the same form, "-" and the code in upper-case hexadecimal.
std::string KeyName(KeyCode key);

// Keys the main window keeps for itself: F2, Tab, the digit 1, Enter, Esc.
inline constexpr std::array<KeyCode, 5> kFixedKeys{KeyCode::F2, KeyCode::Tab, KeyCode::Digit1, KeyCode::Enter,
                                                   KeyCode::Escape};

// True when two of the six player keys are equal or one of them is a fixed
// key; the keyboard then cannot tell the operations apart.
bool KeysConflict(const KeyBindings& keys);

}  // namespace vexari
