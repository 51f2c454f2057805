// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/CommandLine.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace vexari {

CommandLine& CommandLine::Add(Option option) {
    options_.push_back(std::move(option));
    return *this;
}

CommandLine& CommandLine::Flag(const char* name, bool& target) {
    return Add({name, Kind::Flag, 0, 0, [&target](std::string_view, long long) { target = true; }});
}

CommandLine& CommandLine::Text(const char* name, std::string& target, bool nonEmpty) {
    return Add({name, nonEmpty ? Kind::NonEmptyText : Kind::Text, 0, 0,
                [&target](std::string_view text, long long) { target = std::string(text); }});
}

CommandLine& CommandLine::Real(const char* name, double& target, double low) {
    Option option{name, Kind::Real, 0, 0, [&target](std::string_view text, long long) {
                      target = std::strtod(std::string(text).c_str(), nullptr);
                  }};
    option.realLow = low;
    return Add(std::move(option));
}

std::string UsageRange(long long low, long long high) { return std::to_string(low) + "-" + std::to_string(high); }

std::string UsageOption(std::string_view option, std::size_t column) {
    std::string line = "  " + std::string(option);
    line.resize(std::max(column, line.size() + 2), ' ');
    return line;
}

namespace {

// "from L to H", or "of at least L" when the type's end is the only limit.
std::string RangeText(long long low, long long high) {
    if (high == std::numeric_limits<int>::max() || high == std::numeric_limits<std::int64_t>::max())
        return "of at least " + std::to_string(low);
    return "from " + std::to_string(low) + " to " + std::to_string(high);
}

}  // namespace

bool CommandLine::Parse(const std::vector<std::string>& args, bool& help, std::string& error) const {
    bool operandTaken = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        if (name == "--help" || name == "-h") {
            help = true;
            return true;
        }
        if (operand_ && !name.starts_with('-')) {
            if (operandTaken) {
                error = "unexpected argument " + name + " (try --help)";
                return false;
            }
            *operand_ = name;
            operandTaken = true;
            continue;
        }
        std::optional<std::string> value;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        const Option* option = nullptr;
        for (const Option& o : options_)
            if (name == o.name) option = &o;
        if (!option) {
            error = "unknown option " + args[i] + " (try --help)";
            return false;
        }
        if (option->kind == Kind::Flag) {
            if (value) {
                error = name + " takes no value";
                return false;
            }
            option->store({}, 0);
            continue;
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                error = name + " needs a value";
                return false;
            }
            value = args[++i];
        }
        switch (option->kind) {
            case Kind::NonEmptyText:
                if (value->empty()) {
                    error = name + " needs a value";
                    return false;
                }
                [[fallthrough]];
            case Kind::Text: option->store(*value, 0); break;
            case Kind::Number: {
                long long number = 0;
                if (!ParseWhole(*value, number) || number < option->low || number > option->high) {
                    error = name + ": expected a whole number " + RangeText(option->low, option->high) + ", got \"" +
                            *value + "\"";
                    return false;
                }
                option->store(*value, number);
                break;
            }
            case Kind::Real: {
                char* end = nullptr;
                const double number = std::strtod(value->c_str(), &end);
                if (value->empty() || *end != '\0' || !(number >= option->realLow) || !std::isfinite(number)) {
                    char low[32];
                    std::snprintf(low, sizeof low, "%g", option->realLow);
                    error = name + ": expected a number of at least " + low + ", got \"" + *value + "\"";
                    return false;
                }
                option->store(*value, 0);
                break;
            }
            case Kind::Flag: break;
        }
    }
    return true;
}

}  // namespace vexari
