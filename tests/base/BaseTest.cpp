// SPDX-License-Identifier: GPL-3.0-or-later
// The program-wide helpers: command lines and the program's version.
#include <gtest/gtest.h>

#include <climits>

#include "base/CommandLine.h"
#include "base/ProgramVersion.h"

using namespace vexari;

namespace {

struct Parsed {
    int level = 5;
    std::uint32_t seed = 1;
    std::int64_t pieces = 0;
    std::string name;
    bool trace = false, help = false;
    double seconds = 0;
    std::string error;
    bool ok = false;
};

Parsed Parse(const std::vector<std::string>& args) {
    Parsed p;
    p.ok = CommandLine()
               .Number("--level", p.level, 0, 9, [](int level) { return 10 - level; })
               .Number("--seed", p.seed)
               .Number("--pieces", p.pieces, 1)
               .Text("--name", p.name, true)
               .Flag("--trace", p.trace)
               .Real("--seconds", p.seconds)
               .Parse(args, p.help, p.error);
    return p;
}

}  // namespace

// Both value forms, every kind of option, the stored conversion; one number
// rule for all (no sign but '-', nothing around the digits, the target's
// range), and a refusal is one line that names the option.
TEST(CommandLine, TakesEveryFormAndRefusesByOneNumberRule) {
    const Parsed all = Parse({"--level", "9", "--seed=4294967295", "--pieces", "9223372036854775807", "--name=Ann",
                              "--trace", "--seconds", "2.5"});
    ASSERT_TRUE(all.ok) << all.error;
    EXPECT_EQ(std::tie(all.level, all.seed, all.pieces, all.name, all.trace, all.seconds, all.help),
              std::tuple(1, 4294967295u, INT64_MAX, "Ann", true, 2.5, false));
    const Parsed help = Parse({"--trace", "-h", "--frobnicate"});
    EXPECT_TRUE(help.ok && help.help && help.trace);

    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--level", "+5"}, {"--level", " 5"}, {"--level", "5x"}, {"--level", "10"},
                                               {"--level", "-1"}, {"--seed", "4294967296"}, {"--seed", "-1"},
                                               {"--pieces", "0"}, {"--pieces", "9223372036854775808"}, {"--level"},
                                               {"--name", ""}, {"--trace=1"}, {"--seconds", "-1"}, {"--seconds", "x"},
                                               {"--frobnicate"}, {"level", "5"}}) {
        const Parsed p = Parse(bad);
        const std::string& option = bad[0].substr(0, bad[0].find('='));
        EXPECT_TRUE(!p.ok && p.error.find(option) != std::string::npos && p.error.find('\n') == std::string::npos)
            << ::testing::PrintToString(bad) << ": " << p.error;
    }
}

TEST(ProgramVersion, FourWholeNumbersParsedOnceFromTheBuild) {
    EXPECT_EQ(ParseVersion("1.0.12.345"), (VersionQuad{1, 0, 12, 345}));
    for (const char* bad : {"1.0.0", "1.0.0.5.", "1.0.0.5x", "1..0.5", "+1.0.0.5", "1.0.0.1234567890", ""})
        EXPECT_EQ(ParseVersion(bad), std::nullopt) << bad;
    ASSERT_TRUE(BuildVersion());
    EXPECT_EQ(BuildVersion(), ParseVersion(BuildVersionText()));
}
