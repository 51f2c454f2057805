// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Command lines of the headless network programs: "--name value" or
// "--name=value", whole numbers checked against their range, "--help".
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "net/Wire.h"

namespace vexari::tools {

// A whole-number option; the stored value is offset + sign * the given one.
struct IntOption {
    const char* name;
    long long low, high;
    int* target;
    int offset = 0;
    int sign = 1;
};

struct TextOption {
    const char* name;
    std::string* target;
};

// A decimal whole number within [low, high], or nothing.
inline std::optional<int> ParseInt(std::string_view text, long long low, long long high) {
    std::size_t i = text.empty() || (text[0] != '-' && text[0] != '+') ? 0 : 1;
    if (i == text.size() || text.size() - i > 10) return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    if (text[0] == '-') value = -value;
    if (value < low || value > high) return std::nullopt;
    return static_cast<int>(value);
}

// Parses the arguments after the program name into the options' targets.
// False with a one-line `error` for an unknown option, a missing value or a
// number out of range; `help` is set by --help or -h (the rest is not read).
inline bool ParseOptions(const std::vector<std::string>& args, std::span<const IntOption> ints,
                         std::span<const TextOption> texts, bool& help, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        if (name == "--help" || name == "-h") {
            help = true;
            return true;
        }
        std::optional<std::string> value;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        const IntOption* intOption = nullptr;
        for (const IntOption& option : ints)
            if (name == option.name) intOption = &option;
        const TextOption* textOption = nullptr;
        for (const TextOption& option : texts)
            if (name == option.name) textOption = &option;
        if (!intOption && !textOption) {
            error = "unknown option " + args[i] + " (try --help)";
            return false;
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                error = name + " needs a value";
                return false;
            }
            value = args[++i];
        }
        if (textOption) {
            *textOption->target = *value;
            continue;
        }
        const std::optional<int> number = ParseInt(*value, intOption->low, intOption->high);
        if (!number) {
            error = name + ": expected a whole number from " + std::to_string(intOption->low) + " to " +
                    std::to_string(intOption->high) + ", got \"" + *value + "\"";
            return false;
        }
        *intOption->target = intOption->offset + intOption->sign * *number;
    }
    return true;
}

// The program's own version, compiled in from the build.
inline VersionQuad ProgramVersion() {
    VersionQuad version{};
    if (std::sscanf(VEXARI_VERSION_STRING, "%d.%d.%d.%d", &version[0], &version[1], &version[2], &version[3]) != 4)
        version = {};
    return version;
}

}  // namespace vexari::tools
