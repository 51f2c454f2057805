// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/RoomView.h"

#include "net/Codepage.h"

namespace vexari {

void RoomView::Clear() {
    members_.clear();
    wells_.clear();
    roundRunning_ = false;
}

const RoomMember* RoomView::Member(std::int32_t number) const {
    for (const RoomMember& m : members_)
        if (m.number == number && m.state != MemberState::Watching) return &m;
    return nullptr;
}

void RoomView::Take(const ServerMessage& message) {
    switch (message.kind) {
        case MSG_EXT_ROSTER: {
            const auto roster = ParseRoster(message.payload);
            if (!roster) return;
            members_.clear();
            for (const RosterEntry& e : roster->members)
                members_.push_back({e.number, Cp1252ToUtf8(e.name), Cp1252ToUtf8(e.team), e.state});
            roundRunning_ = roster->roundRunning;
            // Wells of those who left go with them.
            std::erase_if(wells_, [this](const auto& entry) { return Member(entry.first) == nullptr; });
            if (observer_) observer_->RosterChanged(members_, roundRunning_);
            break;
        }
        case MSG_EXT_WELL:
        case MSG_EXT_WELL_DIFF: {
            auto well = ParseWell(message.kind, message.payload, wells_);
            if (!well) return;
            WellRows& kept = wells_[well->number] = std::move(well->well);
            if (observer_) observer_->WellChanged(well->number, kept);
            break;
        }
        default: break;
    }
}

}  // namespace vexari
