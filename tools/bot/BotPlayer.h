// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ai/ComputerPlayer.h"
#include "game/Game.h"
#include "game/GameHooks.h"
#include "game/GameRules.h"
#include "game/GameRunner.h"
#include "net/GameClient.h"
#include "netqt/QtClientTransport.h"
#include "PrintingDisplay.h"
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
// by a game runner on timers of the event loop, as the window runs its game.
class BotPlayer final : public WindowRequests, public PrintingDisplay {
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

    // WindowRequests: there is no window.
    void ShowHighScores(bool, std::int32_t) override {}
    void HideMessageWindow() override {}
    void Minimize() override {}
    void TakeFocus() override {}
    // ClientDisplay: texts go to stdout, and a line for every present.
    void PresentArrived(int rows) override;

private:
    void OnBytes(std::string_view bytes);
    // Once the computer's keys are pressed: acts on the server's held messages.
    void AfterMessages();
    void Finish(BotEvent event, const std::string& text);

    PlayerConfig config_;
    std::function<void(BotPlayer&, BotEvent, const std::string&)> onEvent_;
    Settings settings_;
    Game game_;
    ComputerPlayer computer_;
    GameClient client_;
    SystemClock clock_;
    GameRunner runner_{game_, clock_};  // nobody is at the keyboard: no key is held
    QtClientTransport transport_;
    QTimer tickTimer_;
    QTimer computerTimer_;
    bool finished_ = false;
    int roundsSeen_ = 0;
    std::unique_ptr<ReplayLibrary> replays_;
    std::unique_ptr<ReplayRecorder> recorder_;
};

}  // namespace vexari::bot
