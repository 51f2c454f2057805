// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's part in replays: saving every recorded game, the
// Replays and High Score dialogs, and starting and stopping the viewer.
#include <QTimer>
#include <cstdio>

#include "app/CMainFrame.h"
#include "app/GameDriver.h"
#include "app/GameView.h"
#include "app/ReplayViewer.h"
#include "app/SoundSystem.h"
#include "replay/ReplayCodec.h"
#include "replay/ReplayLibrary.h"
#include "settings/HighScoreTable.h"
#include "settings/SettingsFile.h"
#include "sound/SoundDirector.h"
#include "ui/HighScoreDialog.h"
#include "ui/ReplaysDialog.h"

namespace vexari {

void CMainFrame::KeyPressed(KeyCode key, bool autoRepeat) {
    if (!viewer_) return driver_->KeyPressed(key, autoRepeat);
    if (!viewer_->KeyPressed(key)) LeaveReplay();
}

void CMainFrame::SaveReplay(Replay&& replay) {
    ReplayLibrary library(ReplayLibrary::DefaultDir(), ResolveHighScorePath(settings_.highScore));
    std::filesystem::path saved;
    if (const SaveResult result = library.Save(replay, &saved); !result) {
        std::fprintf(stderr, "vexari: %s\n", result.Message().c_str());
        return;
    }
    lastReplay_ = saved;
    lastReplayScore_ = replay.claims.score;
}

bool CMainFrame::Watch(const std::filesystem::path& file) {
    LeaveReplay();
    if (game_.record().networkGame) {
        prompts_.Message(this, tr("Leave the network game to watch a replay."));
        return false;
    }
    ReplayReadResult read = ReadReplayFile(file);
    if (!read.replay) {
        prompts_.Message(this, tr("The replay %1 cannot be played:\n%2")
                                   .arg(QString::fromStdString(file.string()), QString::fromStdString(read.error)));
        return false;
    }
    PauseIfRunning();
    driver_->ReleaseAllKeys();
    viewer_ = std::make_unique<ReplayViewer>(std::move(*read.replay), *view_, settings_, *driver_);
    connect(viewer_.get(), &ReplayViewer::titleChanged, this, &QWidget::setWindowTitle);
    // At 1x the replay sounds as the game did; faster, only its rows and end.
    Game& replayed = viewer_->player().game();
    replaySounds_ = std::make_unique<SoundDirector>(sound_->Output(), settings_, replayed.record());
    replayed.AddListener(replaySounds_.get());
    connect(viewer_.get(), &ReplayViewer::playSpeedChanged, this, [this](int ticks) { replaySounds_->SetSpeed(ticks); });
    setWindowTitle(viewer_->Title());
    view_->setFocus();
    return true;
}

void CMainFrame::LeaveReplay() {
    if (!viewer_) return;
    viewer_.reset();
    replaySounds_.reset();
    setWindowTitle(QStringLiteral("Vexari"));
    view_->RepaintAll();
}

void CMainFrame::OpenReplays() {
    PauseIfRunning();
    if (const auto chosen = RunReplaysDialog(this, ReplayLibrary::DefaultDir(), ReplayViewer::KeysText(), prompts_))
        Watch(*chosen);
}

void CMainFrame::ShowHighScores(bool eligible, std::int32_t score) {
    // The entry a score makes links the replay of the game that made it.
    if (eligible && FindRank(ReadHighScores(ResolveHighScorePath(settings_.highScore)), score) >= 0)
        sounds_->TopTenPlace();
    HighScoreReplays replays{ReplayLibrary::DefaultDir(), {}};
    if (eligible && !lastReplay_.empty() && lastReplayScore_ == score) replays.newFile = lastReplay_.filename().string();
    const auto chosen =
        vexari::ShowHighScores(this, eligible, score, settings_.playerName, settings_.highScore, prompts_, replays);
    view_->RepaintAll();
    // At the end of a game the game still finishes its reset first.
    if (chosen) QTimer::singleShot(0, this, [this, file = *chosen] { Watch(file); });
}

}  // namespace vexari
