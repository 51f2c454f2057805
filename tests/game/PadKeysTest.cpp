// SPDX-License-Identifier: GPL-3.0-or-later
// A gamepad's controls as key presses: which keys, when they repeat, and
// the stick and the d-pad holding one direction together.
#include <gtest/gtest.h>

#include "game/PadKeys.h"

using namespace vexari;

namespace {

// A key going down or up, by its stored code.
struct Press {
    int code = 0;
    bool down = false;
    bool autoRepeat = false;
    friend bool operator==(const Press&, const Press&) = default;
};
using Keys = std::vector<Press>;

struct Pad {
    Settings settings;
    PadKeys keys{settings};
    std::vector<PadKey> out;
    Keys Take(auto f) {
        f();
        Keys taken;
        for (const PadKey& k : std::exchange(out, {})) taken.push_back({StoredKeyCode(k.key), k.down, k.autoRepeat});
        return taken;
    }
    Keys Set(PadControl c, bool held, std::uint32_t now) { return Take([&] { keys.Set(c, held, now, out); }); }
    Keys Stick(int x, int y) { return Take([&] { keys.SetStick(x, y, 0, out); }); }
    Keys At(std::uint32_t now) { return Take([&] { keys.Advance(now, out); }); }
};

}  // namespace

TEST(PadKeys, ControlsPressTheirKeysAndASidewaysHoldRepeatsAfterTheDelayAtTheRate) {
    Pad pad;
    pad.settings.keys.left = KeyCode::A;
    std::tie(pad.settings.pad.delay, pad.settings.pad.rate) = std::tuple(200, 20);  // then every 50 ms
    pad.settings.pad.buttons[PadSettings::kX] = kPadNone;
    const std::uint32_t t = 0xFFFFFF90;  // the clock wraps between the press and the first repeat
    EXPECT_EQ(pad.Set(PadControl::Left, true, t), Keys({{'A', true, false}}));
    EXPECT_EQ(pad.keys.NextDeadline(), t + 200);
    EXPECT_TRUE(pad.At(t + 100).empty() && pad.At(t + 199).empty());
    EXPECT_EQ(pad.At(t + 250), Keys({{'A', true, true}, {'A', true, true}}));
    // Down held to speed the fall lets the sideways repeat go on; a turn ends it,
    // as a key does.
    EXPECT_EQ(pad.Set(PadControl::Down, true, t + 260), Keys({{40, true, false}}));
    EXPECT_EQ(pad.At(t + 300), Keys({{'A', true, true}}));
    EXPECT_EQ(pad.Set(PadControl::A, true, t + 310), Keys({{38, true, false}}));
    EXPECT_TRUE(pad.At(t + 1000).empty() && !pad.keys.NextDeadline());
    EXPECT_EQ(pad.Set(PadControl::Left, false, t + 1000), Keys({{'A', false, false}}));
    // A late timer catches up with no more than a second's worth.
    pad.Set(PadControl::Right, true, 0);
    EXPECT_EQ(pad.At(5000).size(), 20u);
    EXPECT_EQ(pad.At(5050).size(), 1u);

    // Each control's key, after a settings change too; a button without an action
    // presses nothing.
    pad.settings.pad.buttons[PadSettings::kB] = kPadDrop;
    const std::pair<PadControl, int> controls[] = {{PadControl::B, 32},
                                                   {PadControl::X, 0},
                                                   {PadControl::Y, 32},
                                                   {PadControl::LeftShoulder, 12},
                                                   {PadControl::RightShoulder, 38},
                                                   {PadControl::Up, 32},
                                                   {PadControl::Start, 13},
                                                   {PadControl::Back, 27}};
    for (const auto& [control, key] : controls) {
        const auto press = pad.Set(control, true, 0), release = pad.Set(control, false, 0);
        EXPECT_EQ(std::tuple(press.empty(), release.empty()), std::tuple(key == 0, key == 0)) << int(control);
        if (key) {
            EXPECT_EQ(std::tuple(press[0], release[0]), std::tuple(Press{key, true}, Press{key, false}));
        }
    }
    // Letting go of everything releases what is held, once.
    EXPECT_EQ(pad.Take([&] { pad.keys.ReleaseAll(pad.out); }), Keys({{39, false}, {40, false}, {38, false}}));
    EXPECT_TRUE(pad.Take([&] { pad.keys.ReleaseAll(pad.out); }).empty() && !pad.keys.NextDeadline());
}

TEST(PadKeys, TheStickHoldsItsStrongerDirectionTogetherWithTheDpad) {
    Pad pad;
    EXPECT_EQ(pad.Stick(-20000, 5000), Keys({{37, true}}));
    EXPECT_TRUE(pad.Set(PadControl::Left, true, 0).empty());  // the d-pad holds it too
    EXPECT_TRUE(pad.Stick(0, 0).empty());
    EXPECT_EQ(pad.Set(PadControl::Left, false, 0), Keys({{37, false}}));
    // Pressed from half way, let go below a third: a trembling stick does not
    // press again.
    EXPECT_TRUE(pad.Stick(15000, 0).empty());
    EXPECT_EQ(pad.Stick(16000, 0), Keys({{39, true}}));
    EXPECT_TRUE(pad.Stick(10000, 0).empty());
    EXPECT_EQ(pad.Stick(9999, 0), Keys({{39, false}}));
    // Up drops, down accelerates; the stronger axis wins.
    EXPECT_EQ(pad.Stick(17000, -20000), Keys({{32, true}}));
    EXPECT_EQ(pad.Stick(20000, 17000), Keys({{32, false}, {39, true}}));
    EXPECT_EQ(pad.Stick(100, 32767), Keys({{39, false}, {40, true}}));
}
