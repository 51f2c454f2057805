// SPDX-License-Identifier: GPL-3.0-or-later
// Network reader: the first byte picks the direction (client to server or
// back) and how the rest is cut into arrivals. The bytes read message by
// message straight from the buffer give the same messages, in the same
// order and with the same end, as a message stream fed the arrivals; every
// message read writes back in the same form and reads again to the same.
#include <algorithm>
#include <map>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "net/Wire.h"
#include "net/WireExtension.h"

namespace {

using namespace vexari;

// Writes a message as its sender would, from the fields its kind has.
std::string Encode(const ClientMessage& m) {
    switch (m.kind) {
        case MSG_LANDED: return EncodeLanded(m.stackHeight, m.score, m.removed);
        case MSG_JOIN: return EncodeJoin(m.name, m.team, m.version);
        case MSG_TEXT: return EncodeText(m.text);
        case MSG_START: return EncodeStartRequest(m.fallPeriod);
        case MSG_OPTIONS: return EncodeOptions(m.options);
        default:
            if (IsFramedExtensionKind(m.kind)) return EncodeFramed(m.kind, m.payload);
            return EncodeKind(static_cast<MessageKind>(m.kind));
    }
}

std::string Encode(const ServerMessage& m) {
    switch (m.kind) {
        case MSG_REFUSE: return EncodeRefuse(m.text);
        case MSG_TEXT: return EncodeText(m.text);
        case MSG_TABLES: return EncodeTables(m.tables);
        case MSG_START: return EncodeStart(m.fallPeriod, m.seed);
        case MSG_PRESENT: return EncodePresent(m.rows);
        case MSG_OPTIONS: return EncodeOptions(m.options);
        default:
            if (IsFramedExtensionKind(m.kind)) return EncodeFramed(m.kind, m.payload);
            return EncodeKind(static_cast<MessageKind>(m.kind));
    }
}

// An extension payload that reads as a well, roster or subscription writes
// back to a payload that reads the same; a well read is always a plausible one.
void CheckExtension(std::int32_t kind, std::string_view payload) {
    const auto payloadOf = [](const std::string& message) { return message.substr(8); };
    if (const auto well = ParseReport(payload)) {
        FUZZ_CHECK(ParseReport(payloadOf(EncodeReport(*well))) == well, "a well changed in a write and read");
    }
    if (const auto roster = ParseRoster(payload)) {
        const std::string again = payloadOf(EncodeRoster(*roster));
        FUZZ_CHECK(ParseRoster(again).has_value(), "a roster does not read back");
    }
    if (const auto subscription = ParseSubscribe(payload)) {
        FUZZ_CHECK(ParseSubscribe(payloadOf(EncodeSubscribe(*subscription))) == subscription,
                   "a subscription changed in a write and read");
    }
    std::map<std::int32_t, WellRows> known;
    for (std::int32_t number = 0; number < 2; ++number) known[number] = WellRows{25, std::string(10, '\x11')};
    if (const auto well = ParseWell(kind, payload, known)) {
        FUZZ_CHECK(ValidWell(well->well), "an implausible well was read");
        for (const auto& [n, before] : known) {
            const std::string change = EncodeWellChange(well->number, before, well->well);
            std::map<std::int32_t, WellRows> one{{well->number, before}};
            const auto again = ParseWell(static_cast<std::int32_t>(static_cast<unsigned char>(change[0])),
                                         payloadOf(change), one);
            if (ValidWell(before)) FUZZ_CHECK(again && again->well == well->well, "a well change does not apply");
        }
    }
}

template <class Message, ReadStatus (*Read)(std::string_view, std::size_t&, Message&)>
void Check(std::uint8_t cut, std::string_view bytes) {
    // Straight from the buffer.
    std::vector<std::string> direct;
    ReadStatus end = ReadStatus::Incomplete;
    for (std::size_t at = 0; at < bytes.size();) {
        Message m;
        std::size_t used = 0;
        end = Read(bytes.substr(at), used, m);
        if (end == ReadStatus::Invalid) break;
        if (end == ReadStatus::Incomplete) {
            FUZZ_CHECK(used > bytes.size() - at, "incomplete with %zu of %zu bytes needed", bytes.size() - at, used);
            break;
        }
        FUZZ_CHECK(used > 0 && used <= bytes.size() - at, "a message of %zu bytes", used);
        at += used;
        direct.push_back(Encode(m));
        if (IsFramedExtensionKind(m.kind)) CheckExtension(m.kind, m.payload);
        end = ReadStatus::Incomplete;  // an empty rest waits for more
    }

    // Through a stream, arriving whole or in pieces of 1 to 16 bytes chosen by `cut`.
    MessageStream<Message, Read> stream;
    std::vector<std::string> streamed;
    ReadStatus last = ReadStatus::Incomplete;
    std::uint32_t state = cut;
    for (std::size_t at = 0; at < bytes.size() && last != ReadStatus::Invalid;) {
        state = state * 1103515245u + 12345u;
        const std::size_t piece = cut & 0x40 ? bytes.size() : 1 + (state >> 16) % 16;
        stream.Append(bytes.substr(at, piece));
        at += std::min(piece, bytes.size() - at);
        Message m;
        while ((last = stream.Next(m)) == ReadStatus::Complete) streamed.push_back(Encode(m));
    }
    FUZZ_CHECK(streamed == direct, "the stream read %zu messages, the buffer %zu", streamed.size(), direct.size());
    FUZZ_CHECK(last == end, "the stream ended %d, the buffer %d", static_cast<int>(last), static_cast<int>(end));

    // Each message writes back and reads again the same.
    for (const std::string& encoded : direct) {
        Message again;
        std::size_t used = 0;
        FUZZ_CHECK(Read(encoded, used, again) == ReadStatus::Complete && used == encoded.size(),
                   "a written message does not read back whole");
        FUZZ_CHECK(Encode(again) == encoded, "a message changed in a write and read");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t mode = data[0];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    if (mode & 1)
        Check<ServerMessage, ReadServerMessage>(mode >> 1, bytes);
    else
        Check<ClientMessage, ReadClientMessage>(mode >> 1, bytes);
    std::size_t used = 0;
    ReadJoinStart(bytes, used);
    return 0;
}
