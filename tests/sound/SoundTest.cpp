// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "../game/Fakes.h"
#include "sound/Mixer.h"
#include "sound/SoundDirector.h"
#include "sound/Synth.h"

namespace vexari {
namespace {

using test::GameFixture;
constexpr KeyCode kLeft = KeyCode::Left, kRotate = KeyCode::Up, kDrop = KeyCode::Space;
constexpr int kLong = 1, kSquare = 4;

// The output as the tests hear it: every effect with its gain.
struct RecordingOutput : SoundOutput {
    std::vector<std::pair<Effect, float>> played;
    void Play(Effect effect, float gain) override { played.emplace_back(effect, gain); }
    std::vector<Effect> Effects() const {
        std::vector<Effect> e;
        for (const auto& p : played) e.push_back(p.first);
        return e;
    }
};

// A game with a director listening, as the window has it.
struct Heard : GameFixture {
    RecordingOutput out;
    SoundDirector director{out, settings, r()};
    Heard() { game.AddListener(&director); }
    // An empty well but for `rows` rows that a long figure upright in the
    // last column completes, and that figure dropped.
    void DropOnRows(int rows) {
        r().well.Reset(r().height);
        for (int v = 25 - rows; v < 25; ++v) SetRow(v, "#########.");
        r().stackTop = 25 - rows;
        SetFigure(kLong, 8, 0, 1);
        game.KeyDown(kDrop, 1);
    }
};

TEST(Director, EachEventOfAGameMakesItsSound) {
    Heard h;
    h.settings.soundClicks = 1;
    h.game.KeyDown(KeyCode::Enter, 1);
    h.SetFigure(kSquare, 3, 0);
    h.game.KeyDown(kLeft, 1);
    h.game.KeyDown(kRotate, 1);
    h.game.KeyDown(kDrop, 1);
    for (int i = 0; i < 30; ++i) h.game.Tick();  // the next figure falls until it lands
    EXPECT_EQ(h.out.Effects(), (std::vector{Effect::Start, Effect::Click, Effect::Click, Effect::Drop}));
    h.out.played.clear();
    for (int i = 0; i < 300 && h.out.played.empty(); ++i) h.game.Tick();
    EXPECT_EQ(h.out.Effects(), std::vector{Effect::Land});

    // One to four rows, each with its own sound after the drop's.
    for (int rows = 1; rows <= 4; ++rows) {
        h.out.played.clear();
        h.DropOnRows(rows);
        const Effect removed[] = {Effect::Rows1, Effect::Rows2, Effect::Rows3, Effect::Rows4};
        EXPECT_EQ(h.out.Effects(), (std::vector{Effect::Drop, removed[rows - 1]})) << rows;
    }
    h.out.played.clear();
    h.game.KeyDown(KeyCode::Escape, 1);
    h.game.KeyDown(KeyCode::Enter, 1);
    h.game.ReceivePresent(2);
    h.game.record().lines = 200;  // the next landing raises the level
    h.SetFigure(kSquare, 3, 0);
    h.game.KeyDown(kDrop, 1);
    EXPECT_EQ(h.out.Effects(),
              (std::vector{Effect::Pause, Effect::Resume, Effect::PresentArrived, Effect::LevelUp, Effect::Drop}));

    // The well fills: the end sounds, and the stop it makes is no pause.
    h.out.played.clear();
    for (int v = 2; v < 25; ++v) h.SetRow(v, ".#########");
    std::tie(h.r().stackTop, h.r().nextFigure) = std::tuple(2, kLong);
    h.SetFigure(kLong, 5, 0);
    h.game.KeyDown(kDrop, 1);
    EXPECT_EQ(h.out.Effects(), (std::vector{Effect::Drop, Effect::GameOver}));
}

TEST(Director, NetworkAndWindowEvents) {
    Heard h;
    h.r().networkGame = true;
    h.Start();
    for (const auto& [rows, sent] : {std::pair{1, false}, {2, true}, {4, true}}) {
        h.out.played.clear();
        h.DropOnRows(rows);
        EXPECT_EQ(h.out.played.back().first == Effect::PresentSent, sent) << rows;
    }
    h.out.played.clear();
    h.director.CountdownSecond();
    h.director.ChatArrived();
    h.director.RoundEnded();
    h.director.TopTenPlace();
    EXPECT_EQ(h.out.Effects(), (std::vector{Effect::Countdown, Effect::Chat, Effect::RoundEnd, Effect::TopTen}));
}

TEST(Director, SwitchesVolumeComputerAndReplaySpeed) {
    Heard h;
    h.Start();
    const auto heardAfterLanding = [&](int rows) {
        h.out.played.clear();
        h.DropOnRows(rows);
        h.game.KeyDown(kRotate, 1);  // a click, when clicks are on
        return h.out.Effects();
    };
    // Clicks are off by default.
    EXPECT_EQ(heardAfterLanding(1), (std::vector{Effect::Drop, Effect::Rows1}));
    h.settings.sound = 0;
    EXPECT_TRUE(heardAfterLanding(2).empty());
    h.director.CountdownSecond();
    EXPECT_TRUE(h.out.played.empty());
    h.settings.sound = 1;
    h.settings.soundVolume = 0;
    EXPECT_TRUE(heardAfterLanding(2).empty());

    // The volume is the gain of every effect, louder with the slider.
    for (const int volume : {30, 50, 100}) {
        h.settings.soundVolume = volume;
        heardAfterLanding(1);
        for (const auto& [effect, gain] : h.out.played) EXPECT_FLOAT_EQ(gain, SoundDirector::Gain(volume));
    }
    EXPECT_LT(SoundDirector::Gain(30), SoundDirector::Gain(50));
    EXPECT_FLOAT_EQ(SoundDirector::Gain(100), 1.0F);

    // The computer's game is silent; the session around it is not.
    h.r().computerPlays = true;
    EXPECT_TRUE(heardAfterLanding(3).empty());
    h.director.CountdownSecond();
    EXPECT_EQ(h.out.Effects(), std::vector{Effect::Countdown});
    h.r().computerPlays = false;

    // A fast replay keeps only the rows and the end.
    h.settings.soundClicks = 1;
    h.director.SetSpeed(4);
    EXPECT_EQ(heardAfterLanding(3), std::vector{Effect::Rows3});
    h.director.GameOver(0, 0);
    h.director.LevelChanged(3);
    EXPECT_EQ(h.out.played.back().first, Effect::GameOver);
    h.director.SetSpeed(1);
    EXPECT_EQ(heardAfterLanding(3), (std::vector{Effect::Drop, Effect::Rows3, Effect::Click}));
}

// The loudest sample and the sum of squares.
std::pair<float, double> Level(const Samples& s) {
    std::pair<float, double> l{0.0F, 0.0};
    for (const float v : s) l = {std::max(l.first, std::abs(v)), l.second + double{v} * v};
    return l;
}

TEST(Synth, EffectsAreReproducibleDistinctAndInRange) {
    const SoundBank bank(48000);
    for (int e = 0; e < kEffectCount; ++e) {
        const auto effect = static_cast<Effect>(e);
        EXPECT_EQ(Synthesize(effect, 48000), bank.Of(effect)) << e;
        EXPECT_GT(bank.Of(effect).size(), 48000u / 100) << e;
        EXPECT_GT(Level(bank.Of(effect)).first, 0.1F) << e;
        EXPECT_LE(Level(bank.Of(effect)).first, Level(bank.Of(Effect::PresentArrived)).first) << e;
    }
    // More rows sound longer and fuller; four is the most of all, and the
    // arriving present is the loudest effect.
    for (int rows = 2; rows <= 4; ++rows) {
        const Samples& less = bank.Of(RowsEffect(rows - 1));
        const Samples& more = bank.Of(RowsEffect(rows));
        EXPECT_GT(more.size(), less.size()) << rows;
        EXPECT_GT(Level(more).second, 1.2 * Level(less).second) << rows;
    }
}

TEST(Mixer, MixesWithoutClippingAndNeverWaits) {
    const SoundBank bank(48000);
    Mixer mixer(bank);
    std::vector<std::int16_t> block(2 * 480, 1);
    EXPECT_EQ(std::tuple(mixer.Mix(block.data(), 480), block), std::tuple(-1, std::vector<std::int16_t>(2 * 480)));

    // Every effect at once, full gain: louder than one, never over the ceiling.
    for (int e = 0; e < kEffectCount; ++e) mixer.Play(static_cast<Effect>(e), 1.0F, 1000 + e);
    EXPECT_EQ(mixer.Mix(block.data(), 480), 1000);
    int loudest = 0;
    for (int i = 0; i < 200; ++i) {
        mixer.Mix(block.data(), 480);
        for (const std::int16_t s : block) loudest = std::max(loudest, std::abs(int{s}));
    }
    EXPECT_GT(loudest, 0.8 * 32767);
    EXPECT_LE(loudest, std::lround(Mixer::kCeiling * 32767));
    EXPECT_TRUE(mixer.Quiet());

    // A full queue drops what comes on instead of waiting; a new start of
    // the same effect cuts the one that plays, so one voice is heard.
    // Stereo: both channels carry the same sample; the gain scales it.
    const auto mixed = [&](Effect effect, float gain, int times) {
        std::vector<std::int16_t> out(2 * 4800);
        mixer.Clear();
        for (int i = 0; i < times; ++i) mixer.Play(effect, gain, i);
        mixer.Mix(out.data(), 4800);
        return out;
    };
    EXPECT_EQ(mixed(Effect::Countdown, 0.5F, 1000), mixed(Effect::Countdown, 0.5F, 1));
    const auto loud = mixed(Effect::Rows4, 1.0F, 1), soft = mixed(Effect::Rows4, 0.25F, 1);
    for (std::size_t i = 0; i < loud.size(); i += 2) {
        EXPECT_EQ(loud[i], loud[i + 1]);
        EXPECT_NEAR(soft[i], loud[i] / 4.0, 1.0);
    }
}

}  // namespace
}  // namespace vexari
