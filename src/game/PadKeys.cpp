// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/PadKeys.h"

#include <cstdlib>

#include "game/Game.h"
#include "game/GameHooks.h"

namespace vexari {
namespace {

KeyCode KeyOfAction(const KeyBindings& keys, int action) {
    switch (action) {
    case kPadRotate: return keys.rotate;
    case kPadRotate2: return keys.rotate2;
    case kPadDrop: return keys.drop;
    case kPadAccelerate: return keys.accelerate;
    default: return KeyCode::None;
    }
}

bool Repeats(PadControl control) { return control == PadControl::Left || control == PadControl::Right; }

}  // namespace

KeyCode PadKeys::KeyOf(PadControl control) const {
    const KeyBindings& keys = settings_.keys;
    switch (control) {
    case PadControl::Left: return keys.left;
    case PadControl::Right: return keys.right;
    case PadControl::Up: return keys.drop;
    case PadControl::Down: return keys.accelerate;
    case PadControl::Start: return KeyCode::Enter;
    case PadControl::Back: return KeyCode::Escape;
    case PadControl::Count: return KeyCode::None;
    default: break;
    }
    const auto button = static_cast<std::size_t>(control) - static_cast<std::size_t>(PadControl::A);
    return KeyOfAction(keys, settings_.pad.buttons[button]);
}

void PadKeys::Set(PadControl control, bool held, std::uint32_t now, std::vector<PadKey>& out) {
    Hold(control, kButton, held, now, out);
}

void PadKeys::SetStick(int x, int y, std::uint32_t now, std::vector<PadKey>& out) {
    // The stronger axis decides; a direction held stays held until the
    // stick comes back past the release point, so a trembling stick near
    // the press point does not press again and again.
    std::optional<PadControl> direction;
    const bool horizontal = std::abs(x) >= std::abs(y);
    const int along = horizontal ? x : y;
    const PadControl pointed =
        horizontal ? (x < 0 ? PadControl::Left : PadControl::Right) : (y < 0 ? PadControl::Up : PadControl::Down);
    if (std::abs(along) >= kStickPress || (pointed == stick_ && std::abs(along) >= kStickRelease)) direction = pointed;
    if (direction == stick_) return;
    if (stick_) Hold(*stick_, kStick, false, now, out);
    stick_ = direction;
    if (stick_) Hold(*stick_, kStick, true, now, out);
}

void PadKeys::Hold(PadControl control, Source source, bool held, std::uint32_t now, std::vector<PadKey>& out) {
    const auto c = static_cast<std::size_t>(control);
    const bool wasHeld = sources_[c] != 0;
    sources_[c] = static_cast<std::uint8_t>(held ? sources_[c] | source : sources_[c] & ~source);
    const bool isHeld = sources_[c] != 0;
    if (wasHeld == isHeld) return;
    if (!isHeld) {
        if (pressed_[c] != KeyCode::None) out.push_back({pressed_[c], false, false});
        pressed_[c] = KeyCode::None;
        if (repeating_ == control) repeating_.reset();
        return;
    }
    pressed_[c] = KeyOf(control);
    if (pressed_[c] == KeyCode::None) return;  // a button without an action
    out.push_back({pressed_[c], true, false});
    if (Repeats(control)) {
        repeating_ = control;
        repeatSince_ = now;
        repeats_ = 0;
    } else if (repeating_ && control != PadControl::Down) {
        // Another key pressed ends the repeat, as on a keyboard; holding
        // Down to speed the fall leaves the sideways repeat going.
        repeating_.reset();
    }
}

std::uint32_t PadKeys::RepeatDue(int repeats) const {
    const auto delay = static_cast<std::uint32_t>(settings_.pad.delay);
    const auto rate = static_cast<std::uint32_t>(settings_.pad.rate > 0 ? settings_.pad.rate : 1);
    return repeatSince_ + delay + static_cast<std::uint32_t>(repeats) * 1000u / rate;
}

std::optional<std::uint32_t> PadKeys::NextDeadline() const {
    if (!repeating_) return std::nullopt;
    return RepeatDue(repeats_);
}

void PadKeys::Advance(std::uint32_t now, std::vector<PadKey>& out) {
    // A late call catches up, but with no more than a second's worth.
    for (int n = 0; repeating_ && TickReached(RepeatDue(repeats_), now); ++n, ++repeats_)
        if (n < settings_.pad.rate) out.push_back({pressed_[static_cast<std::size_t>(*repeating_)], true, true});
}

void PadKeys::ReleaseAll(std::vector<PadKey>& out) {
    stick_.reset();
    repeating_.reset();
    for (std::size_t c = 0; c < kCount; ++c) {
        if (sources_[c] != 0 && pressed_[c] != KeyCode::None) out.push_back({pressed_[c], false, false});
        sources_[c] = 0;
        pressed_[c] = KeyCode::None;
    }
}

}  // namespace vexari
