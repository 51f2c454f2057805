// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "render/PixelImage.h"

namespace vexari {

// Why a BMP file could not be decoded.
enum class BmpError {
    None,
    Truncated,         // the file ends before a header, the colour table or the pixel data
    BadSize,           // width or height of 0 or less, or larger than kBmpMaxSide
    TopDown,           // negative height (rows stored top row first) where not allowed
    Unsupported,       // compression or bits per pixel that is not decoded
    BadColorTable,     // more colour-table entries than the file holds or the depth can use
};

inline constexpr int kBmpMaxSide = 8192;

struct BmpDecodeOptions {
    // A negative height stores the rows top row first; refused unless set.
    bool allowTopDown = false;
};

struct BmpResult {
    PixelImage image;  // empty unless error is None
    BmpError error = BmpError::None;
    bool ok() const { return error == BmpError::None; }
};

// Decodes a whole BMP file held in memory: the 14-byte file header, then a
// core (12-byte), info (40-byte) or later (V2..V5) information header, the
// colour table and uncompressed pixel data of 1, 4, 8, 16, 24 or 32 bits per
// pixel (16 and 32 bits also with bit-field masks). Every offset and size is
// checked against the buffer; a file that lies about them is refused.
// The signature is not checked.
BmpResult DecodeBmp(std::span<const std::uint8_t> file, BmpDecodeOptions options = {});

// Reads a whole file into memory; false when it cannot be opened or read
// or is larger than maxBytes.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::size_t maxBytes);

}  // namespace vexari
