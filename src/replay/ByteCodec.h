// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace vexari {

// Little pieces of the replay file: unsigned numbers in 7-bit groups (low
// group first, the top bit of a byte saying that another follows), signed
// ones folded so that small magnitudes stay short (0, -1, 1, -2 ... become
// 0, 1, 2, 3 ...), doubles as their 8 bytes, texts as a length and bytes.
class ByteWriter {
public:
    void Byte(std::uint8_t b) { out_ += static_cast<char>(b); }
    void Unsigned(std::uint64_t v) {
        while (v >= 0x80) {
            Byte(static_cast<std::uint8_t>(v | 0x80));
            v >>= 7;
        }
        Byte(static_cast<std::uint8_t>(v));
    }
    void Signed(std::int64_t v) {
        Unsigned((static_cast<std::uint64_t>(v) << 1) ^ static_cast<std::uint64_t>(v >> 63));
    }
    void Double(double d) {
        std::uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        for (int i = 0; i < 8; ++i) Byte(static_cast<std::uint8_t>(bits >> (8 * i)));
    }
    void Text(std::string_view text) {
        Unsigned(text.size());
        out_ += text;
    }
    void Fixed32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) Byte(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    std::string& bytes() { return out_; }

private:
    std::string out_;
};

// Reads what ByteWriter wrote. Every read checks the bytes left; after the
// first failure every read fails, so a caller may test once at the end of a
// group of reads.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : in_(bytes) {}
    bool ok() const { return ok_; }
    // A read failed for want of bytes.
    bool ranOut() const { return ranOut_; }
    std::size_t left() const { return ok_ ? in_.size() - pos_ : 0; }

    bool Byte(std::uint8_t& b) {
        if (ok_ && pos_ >= in_.size()) ranOut_ = true;
        if (!ok_ || pos_ >= in_.size()) return ok_ = false;
        b = static_cast<std::uint8_t>(in_[pos_++]);
        return true;
    }
    bool Unsigned(std::uint64_t& v) {
        v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            std::uint8_t b = 0;
            if (!Byte(b)) return false;
            if (shift == 63 && b > 1) break;  // more than 64 bits
            v |= static_cast<std::uint64_t>(b & 0x7F) << shift;
            if (!(b & 0x80)) return true;
        }
        return ok_ = false;
    }
    bool Signed(std::int64_t& v) {
        std::uint64_t u = 0;
        if (!Unsigned(u)) return false;
        v = static_cast<std::int64_t>((u >> 1) ^ (~(u & 1) + 1));
        return true;
    }
    // A number read as unsigned or signed that must lie in [low, high].
    template <typename T>
    bool Unsigned(T& v, std::uint64_t high) {
        std::uint64_t u = 0;
        if (!Unsigned(u) || u > high) return ok_ = false;
        v = static_cast<T>(u);
        return true;
    }
    template <typename T>
    bool Signed(T& v, std::int64_t low, std::int64_t high) {
        std::int64_t s = 0;
        if (!Signed(s) || s < low || s > high) return ok_ = false;
        v = static_cast<T>(s);
        return true;
    }
    bool Double(double& d) {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) {
            std::uint8_t b = 0;
            if (!Byte(b)) return false;
            bits |= static_cast<std::uint64_t>(b) << (8 * i);
        }
        std::memcpy(&d, &bits, sizeof d);
        return true;
    }
    bool Text(std::string& text, std::size_t maxSize) {
        std::uint64_t size = 0;
        if (!Unsigned(size) || size > maxSize) return ok_ = false;
        if (size > left()) return ranOut_ = true, ok_ = false;
        text.assign(in_.substr(pos_, size));
        pos_ += size;
        return true;
    }

private:
    std::string_view in_;
    std::size_t pos_ = 0;
    bool ok_ = true;
    bool ranOut_ = false;
};

// CRC-32 as zip and PNG compute it (reflected polynomial 0xEDB88320).
inline std::uint32_t Crc32(std::string_view bytes) {
    static const auto table = [] {
        struct Table {
            std::uint32_t v[256];
        } t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t.v[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char ch : bytes) crc = table.v[(crc ^ static_cast<std::uint8_t>(ch)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

}  // namespace vexari
