// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A game driven as the window drives it (ticks of kTickMs, the computer's paced
// key presses, keys held back while it presses them, the end-of-game
// pictures on time), with a player who presses keys at random, recorded.
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "../game/Fakes.h"
#include "ai/ComputerPlayer.h"
#include "game/GameRules.h"
#include "net/GameClient.h"
#include "net/Wire.h"
#include "replay/ReplayRecorder.h"

namespace vexari::test {

struct Script {
    const char* name;
    std::uint32_t seed = 1;  // of the random player
    int ticks = 4000;        // then the recording stops
    int height = 25, fallPeriod = 5, next = 1, botLines = 0, incLevel = 1, animate = 0;
    bool learn = false;
    int demoAt = -1, demoSpeed = 2;  // the Demo command at this tick
    int newGameAt = -1;              // New Game (F2) at this tick
    int pauseAt = -1;                // Esc, the next-figure hint switched, Enter
    int presentEvery = 0;            // a network game: a present every so many ticks
    const char* netName = "Ann";     // "CompN" lets the computer play the network game
};

struct FakeServer : ClientConnection {
    void Send(std::string_view) override {}
};

struct LiveSession : GameClock, KeyState {
    Settings settings;
    Game game{settings};
    ComputerPlayer computer{game};
    GameClient client{game, settings, VersionQuad{1, 0, 0, 5}};
    FakeServer server;
    std::vector<Replay> saved;
    ReplayRecorder recorder{game, [this](Replay&& r) { saved.push_back(std::move(r)); }, [] { return 1700000000; }};
    std::int64_t seconds = 4242;
    std::uint32_t ms = 0;
    bool accelerate = false;

    std::int64_t Seconds() override { return seconds; }
    std::uint32_t TickCount() override { return ms; }
    bool IsKeyDown(KeyCode key) override { return accelerate && key == settings.keys.accelerate; }
    bool Busy() const { return computer.Busy() || game.Animating(); }

    void Run(const Script& s) {
        std::tie(settings.height, settings.fallPeriod, settings.next, settings.botLines, settings.incLevel, settings.animate) =
            std::tuple(s.height, s.fallPeriod, s.next, s.botLines, s.incLevel, s.animate);
        settings.playerName = s.presentEvery ? s.netName : "Ann";
        const bool network = s.presentEvery > 0;
        game.SetHooks({.clock = this, .keys = this, .network = network ? &client : nullptr, .computer = &computer});
        GameRecord& r = GameAccess::Record(game);
        r.learnMode = s.learn;
        std::mt19937 random(s.seed);
        if (network) {
            game.EnterNetworkGame(TakeJoinEntries(settings, s.netName, "Red", "127.0.0.1", 7000));
            client.Begin(server, nullptr, false);
            client.Received(EncodeStart(s.fallPeriod, static_cast<std::int32_t>(s.seed)));
        } else {
            game.ResetGame();
        }
        for (int t = 1; t <= s.ticks; ++t) {
            ms += kTickMs;
            seconds = 4242 + t / kServerSecondTicks;
            if (t == s.demoAt) game.SwitchComputerOn(s.demoSpeed);
            if (t == s.newGameAt) Finish(), r.computerPlays = false, game.EndOfGameAnimation(AfterAnimation::StartNewGame);
            if (t == s.pauseAt) game.KeyDown(KeyCode::Escape, 1), settings.next ^= 1, game.KeyDown(KeyCode::Enter, 1);
            game.Tick();
            if (network && t % s.presentEvery == 0) client.Received(EncodePresent(1 + t % 3));
            for (int k = 0; k < 3; ++k) {  // a few waits fall due in one tick
                if (const auto d = computer.NextDeadline(); d && *d <= ms) computer.Advance(ms);
                if (const auto d = game.AnimationDeadline(); d && *d <= ms) game.AdvanceAnimation(ms);
            }
            if (network) client.ProcessPending();
            if (network && r.waitingForStart) break;  // out of the round
            if (!Busy()) Play(random, r);
        }
        recorder.Stop();
    }
    void Finish() {
        computer.Finish();
        game.FinishAnimation();
    }
    // What a hurried player does in one tick.
    void Play(std::mt19937& random, const GameRecord& r) {
        const KeyBindings& k = settings.keys;
        const KeyCode keys[] = {k.left, k.right, k.rotate, k.rotate2, k.drop};
        const unsigned roll = random() % 24;
        if (!r.running && r.waitingForStart) return game.KeyDown(KeyCode::Enter, 1);
        if (roll < 5) game.KeyDown(keys[roll], 1 + (roll < 2 && random() % 8 == 0));
        if (roll == 5) accelerate = !accelerate;
    }
};

}  // namespace vexari::test
