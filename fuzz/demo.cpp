// SPDX-License-Identifier: GPL-3.0-or-later
// Demo-parameters reader: any text gives at most eight values that write to
// a .dem file and read back the same; the dialog's scaling and truncation
// take any weights read.
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "ai/WeightsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vexari;
    WeightValues values = DefaultWeightValues();
    const int count = ParseWeightValues(std::string_view(reinterpret_cast<const char*>(data), size), values);
    FUZZ_CHECK(count >= 0 && count <= ComputerWeights::kCriteria, "%d values", count);

    static const fuzz::TempDir dir;
    const std::string path = (dir.Path() / "weights.dem").string();
    FUZZ_CHECK(WriteWeightsFile(path, values), "cannot write %s", path.c_str());
    WeightValues reread{};
    const WeightsReadResult result = ReadWeightsFile(path, reread);
    FUZZ_CHECK(result.opened && result.count == ComputerWeights::kCriteria, "read back %d values", result.count);
    FUZZ_CHECK(reread == values, "the values changed in a write and read");

    ComputerWeights weights;
    bool learn = false;
    ApplyDialogValues({values, true}, weights, learn);
    ScaleWeightsForDialog(weights);
    const WeightValues shown = DialogValuesFromWeights(weights);
    // A largest weight above 1000 becomes 500, the others keep their place below it.
    for (const int v : shown) FUZZ_CHECK(v <= 1000, "value %d shown in the dialog", v);
    return 0;
}
