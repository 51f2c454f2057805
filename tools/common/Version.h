// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "--version" for the command-line programs: one line, the program's name
// and the version of the build, the same for every program of the package.
#include <cstdio>
#include <string_view>

namespace vexari::tools {

inline bool PrintVersionIfAsked(int argc, char** argv, const char* program) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) != "--version") continue;
        std::printf("%s %s\n", program, VEXARI_VERSION_STRING);
        return true;
    }
    return false;
}

}  // namespace vexari::tools
