// SPDX-License-Identifier: GPL-3.0-or-later
#include "BotPlayer.h"

#include <QString>

namespace vexari::bot {

BotPlayer::BotPlayer(const PlayerConfig& config, const VersionQuad& version,
                     std::function<void(BotPlayer&, BotEvent, const std::string&)> onEvent)
    : PrintingDisplay(config.outputPrefix),
      config_(config),
      onEvent_(std::move(onEvent)),
      game_(settings_),
      computer_(game_),
      client_(game_, settings_, version) {
    settings_.animate = 0;  // the animation would hold the thread of every player
    settings_.weights = config_.weights;
    settings_.playerName = config_.name;
    settings_.team = config_.team.empty() ? config_.name : config_.team;
    settings_.server = config_.server;
    settings_.port = config_.port;

    game_.SetHooks({.clock = &clock_, .keys = &runner_, .network = &client_, .window = this, .computer = &computer_});
    runner_.SetOutputs({
        .wait = [this](int ms) { ms < 0 ? computerTimer_.stop() : computerTimer_.start(ms); },
        .idle = [this] { AfterMessages(); },
        .accelerator = {},
    });
    if (!config_.recordDir.empty()) {
        replays_ = std::make_unique<ReplayLibrary>(config_.recordDir);
        recorder_ = std::make_unique<ReplayRecorder>(game_, [this](Replay&& replay) {
            std::filesystem::path saved;
            const SaveResult result = replays_->Save(replay, &saved);
            Print(config_.outputPrefix + (result ? "recorded " + saved.string() : result.Message()) + "\n");
        });
    }
    game_.EnterNetworkGame(config_.speed);
    game_.ResetGame(true);  // waits for the server's start

    transport_.onBytes = [this](std::string_view bytes) { OnBytes(bytes); };
    QObject::connect(&transport_, &QtClientTransport::connected, [this] {
        client_.Begin(transport_, this, false);
        tickTimer_.start(kTickMs);
    });
    QObject::connect(&transport_, &QtClientTransport::connectFailed,
                     [this] { Finish(BotEvent::Failed, "Error connecting to server"); });
    QObject::connect(&transport_, &QtClientTransport::closed, [this] {
        // What came before the close is acted on first: the join's answer or
        // a refusal may still be held behind the computer's keys.
        computer_.Finish();
        const GameClient::Ending ending = client_.Closed();
        Finish(ending.serverClosed ? BotEvent::ServerClosed : BotEvent::Failed, ending.text);
    });

    QObject::connect(&tickTimer_, &QTimer::timeout, [this] { runner_.Tick(); });
    computerTimer_.setSingleShot(true);
    QObject::connect(&computerTimer_, &QTimer::timeout, [this] { runner_.Deadline(); });
}

BotPlayer::~BotPlayer() { Stop(); }

void BotPlayer::Connect() {
    transport_.Connect(QString::fromStdString(config_.server), static_cast<std::uint16_t>(config_.port));
}

void BotPlayer::Stop() {
    if (recorder_ && !finished_) recorder_->Stop();  // a game under way is kept as it stands
    finished_ = true;
    tickTimer_.stop();
    computerTimer_.stop();
    client_.End();
    transport_.Close();
}

void BotPlayer::PresentArrived(int rows) {
    Print(config_.name + " received a " + std::to_string(rows) + "-line present\n");
}

void BotPlayer::OnBytes(std::string_view bytes) {
    if (finished_) return;
    if (!client_.Received(bytes)) {
        Finish(BotEvent::Failed, "Invalid data from server");
        return;
    }
    runner_.Schedule();
}

void BotPlayer::AfterMessages() {
    if (finished_) return;
    // The server's messages wait while the computer presses its keys.
    if (!client_.ProcessPending()) {
        Finish(BotEvent::Failed, "Invalid data from server");
        return;
    }
    while (!finished_ && roundsSeen_ < client_.RoundsEnded()) {
        ++roundsSeen_;
        onEvent_(*this, BotEvent::RoundEnded, {});
    }
}

void BotPlayer::Finish(BotEvent event, const std::string& text) {
    if (finished_) return;
    Stop();
    onEvent_(*this, event, text);
}

}  // namespace vexari::bot
