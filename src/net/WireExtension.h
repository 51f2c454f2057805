// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/Wire.h"

// The extension of the network game: the players' wells and spectators.
// docs/network-extension.md describes it for other implementations. A peer
// that follows only the base protocol reads a kind it does not know as the
// bare kind, so the one extension message either side may send unasked is
// the announcement, which has no fields; everything with fields goes only to
// a peer that announced (the server) or answered (the client).
namespace vexari {

enum ExtensionKind : std::int32_t {
    MSG_EXT_HELLO = kFirstExtensionKind,  // client to server, no fields: "I speak the extension"
    MSG_EXT_WELCOME = 201,                // server to client: int version
    MSG_EXT_WATCH = 202,                  // client to server: string name; join as a spectator
    MSG_EXT_SUBSCRIBE = 203,              // client to server: the wells it wants
    MSG_EXT_REPORT = 204,                 // client to server: its own well
    MSG_EXT_ROSTER = 205,                 // server to client: who is in the room
    MSG_EXT_WELL = 206,                   // server to client: one player's well, whole
    MSG_EXT_WELL_DIFF = 207,              // server to client: the rows of a well that changed
};

inline bool IsExtensionKind(std::int32_t kind) { return kind == MSG_EXT_HELLO || IsFramedExtensionKind(kind); }

// The version this program speaks; the server states its own in the welcome.
inline constexpr std::int32_t kExtensionVersion = 1;

// A well as it travels: its playing height H and its rows from the bottom up
// to the highest one holding a cell, each row 5 bytes of two cells (the
// even column in the low half), a cell 0 (empty) or a colour 1 to 7.
struct WellRows {
    static constexpr int kRowBytes = 5;
    static constexpr int kMaxCell = 7;
    std::int32_t height = 0;
    std::string rows;

    int RowCount() const { return static_cast<int>(rows.size()) / kRowBytes; }
    // Cell of column u (0..9) in row `fromBottom` (0 is the bottom row).
    int Cell(int u, int fromBottom) const;
    void SetCell(int u, int fromBottom, int value);
    friend bool operator==(const WellRows&, const WellRows&) = default;
};

// Whether a well could come from a real game: a height of the settings'
// range, no more rows than that, every cell a colour, and the top row not empty.
bool ValidWell(const WellRows& well);

// A member of the room as the roster lists it.
enum class MemberState : std::int32_t { Waiting = 0, Playing = 1, Out = 2, Watching = 3 };
struct RosterEntry {
    std::int32_t number = 0;  // the server's number for the connection, never reused
    std::string name, team;   // wire bytes
    MemberState state = MemberState::Waiting;
    friend bool operator==(const RosterEntry&, const RosterEntry&) = default;
};
struct Roster {
    bool roundRunning = false;
    std::vector<RosterEntry> members;
    friend bool operator==(const Roster&, const Roster&) = default;
};

// The wells a receiver wants: every player's, or those of the numbers listed.
struct Subscription {
    bool all = false;
    std::vector<std::int32_t> numbers;
    friend bool operator==(const Subscription&, const Subscription&) = default;
};

// Whole messages. A well change is the difference from `before` where that
// is shorter than the whole well.
std::string EncodeHello();
std::string EncodeWelcome(std::int32_t version);
std::string EncodeWatch(std::string_view name);
std::string EncodeSubscribe(const Subscription& subscription);
std::string EncodeReport(const WellRows& well);
std::string EncodeRoster(const Roster& roster);
std::string EncodeWell(std::int32_t number, const WellRows& well);
std::string EncodeWellChange(std::int32_t number, const WellRows& before, const WellRows& after);

// Payloads read back. Each gives nothing for a payload it cannot read;
// bytes after the fields it knows are left for later versions.
std::optional<std::int32_t> ParseWelcome(std::string_view payload);
std::optional<std::string> ParseWatch(std::string_view payload);
std::optional<Subscription> ParseSubscribe(std::string_view payload);
std::optional<WellRows> ParseReport(std::string_view payload);
std::optional<Roster> ParseRoster(std::string_view payload);
// MSG_EXT_WELL and MSG_EXT_WELL_DIFF: the player's number and its well, a
// difference applied to `known` (the wells received so far, by number).
struct NumberedWell {
    std::int32_t number = 0;
    WellRows well;
};
std::optional<NumberedWell> ParseWell(std::int32_t kind, std::string_view payload,
                                      const std::map<std::int32_t, WellRows>& known);

}  // namespace vexari
