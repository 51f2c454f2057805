// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/Codepage.h"

#include <cstdint>

namespace vexari {
namespace {

// The characters of the bytes 0x80 to 0x9F. The five bytes the code page
// leaves unassigned keep the C1 control of the same number, so every byte
// survives a trip to UTF-8 and back.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};

// The byte of a character, or '?' when the code page has none.
char ToCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
    }
    return '?';
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {  // every character of the code page lies below U+10000
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        // Length of the sequence and the range its second byte must lie in;
        // the narrower ranges shut out overlong forms, surrogates and values
        // above U+10FFFF.
        int length = 0;
        unsigned char low = 0x80, high = 0xBF;
        char32_t c = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            c = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            c = lead & 0x0F;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            c = lead & 0x07;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        }
        ++i;
        if (length == 0) {  // a stray continuation byte or an impossible lead
            out += '?';
            continue;
        }
        // A broken sequence becomes one '?' for the bytes that began it well;
        // the byte that broke it starts over.
        int taken = 1;
        while (taken < length && i < utf8.size()) {
            const auto b = static_cast<unsigned char>(utf8[i]);
            if (taken == 1 ? (b < low || b > high) : !IsContinuation(b)) break;
            c = (c << 6) | (b & 0x3F);
            ++taken;
            ++i;
        }
        out += taken == length ? ToCp1252(c) : '?';
    }
    return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char32_t{b});
    }
    return out;
}

std::string Utf16ToCp1252(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            // A character beyond U+FFFF is never in the code page: a whole
            // pair is one '?', and so is a lone half.
            if (unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++i;
            out += '?';
            continue;
        }
        out += ToCp1252(unit);
    }
    return out;
}

std::string TerminalLines(std::string_view text) {
    std::string lines;
    for (const char c : text)
        if (c != '\r') lines += c;
    if (lines.empty() || lines.back() != '\n') lines += '\n';
    return lines;
}

}  // namespace vexari
