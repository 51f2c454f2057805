// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/WireExtension.h"

#include "game/Well.h"
#include "net/WireReader.h"
#include "settings/Settings.h"

namespace vexari {

namespace {

using wire::WireReader;

constexpr int kColumns = 10;
// Longest name or team a roster carries: real players' are 19 bytes at most.
constexpr std::size_t kMaxRosterText = 255;

std::string_view Row(const WellRows& well, int fromBottom) {
    if (fromBottom >= well.RowCount()) return {};
    return std::string_view(well.rows).substr(static_cast<std::size_t>(fromBottom) * WellRows::kRowBytes,
                                              WellRows::kRowBytes);
}

bool RowEmpty(std::string_view row) { return row.find_first_not_of('\0') == std::string_view::npos; }

// Reads the fields every well shares: H, the row count and the rows.
void ReadRows(WireReader& r, WellRows& well) {
    r.Int(well.height);
    const std::int32_t count = r.Int();
    if (!r.Ok()) return;
    if (count < 0 || count > Well::kMaxHeight) return r.Fail();
    r.Raw(std::uint64_t(count) * WellRows::kRowBytes, well.rows);
}

void WriteRows(WireWriter& w, std::string& out, const WellRows& well) {
    w.Int(well.height).Int(well.RowCount());
    out += well.rows;
}

template <class T>
std::optional<T> Finished(const WireReader& r, T value) {
    return r.Ok() ? std::optional<T>(std::move(value)) : std::nullopt;
}

}  // namespace

int WellRows::Cell(int u, int fromBottom) const {
    const std::string_view row = Row(*this, fromBottom);
    if (row.empty()) return 0;
    const auto byte = static_cast<unsigned char>(row[static_cast<std::size_t>(u / 2)]);
    return u % 2 == 0 ? byte & 0x0F : byte >> 4;
}

void WellRows::SetCell(int u, int fromBottom, int value) {
    const std::size_t needed = static_cast<std::size_t>(fromBottom + 1) * kRowBytes;
    if (rows.size() < needed) rows.resize(needed, '\0');
    char& byte = rows[static_cast<std::size_t>(fromBottom) * kRowBytes + static_cast<std::size_t>(u / 2)];
    const unsigned shift = u % 2 == 0 ? 0 : 4;
    byte = static_cast<char>((static_cast<unsigned char>(byte) & ~(0x0Fu << shift)) | (unsigned(value) & 0x0F) << shift);
}

bool ValidWell(const WellRows& well) {
    if (well.height < kMinWellHeight || well.height > kMaxWellHeight) return false;
    if (well.rows.size() % WellRows::kRowBytes != 0 || well.RowCount() > well.height) return false;
    for (const char byte : well.rows) {
        const auto b = static_cast<unsigned char>(byte);
        if ((b & 0x0F) > WellRows::kMaxCell || (b >> 4) > WellRows::kMaxCell) return false;
    }
    return well.rows.empty() || !RowEmpty(Row(well, well.RowCount() - 1));
}

// --- Writing ------------------------------------------------------------------

std::string EncodeHello() {
    std::string out;
    WireWriter(out).Int(MSG_EXT_HELLO);
    return out;
}

std::string EncodeWelcome(std::int32_t version) {
    std::string payload;
    WireWriter(payload).Int(version);
    return EncodeFramed(MSG_EXT_WELCOME, payload);
}

std::string EncodeWatch(std::string_view name) {
    std::string payload;
    WireWriter(payload).Str(name);
    return EncodeFramed(MSG_EXT_WATCH, payload);
}

std::string EncodeSubscribe(const Subscription& subscription) {
    std::string payload;
    WireWriter w(payload);
    w.Int(subscription.all ? 1 : 0).Int(static_cast<std::int32_t>(subscription.numbers.size()));
    for (const std::int32_t number : subscription.numbers) w.Int(number);
    return EncodeFramed(MSG_EXT_SUBSCRIBE, payload);
}

std::string EncodeReport(const WellRows& well) {
    std::string payload;
    WireWriter w(payload);
    WriteRows(w, payload, well);
    return EncodeFramed(MSG_EXT_REPORT, payload);
}

std::string EncodeRoster(const Roster& roster) {
    std::string payload;
    WireWriter w(payload);
    w.Int(roster.roundRunning ? 1 : 0).Int(static_cast<std::int32_t>(roster.members.size()));
    for (const RosterEntry& m : roster.members)
        w.Int(m.number)
            .Str(std::string_view(m.name).substr(0, kMaxRosterText))
            .Str(std::string_view(m.team).substr(0, kMaxRosterText))
            .Int(static_cast<std::int32_t>(m.state));
    return EncodeFramed(MSG_EXT_ROSTER, payload);
}

std::string EncodeWell(std::int32_t number, const WellRows& well) {
    std::string payload;
    WireWriter w(payload);
    w.Int(number);
    WriteRows(w, payload, well);
    return EncodeFramed(MSG_EXT_WELL, payload);
}

std::string EncodeWellChange(std::int32_t number, const WellRows& before, const WellRows& after) {
    std::string whole = EncodeWell(number, after);
    if (before.height != after.height) return whole;
    std::string changed;
    std::int32_t count = 0;
    for (int i = 0; i < after.RowCount(); ++i) {
        const std::string_view row = Row(after, i);
        const std::string_view old = Row(before, i);
        if (row == old || (old.empty() && RowEmpty(row))) continue;
        changed += static_cast<char>(i);
        changed += row;
        ++count;
    }
    std::string payload;
    WireWriter(payload).Int(number).Int(after.height).Int(after.RowCount()).Int(count);
    payload += changed;
    std::string diff = EncodeFramed(MSG_EXT_WELL_DIFF, payload);
    return diff.size() < whole.size() ? diff : whole;
}

// --- Reading ------------------------------------------------------------------

std::optional<std::int32_t> ParseWelcome(std::string_view payload) {
    WireReader r(payload);
    const std::int32_t version = r.Int();
    return Finished(r, version);
}

std::optional<std::string> ParseWatch(std::string_view payload) {
    WireReader r(payload);
    std::string name;
    r.Str(name);
    return Finished(r, name);
}

std::optional<Subscription> ParseSubscribe(std::string_view payload) {
    WireReader r(payload);
    Subscription s;
    s.all = r.Int() != 0;
    const std::int32_t count = r.Int();
    if (!r.Ok() || count < 0 || std::size_t(count) > payload.size() / 4) return std::nullopt;
    s.numbers.resize(static_cast<std::size_t>(count));
    for (std::int32_t& number : s.numbers) r.Int(number);
    return Finished(r, s);
}

std::optional<WellRows> ParseReport(std::string_view payload) {
    WireReader r(payload);
    WellRows well;
    ReadRows(r, well);
    return Finished(r, well);
}

std::optional<Roster> ParseRoster(std::string_view payload) {
    WireReader r(payload);
    Roster roster;
    roster.roundRunning = r.Int() != 0;
    const std::int32_t count = r.Int();
    // Each entry takes at least 10 bytes: a count beyond that is a lie.
    if (!r.Ok() || count < 0 || std::size_t(count) > payload.size() / 10) return std::nullopt;
    for (std::int32_t i = 0; i < count && r.Ok(); ++i) {
        RosterEntry& m = roster.members.emplace_back();
        r.Int(m.number);
        r.Str(m.name);
        r.Str(m.team);
        const std::int32_t state = r.Int();
        if (state < 0 || state > static_cast<std::int32_t>(MemberState::Watching)) return std::nullopt;
        m.state = static_cast<MemberState>(state);
    }
    return Finished(r, roster);
}

std::optional<NumberedWell> ParseWell(std::int32_t kind, std::string_view payload,
                                      const std::map<std::int32_t, WellRows>& known) {
    WireReader r(payload);
    NumberedWell out;
    r.Int(out.number);
    if (kind == MSG_EXT_WELL) {
        ReadRows(r, out.well);
    } else {
        const auto it = known.find(out.number);
        if (it == known.end()) return std::nullopt;  // a difference from nothing
        out.well.height = r.Int();
        const std::int32_t rows = r.Int();
        const std::int32_t count = r.Int();
        if (!r.Ok() || rows < 0 || rows > Well::kMaxHeight || count < 0 || count > rows) return std::nullopt;
        out.well.rows = it->second.rows;
        out.well.rows.resize(std::size_t(rows) * WellRows::kRowBytes, '\0');
        std::string row;
        for (std::int32_t i = 0; i < count && r.Ok(); ++i) {
            const std::uint32_t at = r.U8();
            r.Raw(WellRows::kRowBytes, row);
            if (r.Ok() && at >= std::uint32_t(rows)) return std::nullopt;
            if (r.Ok()) out.well.rows.replace(at * WellRows::kRowBytes, WellRows::kRowBytes, row);
        }
    }
    if (!r.Ok() || !ValidWell(out.well)) return std::nullopt;
    return out;
}

}  // namespace vexari
