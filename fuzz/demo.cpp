// SPDX-License-Identifier: GPL-3.0-or-later
// Demo-parameters reader: any text gives at most eight values that write to
// a .dem file and read back the same; the dialog's scaling and truncation
// take any weights read.
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "ai/DemoFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vexari;
    DemoValues values = DefaultDemoValues();
    const int count = ParseDemoValues(std::string_view(reinterpret_cast<const char*>(data), size), values);
    FUZZ_CHECK(count >= 0 && count <= DemoWeights::kCriteria, "%d values", count);

    static const fuzz::TempDir dir;
    const std::string path = (dir.Path() / "weights.dem").string();
    FUZZ_CHECK(WriteDemoFile(path, values), "cannot write %s", path.c_str());
    DemoValues reread{};
    const DemoReadResult result = ReadDemoFile(path, reread);
    FUZZ_CHECK(result.opened && result.count == DemoWeights::kCriteria, "read back %d values", result.count);
    FUZZ_CHECK(reread == values, "the values changed in a write and read");

    DemoWeights weights;
    bool learn = false;
    ApplyDialogValues({values, true}, weights, learn);
    ScaleWeightsForDialog(weights);
    const DemoValues shown = DialogValuesFromWeights(weights);
    // A largest weight above 1000 becomes 500, the others keep their place below it.
    for (const int v : shown) FUZZ_CHECK(v <= 1000, "value %d shown in the dialog", v);
    return 0;
}
