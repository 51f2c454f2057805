// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QTimer>

#include <functional>
#include <string>

#include "game/Game.h"
#include "net/GameClient.h"
#include "netqt/QtClientTransport.h"
#include "net/RoomView.h"
#include "PrintingDisplay.h"
#include "settings/Settings.h"

namespace vexari::bot {

// A spectator without a window: joins with the network extension and prints
// the server's texts and one line per well change,
//   NAME (TEAM): R rows of H: ROW/ROW/...
// with the rows from the bottom, '.' for an empty cell and the colour digit.
class Watcher final : public PrintingDisplay, public RoomObserver {
public:
    // `onEnd` gets the exit status: 0 when the server closed or the rounds
    // are over, 1 when it cannot be watched.
    Watcher(std::string server, int port, std::string name, int rounds, const VersionQuad& version,
            std::function<void(int)> onEnd);
    ~Watcher() override;

    void Connect();

    // RoomObserver
    void RosterChanged(const std::vector<RoomMember>& members, bool roundRunning) override;
    void WellChanged(std::int32_t number, const WellRows& well) override;

private:
    void Finish(int status, const std::string& text);

    std::string server_;
    int port_;
    std::string name_;
    int rounds_;
    std::function<void(int)> onEnd_;
    Settings settings_;
    Game game_;  // never played: a spectator's client still belongs to a game
    GameClient client_;
    QtClientTransport transport_;
    QTimer welcomeTimer_;
    bool finished_ = false;
    bool roundRunning_ = false;
    int roundsSeen_ = 0;
};

}  // namespace vexari::bot
