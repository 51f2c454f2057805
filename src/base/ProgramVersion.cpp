// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ProgramVersion.h"

#include <cstdio>

namespace vexari {

std::optional<VersionQuad> ParseVersion(std::string_view text) {
    VersionQuad version{};
    for (std::size_t part = 0; part < version.size(); ++part) {
        if (part > 0) {
            if (text.empty() || text.front() != '.') return std::nullopt;
            text.remove_prefix(1);
        }
        std::size_t digits = 0;
        std::int32_t value = 0;
        while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
            if (digits == 9) return std::nullopt;
            value = value * 10 + (text[digits++] - '0');
        }
        if (digits == 0) return std::nullopt;
        version[part] = value;
        text.remove_prefix(digits);
    }
    if (!text.empty()) return std::nullopt;
    return version;
}

std::string_view BuildVersionText() { return VEXARI_VERSION_STRING; }

const std::optional<VersionQuad>& BuildVersion() {
    static const std::optional<VersionQuad> version = ParseVersion(BuildVersionText());
    return version;
}

bool PrintVersionIfAsked(int argc, char** argv, const char* program) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) != "--version") continue;
        const std::string_view text = BuildVersionText();
        std::printf("%s %.*s\n", program, static_cast<int>(text.size()), text.data());
        return true;
    }
    return false;
}

}  // namespace vexari
