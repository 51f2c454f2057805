// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/Wire.h"

#include "net/WireReader.h"

namespace vexari {

// --- Writing ------------------------------------------------------------------

namespace {

void PutU8(std::string& out, std::uint32_t value) { out += static_cast<char>(value & 0xFF); }

void PutU16(std::string& out, std::uint32_t value) {
    PutU8(out, value);
    PutU8(out, value >> 8);
}

void PutU32(std::string& out, std::uint32_t value) {
    PutU16(out, value);
    PutU16(out, value >> 16);
}

}  // namespace

WireWriter& WireWriter::Int(std::int32_t value) {
    PutU32(out_, static_cast<std::uint32_t>(value));
    return *this;
}

WireWriter& WireWriter::Str(std::string_view bytes) {
    const std::size_t length = bytes.size();
    if (length < 0xFF) {
        PutU8(out_, static_cast<std::uint32_t>(length));
    } else if (length < 0xFFFE) {  // 0xFFFE marks the wide form, 0xFFFF the 32-bit length
        PutU8(out_, 0xFF);
        PutU16(out_, static_cast<std::uint32_t>(length));
    } else {
        PutU8(out_, 0xFF);
        PutU16(out_, 0xFFFF);
        PutU32(out_, static_cast<std::uint32_t>(length));
    }
    out_.append(bytes);
    return *this;
}

WireWriter& WireWriter::Options(const NetOptions& o) {
    return Int(o.playTill)
        .Int(o.playerThrow)
        .Int(o.playerWinScores)
        .Int(o.teamThrow)
        .Int(o.teamWinScores)
        .Int(o.fallPeriod)
        .Int(o.countdownSeconds)
        .Int(o.height)
        .Int(o.traceMessages);
}

std::string EncodeKind(MessageKind kind) {
    std::string out;
    WireWriter(out).Int(kind);
    return out;
}

std::string EncodeJoin(std::string_view name, std::string_view team, const VersionQuad& version) {
    std::string out;
    WireWriter w(out);
    w.Int(MSG_JOIN).Str(name).Str(team);
    for (std::int32_t part : version) w.Int(part);
    return out;
}

std::string EncodeLanded(std::int32_t stackHeight, std::int32_t score, std::int32_t removed) {
    std::string out;
    WireWriter(out).Int(MSG_LANDED).Int(stackHeight).Int(score).Int(removed);
    return out;
}

std::string EncodeRefuse(std::string_view text) {
    std::string out;
    WireWriter(out).Int(MSG_REFUSE).Str(text);
    return out;
}

std::string EncodeTables(const Tables& tables) {
    std::string out;
    WireWriter w(out);
    w.Int(MSG_TABLES).Int(static_cast<std::int32_t>(tables.players.size()));
    for (const PlayerRow& p : tables.players) w.Str(p.name).Str(p.team).Str(p.height).Int(p.roundScore).Int(p.total);
    w.Int(static_cast<std::int32_t>(tables.teams.size()));
    for (const TeamRow& t : tables.teams) w.Str(t.name).Str(t.members).Int(t.roundScore).Int(t.total);
    return out;
}

std::string EncodeText(std::string_view text) {
    std::string out;
    WireWriter(out).Int(MSG_TEXT).Str(text);
    return out;
}

std::string EncodeStartRequest(std::int32_t fallPeriod) {
    std::string out;
    WireWriter(out).Int(MSG_START).Int(fallPeriod);
    return out;
}

std::string EncodeStart(std::int32_t fallPeriod, std::int32_t seed) {
    std::string out;
    WireWriter(out).Int(MSG_START).Int(fallPeriod).Int(seed);
    return out;
}

std::string EncodePresent(std::int32_t rows) {
    std::string out;
    WireWriter(out).Int(MSG_PRESENT).Int(rows);
    return out;
}

std::string EncodeOptions(const NetOptions& options) {
    std::string out;
    WireWriter(out).Int(MSG_OPTIONS).Options(options);
    return out;
}

std::string EncodeFramed(std::int32_t kind, std::string_view payload) {
    std::string out;
    WireWriter(out).Int(kind).Int(static_cast<std::int32_t>(payload.size()));
    out.append(payload);
    return out;
}

// --- Reading ------------------------------------------------------------------

namespace {

using wire::WireReader;

// Smallest rows of a tables message: empty strings (one byte each) and two integers.
constexpr std::uint64_t kMinPlayerRow = 3 + 8;
constexpr std::uint64_t kMinTeamRow = 2 + 8;

// Reads the rows into `out`, or with none only checks and passes them.
void ReadTables(WireReader& r, Tables* out, std::int32_t& playerRows) {
    PlayerRow player;
    TeamRow team;
    const std::int32_t players = r.Int();
    if (!r.Ok()) return;
    if (players < 0) return r.Fail();
    playerRows = players;
    // Rows are added as their bytes arrive, never reserved from the count;
    // before each row the rest of the message is known to need at least its
    // smallest size, so a huge count waits (or fails) without re-reading rows.
    for (std::int32_t i = 0; i < players; ++i) {
        if (!r.Need(std::uint64_t(players - i) * kMinPlayerRow + 4)) return;
        PlayerRow& row = out ? out->players.emplace_back() : player;
        r.Str(row.name);
        r.Str(row.team);
        r.Str(row.height);
        r.Int(row.roundScore);
        r.Int(row.total);
    }
    const std::int32_t teams = r.Int();
    if (!r.Ok()) return;
    if (teams < 0) return r.Fail();
    for (std::int32_t i = 0; i < teams; ++i) {
        if (!r.Need(std::uint64_t(teams - i) * kMinTeamRow)) return;
        TeamRow& row = out ? out->teams.emplace_back() : team;
        r.Str(row.name);
        r.Str(row.members);
        r.Int(row.roundScore);
        r.Int(row.total);
    }
}

// The length and payload of an extension kind; a length beyond `limit` is a
// broken stream.
void ReadPayload(WireReader& r, std::size_t limit, std::string& out) {
    const std::int32_t length = r.Int();
    if (!r.Ok()) return;
    if (length < 0 || static_cast<std::size_t>(length) > limit) return r.Fail();
    r.Raw(static_cast<std::uint64_t>(length), out);
}

}  // namespace

ReadStatus ReadClientMessage(std::string_view bytes, std::size_t& used, ClientMessage& out) {
    out = ClientMessage{};
    WireReader r(bytes);
    r.Int(out.kind);
    if (!r.Ok()) return r.Finish(used);
    switch (out.kind) {
        case MSG_LANDED:
            r.Int(out.stackHeight);
            r.Int(out.score);
            r.Int(out.removed);
            break;
        case MSG_JOIN:
            r.Str(out.name);
            r.Str(out.team);
            for (std::int32_t& part : out.version) r.Int(part);
            break;
        case MSG_TEXT:
            r.Str(out.text);
            break;
        case MSG_START:
            r.Int(out.fallPeriod);
            break;
        case MSG_OPTIONS:
            r.Options(out.options);
            break;
        default:  // MSG_PAUSE, MSG_RESUME, MSG_FILLED, the announcement, and kinds a server ignores
            if (IsFramedExtensionKind(out.kind)) ReadPayload(r, kMaxClientPayload, out.payload);
            break;
    }
    return r.Finish(used);
}

ReadStatus ReadServerMessage(std::string_view bytes, std::size_t& used, ServerMessage& out) {
    out = ServerMessage{};
    WireReader r(bytes);
    r.Int(out.kind);
    if (!r.Ok()) return r.Finish(used);
    switch (out.kind) {
        case MSG_REFUSE:
        case MSG_TEXT:
            r.Str(out.text);
            break;
        case MSG_TABLES: {
            std::int32_t players = 0;
            ReadTables(r, &out.tables, players);
            break;
        }
        case MSG_START:
            r.Int(out.fallPeriod);
            r.Int(out.seed);
            break;
        case MSG_PRESENT:
            r.Int(out.rows);
            break;
        case MSG_OPTIONS:
            r.Options(out.options);
            break;
        default:  // MSG_PAUSE, MSG_RESUME, MSG_JOIN, MSG_FILLED, and kinds a client ignores
            if (IsFramedExtensionKind(out.kind)) ReadPayload(r, kMaxServerPayload, out.payload);
            break;
    }
    return r.Finish(used);
}

ReadStatus ReadTablesPlayerCount(std::string_view bytes, std::size_t& used, std::int32_t& players) {
    WireReader r(bytes);
    if (r.Int() != MSG_TABLES && r.Ok()) r.Fail();
    std::int32_t count = 0;
    ReadTables(r, nullptr, count);
    const ReadStatus status = r.Finish(used);
    if (status == ReadStatus::Complete) players = count;
    return status;
}

ReadStatus ReadJoinStart(std::string_view bytes, std::size_t& used) {
    WireReader r(bytes);
    std::string text;
    r.Int();
    r.Str(text);
    r.Str(text);
    return r.Finish(used);
}

// --- Streams ------------------------------------------------------------------

template <class Message, ReadStatus (*Read)(std::string_view, std::size_t&, Message&)>
void MessageStream<Message, Read>::Append(std::string_view bytes) {
    if (invalid_ || bytes.empty()) return;
    // Drop what was read once it is at least half the buffer, so the buffer
    // stays within about twice the unread bytes and the moves cost linear time.
    if (start_ == buffer_.size()) {
        if (buffer_.capacity() > kMaxWireString) std::string().swap(buffer_);
        buffer_.clear();
        start_ = 0;
    } else if (start_ > 0 && start_ >= buffer_.size() / 2) {
        buffer_.erase(0, start_);
        start_ = 0;
    }
    buffer_.append(bytes);
}

template <class Message, ReadStatus (*Read)(std::string_view, std::size_t&, Message&)>
ReadStatus MessageStream<Message, Read>::Next(Message& out) {
    if (invalid_) return ReadStatus::Invalid;
    // A message that stopped short needs this many bytes before it is worth reading again.
    if (Buffered() == 0 || Buffered() < needed_) return ReadStatus::Incomplete;
    std::size_t used = 0;
    const ReadStatus status = Read(std::string_view(buffer_).substr(start_), used, out);
    switch (status) {
        case ReadStatus::Complete:
            start_ += used;
            needed_ = 0;
            break;
        case ReadStatus::Incomplete:
            needed_ = used;
            break;
        case ReadStatus::Invalid:
            invalid_ = true;
            std::string().swap(buffer_);
            start_ = needed_ = 0;
            break;
    }
    return status;
}

template class MessageStream<ClientMessage, ReadClientMessage>;
template class MessageStream<ServerMessage, ReadServerMessage>;

}  // namespace vexari
