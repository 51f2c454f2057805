// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command lines of every program of the package: "--name value" or
// "--name=value", flags without a value, "--help" (or "-h"), and one rule
// for numbers.
#include <charconv>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace vexari {

// The number rule: a whole decimal number within T's range, a '-' before a
// negative one, and nothing else around it ("+5", " 5" and "5x" are refused:
// a number is written one way only).
template <typename T>
bool ParseWhole(std::string_view text, T& value) {
    if (text.empty() || text[0] == '+') return false;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc{} && ptr == end;
}

// Usage texts are built from the same constants the options check: a
// number's range as the usage shows it ("0-9"), and the start of an option's
// line ("  --speed 0-9") padded with blanks to `column`, where its
// description begins.
std::string UsageRange(long long low, long long high);
std::string UsageOption(std::string_view option, std::size_t column);

// The options a program takes, each with where its value goes; Parse()
// fills them from the arguments after the program's name (or subcommand).
class CommandLine {
public:
    // Sets `target` to true when the option is given.
    CommandLine& Flag(const char* name, bool& target);
    // A text; `nonEmpty` refuses "".
    CommandLine& Text(const char* name, std::string& target, bool nonEmpty = false);
    // A whole number from `low` to `high`; `stored` turns it into the value
    // the target keeps (a level into a fall period, say).
    template <typename T>
    CommandLine& Number(const char* name, T& target, long long low = std::numeric_limits<T>::min(),
                        long long high = static_cast<long long>(std::numeric_limits<T>::max()),
                        int (*stored)(int) = nullptr) {
        return Add({name, Kind::Number, low, high, [&target, stored](std::string_view, long long number) {
                        target = static_cast<T>(stored ? stored(static_cast<int>(number)) : number);
                    }});
    }
    // A decimal number of at least `low` ("2.5", "1e3").
    CommandLine& Real(const char* name, double& target, double low = 0);
    // The one argument that is not an option (a file, say); a second is refused.
    CommandLine& Operand(std::string& target) {
        operand_ = &target;
        return *this;
    }

    // False with a one-line `error` (naming the option) for an unknown
    // option, a missing value or one that breaks its rule. --help or -h sets
    // `help` and ends the reading.
    bool Parse(const std::vector<std::string>& args, bool& help, std::string& error) const;

private:
    enum class Kind { Flag, Text, NonEmptyText, Number, Real };
    struct Option {
        const char* name;
        Kind kind;
        long long low = 0, high = 0;
        std::function<void(std::string_view text, long long number)> store;
        double realLow = 0;
    };
    CommandLine& Add(Option option);

    std::vector<Option> options_;
    std::string* operand_ = nullptr;
};

}  // namespace vexari
