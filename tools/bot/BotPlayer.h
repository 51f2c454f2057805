// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QElapsedTimer>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ai/ComputerPlayer.h"
#include "game/Game.h"
#include "game/GameHooks.h"
#include "game/GameRules.h"
#include "net/GameClient.h"
#include "netqt/QtClientTransport.h"
#include "net/Wire.h"
#include "replay/ReplayLibrary.h"
#include "replay/ReplayRecorder.h"
#include "settings/Settings.h"

namespace vexari::bot {

struct PlayerConfig {
    std::string name;
    std::string team;  // empty: the player's name
    std::string server;
    int port = 7000;
    int speed = 2;
    ComputerWeights weights = ComputerWeights::Defaults();
    std::string outputPrefix;  // put before every printed text
    std::string recordDir;     // where each game's replay goes; empty: none kept
};

// What a player reports to the program around it.
enum class BotEvent {
    RoundEnded,    // one more round is over
    ServerClosed,  // the server closed the connection after accepting the join
    Failed,        // refused, could not connect, or a broken stream (with the text)
};

// One computer player of a network game without a window: its own settings,
// game, computer player, game client and socket, run at the game's real pace
// by a timer of the game's ticks as the window would run them.
class BotPlayer final : public GameClock, public KeyState, public WindowRequests, public ClientDisplay {
public:
    // `onEvent` hears of every round that ended and of the end of the
    // connection, with the text to show for a failure.
    BotPlayer(const PlayerConfig& config, const VersionQuad& version,
              std::function<void(BotPlayer&, BotEvent, const std::string&)> onEvent);
    ~BotPlayer() override;
    BotPlayer(const BotPlayer&) = delete;
    BotPlayer& operator=(const BotPlayer&) = delete;

    void Connect();
    // Leaves without telling anyone.
    void Stop();

    const std::string& Name() const { return config_.name; }
    int RoundsEnded() const { return client_.RoundsEnded(); }

    // GameClock
    std::int64_t Seconds() override;
    std::uint32_t TickCount() override;
    // KeyState: nobody is at the keyboard.
    bool IsKeyDown(KeyCode) override { return false; }
    // WindowRequests: there is no window.
    void ShowHighScores(bool, std::int32_t) override {}
    void HideMessageWindow() override {}
    void Minimize() override {}
    void TakeFocus() override {}
    // ClientDisplay: texts go to stdout.
    void ShowTables(const Tables&) override {}
    void AppendText(const std::string& text) override;
    void ShowMessage(const std::string&) override {}
    void SetStartEnabled(bool) override {}
    void CannotPlayAlone() override {}
    void JoinAccepted() override { joined_ = true; }
    void PresentArrived(int rows) override;

private:
    void OnBytes(std::string_view bytes);
    void OnTick();
    void OnComputerDeadline();
    // Sets the computer's timer, and once its keys are pressed acts on the
    // server's held messages.
    void ScheduleComputer();
    void AfterMessages();
    void Finish(BotEvent event, const std::string& text);
    void Print(const std::string& line);

    PlayerConfig config_;
    std::function<void(BotPlayer&, BotEvent, const std::string&)> onEvent_;
    Settings settings_;
    Game game_;
    ComputerPlayer computer_;
    GameClient client_;
    QtClientTransport transport_;
    QTimer tickTimer_;
    QTimer computerTimer_;
    QElapsedTimer clock_;
    bool joined_ = false;
    bool finished_ = false;
    int roundsSeen_ = 0;
    std::unique_ptr<ReplayLibrary> replays_;
    std::unique_ptr<ReplayRecorder> recorder_;
};

}  // namespace vexari::bot
