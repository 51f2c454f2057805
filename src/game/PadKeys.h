// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "settings/Settings.h"

namespace vexari {

// The controls of a gamepad the game listens to.
enum class PadControl : std::uint8_t { Left, Right, Up, Down, A, B, X, Y, LeftShoulder, RightShoulder, Start, Back, Count };

// A key going down or up as the pad presses it.
struct PadKey {
    KeyCode key = KeyCode::None;
    bool down = false;
    bool autoRepeat = false;

    friend bool operator==(const PadKey&, const PadKey&) = default;
};

// One gamepad as a keyboard: a control going down presses the key it stands
// for, going up releases it. Left and Right move, Up drops, Down is the
// accelerate key held; the buttons press the keys of their actions, Start
// is Enter and Back is Esc. The last direction held down repeats after the
// pad's delay at its rate, as a keyboard repeats the last key held; the
// others are pressed once and held. The d-pad and the left stick count as
// one: a direction is held while either holds it. Times are milliseconds
// of a clock that may wrap.
class PadKeys {
public:
    // A stick pushed this far (of 32767) along its stronger axis holds that
    // direction; it lets go again below kStickRelease.
    static constexpr int kStickPress = 16000;
    static constexpr int kStickRelease = 10000;

    explicit PadKeys(const Settings& settings) : settings_(settings) {}

    // A button or a d-pad direction went down or up.
    void Set(PadControl control, bool held, std::uint32_t now, std::vector<PadKey>& out);
    // The left stick's position; y grows downwards.
    void SetStick(int x, int y, std::uint32_t now, std::vector<PadKey>& out);
    // Hands out the repeats due by now.
    void Advance(std::uint32_t now, std::vector<PadKey>& out);
    // When the next repeat is due, if one is.
    std::optional<std::uint32_t> NextDeadline() const;
    // Lets go of everything (the pad is gone).
    void ReleaseAll(std::vector<PadKey>& out);

    // The key a control presses with the settings as they are now.
    KeyCode KeyOf(PadControl control) const;

private:
    static constexpr std::size_t kCount = static_cast<std::size_t>(PadControl::Count);
    enum Source : std::uint8_t { kButton = 1, kStick = 2 };

    void Hold(PadControl control, Source source, bool held, std::uint32_t now, std::vector<PadKey>& out);
    std::uint32_t RepeatDue(int repeats) const;

    const Settings& settings_;
    std::array<std::uint8_t, kCount> sources_{};  // which sources hold each control
    std::array<KeyCode, kCount> pressed_{};       // the key each held control pressed
    std::optional<PadControl> stick_;             // the direction the stick holds
    std::optional<PadControl> repeating_;
    std::uint32_t repeatSince_ = 0;
    int repeats_ = 0;
};

}  // namespace vexari
