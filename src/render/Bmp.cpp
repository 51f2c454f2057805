// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Bmp.h"

#include <algorithm>
#include <bit>
#include <filesystem>
#include <fstream>

namespace vexari {

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;
constexpr std::int64_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

// Bounds-checked little-endian reads; every offset is 64-bit so that the
// sum of a file field and a length can never wrap.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> d) : data_(d) {}
    std::int64_t Size() const { return static_cast<std::int64_t>(data_.size()); }
    bool Has(std::int64_t offset, std::int64_t length) const {
        return offset >= 0 && length >= 0 && offset <= Size() && length <= Size() - offset;
    }
    std::uint32_t U8(std::int64_t o) const { return data_[static_cast<std::size_t>(o)]; }
    std::uint32_t U16(std::int64_t o) const { return U8(o) | (U8(o + 1) << 8); }
    std::uint32_t U32(std::int64_t o) const { return U16(o) | (U16(o + 2) << 16); }
    std::int32_t I32(std::int64_t o) const { return static_cast<std::int32_t>(U32(o)); }
    const std::uint8_t* At(std::int64_t o) const { return data_.data() + o; }

private:
    std::span<const std::uint8_t> data_;
};

// One colour component held under a bit mask, scaled to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint64_t max = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        max = (std::uint64_t{1} << std::bit_width(m >> shift)) - 1;
    }
    int Extract(std::uint32_t px) const {
        if (max == 0) return 0;
        const std::uint64_t v = (px & mask) >> shift;
        return static_cast<int>((v * 255 + max / 2) / max);
    }
};

BmpResult Fail(BmpError e) {
    BmpResult r;
    r.error = e;
    return r;
}

}  // namespace

BmpResult DecodeBmp(std::span<const std::uint8_t> file, BmpDecodeOptions options) {
    const Reader in(file);
    if (!in.Has(0, kFileHeaderSize + 4)) return Fail(BmpError::Truncated);
    const std::uint32_t dataOffsetField = in.U32(10);
    const std::uint32_t headerSize = in.U32(14);

    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bpp = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t colorsUsed = 0;
    std::int64_t entrySize = 4;
    if (headerSize == kCoreHeaderSize) {
        if (!in.Has(kFileHeaderSize, kCoreHeaderSize)) return Fail(BmpError::Truncated);
        width = in.U16(18);
        height = in.U16(20);
        bpp = in.U16(24);
        entrySize = 3;
    } else if (headerSize >= kInfoHeaderSize) {
        if (!in.Has(kFileHeaderSize, kInfoHeaderSize)) return Fail(BmpError::Truncated);
        width = in.I32(18);
        height = in.I32(22);
        bpp = in.U16(28);
        compression = in.U32(30);
        colorsUsed = in.U32(46);
    } else {
        return Fail(BmpError::Unsupported);
    }
    // The whole information header must be in the file: the colour table
    // and the masks are found from its end.
    if (!in.Has(kFileHeaderSize, headerSize)) return Fail(BmpError::Truncated);

    bool topDown = false;
    if (height < 0) {
        if (!options.allowTopDown) return Fail(BmpError::TopDown);
        topDown = true;
        height = -height;  // 64-bit: INT_MIN does not overflow here
    }
    if (width <= 0 || height <= 0 || width > kBmpMaxSide || height > kBmpMaxSide) return Fail(BmpError::BadSize);

    // Bit masks of the 16- and 32-bit formats.
    std::uint32_t masks[3] = {0, 0, 0};
    std::int64_t masksAfterHeader = 0;
    if (compression == kBiRgb) {
        if (bpp == 16) {
            masks[0] = 0x7C00;
            masks[1] = 0x03E0;
            masks[2] = 0x001F;
        } else if (bpp == 32) {
            masks[0] = 0x00FF0000;
            masks[1] = 0x0000FF00;
            masks[2] = 0x000000FF;
        } else if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24) {
            return Fail(BmpError::Unsupported);
        }
    } else if ((compression == kBiBitfields || compression == kBiAlphaBitfields) && (bpp == 16 || bpp == 32) &&
               headerSize != kCoreHeaderSize) {
        std::int64_t maskPos = kFileHeaderSize + kInfoHeaderSize;
        if (headerSize == kInfoHeaderSize) {
            // The masks follow a plain info header.
            masksAfterHeader = compression == kBiBitfields ? 12 : 16;
        }
        if (!in.Has(maskPos, 12)) return Fail(BmpError::Truncated);
        for (int i = 0; i < 3; ++i) masks[i] = in.U32(maskPos + 4 * i);
    } else {
        return Fail(BmpError::Unsupported);
    }

    // Colour table.
    std::int64_t entries = colorsUsed;
    if (entries == 0) entries = bpp == 1 ? 2 : bpp == 4 ? 16 : bpp == 8 ? 256 : 0;
    const std::int64_t tableStart = kFileHeaderSize + std::int64_t{headerSize} + masksAfterHeader;
    std::vector<Color> palette;
    if (bpp <= 8) {
        // Only the first 2^bpp entries can be addressed by a pixel.
        const std::int64_t usable = std::min<std::int64_t>(entries, std::int64_t{1} << bpp);
        if (!in.Has(tableStart, usable * entrySize)) return Fail(BmpError::BadColorTable);
        palette.assign(static_cast<std::size_t>(std::int64_t{1} << bpp), kBlack);
        for (std::int64_t i = 0; i < usable; ++i) {
            const std::int64_t o = tableStart + i * entrySize;
            palette[static_cast<std::size_t>(i)] =
                MakeColor(static_cast<int>(in.U8(o + 2)), static_cast<int>(in.U8(o + 1)), static_cast<int>(in.U8(o)));
        }
    }

    // Pixel data.
    const std::int64_t dataStart =
        dataOffsetField != 0 ? std::int64_t{dataOffsetField} : tableStart + entries * entrySize;
    const std::int64_t rowBits = width * bpp;
    const std::int64_t stride = (rowBits + 31) / 32 * 4;
    // The last row need not carry its padding.
    const std::int64_t needed = stride * (height - 1) + (rowBits + 7) / 8;
    if (!in.Has(dataStart, needed)) return Fail(BmpError::Truncated);

    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
    BmpResult result;
    result.image = PixelImage(static_cast<int>(width), static_cast<int>(height));
    for (std::int64_t fileRow = 0; fileRow < height; ++fileRow) {
        const std::uint8_t* src = in.At(dataStart + fileRow * stride);
        const int y = static_cast<int>(topDown ? fileRow : height - 1 - fileRow);
        std::uint32_t* dst = result.image.Row(y);
        for (std::int64_t x = 0; x < width; ++x) {
            Color c = kBlack;
            switch (bpp) {
            case 1: c = palette[(src[x >> 3] >> (7 - (x & 7))) & 1]; break;
            case 4: c = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F]; break;
            case 8: c = palette[src[x]]; break;
            case 16: {
                const std::uint32_t px = src[2 * x] | (std::uint32_t{src[2 * x + 1]} << 8);
                c = MakeColor(red.Extract(px), green.Extract(px), blue.Extract(px));
                break;
            }
            case 24: c = MakeColor(src[3 * x + 2], src[3 * x + 1], src[3 * x]); break;
            case 32: {
                const std::uint32_t px = src[4 * x] | (std::uint32_t{src[4 * x + 1]} << 8) |
                                         (std::uint32_t{src[4 * x + 2]} << 16) | (std::uint32_t{src[4 * x + 3]} << 24);
                c = MakeColor(red.Extract(px), green.Extract(px), blue.Extract(px));
                break;
            }
            default: break;
            }
            dst[x] = c;
        }
    }
    return result;
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t maxBytes) {
    bytes.clear();
    std::error_code ec;
    const std::filesystem::path p(path);
    if (!std::filesystem::is_regular_file(p, ec) || ec) return false;
    const std::uintmax_t size = std::filesystem::file_size(p, ec);
    if (ec || size > maxBytes) return false;
    std::ifstream f(p, std::ios::binary);
    if (!f) return false;
    bytes.resize(static_cast<std::size_t>(size));
    if (size > 0 && !f.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
        bytes.clear();
        return false;
    }
    // A file that grew since its size was taken is read only up to that size.
    return true;
}

}  // namespace vexari
