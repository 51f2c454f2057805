// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

// The 8-bit code page of the wire (Windows-1252) and the UTF-8 of the window,
// and the wire's "\r\n" line ends.
namespace vexari {

// A character the code page cannot hold becomes "?"; broken UTF-8 too.
std::string Utf8ToCp1252(std::string_view utf8);
// Every byte has a character (the five unassigned ones map to the C1 controls).
std::string Cp1252ToUtf8(std::string_view bytes);
// UTF-16LE code units (the wide string form a peer may send) to the code page.
std::string Utf16ToCp1252(std::u16string_view text);

// A text of the network game as the command-line programs print it: without
// its '\r's, and ending in '\n'.
std::string TerminalLines(std::string_view text);

}  // namespace vexari
