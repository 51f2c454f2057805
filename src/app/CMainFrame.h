// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QMainWindow>
#include <filesystem>
#include <memory>
#include <vector>

#include "ai/ComputerPlayer.h"
#include "app/RunningCopy.h"
#include "game/Game.h"
#include "net/ServerAddress.h"
#include "replay/Replay.h"
#include "settings/Settings.h"
#include "ui/AboutDialog.h"
#include "ui/DialogCommon.h"
#include "ui/MatchDialog.h"
#include "render/PixelImage.h"
#include "ui/MenuActions.h"

class QAction;
class QMenu;

namespace vexari {

class GameDriver;
class Gamepads;
class GameView;
class NetworkSession;
class OthersWells;
class ReplayRecorder;
class ReplayViewer;
class SoundDirector;
class SoundSystem;
class WatchSession;
class WindowPlacer;

// The one main window: owns the settings, the game and the computer player,
// builds the menus, carries out their commands and saves on closing. The
// game view shows the game, the driver runs it in time, the network session
// ties it to a network game. Every game is recorded into the replay
// folder; a replay viewer shows one in the view while the game waits.
class CMainFrame : public QMainWindow, private WindowRequests {
    Q_OBJECT
public:
    explicit CMainFrame(const VersionQuad& version, Prompts& prompts = DefaultPrompts(), QWidget* parent = nullptr);
    ~CMainFrame() override;

    Game& game() { return game_; }
    Settings& settings() { return settings_; }
    ComputerPlayer& computer() { return computer_; }
    GameDriver& driver() { return *driver_; }
    NetworkSession& session() { return *session_; }
    Gamepads& gamepads() const { return *pads_; }

    // Carries out a menu, accelerator or label command.
    void RunAction(MenuAction action);

    // Plays a replay file in the window, or tells why it cannot; the game
    // pauses until the replay is left.
    bool Watch(const std::filesystem::path& file);
    void LeaveReplay();
    ReplayViewer* replayViewer() const { return viewer_.get(); }
    // The replay saved of the game that ended last (empty when none).
    const std::filesystem::path& lastReplay() const { return lastReplay_; }
    void ShowPopupMenu(const QPoint& globalPos);

    // Watches the network game at `server` under the settings' name: this
    // window hides with its game paused and comes back as it was once the
    // spectator leaves (CMainFrameWatch.cpp).
    void WatchNetworkGame(const ServerAddress& server);
    WatchSession* watchSession() const { return watch_.get(); }

    // The session ends (a termination signal): closing reports on stderr
    // instead of in message boxes.
    void SessionEnding() { sessionEnding_ = true; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // WindowRequests
    void ShowHighScores(bool eligible, std::int32_t score) override;
    void HideMessageWindow() override;
    void Minimize() override;
    void TakeFocus() override;

    void KeyPressed(KeyCode key, bool autoRepeat);
    void SaveReplay(Replay&& replay);
    void OpenReplays();
    void PlayAgainstComputer();
    void OpenWatchDialog();
    void StartWatching(const ServerAddress& server, const QString& name);
    void StopWatching(const QString& reason);
    void EndWatchingForClose();
    void BuildMenus();
    void LoadSettingsAndPlace();
    void ReloadBackground();
    void SkillCommand();
    void SoundCommand();
    // SOUND on or off, from the menu or its accelerator.
    void ToggleMute();
    void PauseIfRunning();
    // A pad went away: the player's game under way waits for them.
    void PadUnplugged();
    void OnFocusChanged(QWidget* old, QWidget* now);
    // Why the network game ended: told at once while the player was in this
    // game; otherwise the window asks for attention and tells it once the
    // player comes back, instead of taking the focus from another program.
    void TellWhenBack(const QString& reason, bool playerHere);
    // The window grows by `width` for the other players' wells (0: back).
    void WidenForWells(int width);

    VersionQuad version_;
    Prompts& prompts_;
    Settings settings_;
    // As read or last saved: at close only what changed since goes to the
    // file, so another copy of the game running meanwhile loses nothing.
    Settings savedSettings_;
    Game game_{settings_};
    ComputerPlayer computer_{game_};
    PixelImage background_;
    GameView* view_ = nullptr;
    OthersWells* wells_ = nullptr;
    std::unique_ptr<GameDriver> driver_;
    std::unique_ptr<NetworkSession> session_;
    std::unique_ptr<WatchSession> watch_;
    std::unique_ptr<ReplayRecorder> recorder_;
    std::unique_ptr<ReplayViewer> viewer_;
    // The sounds of the player's own game and session, and of a replay shown.
    std::unique_ptr<SoundSystem> sound_;
    std::unique_ptr<SoundDirector> sounds_;
    std::unique_ptr<SoundDirector> replaySounds_;
    QAction* muteAction_ = nullptr;
    std::filesystem::path lastReplay_;
    std::int32_t lastReplayScore_ = 0;
    WindowPlacer* placer_ = nullptr;
    std::unique_ptr<Gamepads> pads_;
    // Which copy of the game this is, for where the window opens.
    RunningCopy copy_;
    QAction* newGameAction_ = nullptr;
    QAction* replaysAction_ = nullptr;
    std::vector<QMenu*> menus_;
    QString untoldReason_;
    MatchPlan matchPlan_;  // the last match's choices
    bool sessionEnding_ = false;
    bool closing_ = false;
};

}  // namespace vexari
