// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vexari {

// The program's four version numbers: major, minor, release, build. Two
// copies play a network game together only when all four match.
using VersionQuad = std::array<std::int32_t, 4>;

// "A.B.C.D": four whole numbers of at most nine digits each; nothing for
// any other text.
std::optional<VersionQuad> ParseVersion(std::string_view text);

// This build's version text, as --version prints it.
std::string_view BuildVersionText();
// This build's version, parsed once; nothing when its text is not a version.
const std::optional<VersionQuad>& BuildVersion();

// "--version" anywhere on a command line: prints one line, the program's
// name and BuildVersionText(), the same for every program of the package,
// and returns true.
bool PrintVersionIfAsked(int argc, char** argv, const char* program);

}  // namespace vexari
