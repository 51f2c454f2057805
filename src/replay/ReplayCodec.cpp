// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay/ReplayCodec.h"

#include <array>
#include <cmath>
#include <fstream>
#include <limits>
#include <system_error>

#include "replay/ByteCodec.h"

namespace vexari {
namespace {

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr std::int64_t kInt16Max = std::numeric_limits<std::int16_t>::max();
constexpr double kMaxWeight = 1e9;
constexpr std::uint8_t kDeltaInByte = 15;  // a larger tick step follows the kind byte

// ---- writing ----

void WriteConditions(ByteWriter& w, const PlayConditions& c) {
    for (const int v : {c.height, c.fallPeriod, c.next, c.incLevel, c.botLines, c.animate}) w.Signed(v);
    const KeyBindings& k = c.keys;
    for (const KeyCode key : {k.left, k.right, k.rotate, k.rotate2, k.drop, k.accelerate}) w.Signed(StoredKeyCode(key));
    int count = ComputerWeights::kCapacity;
    while (count > 0 && c.weights[count - 1] == 0) --count;
    w.Unsigned(static_cast<std::uint64_t>(count));
    for (int i = 0; i < count; ++i) w.Double(c.weights[i]);
    const GameMode& m = c.mode;
    w.Byte(static_cast<std::uint8_t>(m.computerPlays | m.learnMode << 1 | m.highScoreEligible << 2 |
                                     m.networkGame << 3));
    w.Unsigned(static_cast<std::uint64_t>(m.computerSpeed));
    w.Unsigned(m.networkSeed);
    w.Signed(m.networkFallPeriod);
}

void WriteEvent(ByteWriter& w, const ReplayEvent& e, std::uint32_t delta, const Replay& replay) {
    const auto kind = static_cast<std::uint8_t>(e.kind);
    w.Byte(static_cast<std::uint8_t>(kind | std::min<std::uint32_t>(delta, kDeltaInByte) << 4));
    if (delta >= kDeltaInByte) w.Unsigned(delta - kDeltaInByte);
    switch (e.kind) {
    case ReplayEventKind::KeyDown:
    case ReplayEventKind::PressKey:
        w.Unsigned(static_cast<std::uint64_t>(e.value) << 1 | (e.repeat != 1));
        if (e.repeat != 1) w.Unsigned(static_cast<std::uint64_t>(e.repeat));
        break;
    case ReplayEventKind::Present:
    case ReplayEventKind::Seconds:
        w.Signed(e.value);
        break;
    case ReplayEventKind::Reset:
        w.Byte(e.value != 0);
        break;
    case ReplayEventKind::Conditions:
        WriteConditions(w, replay.changes[static_cast<std::size_t>(e.value)]);
        break;
    default:
        break;
    }
}

void WriteField(ByteWriter& w, const Well& well, int height) {
    for (int v = 0; v < height; ++v)
        for (int u = 0; u < Well::kColumns; u += 2)
            w.Byte(static_cast<std::uint8_t>((well.at(u, v) & 0xF) | (well.at(u + 1, v) & 0xF) << 4));
}

// ---- reading ----

struct Reader {
    ByteReader in;
    std::string error;

    bool Fail(std::string message) {
        if (error.empty()) error = in.ranOut() ? "the file ends too early" : std::move(message);
        return false;
    }
    bool Truncated() { return Fail("the file ends too early"); }

    bool Conditions(PlayConditions& c) {
        in.Signed(c.height, kInt32Min, kInt32Max);
        in.Signed(c.fallPeriod, kInt32Min, kInt32Max);
        in.Signed(c.next, kInt16Min, kInt16Max);
        in.Signed(c.incLevel, kInt16Min, kInt16Max);
        in.Signed(c.botLines, kInt32Min, kInt32Max);
        in.Signed(c.animate, kInt32Min, kInt32Max);
        KeyBindings& k = c.keys;
        for (KeyCode* key : {&k.left, &k.right, &k.rotate, &k.rotate2, &k.drop, &k.accelerate}) {
            int code = 0;
            in.Signed(code, kInt32Min, kInt32Max);
            *key = KeyCodeFromStored(code);
        }
        int count = 0;
        in.Unsigned(count, ComputerWeights::kCapacity);
        c.weights.w.fill(0);
        for (int i = 0; i < count; ++i) {
            double& weight = c.weights[i];
            if (in.Double(weight) && !(std::isfinite(weight) && std::fabs(weight) <= kMaxWeight))
                return Fail("a computer weight is not a number the game uses");
        }
        GameMode& m = c.mode;
        std::uint8_t flags = 0;
        in.Byte(flags);
        in.Unsigned(m.computerSpeed, kMaxComputerSpeed);
        in.Unsigned(m.networkSeed, 0xFFFFFFFFu);
        in.Signed(m.networkFallPeriod, kInt32Min, kInt32Max);
        if (!in.ok()) return Fail("the game's settings are damaged");
        if (flags > 15) return Fail("the game's settings hold unknown switches");
        m.computerPlays = flags & 1;
        m.learnMode = flags & 2;
        m.highScoreEligible = flags & 4;
        m.networkGame = flags & 8;
        return true;
    }

    bool Event(Replay& r, std::uint32_t& tick) {
        std::uint8_t head = 0;
        if (!in.Byte(head)) return Truncated();
        const std::uint8_t kind = head & 0xF;
        std::uint64_t delta = head >> 4;
        if (delta == kDeltaInByte) {
            std::uint64_t more = 0;
            if (!in.Unsigned(more)) return Fail("a tick step is damaged");
            delta = more > kMaxReplayTicks ? std::uint64_t{kMaxReplayTicks} + 1 : delta + more;
        }
        if (kind >= static_cast<std::uint8_t>(ReplayEventKind::Count)) return Fail("an event of unknown kind");
        if (delta > r.claims.ticks - tick)
            return Fail("an event at tick " + std::to_string(tick + delta) + " lies past the end at tick " +
                        std::to_string(r.claims.ticks));
        tick += static_cast<std::uint32_t>(delta);
        ReplayEvent e;
        e.tick = tick;
        e.kind = static_cast<ReplayEventKind>(kind);
        switch (e.kind) {
        case ReplayEventKind::KeyDown:
        case ReplayEventKind::PressKey: {
            std::uint64_t key = 0;
            in.Unsigned(key, 0x1FFFF);
            e.value = static_cast<std::int64_t>(key >> 1);
            if (key & 1) in.Unsigned(e.repeat, kMaxReplayRepeat);
            break;
        }
        case ReplayEventKind::Present:
            in.Signed(e.value, kInt32Min, kInt32Max);
            break;
        case ReplayEventKind::Seconds:
            in.Signed(e.value, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max());
            break;
        case ReplayEventKind::Reset:
            in.Unsigned(e.value, 1);
            break;
        case ReplayEventKind::Conditions: {
            PlayConditions c;
            if (!Conditions(c)) return false;
            e.value = static_cast<std::int64_t>(r.changes.size());
            r.changes.push_back(c);
            break;
        }
        default:
            break;
        }
        if (!in.ok()) return Fail("event " + std::to_string(r.events.size() + 1) + " is damaged");
        // The order of play: the reset first and once; a reading only after an input.
        const bool first = r.events.empty();
        if (first != (e.kind == ReplayEventKind::Reset) || (first && tick != 0))
            return Fail("the recording does not begin with the game's reset");
        if (IsRead(e.kind) && delta == 0 && r.events.back().kind == ReplayEventKind::Conditions)
            return Fail("events out of order at tick " + std::to_string(tick));
        r.events.push_back(e);
        return true;
    }

    bool Landing(Replay& r, std::uint32_t& tick) {
        std::uint64_t delta = 0;
        std::uint8_t low = 0;
        std::uint8_t high = 0;
        if (!in.Unsigned(delta) || !in.Byte(low) || !in.Byte(high)) return Truncated();
        if (delta > r.claims.ticks - tick) return Fail("a landing lies past the end of the game");
        tick += static_cast<std::uint32_t>(delta);
        const int packed = low | high << 8;
        ReplayLanding l{tick, static_cast<std::int8_t>(packed & 7), static_cast<std::int8_t>((packed >> 3 & 15) - 3),
                        static_cast<std::int8_t>(packed >> 7 & 31), static_cast<std::int8_t>(packed >> 12 & 7)};
        if (l.figure >= kFigureCount || l.removed > 4 || packed >> 15) return Fail("a landing is damaged");
        r.landings.push_back(l);
        return true;
    }

    bool Claims(ReplayClaims& c) {
        std::uint8_t end = 0;
        in.Unsigned(end, 1);
        in.Unsigned(c.ticks, kMaxReplayTicks);
        in.Signed(c.score, kInt32Min, kInt32Max);
        in.Signed(c.lines, 0, kInt32Max);
        in.Unsigned(c.height, kMaxWellHeight);
        if (!in.ok()) return Fail("the game's result is damaged or out of range");
        if (c.height < kMinWellHeight) return Fail("the well's height is out of range");
        c.end = static_cast<ReplayEnd>(end);
        c.well.Reset(c.height);
        for (int v = 0; v < c.height; ++v)
            for (int u = 0; u < Well::kColumns; u += 2) {
                std::uint8_t b = 0;
                if (!in.Byte(b)) return Truncated();
                if ((b & 0xF) > 7 || b >> 4 > 7) return Fail("the final well holds an unknown cell");
                c.well.at(u, v) = b & 0xF;
                c.well.at(u + 1, v) = b >> 4;
            }
        return true;
    }

    bool Items(Replay& r, std::size_t minBytes, bool (Reader::*item)(Replay&, std::uint32_t&)) {
        std::uint64_t count = 0;
        if (!in.Unsigned(count)) return Truncated();
        if (count > in.left() / minBytes) return Fail("a count larger than the file can hold");
        std::uint32_t tick = 0;
        for (std::uint64_t i = 0; i < count; ++i)
            if (!(this->*item)(r, tick)) return false;
        return true;
    }
};

}  // namespace

std::string EncodeReplay(const Replay& r) {
    ByteWriter w;
    for (const char c : kReplayMagic) w.Byte(static_cast<std::uint8_t>(c));
    w.Byte(kReplayFormat);
    w.Text(r.program.substr(0, kMaxReplayText));
    w.Signed(r.recordedAt);
    w.Text(r.player.substr(0, kMaxReplayText));
    const ReplayClaims& c = r.claims;
    w.Byte(static_cast<std::uint8_t>(c.end));
    w.Unsigned(c.ticks);
    w.Signed(c.score);
    w.Signed(c.lines);
    w.Unsigned(static_cast<std::uint64_t>(c.height));
    WriteField(w, c.well, c.height);
    WriteConditions(w, r.start);
    w.Unsigned(r.landings.size());
    std::uint32_t tick = 0;
    for (const ReplayLanding& l : r.landings) {
        w.Unsigned(l.tick - tick);
        tick = l.tick;
        const int packed = (l.figure & 7) | ((l.x + 3) & 15) << 3 | (l.y & 31) << 7 | (l.removed & 7) << 12;
        w.Byte(static_cast<std::uint8_t>(packed));
        w.Byte(static_cast<std::uint8_t>(packed >> 8));
    }
    w.Unsigned(r.events.size());
    tick = 0;
    for (const ReplayEvent& e : r.events) {
        WriteEvent(w, e, e.tick - tick, r);
        tick = e.tick;
    }
    w.Fixed32(Crc32(w.bytes()));
    return std::move(w.bytes());
}

ReplayReadResult DecodeReplay(std::string_view bytes) {
    const auto fail = [](std::string message) { return ReplayReadResult{std::nullopt, std::move(message)}; };
    if (bytes.size() > kMaxReplayBytes) return fail("too large for a replay");
    if (bytes.size() < sizeof kReplayMagic + 5 || bytes.substr(0, 4) != std::string_view(kReplayMagic, 4))
        return fail("not a replay file");
    const auto format = static_cast<std::uint8_t>(bytes[4]);
    if (format != kReplayFormat)
        return fail("replay format " + std::to_string(format) + ", this program reads format " +
                    std::to_string(kReplayFormat));
    const std::string_view body = bytes.substr(0, bytes.size() - 4);
    ByteReader tail(bytes.substr(bytes.size() - 4));
    std::uint32_t stored = 0;
    for (int i = 0; i < 4; ++i) {
        std::uint8_t b = 0;
        tail.Byte(b);
        stored |= static_cast<std::uint32_t>(b) << (8 * i);
    }
    if (stored != Crc32(body)) return fail("damaged: the checksum does not match");

    Reader rd{ByteReader(body.substr(5)), {}};
    Replay r;
    rd.in.Text(r.program, kMaxReplayText);
    rd.in.Signed(r.recordedAt);
    rd.in.Text(r.player, kMaxReplayText);
    if (!rd.in.ok()) return fail(rd.in.ranOut() ? "the file ends too early" : "the header is damaged");
    if (!rd.Claims(r.claims) || !rd.Conditions(r.start) ||
        !rd.Items(r, 3, &Reader::Landing) || !rd.Items(r, 1, &Reader::Event))
        return fail(rd.error);
    if (r.events.empty()) return fail("the recording does not begin with the game's reset");
    if (rd.in.left() != 0) return fail("bytes after the end of the recording");
    return {std::move(r), {}};
}

ReplayReadResult ReadReplayFile(const std::filesystem::path& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return {std::nullopt, "cannot open: " + ec.message()};
    if (size > kMaxReplayBytes) return {std::nullopt, "too large for a replay"};
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        return {std::nullopt, "cannot read the file"};
    return DecodeReplay(bytes);
}

bool SameField(const Well& a, const Well& b, int height) {
    for (int v = 0; v < height; ++v)
        for (int u = 0; u < Well::kColumns; ++u)
            if (a.at(u, v) != b.at(u, v)) return false;
    return true;
}

}  // namespace vexari
