// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/ProgramVersion.h"
#include "settings/Settings.h"

// What travels between the copies of the game in a network game: 32-bit
// little-endian integers, length-prefixed 8-bit strings, and messages that
// are a kind followed by the fields of that kind, with no framing of their
// own. Strings are bytes of the Windows-1252 code page on the wire; the
// server relays them unchanged, the client converts at its edge (Codepage.h).
namespace vexari {

enum MessageKind : std::int32_t {
    MSG_PAUSE = 0,
    MSG_RESUME = 1,
    MSG_LANDED = 2,
    MSG_JOIN = 3,
    MSG_REFUSE = 4,
    MSG_TABLES = 5,
    MSG_TEXT = 6,
    MSG_START = 7,
    MSG_FILLED = 8,
    MSG_PRESENT = 9,
    MSG_OPTIONS = 10,
};

// Kinds of the extension (WireExtension.h): the announcement, kFirstExtensionKind,
// has no fields; every later kind up to kLastExtensionKind is followed by an
// integer length and that many bytes, its payload, so a peer that knows the
// extension skips a kind of it that it does not know.
inline constexpr std::int32_t kFirstExtensionKind = 200;
inline constexpr std::int32_t kLastExtensionKind = 299;
inline bool IsFramedExtensionKind(std::int32_t kind) {
    return kind > kFirstExtensionKind && kind <= kLastExtensionKind;
}

// The host's options, always sent together and in this order.
struct NetOptions {
    std::int32_t playTill = 20;         // MAX_SCORES
    std::int32_t playerThrow = 0;       // PLAYER_TO_THROW, a ThrowMode
    std::int32_t playerWinScores = 0;   // PLAYER_EXIT_SCORES
    std::int32_t teamThrow = 0;         // COMMAND_TO_THROW, a ThrowMode
    std::int32_t teamWinScores = 1;     // COMMAND_EXIT_SCORES
    std::int32_t fallPeriod = 5;        // LEVEL: the FallPeriod every player starts with
    std::int32_t countdownSeconds = 0;  // SEC_BEFORE_START
    std::int32_t height = 25;           // the configured well height H
    std::int32_t traceMessages = 1;     // TRACE_MESSAGES

    friend bool operator==(const NetOptions&, const NetOptions&) = default;
};

// One row of each list of MSG_TABLES. Texts are wire bytes.
struct PlayerRow {
    std::string name;
    std::string team;
    std::string height;  // decimal stack height, or "-"
    std::int32_t roundScore = 0;
    std::int32_t total = 0;
    friend bool operator==(const PlayerRow&, const PlayerRow&) = default;
};

struct TeamRow {
    std::string name;
    std::string members;  // "a/m", or "-/m"
    std::int32_t roundScore = 0;
    std::int32_t total = 0;
    friend bool operator==(const TeamRow&, const TeamRow&) = default;
};

struct Tables {
    std::vector<PlayerRow> players;
    std::vector<TeamRow> teams;
    friend bool operator==(const Tables&, const Tables&) = default;
};

// Longest string a reader accepts; a longer claim closes the connection
// before anything is allocated for it.
inline constexpr std::size_t kMaxWireString = std::size_t{1} << 20;
// Longest message a reader buffers (a tables message of many players is the
// largest a real peer sends).
inline constexpr std::size_t kMaxWireMessage = std::size_t{16} << 20;
// Longest payload of an extension message a server reads (a client reports a
// well and asks for wells: a few kilobytes at most); a client reads up to a
// whole message.
inline constexpr std::size_t kMaxClientPayload = std::size_t{64} << 10;
inline constexpr std::size_t kMaxServerPayload = kMaxWireMessage - 8;

// --- Writing ------------------------------------------------------------------

// Appends fields to a byte buffer.
class WireWriter {
public:
    explicit WireWriter(std::string& out) : out_(out) {}
    WireWriter& Int(std::int32_t value);
    WireWriter& Str(std::string_view bytes);  // shortest of the three length forms
    WireWriter& Options(const NetOptions& options);

private:
    std::string& out_;
};

// Whole messages, ready to send.
std::string EncodeKind(MessageKind kind);  // the kinds without fields
std::string EncodeJoin(std::string_view name, std::string_view team, const VersionQuad& version);
std::string EncodeLanded(std::int32_t stackHeight, std::int32_t score, std::int32_t removed);
std::string EncodeRefuse(std::string_view text);
std::string EncodeTables(const Tables& tables);
std::string EncodeText(std::string_view text);
std::string EncodeStartRequest(std::int32_t fallPeriod);              // client to server
std::string EncodeStart(std::int32_t fallPeriod, std::int32_t seed);  // server to client
std::string EncodePresent(std::int32_t rows);
std::string EncodeOptions(const NetOptions& options);
// An extension kind with its length and payload.
std::string EncodeFramed(std::int32_t kind, std::string_view payload);

// --- Reading ------------------------------------------------------------------

enum class ReadStatus {
    Complete,    // a whole message was read
    Incomplete,  // wait for more bytes
    Invalid,     // a hostile or broken stream: close the connection
};

// A message from a client, as the server reads it. Only the fields of
// `kind` are set; a kind the server does not handle is read as the bare kind.
struct ClientMessage {
    std::int32_t kind = -1;
    std::string name, team;  // MSG_JOIN
    VersionQuad version{};   // MSG_JOIN
    std::int32_t stackHeight = 0, score = 0, removed = 0;  // MSG_LANDED
    std::string text;                                      // MSG_TEXT
    std::int32_t fallPeriod = 0;                           // MSG_START
    NetOptions options;                                    // MSG_OPTIONS
    std::string payload;                                   // an extension kind with fields
};

// A message from the server, as a client reads it.
struct ServerMessage {
    std::int32_t kind = -1;
    std::string text;                         // MSG_REFUSE, MSG_TEXT
    Tables tables;                            // MSG_TABLES
    std::int32_t fallPeriod = 0, seed = 0;    // MSG_START
    std::int32_t rows = 0;                    // MSG_PRESENT
    NetOptions options;                       // MSG_OPTIONS
    std::string payload;                      // an extension kind with fields
};

// Reads one message from the front of `bytes`; on Complete `used` is the
// number of bytes it took, on Incomplete the number of bytes the message
// needs at least (more than bytes.size()).
ReadStatus ReadClientMessage(std::string_view bytes, std::size_t& used, ClientMessage& out);
ReadStatus ReadServerMessage(std::string_view bytes, std::size_t& used, ServerMessage& out);
// The start of a MSG_JOIN as far as a refused connection is read: one integer
// and two strings.
ReadStatus ReadJoinStart(std::string_view bytes, std::size_t& used);
// A MSG_TABLES read as ReadServerMessage reads it, of which only the number
// of player rows is kept (a load client with hundreds of connections would
// otherwise spend more time building tables than the server sends them).
ReadStatus ReadTablesPlayerCount(std::string_view bytes, std::size_t& used, std::int32_t& players);

// The bytes of one connection as they arrive, and the complete messages in
// them. Bytes are consumed only when a whole message has been read; a stream
// that turned Invalid stays Invalid.
template <class Message, ReadStatus (*Read)(std::string_view, std::size_t&, Message&)>
class MessageStream {
public:
    void Append(std::string_view bytes);
    // The next complete message, or Incomplete / Invalid.
    ReadStatus Next(Message& out);
    std::size_t Buffered() const { return buffer_.size() - start_; }

private:
    std::string buffer_;
    std::size_t start_ = 0;   // first unread byte
    std::size_t needed_ = 0;  // buffered bytes below this cannot complete the message
    bool invalid_ = false;
};

using ClientMessageStream = MessageStream<ClientMessage, ReadClientMessage>;
using ServerMessageStream = MessageStream<ServerMessage, ReadServerMessage>;

// Either side gives up on a peer that leaves more than this of its output
// unread: the peer has stopped reading, and waiting for it would stall the
// others.
inline constexpr std::int64_t kMaxUnsentBytes = std::int64_t{4} << 20;

}  // namespace vexari
