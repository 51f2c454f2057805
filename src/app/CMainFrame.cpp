#include "app/CMainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QWindow>
#include <cstdio>

#include "app/Commands.h"
#include "app/WindowPlace.h"
#include "settings/SettingsFile.h"
#include "ui/Background.h"
#include "ui/Controls.h"
#include "ui/DemoParametersDialog.h"
#include "ui/DesignDialog.h"
#include "ui/FirstRunDialogs.h"
#include "ui/GameOptionsDialog.h"
#include "ui/HighScoreDialog.h"
#include "ui/JoinDialog.h"
#include "ui/MessageWindow.h"
#include "ui/NetworkGameWindow.h"
#include "ui/PixelImageQt.h"
#include "ui/VirtualKeys.h"

namespace vexari {
namespace {

const QString kScoringText = QStringLiteral(
    "\tYour receive scores:\n\n"
    "    - for placing each figure - the faster you do it the more scores you get,\n"
    "    - for each deleted line - the more lines you delete at once the more is the reward,\n"
    "    - for bottom line popping.\n\n"
    "If you play without next figure hint then you receive 30 % more scores.\n"
    "Scores for deleted line and for bottom line depends on level.");

constexpr int kKeyTab = 0x09;
constexpr int kKeyDigit1 = 0x31;
constexpr int kKeyF2 = 0x71;

QImage WritableImage(PixelImage& image) {
    return QImage(reinterpret_cast<uchar*>(image.Bits()), image.Width(), image.Height(), image.Stride(),
                  QImage::Format_RGB32);
}

// The SIZE defaults: the outer frame on the screen's available area, so
// that the default window fits it title bar and all.
ScreenMetrics MetricsOf(const QScreen* screen) {
    ScreenMetrics metrics;
    if (screen) {
        const QRect available = screen->availableGeometry();
        metrics.maximizedHeight = available.height();
        metrics.fullScreenWidth = available.width();
        metrics.originX = available.x();
        metrics.originY = available.y();
    }
    metrics.sizingFrame = 0;
    return metrics;
}

// The available areas of the screens, the primary screen first.
std::vector<Rect> AvailableScreens() {
    std::vector<Rect> screens;
    QScreen* primary = QGuiApplication::primaryScreen();
    auto add = [&](const QScreen* screen) {
        const QRect a = screen->availableGeometry();
        screens.push_back({a.x(), a.y(), a.width(), a.height()});
    };
    if (primary) add(primary);
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != primary) add(screen);
    return screens;
}

}  // namespace

// ---------------------------------------------------------------------------

GameCanvas::GameCanvas(CMainFrame& frame) : QWidget(&frame), frame_(frame) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

bool GameCanvas::event(QEvent* event) {
    // Tab is an accelerator here, not a move to the next control.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QWidget::event(event);
}

void GameCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    frame_.PaintCanvas(painter, event->rect());
}

void GameCanvas::resizeEvent(QResizeEvent*) { frame_.LayOut(width(), height()); }

void GameCanvas::keyPressEvent(QKeyEvent* event) {
    const int vk = VirtualKeyFromEvent(*event);
    if (vk == 0) return QWidget::keyPressEvent(event);
    frame_.KeyPressed(vk, event->isAutoRepeat());
}

void GameCanvas::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) return;
    if (const int vk = VirtualKeyFromEvent(*event)) frame_.KeyReleased(vk);
}

void GameCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        frame_.ShowPopupMenu(event->globalPosition().toPoint());
    else
        QWidget::mousePressEvent(event);
}

// ---------------------------------------------------------------------------

CMainFrame::CMainFrame(const ProgramVersion& version, Prompts& prompts, QWidget* parent)
    : QMainWindow(parent),
      version_(version),
      prompts_(prompts),
      server_(serverTransport_, version, [] { return QDateTime::currentSecsSinceEpoch(); }),
      background_(MakeBlackImage()),
      screen_(game_.record(), settings_, background_, *this),
      indicatorPictures_(MakeLandingIndicatorPictures()) {
    setWindowTitle(QStringLiteral("Vexari"));
    setMinimumSize(256, 480);
    clock_.start();

    BuildMenus();
    canvas_ = new GameCanvas(*this);
    canvas_->setMouseTracking(true);  // a mouse move ends a pause of the computer, as any input does
    setCentralWidget(canvas_);
    messageWindow_ = new MessageWindow(this);
    CreateLabels();

    game_.SetHooks({&screen_, this, this, &client_, this, &computer_});
    serverTransport_.SetServer(&server_);
    connect(&serverTransport_, &QtServerTransport::acceptFailed, this, [this] {
        prompts_.Message(this, QStringLiteral("Error accepting socket"), QStringLiteral("Error"), PromptIcon::Error);
    });
    connect(messageWindow_, &MessageWindow::pauseRequested, this, [this] {
        if (client_.Connected()) client_.RequestPause();
    });
    canvas_->setFocus();
    game_.record().waitingForStart = false;
    LoadSettingsAndPlace();
    game_.ResetGame(true);

    connect(&timer_, &QTimer::timeout, this, &CMainFrame::OnGameTimer);
    timer_.start(kTimerMs);
    computerTimer_.setSingleShot(true);
    connect(&computerTimer_, &QTimer::timeout, this, &CMainFrame::OnComputerDeadline);
    connect(&framePoll_, &QTimer::timeout, this, [this] {
        PlaceOnceFramed();
        if (!placeAwaitsFrame_ || --framePolls_ <= 0) framePoll_.stop();
    });
    connect(qApp, &QApplication::focusChanged, this, &CMainFrame::OnFocusChanged);
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() {
    // Closing the window while it is torn down moves the focus; this part of
    // the window must not hear of it any more.
    disconnect(qApp, nullptr, this, nullptr);
    qApp->removeEventFilter(this);
    timer_.stop();
    computerTimer_.stop();
}

void CMainFrame::BuildMenus() {
    auto addMenu = [this](const QString& title) {
        QMenu* menu = menuBar()->addMenu(title);
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::PauseIfRunning);
        menus_.push_back(menu);
        return menu;
    };
    auto addItem = [this](QMenu* menu, const QString& text, int id) {
        QAction* action = menu->addAction(text);
        connect(action, &QAction::triggered, this, [this, id] { Command(id); });
        return action;
    };

    QMenu* gameMenu = addMenu(QStringLiteral("&Game"));
    newGameAction_ = addItem(gameMenu, QStringLiteral("&New Game\tF2"), kCmdNewGame);
    addItem(gameMenu, QStringLiteral("&High Score"), kCmdHighScore);
    addItem(gameMenu, QStringLiteral("&Demo"), kCmdDemo);
    gameMenu->addSeparator();
    addItem(gameMenu, QStringLiteral("E&xit"), kCmdExit);
    // New Game is enabled only outside a network game.
    connect(gameMenu, &QMenu::aboutToShow, this, [this] { newGameAction_->setEnabled(!game_.record().networkGame); });

    QMenu* networkMenu = addMenu(QStringLiteral("&Network"));
    addItem(networkMenu, QStringLiteral("&Create network game..."), kCmdCreateNetwork);
    addItem(networkMenu, QStringLiteral("&Join network game..."), kCmdJoinNetwork);

    QMenu* optionsMenu = addMenu(QStringLiteral("&Options"));
    addItem(optionsMenu, QStringLiteral("&Design..."), kCmdDesign);
    addItem(optionsMenu, QStringLiteral("&Skill..."), kCmdSkill);
    addItem(optionsMenu, QStringLiteral("&Demo parameters ..."), kCmdDemoParameters);

    QMenu* helpMenu = addMenu(QStringLiteral("&Help"));
    addItem(helpMenu, QStringLiteral("&Keyboard..."), kCmdDesign);
    addItem(helpMenu, QStringLiteral("&Scoring..."), kCmdScoring);
    addItem(helpMenu, QStringLiteral("&About Vexari..."), kCmdAbout);
}

void CMainFrame::CreateLabels() {
    auto label = [this](const char* text, int id) {
        auto* button = new LabelButton(QString::fromLatin1(text), id, canvas_);
        connect(button, &OwnerDrawnButton::command, this, &CMainFrame::Command);
        return button;
    };
    nextLabel_ = label("Next", kCmdToggleNext);
    levelLabel_ = label("Level", kCmdSkill);
    statusLine_ = new AnimatedBitmapButton(QStringLiteral("... Press ENTER to play ..."), kCmdStatusLine, canvas_);
    connect(statusLine_, &OwnerDrawnButton::command, this, &CMainFrame::Command);
    scoreLabel_ = label("Score", kCmdHighScore);
    linesLabel_ = label("Lines", kCmdLines);
    picture_ = new TiledPictureControl(canvas_);
    picture_->SetPicture(&indicatorPictures_[2]);
}

void CMainFrame::LoadSettingsAndPlace() {
    if (LoadSettings(settings_, MetricsOf(QGuiApplication::primaryScreen())))
        RunFirstRun(this, settings_, background_, prompts_);
    ReloadBackground();
    savedPlace_ = {settings_.left, settings_.top, settings_.right, settings_.bottom};
    placeAwaitsFrame_ = true;
    PlaceWindow();
}

FrameMargins CMainFrame::CurrentFrameMargins() const {
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

void CMainFrame::PlaceWindow() {
    // Until the window manager has framed the window its frame is unknown
    // (taken as none); once it is known the place is checked again.
    const FrameMargins m = CurrentFrameMargins();
    const WindowRect place = CheckWindowPlace(savedPlace_, AvailableScreens(), m, settings_.height);
    setWindowState(Qt::WindowNoState);
    move(place.left, place.top);  // the frame's corner
    resize(place.right - place.left - m.left - m.right, place.bottom - place.top - m.top - m.bottom);
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A window manager may frame the window without moving it, so that no
    // move or resize tells of the frame: look for it a few times.
    if (!placeAwaitsFrame_) return;
    framePolls_ = 20;
    framePoll_.start(100);
}

void CMainFrame::PlaceOnceFramed() {
    if (!placeAwaitsFrame_ || frameGeometry() == geometry()) return;
    placeAwaitsFrame_ = false;
    PlaceWindow();
}

void CMainFrame::ReloadBackground() {
    LoadBackgroundOrAsk(this, settings_, background_, prompts_);
    RepaintAll();
}

// --- Timer, keys and focus -------------------------------------------------

void CMainFrame::OnGameTimer() {
    game_.Tick();
    if (++serverTickCounter_ >= kTicksPerServerCall) {  // the server's second
        serverTickCounter_ = 0;
        server_.ServerTick();
    }
    ScheduleComputer();
}

void CMainFrame::ScheduleComputer() {
    const auto deadline = computer_.NextDeadline();
    if (!deadline) {
        computerTimer_.stop();
        ReplayDeferredInput();
        ProcessServerMessages();
        return;
    }
    const std::int64_t wait = static_cast<std::int32_t>(*deadline - TickCount());
    computerTimer_.start(static_cast<int>(std::max<std::int64_t>(0, wait)));
}

void CMainFrame::OnComputerDeadline() {
    computer_.Advance(TickCount());
    ScheduleComputer();
}

void CMainFrame::ReplayDeferredInput() {
    // Input that came while the computer was pressing its keys is handled now,
    // in the order it arrived.
    while (!deferredKeys_.empty() && !computer_.Busy()) {
        const DeferredKey key = deferredKeys_.front();
        deferredKeys_.erase(deferredKeys_.begin());
        KeyDown(key.virtualKey, key.repeatCount);
    }
}

void CMainFrame::FinishComputer() {
    if (!computer_.Busy()) return;
    computer_.Finish();
    ScheduleComputer();
}

namespace {

// Input that ends one of the computer's pauses: any key or mouse input.
bool IsUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

}  // namespace

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (IsUserInput(type) && watched->isWidgetType() && computer_.Busy()) {
        // One press is seen here by every widget it travels through, first
        // the window's, then the receiver and its parents; it ends one wait.
        const auto timestamp = static_cast<QInputEvent*>(event)->timestamp();
        if (type != lastInputType_ || timestamp != lastInputTimestamp_) {
            lastInputType_ = type;
            lastInputTimestamp_ = timestamp;
            computer_.InputArrived(TickCount());
            ScheduleComputer();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::KeyPressed(int virtualKey, bool autoRepeat) {
    if (!autoRepeat) keysDown_.insert(virtualKey);
    KeyDown(virtualKey, 1);
}

void CMainFrame::KeyReleased(int virtualKey) { keysDown_.erase(virtualKey); }

void CMainFrame::KeyDown(int virtualKey, int repeatCount) {
    if (computer_.Busy()) {
        deferredKeys_.push_back({virtualKey, repeatCount});
        return;
    }
    // The accelerators come first.
    if (virtualKey == kKeyTab || virtualKey == kKeyDigit1) return Command(kCmdToggleNext);
    if (virtualKey == kKeyF2) {
        if (!game_.record().networkGame) Command(kCmdNewGame);
        return;
    }
    game_.KeyDown(virtualKey, repeatCount);
    ScheduleComputer();
}

bool CMainFrame::IsKeyDown(int virtualKey) { return keysDown_.count(virtualKey) != 0; }

void CMainFrame::PauseIfRunning() {
    FinishComputer();
    if (game_.record().running) game_.ToggleRunning(true);
}

void CMainFrame::OnFocusChanged(QWidget* old, QWidget* now) {
    if (closing_ || old != canvas_) return;
    if (now == nextLabel_ || now == statusLine_) return;
    keysDown_.clear();
    if (game_.record().running && !game_.record().computerPlays) game_.ToggleRunning(true);
}

void CMainFrame::ShowPopupMenu(const QPoint& globalPos) {
    PauseIfRunning();
    QMenu popup(this);
    QAction* next = popup.addAction(QStringLiteral("&Next figure"));
    next->setCheckable(true);
    next->setChecked(settings_.next != 0);
    QAction* design = popup.addAction(QStringLiteral("&Design and Keyboard..."));
    // Centred across the click point, its top at the point.
    QAction* chosen = popup.exec(globalPos - QPoint(popup.sizeHint().width() / 2, 0));
    if (chosen == next)
        Command(kCmdToggleNext);
    else if (chosen == design)
        Command(kCmdDesign);
}

// --- Commands -----------------------------------------------------------------

void CMainFrame::Command(int id) {
    FinishComputer();
    switch (id) {
    case kCmdNewGame:
        if (!game_.record().networkGame) NewGame();
        break;
    case kCmdToggleNext:
        TakeFocus();
        settings_.next = static_cast<std::int16_t>(1 - settings_.next);
        screen_.DrawNextPanel();
        break;
    case kCmdHighScore:
        ShowHighScores(false, 0);
        break;
    case kCmdDemo:
        StartDemo(game_);
        break;
    case kCmdExit:
        close();
        break;
    case kCmdCreateNetwork:
        NetworkCommand(true);
        break;
    case kCmdJoinNetwork:
        NetworkCommand(false);
        break;
    case kCmdDesign:
        RunDesignCommand(this, settings_, background_, prompts_);
        RepaintAll();
        break;
    case kCmdSkill:
        SkillCommand();
        break;
    case kCmdDemoParameters:
        RunDemoParametersDialog(this, settings_.demo, game_.record().learnMode, prompts_);
        break;
    case kCmdScoring:
        prompts_.Message(this, kScoringText, QStringLiteral("Scoring principles"), PromptIcon::Information);
        break;
    case kCmdStatusLine:
        if (!game_.record().running) game_.EnterAction();
        break;
    case kCmdLines:
        prompts_.Message(this, QStringLiteral("Hmm, what did you expect to see here?"), kProgramTitle,
                         PromptIcon::None);
        break;
    case kCmdAbout:
        RunAboutDialog(this, version_, prompts_);
        break;
    default:
        break;
    }
    ScheduleComputer();
}

void CMainFrame::NewGame() {
    LeaveNetworkGame();
    game_.ToggleRunning(true);
}

void CMainFrame::LeaveNetworkGame() {
    GameRecord& r = game_.record();
    r.computerPlays = false;
    if (!r.waitingForStart) game_.EndOfGameAnimation();
    r.networkGame = false;
    game_.ResetGame(true);
    DisconnectClient();
    server_.CloseServer();
    serverTransport_.StopListening();
    if (netWindow_) {
        // The window may be the one asking to leave: it goes once its own
        // handler has returned.
        netWindow_->hide();
        netWindow_->deleteLater();
        netWindow_ = nullptr;
    }
}

// --- Network game -------------------------------------------------------------

void CMainFrame::NetworkCommand(bool host) {
    LeaveNetworkGame();
    const std::optional<JoinEntries> entries = RunJoinDialog(this, host, settings_, prompts_);
    if (!entries) return;
    GameRecord& r = game_.record();
    const QString server = host ? QStringLiteral("127.0.0.1") : entries->server;
    TakeJoinEntries(settings_, r, entries->name.toStdString(), entries->team.toStdString(), server.toStdString(),
                    entries->port);
    if (host) {
        const bool portValid = settings_.port >= 0 && settings_.port <= 65535;
        if (!portValid || !serverTransport_.Listen(static_cast<std::uint16_t>(settings_.port))) {
            // No network game follows, so no computer player either.
            r.computerPlays = false;
            prompts_.Message(this, QStringLiteral("Cannot create server socket"));
            return;
        }
    }
    ConnectToServer(host);
    r.networkGame = true;
}

void CMainFrame::ConnectToServer(bool isHost) {
    DisconnectClient();
    hosting_ = isHost;
    const int port = isHost ? serverTransport_.Port() : settings_.port;
    if (port <= 0 || port > 65535) {
        prompts_.Message(this, QStringLiteral("Error connecting to server"));
        return;
    }
    clientTransport_ = new QtClientTransport(this);
    clientTransport_->onBytes = [this](std::string_view bytes) {
        if (!client_.Received(bytes)) OnServerClosed();  // a broken stream ends the game as a close does
    };
    connect(clientTransport_, &QtClientTransport::connected, this, &CMainFrame::OnConnected);
    connect(clientTransport_, &QtClientTransport::connectFailed, this, [this] {
        DisconnectClient();
        prompts_.Message(this, QStringLiteral("Error connecting to server"));
    });
    connect(clientTransport_, &QtClientTransport::closed, this, &CMainFrame::OnServerClosed);
    clientTransport_->Connect(QString::fromStdString(settings_.server), static_cast<std::uint16_t>(port));
}

void CMainFrame::OnConnected() {
    netWindow_ = new NetworkGameWindow(this, client_, settings_, *messageWindow_, prompts_);
    connect(netWindow_, &NetworkGameWindow::leaveRequested, this, [this] { LeaveNetworkGame(); });
    client_.Begin(*clientTransport_, netWindow_, hosting_);
    netWindow_->PlaceBeside(canvas_->mapToGlobal(QPoint(0, 0)));
    netWindow_->show();
}

void CMainFrame::ProcessServerMessages() {
    if (client_.Connected() && !client_.ProcessPending()) OnServerClosed();
}

void CMainFrame::OnServerClosed() {
    if (!client_.Connected() || serverClosing_) return;
    serverClosing_ = true;
    // What the server said before it closed is acted on first, the refusal
    // text among it.
    FinishComputer();
    client_.ProcessPending();
    const QString text = QString::fromStdString(client_.DisconnectText());
    DisconnectClient();
    prompts_.Message(this, text);
    LeaveNetworkGame();
    serverClosing_ = false;
}

void CMainFrame::DisconnectClient() {
    client_.End();
    if (!clientTransport_) return;
    clientTransport_->onBytes = nullptr;
    clientTransport_->disconnect(this);
    clientTransport_->Close();
    clientTransport_->deleteLater();
    clientTransport_ = nullptr;
}

void CMainFrame::SkillCommand() {
    if (game_.record().networkGame) return;
    if (!RunGameOptionsDialog(this, settings_, prompts_)) return;
    if (!settings_.incLevel) game_.record().highScoreEligible = false;
    if (game_.record().waitingForStart) game_.ResetGame(true);
}

// --- Window events ------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event) {
    closing_ = true;
    // Peers see this copy leave; no end-of-game animation on the way out.
    DisconnectClient();
    server_.CloseServer();
    serverTransport_.StopListening();
    StoreWindowRect();
    if (const SaveResult saved = SaveSettings(settings_); !saved) {
        // At logout nobody is left to close a message box.
        if (sessionEnding_)
            std::fprintf(stderr, "vexari: %s\n", saved.Message().c_str());
        else
            prompts_.Message(this, QString::fromStdString(saved.Message()));
    }
    timer_.stop();
    computerTimer_.stop();
    messageWindow_->hide();
    QMainWindow::closeEvent(event);
}

void CMainFrame::StoreWindowRect() {
    // The outer frame, title bar included, as the window is placed from it.
    if (isMaximized() || isMinimized() || isFullScreen()) return;
    const QRect outer = frameGeometry();
    settings_.left = outer.x();
    settings_.top = outer.y();
    settings_.right = outer.x() + outer.width();
    settings_.bottom = outer.y() + outer.height();
}

void CMainFrame::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    PlaceOnceFramed();
    StoreWindowRect();
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    PlaceOnceFramed();
    StoreWindowRect();
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) PauseIfRunning();
}

// --- Layout and painting ---------------------------------------------------------

int CMainFrame::TextHeight() const { return QFontMetrics(canvas_->font()).height(); }

void CMainFrame::LayOut(int clientW, int clientH) {
    if (isMinimized()) return;
    screen_.SetLayout(ComputeLayout(clientW, clientH, game_.record().height, TextHeight(), screen_.Layout()));
    MoveLabels();
    RepaintAll();
}

void CMainFrame::MoveLabels() {
    const WindowLayout& l = screen_.Layout();
    auto place = [&](LabelButton* label, int y) {
        label->setGeometry(QRect(QPoint(l.sideX, y), LabelButton::SizeForText(label->text(), canvas_->font())));
    };
    place(nextLabel_, l.nextLabelY);
    place(scoreLabel_, l.scoreLabelY);
    place(levelLabel_, l.levelLabelY);
    place(linesLabel_, l.linesLabelY);
    statusLine_->setGeometry(l.statusLine.x, l.statusLine.y, l.statusLine.w, l.statusLine.h);
    const QSize pictureSize = picture_->PictureSize();
    picture_->setGeometry(l.picture.x, l.picture.y, pictureSize.width(), pictureSize.height());
}

void CMainFrame::RepaintAll() {
    // As a window invalidated whole: the next paint draws everything anew
    // from the game as it then stands.
    fullRepaintDue_ = true;
    canvas_->update();
}

void CMainFrame::PaintCanvas(QPainter& painter, const QRect& rect) {
    QRect area = rect;
    if (fullRepaintDue_ && !screen_.Screen().IsNull()) {
        fullRepaintDue_ = false;
        painting_ = true;
        screen_.Repaint();
        painting_ = false;
        area = canvas_->rect();
    }
    const QImage image = AsQImage(screen_.Screen());
    if (image.isNull()) return painter.fillRect(area, Qt::black);
    painter.drawImage(area.topLeft(), image, area);
    dirty_ -= area;
}

int CMainFrame::TextWidth(const std::string& text) {
    return QFontMetrics(canvas_->font()).horizontalAdvance(QString::fromStdString(text));
}

void CMainFrame::DrawText(PixelImage& surface, int x, int y, const std::string& text) {
    QImage image = WritableImage(surface);
    QPainter painter(&image);
    painter.setFont(canvas_->font());
    painter.setPen(Qt::white);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::black);
    const QFontMetrics metrics(canvas_->font());
    painter.drawText(x, y + metrics.ascent(), QString::fromStdString(text));
    Invalidate({x, y, metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()});
}

void CMainFrame::SetIndicatorPicture(int index) {
    const int clamped = std::clamp(index, 0, static_cast<int>(indicatorPictures_.size()) - 1);
    picture_->SetPicture(&indicatorPictures_[static_cast<std::size_t>(clamped)]);
}

void CMainFrame::UpdateStatusLine() {
    const auto sequence = game_.record().running ? statusPictures_.Pause() : statusPictures_.Play();
    if (settings_.animate) {
        statusLine_->SetFrames(sequence, 2);
    } else {
        const PixelImage* still[] = {sequence[7]};
        statusLine_->SetFrames(still, 0);
    }
}

void CMainFrame::HeightChanged() {
    if (isMaximized()) {
        showNormal();
        showMaximized();
    }
    LayOut(canvas_->width(), canvas_->height());
}

void CMainFrame::Invalidate(const Rect& rect) {
    if (painting_) return;  // the paint under way copies the whole image
    const QRect r(rect.x, rect.y, rect.w, rect.h);
    dirty_ += r;
    canvas_->update(r);
}

// --- The game's calls out ----------------------------------------------------------

void CMainFrame::ShowHighScores(bool eligible, std::int32_t score) {
    vexari::ShowHighScores(this, eligible, score, settings_.playerName, settings_.highScore, prompts_);
    RepaintAll();
}

void CMainFrame::HideMessageWindow() { messageWindow_->hide(); }

void CMainFrame::Minimize() { showMinimized(); }

void CMainFrame::TakeFocus() {
    // A round that starts while the player types in the network game window
    // brings the game's window to the front with the keys.
    if (!isActiveWindow()) activateWindow();
    canvas_->setFocus();
}

std::int64_t CMainFrame::Seconds() { return QDateTime::currentSecsSinceEpoch(); }

std::uint32_t CMainFrame::TickCount() { return static_cast<std::uint32_t>(clock_.elapsed()); }

void CMainFrame::WaitSince(std::uint32_t start, std::uint32_t ms) {
    // The end of a game holds the window for its animation: show each frame
    // at once, then wait out the rest of the step.
    if (!dirty_.isEmpty()) canvas_->repaint(dirty_);
    const std::uint32_t passed = TickCount() - start;
    if (passed < ms) QThread::msleep(ms - passed);
}

}  // namespace vexari
