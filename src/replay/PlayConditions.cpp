// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay/Replay.h"

namespace vexari {

PlayConditions CaptureConditions(const Game& game) {
    const Settings& s = game.settings();
    PlayConditions c;
    c.height = s.height;
    c.fallPeriod = s.fallPeriod;
    c.next = s.next;
    c.incLevel = s.incLevel;
    c.botLines = s.botLines;
    c.animate = s.animate;
    c.keys = s.keys;
    c.weights = s.weights;
    c.mode = game.mode();
    return c;
}

void ApplyConditions(const PlayConditions& c, Game& game) {
    Settings& s = game.settings();
    s.height = c.height;
    s.fallPeriod = c.fallPeriod;
    s.next = static_cast<std::int16_t>(c.next);
    s.incLevel = static_cast<std::int16_t>(c.incLevel);
    s.botLines = c.botLines;
    s.animate = c.animate;
    s.keys = c.keys;
    s.weights = c.weights;
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
