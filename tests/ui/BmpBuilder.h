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
    std::uint32_t headerSize = 40;                     // 12 writes the core header
    std::vector<std::uint32_t> palette = {};           // 0x00RRGGBB
    std::vector<std::uint32_t> masks = {};             // after a 40-byte header, else inside it
    std::vector<std::vector<std::uint8_t>> rows = {};  // in file order, unpadded
    bool zeroOffset = false;                           // leave the pixel-data offset 0
    bool padLastRow = true;                            // rows are padded to 4 bytes
};

// Writes v little-endian in the given number of bytes.
inline void Put(std::vector<std::uint8_t>& b, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
inline void Set32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline std::vector<std::uint8_t> BuildBmp(const BmpLayout& s) {
    std::vector<std::uint8_t> b = {'B', 'M'};
    b.resize(14, 0);  // file size and pixel-data offset are patched below
    Put(b, s.headerSize, 4);
    const int side = s.headerSize == 12 ? 2 : 4;
    Put(b, static_cast<std::uint32_t>(s.width), side);
    Put(b, static_cast<std::uint32_t>(s.height), side);
    Put(b, 1, 2);
    Put(b, s.bpp, 2);
    if (s.headerSize != 12) {
        for (std::uint32_t v : {s.compression, 0u, 2835u, 2835u, s.colorsUsed, 0u}) Put(b, v, 4);
        for (std::uint32_t m : s.masks) Put(b, m, 4);
        if (s.headerSize > 40) b.resize(14 + s.headerSize, 0);
    }
    for (std::uint32_t c : s.palette) Put(b, c, s.headerSize == 12 ? 3 : 4);  // blue, green, red (, 0)
    if (!s.zeroOffset) Set32(b, 10, static_cast<std::uint32_t>(b.size()));
    for (std::size_t r = 0; r < s.rows.size(); ++r) {
        b.insert(b.end(), s.rows[r].begin(), s.rows[r].end());
        if (s.padLastRow || r + 1 < s.rows.size())
            b.insert(b.end(), (s.rows[r].size() + 3) / 4 * 4 - s.rows[r].size(), 0xEE);
    }
    Set32(b, 2, static_cast<std::uint32_t>(b.size()));
    return b;
}

}  // namespace vexari::testing
