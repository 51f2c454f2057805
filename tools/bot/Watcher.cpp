// SPDX-License-Identifier: GPL-3.0-or-later
#include "Watcher.h"

#include <QString>

#include <cstdio>

namespace vexari::bot {

Watcher::Watcher(std::string server, int port, std::string name, int rounds, const VersionQuad& version,
                 std::function<void(int)> onEnd)
    : server_(std::move(server)),
      port_(port),
      name_(std::move(name)),
      rounds_(rounds),
      onEnd_(std::move(onEnd)),
      game_(settings_),
      client_(game_, settings_, version) {
    client_.Room().SetObserver(this);
    transport_.onBytes = [this](std::string_view bytes) {
        if (!finished_ && !client_.Received(bytes)) Finish(1, "Invalid data from server");
    };
    QObject::connect(&transport_, &QtClientTransport::connected, [this] {
        client_.BeginWatching(transport_, this, name_);
        welcomeTimer_.start(GameClient::kWelcomeTimeoutMs);
    });
    QObject::connect(&transport_, &QtClientTransport::connectFailed,
                     [this] { Finish(1, "Error connecting to server"); });
    QObject::connect(&transport_, &QtClientTransport::closed, [this] {
        const GameClient::Ending ending = client_.Closed();
        Finish(ending.serverClosed ? 0 : 1, ending.text);
    });
    welcomeTimer_.setSingleShot(true);
    QObject::connect(&welcomeTimer_, &QTimer::timeout, [this] {
        if (client_.ExtensionVersion() == 0) Finish(1, "The server cannot be watched (it does not answer)");
    });
}

Watcher::~Watcher() {
    client_.End();
    transport_.Close();
}

void Watcher::Connect() { transport_.Connect(QString::fromStdString(server_), static_cast<std::uint16_t>(port_)); }

void Watcher::RosterChanged(const std::vector<RoomMember>&, bool roundRunning) {
    if (roundRunning_ && !roundRunning && rounds_ > 0 && ++roundsSeen_ >= rounds_) {
        roundRunning_ = roundRunning;
        Finish(0, {});
        return;
    }
    roundRunning_ = roundRunning;
}

void Watcher::WellChanged(std::int32_t number, const WellRows& well) {
    const RoomMember* member = client_.Room().Member(number);
    std::string line = member ? member->name + " (" + member->team + ")" : "#" + std::to_string(number);
    line += ": " + std::to_string(well.RowCount()) + " rows of " + std::to_string(well.height) + ":";
    for (int v = 0; v < well.RowCount(); ++v) {
        line += v == 0 ? ' ' : '/';
        for (int u = 0; u < Well::kColumns; ++u) {
            const int cell = well.Cell(u, v);
            line += cell == 0 ? '.' : static_cast<char>('0' + cell);
        }
    }
    Print(line + "\n");
}

void Watcher::Finish(int status, const std::string& text) {
    if (finished_) return;
    finished_ = true;
    welcomeTimer_.stop();
    client_.End();
    transport_.Close();
    if (status != 0 && !text.empty()) std::fprintf(stderr, "%s\n", text.c_str());
    onEnd_(status);
}

}  // namespace vexari::bot
