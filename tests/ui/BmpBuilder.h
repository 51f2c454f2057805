#pragma once
#include <cstdint>
#include <vector>

namespace vexari::testing {

// Writes small BMP files for the tests, field by field.
struct BmpLayout {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bpp = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t headerSize = 40;             // 12 writes the core header
    std::vector<std::uint32_t> palette;        // 0x00RRGGBB
    std::vector<std::uint32_t> masks;          // after a 40-byte header, else inside it
    std::vector<std::vector<std::uint8_t>> rows;  // in file order, padded to 4 bytes
    bool zeroOffset = false;                   // leave the pixel-data offset 0
    bool padLastRow = true;
};

inline void Put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
inline void Set32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline std::vector<std::uint8_t> BuildBmp(const BmpLayout& s) {
    std::vector<std::uint8_t> b = {'B', 'M'};
    Put32(b, 0);  // file size, patched below
    Put32(b, 0);
    Put32(b, 0);  // pixel-data offset, patched below
    Put32(b, s.headerSize);
    if (s.headerSize == 12) {
        Put16(b, static_cast<std::uint32_t>(s.width));
        Put16(b, static_cast<std::uint32_t>(s.height));
        Put16(b, 1);
        Put16(b, s.bpp);
    } else {
        Put32(b, static_cast<std::uint32_t>(s.width));
        Put32(b, static_cast<std::uint32_t>(s.height));
        Put16(b, 1);
        Put16(b, s.bpp);
        Put32(b, s.compression);
        Put32(b, 0);
        Put32(b, 2835);
        Put32(b, 2835);
        Put32(b, s.colorsUsed);
        Put32(b, 0);
        for (std::uint32_t m : s.masks) Put32(b, m);
        if (s.headerSize > 40) b.resize(14 + s.headerSize, 0);
    }
    for (std::uint32_t c : s.palette) {
        b.push_back(static_cast<std::uint8_t>(c));
        b.push_back(static_cast<std::uint8_t>(c >> 8));
        b.push_back(static_cast<std::uint8_t>(c >> 16));
        if (s.headerSize != 12) b.push_back(0);
    }
    if (!s.zeroOffset) Set32(b, 10, static_cast<std::uint32_t>(b.size()));
    for (std::size_t r = 0; r < s.rows.size(); ++r) {
        b.insert(b.end(), s.rows[r].begin(), s.rows[r].end());
        if (s.padLastRow || r + 1 < s.rows.size()) {
            const std::size_t written = s.rows[r].size();
            b.insert(b.end(), (written + 3) / 4 * 4 - written, 0xEE);  // padding to 4 bytes
        }
    }
    Set32(b, 2, static_cast<std::uint32_t>(b.size()));
    return b;
}

}  // namespace vexari::testing
