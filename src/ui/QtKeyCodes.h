// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QtCore/qnamespace.h>
#include <QtCore/qglobal.h>

#include "settings/KeyCode.h"

class QKeyEvent;

namespace vexari {

// The game's key (settings/KeyCode.h) of a key press as Qt reports it: here
// Qt's keys meet the stored key codes (37 Left, 12 keypad 5 without Num Lock,
// 65 'A'...).
//
// key is the Qt::Key of the event; Qt::KeypadModifier in modifiers tells a
// keypad key from its twin (keypad 8 gives 0x68, the digit 8 gives 0x38;
// keypad Home with Num Lock off gives Home, 0x24, as on Windows). The other
// modifiers do not change the number: like Windows we name the physical key,
// so the shifted symbols of a US keyboard give their key's number ('!' is
// the digit 1, '+' the "+=" key). nativeVirtualKey and nativeScanCode are the
// X11 keysym and keycode that Qt passes on under X11 and Wayland (0 when
// unknown); they tell apart the few keys Qt does not (the right Windows key,
// the keypad separator, Break, the extra key of ISO keyboards) and give the
// letter and punctuation keys of non-Latin layouts their US numbers.
// Returns KeyCode::None when the key has no stored code.
KeyCode KeyCodeFromQt(int key, Qt::KeyboardModifiers modifiers, quint32 nativeVirtualKey = 0,
                      quint32 nativeScanCode = 0);

// The same for a key event.
KeyCode KeyCodeFromEvent(const QKeyEvent& event);

}  // namespace vexari
