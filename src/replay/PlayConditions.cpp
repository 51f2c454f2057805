// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay/Replay.h"

#include <type_traits>

namespace vexari {

namespace {

// Each setting the conditions carry, paired with the field of Settings it
// is taken from and put back into.
template <class S, class C, class Copy>
void EachCarriedSetting(S& settings, C& conditions, Copy copy) {
    copy(settings.height, conditions.height);
    copy(settings.fallPeriod, conditions.fallPeriod);
    copy(settings.next, conditions.next);
    copy(settings.incLevel, conditions.incLevel);
    copy(settings.botLines, conditions.botLines);
    copy(settings.animate, conditions.animate);
    copy(settings.keys, conditions.keys);
    copy(settings.weights, conditions.weights);
}

}  // namespace

PlayConditions CaptureConditions(const Game& game) {
    PlayConditions c;
    EachCarriedSetting(game.settings(), c, [](const auto& from, auto& to) { to = from; });
    c.mode = game.mode();
    return c;
}

void ApplyConditions(const PlayConditions& c, Game& game) {
    EachCarriedSetting(game.settings(), c, [](auto& to, const auto& from) {
        to = static_cast<std::remove_reference_t<decltype(to)>>(from);
    });
    game.RestoreMode(c.mode);
}

ReplayKind KindOf(const Replay& replay) {
    if (replay.start.mode.networkGame) return ReplayKind::Network;
    bool computer = replay.start.mode.computerPlays;
    for (const PlayConditions& c : replay.changes) computer = computer || c.mode.computerPlays;
    return computer ? ReplayKind::Demo : ReplayKind::Single;
}

const char* KindName(ReplayKind kind) {
    switch (kind) {
    case ReplayKind::Network:
        return "network";
    case ReplayKind::Demo:
        return "demo";
    case ReplayKind::Single:
        break;
    }
    return "single";
}

}  // namespace vexari
