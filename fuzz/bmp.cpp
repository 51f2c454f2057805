// SPDX-License-Identifier: GPL-3.0-or-later
// BMP reader: any bytes either decode to a picture of the size the header
// gives, every pixel opaque, or are refused with a reason; with and without
// top-down rows allowed.
#include <cstdint>
#include <span>

#include "FuzzSupport.h"
#include "render/Bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vexari;
    const std::span<const std::uint8_t> file(data, size);
    for (const bool topDown : {false, true}) {
        const BmpResult result = DecodeBmp(file, {topDown});
        if (!result.ok()) {
            FUZZ_CHECK(result.image.IsNull(), "a refused file gave a picture");
            continue;
        }
        const PixelImage& image = result.image;
        FUZZ_CHECK(image.Width() >= 1 && image.Width() <= kBmpMaxSide && image.Height() >= 1 &&
                       image.Height() <= kBmpMaxSide,
                   "picture of %dx%d", image.Width(), image.Height());
        for (int y = 0; y < image.Height(); ++y) {
            const std::uint32_t* row = image.Row(y);
            for (int x = 0; x < image.Width(); ++x)
                FUZZ_CHECK((row[x] >> 24) == 0xFF, "pixel %d,%d is %08x", x, y, static_cast<unsigned>(row[x]));
        }
    }
    return 0;
}
