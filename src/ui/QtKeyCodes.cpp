// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtKeyCodes.h"

#include <QKeyEvent>
#include <cstring>

namespace vexari {
namespace {

// X11 keysyms that Qt folds into other keys.
constexpr quint32 kXkBreak = 0xFF6B;
constexpr quint32 kXkSysReq = 0xFF15;
constexpr quint32 kXkKpSeparator = 0xFFAC;
constexpr quint32 kXkSuperR = 0xFFEC;

// X11 keycodes (Linux input codes plus 8) of the main block, for layouts
// whose keys Qt names by characters outside the US keyboard.
constexpr quint32 kX11Offset = 8;
constexpr quint32 kKey102nd = 86 + kX11Offset;

int FromScanCode(quint32 scan) {
    if (scan < kX11Offset) return 0;
    switch (scan - kX11Offset) {
    case 2: case 3: case 4: case 5: case 6: case 7: case 8: case 9: case 10:
        return '1' + static_cast<int>(scan - kX11Offset - 2);
    case 11: return '0';
    case 12: return 0xBD;
    case 13: return 0xBB;
    case 26: return 0xDB;
    case 27: return 0xDD;
    case 39: return 0xBA;
    case 40: return 0xDE;
    case 41: return 0xC0;
    case 43: return 0xDC;
    case 51: return 0xBC;
    case 52: return 0xBE;
    case 53: return 0xBF;
    case 86: return 0xE2;
    default: break;
    }
    static const char kRows[3][11] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    static const quint32 kRowStart[3] = {16, 30, 44};
    for (int r = 0; r < 3; ++r) {
        const quint32 code = scan - kX11Offset;
        const quint32 len = static_cast<quint32>(std::strlen(kRows[r]));
        if (code >= kRowStart[r] && code < kRowStart[r] + len) return kRows[r][code - kRowStart[r]];
    }
    return 0;
}

// Keys whose number does not depend on the keypad.
int FromCommonKey(int key) {
    switch (key) {
    case Qt::Key_Cancel: return 0x03;
    case Qt::Key_Backspace: return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 0x09;
    case Qt::Key_Clear: return 0x0C;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 0x0D;
    case Qt::Key_Shift: return 0x10;
    case Qt::Key_Control: return 0x11;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return 0x12;
    case Qt::Key_Pause: return 0x13;
    case Qt::Key_CapsLock: return 0x14;
    case Qt::Key_Hangul: return 0x15;
    case Qt::Key_Kanji:
    case Qt::Key_Hangul_Hanja: return 0x19;
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_Henkan: return 0x1C;
    case Qt::Key_Muhenkan: return 0x1D;
    case Qt::Key_Space: return 0x20;
    case Qt::Key_PageUp: return 0x21;
    case Qt::Key_PageDown: return 0x22;
    case Qt::Key_End: return 0x23;
    case Qt::Key_Home: return 0x24;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_Select: return 0x29;
    case Qt::Key_Printer: return 0x2A;
    case Qt::Key_Execute: return 0x2B;
    case Qt::Key_Print:
    case Qt::Key_SysReq: return 0x2C;
    case Qt::Key_Insert: return 0x2D;
    case Qt::Key_Delete: return 0x2E;
    case Qt::Key_Help: return 0x2F;
    case Qt::Key_Meta:
    case Qt::Key_Super_L: return 0x5B;
    case Qt::Key_Super_R: return 0x5C;
    case Qt::Key_Menu: return 0x5D;
    case Qt::Key_Sleep: return 0x5F;
    case Qt::Key_NumLock: return 0x90;
    case Qt::Key_ScrollLock: return 0x91;
    case Qt::Key_Back: return 0xA6;
    case Qt::Key_Forward: return 0xA7;
    case Qt::Key_Refresh: return 0xA8;
    case Qt::Key_Stop: return 0xA9;
    case Qt::Key_Search: return 0xAA;
    case Qt::Key_Favorites: return 0xAB;
    case Qt::Key_HomePage: return 0xAC;
    case Qt::Key_VolumeMute: return 0xAD;
    case Qt::Key_VolumeDown: return 0xAE;
    case Qt::Key_VolumeUp: return 0xAF;
    case Qt::Key_MediaNext: return 0xB0;
    case Qt::Key_MediaPrevious: return 0xB1;
    case Qt::Key_MediaStop: return 0xB2;
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaPause:
    case Qt::Key_MediaTogglePlayPause: return 0xB3;
    case Qt::Key_LaunchMail: return 0xB4;
    case Qt::Key_LaunchMedia: return 0xB5;
    case Qt::Key_Launch0: return 0xB6;
    case Qt::Key_Launch1: return 0xB7;
    case Qt::Key_Play: return 0xFA;
    case Qt::Key_Zoom: return 0xFB;
    default: break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 0x70 + (key - Qt::Key_F1);
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
    return 0;
}

// Keys of the keypad that have twins in the main block.
int FromKeypad(int key, quint32 keysym) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return 0x60 + (key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Asterisk: return 0x6A;
    case Qt::Key_Plus: return 0x6B;
    case Qt::Key_Minus: return 0x6D;
    case Qt::Key_Period:
    case Qt::Key_Comma: return keysym == kXkKpSeparator ? 0x6C : 0x6E;
    case Qt::Key_Slash: return 0x6F;
    default: return 0;
    }
}

// Digits and punctuation of the main block, shifted or not, on a US keyboard.
int FromMainBlockSymbol(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
    switch (key) {
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 0xBA;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return 0xBB;
    case Qt::Key_Comma:
    case Qt::Key_Less: return 0xBC;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return 0xBD;
    case Qt::Key_Period:
    case Qt::Key_Greater: return 0xBE;
    case Qt::Key_Slash:
    case Qt::Key_Question: return 0xBF;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 0xC0;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 0xDB;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return 0xDC;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 0xDD;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 0xDE;
    default: return 0;
    }
}

int StoredCodeFromQt(int key, Qt::KeyboardModifiers modifiers, quint32 nativeVirtualKey, quint32 nativeScanCode) {
    // Keys Qt reports under a shared name.
    switch (nativeVirtualKey) {
    case kXkBreak: return 0x03;
    case kXkSysReq: return 0x2C;
    case kXkSuperR: return 0x5C;
    default: break;
    }
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (keypad) {
        if (int vk = FromKeypad(key, nativeVirtualKey)) return vk;
    } else if (nativeScanCode == kKey102nd) {
        return 0xE2;
    }
    if (int vk = FromCommonKey(key)) return vk;
    if (int vk = FromMainBlockSymbol(key)) return vk;
    if (!keypad) return FromScanCode(nativeScanCode);
    return 0;
}

}  // namespace

KeyCode KeyCodeFromQt(int key, Qt::KeyboardModifiers modifiers, quint32 nativeVirtualKey, quint32 nativeScanCode) {
    return KeyCodeFromStored(StoredCodeFromQt(key, modifiers, nativeVirtualKey, nativeScanCode));
}

KeyCode KeyCodeFromEvent(const QKeyEvent& event) {
    return KeyCodeFromQt(event.key(), event.modifiers(), event.nativeVirtualKey(), event.nativeScanCode());
}

}  // namespace vexari
