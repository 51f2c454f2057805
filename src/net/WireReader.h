// SPDX-License-Identifier: GPL-3.0-or-later
// The field reader behind every message reader of the wire (Wire.cpp and
// WireExtension.cpp); not for use outside src/net.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "net/Codepage.h"
#include "net/Wire.h"

namespace vexari::wire {

// Reads fields from the front of a byte range. The first field that cannot
// be read stops it: either its bytes have not all arrived (Incomplete, and
// `needed` says how many bytes the message needs at least), or the stream
// cannot be a real peer's (Invalid). Later reads then do nothing.
class WireReader {
public:
    explicit WireReader(std::string_view bytes) : bytes_(bytes) {}

    bool Ok() const { return status_ == ReadStatus::Complete; }
    std::size_t Position() const { return pos_; }

    // Sets `used` as the read functions promise and returns the status.
    ReadStatus Finish(std::size_t& used) const {
        used = status_ == ReadStatus::Complete ? pos_ : status_ == ReadStatus::Incomplete ? needed_ : 0;
        return status_;
    }

    void Fail() { Stop(ReadStatus::Invalid); }

    // True when `count` more bytes are buffered. A message that would grow
    // past the longest one a reader buffers is Invalid without waiting.
    bool Need(std::uint64_t count) {
        if (!Ok()) return false;
        if (count > kMaxWireMessage - pos_) return Stop(ReadStatus::Invalid);
        if (count > bytes_.size() - pos_) {
            needed_ = pos_ + static_cast<std::size_t>(count);
            return Stop(ReadStatus::Incomplete);
        }
        return true;
    }

    std::uint32_t U8() { return Need(1) ? Byte(pos_++) : 0; }

    std::uint32_t U16() {
        if (!Need(2)) return 0;
        const std::uint32_t v = Byte(pos_) | Byte(pos_ + 1) << 8;
        pos_ += 2;
        return v;
    }

    std::uint32_t U32() {
        if (!Need(4)) return 0;
        const std::uint32_t v = Byte(pos_) | Byte(pos_ + 1) << 8 | Byte(pos_ + 2) << 16 | Byte(pos_ + 3) << 24;
        pos_ += 4;
        return v;
    }

    std::int32_t Int() { return static_cast<std::int32_t>(U32()); }

    void Int(std::int32_t& out) { out = Int(); }

    void Str(std::string& out) {
        out.clear();
        std::uint32_t length = U8();
        if (length < 0xFF) return Bytes(length, out);
        length = U16();
        if (length == 0xFFFE) return Wide(out);
        if (length == 0xFFFF) length = U32();
        Bytes(length, out);
    }

    // `length` bytes as they are, for the payload of an extension message.
    void Raw(std::uint64_t length, std::string& out) {
        out.clear();
        if (!Need(length)) return;
        out.assign(bytes_.substr(pos_, static_cast<std::size_t>(length)));
        pos_ += static_cast<std::size_t>(length);
    }

    // True when every byte has been read.
    bool AtEnd() const { return pos_ == bytes_.size(); }

    void Options(NetOptions& o) {
        Int(o.playTill);
        Int(o.playerThrow);
        Int(o.playerWinScores);
        Int(o.teamThrow);
        Int(o.teamWinScores);
        Int(o.fallPeriod);
        Int(o.countdownSeconds);
        Int(o.height);
        Int(o.traceMessages);
    }

private:
    bool Stop(ReadStatus status) {
        if (Ok()) status_ = status;
        return false;
    }

    std::uint32_t Byte(std::size_t at) const { return static_cast<unsigned char>(bytes_[at]); }

    void Bytes(std::uint32_t length, std::string& out) {
        if (!Ok()) return;
        if (length > kMaxWireString) return Fail();
        if (!Need(length)) return;
        out.assign(bytes_.substr(pos_, length));
        pos_ += length;
    }

    // After the wide mark: a second length prefix counting UTF-16 units.
    // Here 0xFFFE is an ordinary 16-bit length.
    void Wide(std::string& out) {
        std::uint32_t length = U8();
        if (length == 0xFF) {
            length = U16();
            if (length == 0xFFFF) length = U32();
        }
        if (!Ok()) return;
        if (length > kMaxWireString / 2) return Fail();
        if (!Need(std::uint64_t{length} * 2)) return;
        std::u16string text(length, u'\0');
        for (std::uint32_t i = 0; i < length; ++i, pos_ += 2) {
            text[i] = static_cast<char16_t>(Byte(pos_) | Byte(pos_ + 1) << 8);
        }
        out = Utf16ToCp1252(text);
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
    std::size_t needed_ = 0;
    ReadStatus status_ = ReadStatus::Complete;
};

}  // namespace vexari::wire
