#pragma once
#include <QElapsedTimer>
#include <QEvent>
#include <QMainWindow>
#include <QRegion>
#include <QTimer>
#include <memory>
#include <set>
#include <vector>

#include "ai/ComputerPlayer.h"
#include "app/GameScreen.h"
#include "app/WindowPlace.h"
#include "game/Game.h"
#include "net/GameClient.h"
#include "net/GameServer.h"
#include "net/QtTransport.h"
#include "settings/Settings.h"
#include "ui/AboutDialog.h"
#include "ui/DialogCommon.h"
#include "ui/PixelImage.h"
#include "ui/StatusPictures.h"

class QAction;
class QMenu;

namespace vexari {

class AnimatedBitmapButton;
class CMainFrame;
class LabelButton;
class MessageWindow;
class NetworkGameWindow;
class TiledPictureControl;

// The client area: shows the frame's screen image and takes the keys.
class GameCanvas : public QWidget {
    Q_OBJECT
public:
    explicit GameCanvas(CMainFrame& frame);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    CMainFrame& frame_;
};

// The one main window: owns the game, the settings and the computer player,
// routes the timer, keys, menu commands and focus into the game and shows it.
class CMainFrame : public QMainWindow,
                   private ScreenShell,
                   private GameShell,
                   private KeyState,
                   private GameClock {
    Q_OBJECT
public:
    static constexpr int kTimerMs = 55;
    static constexpr int kTicksPerServerCall = 18;

    explicit CMainFrame(const ProgramVersion& version, Prompts& prompts = DefaultPrompts(), QWidget* parent = nullptr);
    ~CMainFrame() override;

    Game& game() { return game_; }
    Settings& settings() { return settings_; }
    ComputerPlayer& computer() { return computer_; }
    GameServer& server() { return server_; }
    GameClient& client() { return client_; }
    QtServerTransport& serverTransport() { return serverTransport_; }
    NetworkGameWindow* networkWindow() const { return netWindow_; }
    GameScreen& gameScreen() { return screen_; }
    GameCanvas* canvas() const { return canvas_; }
    MessageWindow* messageWindow() const { return messageWindow_; }
    LabelButton* nextLabel() const { return nextLabel_; }
    AnimatedBitmapButton* statusLine() const { return statusLine_; }
    TiledPictureControl* indicatorPicture() const { return picture_; }
    QAction* newGameAction() const { return newGameAction_; }
    const std::vector<QMenu*>& menus() const { return menus_; }
    QTimer& gameTimer() { return timer_; }

    // Carries out a menu, accelerator or label command.
    void Command(int id);
    // One tick of the game timer.
    void OnGameTimer();
    // A key was pressed or released in the client area (Windows virtual-key
    // code); an auto-repeated press does not change what is held.
    void KeyPressed(int virtualKey, bool autoRepeat);
    void KeyReleased(int virtualKey);
    // A key press as the game and the accelerators take it.
    void KeyDown(int virtualKey, int repeatCount);
    // Lays the client area out for its new size.
    void LayOut(int clientW, int clientH);
    void ShowPopupMenu(const QPoint& globalPos);

    // The parts of the screen image changed since the last paint.
    void PaintCanvas(QPainter& painter, const QRect& rect);

    // The session ends (a termination signal): closing reports on stderr
    // instead of in message boxes.
    void SessionEnding() { sessionEnding_ = true; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ScreenShell
    int TextWidth(const std::string& text) override;
    void DrawText(PixelImage& surface, int x, int y, const std::string& text) override;
    void SetIndicatorPicture(int index) override;
    void UpdateStatusLine() override;
    void HeightChanged() override;
    void Invalidate(const Rect& rect) override;
    // GameShell
    void ShowHighScores(bool eligible, std::int32_t score) override;
    void HideMessageWindow() override;
    void Minimize() override;
    void TakeFocus() override;
    // KeyState
    bool IsKeyDown(int virtualKey) override;
    // GameClock
    std::int64_t Seconds() override;
    std::uint32_t TickCount() override;
    void WaitSince(std::uint32_t start, std::uint32_t ms) override;

    void BuildMenus();
    void CreateLabels();
    void MoveLabels();
    void LoadSettingsAndPlace();
    // Places the window at the saved place as CheckWindowPlace corrects it.
    void PlaceWindow();
    // Places the window again once the window manager's frame is known.
    void PlaceOnceFramed();
    FrameMargins CurrentFrameMargins() const;
    void ReloadBackground();
    void StoreWindowRect();
    void NewGame();
    void LeaveNetworkGame();
    // Create (hosting) and Join network game.
    void NetworkCommand(bool host);
    void ConnectToServer(bool isHost);
    void OnConnected();
    void OnServerClosed();
    void DisconnectClient();
    // Server messages held while the computer pressed its keys.
    void ProcessServerMessages();
    // Presses the computer's pending keys at once: a click, a menu or a
    // command must not cut its placement in half.
    void FinishComputer();
    void SkillCommand();
    void RepaintAll();
    void PauseIfRunning();
    void OnFocusChanged(QWidget* old, QWidget* now);
    void ScheduleComputer();
    void OnComputerDeadline();
    void ReplayDeferredInput();
    int TextHeight() const;

    ProgramVersion version_;
    Prompts& prompts_;
    Settings settings_;
    Game game_{settings_};
    ComputerPlayer computer_{game_};
    QtServerTransport serverTransport_;
    GameServer server_;
    GameClient client_{game_, settings_, version_};
    QtClientTransport* clientTransport_ = nullptr;
    NetworkGameWindow* netWindow_ = nullptr;
    bool hosting_ = false;
    bool serverClosing_ = false;
    bool sessionEnding_ = false;
    PixelImage background_;
    GameScreen screen_;

    GameCanvas* canvas_ = nullptr;
    LabelButton* nextLabel_ = nullptr;
    LabelButton* levelLabel_ = nullptr;
    LabelButton* scoreLabel_ = nullptr;
    LabelButton* linesLabel_ = nullptr;
    AnimatedBitmapButton* statusLine_ = nullptr;
    TiledPictureControl* picture_ = nullptr;
    MessageWindow* messageWindow_ = nullptr;
    QAction* newGameAction_ = nullptr;
    std::vector<QMenu*> menus_;

    StatusLinePictures statusPictures_;
    std::vector<PixelImage> indicatorPictures_;

    QTimer timer_;
    QTimer computerTimer_;
    QElapsedTimer clock_;
    int serverTickCounter_ = 0;
    std::set<int> keysDown_;
    struct DeferredKey {
        int virtualKey;
        int repeatCount;
    };
    std::vector<DeferredKey> deferredKeys_;
    QEvent::Type lastInputType_ = QEvent::None;  // the input that last ended a wait
    quint64 lastInputTimestamp_ = 0;
    QRegion dirty_;
    bool fullRepaintDue_ = true;
    bool painting_ = false;
    bool closing_ = false;
    WindowRect savedPlace_;  // the SIZE values read at start
    bool placeAwaitsFrame_ = false;
    QTimer framePoll_;
    int framePolls_ = 0;  // checks left for a frame that came without a move
};

}  // namespace vexari
