// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "net/Wire.h"
#include "net/WireExtension.h"

namespace vexari {

// A member of the room as a window shows it (texts in UTF-8).
struct RoomMember {
    std::int32_t number = 0;  // 0 for a spectator
    std::string name, team;
    MemberState state = MemberState::Waiting;
    friend bool operator==(const RoomMember&, const RoomMember&) = default;
};

// What a window hears of the room: the members whenever the roster changes,
// and each well that arrives (the member may be missing from the roster for
// a moment; its number is always there).
class RoomObserver {
public:
    virtual ~RoomObserver() = default;
    virtual void RosterChanged(const std::vector<RoomMember>& members, bool roundRunning) {
        (void)members, (void)roundRunning;
    }
    virtual void WellChanged(std::int32_t number, const WellRows& well) { (void)number, (void)well; }
};

// The others in the room as the extension shows them to a client: the
// roster and the latest well of every player it gets wells of.
class RoomView {
public:
    void SetObserver(RoomObserver* observer) { observer_ = observer; }
    void Clear();
    // An extension message from the server. A roster or well that cannot be
    // read changes nothing (the server is not trusted either).
    void Take(const ServerMessage& message);

    const std::vector<RoomMember>& Members() const { return members_; }
    bool RoundRunning() const { return roundRunning_; }
    const RoomMember* Member(std::int32_t number) const;
    const std::map<std::int32_t, WellRows>& Wells() const { return wells_; }

private:
    RoomObserver* observer_ = nullptr;
    std::vector<RoomMember> members_;
    bool roundRunning_ = false;
    std::map<std::int32_t, WellRows> wells_;
};

}  // namespace vexari
