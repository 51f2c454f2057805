// SPDX-License-Identifier: GPL-3.0-or-later
// Position reader of `vexari-sim analyze`: any text is either refused with a
// message or read into a position that the search then analyses.
#include <cstdint>
#include <sstream>
#include <string>

#include "FuzzSupport.h"
#include "ai/Simulator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vexari;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const AnalyzeParseResult parsed = ParseAnalyzeInput(in);
    if (!parsed.input) {
        FUZZ_CHECK(!parsed.error.empty(), "refused without a message");
        return 0;
    }
    const AnalyzeInput& input = *parsed.input;
    FUZZ_CHECK(input.height >= kMinWellHeight && input.height <= kMaxWellHeight, "height %d", input.height);
    const std::string json = AnalyzeJson(input);
    FUZZ_CHECK(json.size() >= 2 && json.front() == '{' && json.back() == '}', "not one JSON object");
    return 0;
}
