// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CMainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <utility>

#include "app/ActiveWindow.h"
#include "ui/MenuActions.h"
#include "app/ComputerMatch.h"
#include "app/GameDriver.h"
#include "app/GameView.h"
#include "app/MainArea.h"
#include "app/Gamepads.h"
#include "app/NetworkSession.h"
#include "app/ReplayViewer.h"
#include "app/RunningCopy.h"
#include "app/SoundSystem.h"
#include "app/Translations.h"
#include "app/WatchSession.h"
#include "app/WindowPlacer.h"
#include "replay/ReplayRecorder.h"
#include "settings/Paths.h"
#include "settings/SettingsFile.h"
#include "sound/SoundDirector.h"
#include "render/Background.h"
#include "ui/ComputerWeightsDialog.h"
#include "ui/DesignDialog.h"
#include "ui/FirstRunDialogs.h"
#include "ui/GameOptionsDialog.h"
#include "ui/NetworkGameWindow.h"
#include "ui/OthersWells.h"
#include "ui/SoundDialog.h"

namespace vexari {
namespace {

const char* const kScoringText = QT_TRANSLATE_NOOP(
    "vexari::CMainFrame",
    "\tYour receive scores:\n\n"
    "    - for placing each figure - the faster you do it the more scores you get,\n"
    "    - for each deleted line - the more lines you delete at once the more is the reward,\n"
    "    - for bottom line popping.\n\n"
    "If you play without next figure hint then you receive 30 % more scores.\n"
    "Scores for deleted line and for bottom line depends on level.");

// The menu bar, menu by menu; an item without an action is a separator.
struct MenuItem {
    const char* text;
    MenuAction action;
};
struct MenuDefinition {
    const char* title;
    std::initializer_list<MenuItem> items;
};
const MenuDefinition kMenus[] = {
    {QT_TRANSLATE_NOOP("vexari::CMainFrame", "&Game"),
     {{QT_TRANSLATE_NOOP("vexari::CMainFrame", "&New Game\tF2"), MenuAction::NewGame},
      {QT_TRANSLATE_NOOP("vexari::CMainFrame", "&High Score"), MenuAction::HighScore},
      {QT_TRANSLATE_NOOP("vexari::CMainFrame", "&Replays..."), MenuAction::Replays},
      {QT_TRANSLATE_NOOP("vexari::CMainFrame", "&Demo"), MenuAction::Demo},
      {QT_TRANSLATE_NOOP("vexari::CMainFrame", "Play against the &computer..."), MenuAction::PlayComputer},
      {nullptr, MenuAction::None},
      {QT_TRANSLATE_NOOP("vexari::CMainFrame", "E&xit"), MenuAction::Exit}}},
    {QT_TRANSLATE_NOOP("vexari::CMainFrame", "&Network"),
     {{QT_TRANSLATE_NOOP("vexari::CMainFrame", "&Create network game..."), MenuAction::CreateNetwork},
      {QT_TRANSLATE_NOOP("vexari::CMainFrame", "&Join network game..."), MenuAction::JoinNetwork},
      {QT_TRANSLATE_NOOP("vexari::CMainFrame", "&Watch network game..."), MenuAction::WatchNetwork}}},
    {QT_TRANSLATE_NOOP("vexari::CMainFrame", "&Options"),
     {{QT_TRANSLATE_NOOP("vexari::CMainFrame", "&Design..."), MenuAction::Design},
      {QT_TRANSLATE_NOOP("vexari::CMainFrame", "&Skill..."), MenuAction::Skill},
      {QT_TRANSLATE_NOOP("vexari::CMainFrame", "&Demo parameters ..."), MenuAction::ComputerWeights},
      {nullptr, MenuAction::None},
      {QT_TRANSLATE_NOOP("vexari::CMainFrame", "S&ound..."), MenuAction::Sound},
      {QT_TRANSLATE_NOOP("vexari::CMainFrame", "&Mute\tCtrl+M"), MenuAction::Mute}}},
    {QT_TRANSLATE_NOOP("vexari::CMainFrame", "&Help"),
     {{QT_TRANSLATE_NOOP("vexari::CMainFrame", "&Keyboard..."), MenuAction::Design},
      {QT_TRANSLATE_NOOP("vexari::CMainFrame", "&Scoring..."), MenuAction::Scoring},
      {QT_TRANSLATE_NOOP("vexari::CMainFrame", "&About Vexari..."), MenuAction::About}}},
};

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

}  // namespace

CMainFrame::CMainFrame(const VersionQuad& version, Prompts& prompts, QWidget* parent)
    : QMainWindow(parent),
      version_(version),
      prompts_(prompts),
      background_(MakeBlackImage()),
      copy_(QString::fromStdString(SettingsFilePath().string())) {
    setWindowTitle(QStringLiteral("Vexari"));
    setMinimumSize(256, 480);

    BuildMenus();
    view_ = new GameView(game_.record(), settings_, background_, this);
    view_->setObjectName(QStringLiteral("gameView"));
    wells_ = new OthersWells;
    wells_->setObjectName(QStringLiteral("othersWells"));
    auto* area = new MainArea(view_, wells_, this);
    setCentralWidget(area);
    driver_ = std::make_unique<GameDriver>(game_, computer_);
    session_ = std::make_unique<NetworkSession>(this, game_, settings_, *driver_, version_, prompts_);
    placer_ = new WindowPlacer(*this, settings_);
    placer_->SetCopy(copy_.Index());
    session_->SetWellsStrip(wells_);
    connect(area, &MainArea::stripWidthWanted, this, &CMainFrame::WidenForWells);
    game_.SetHooks({.painter = &view_->Screen(),
                    .clock = driver_.get(),
                    .keys = driver_.get(),
                    .network = &session_->client(),
                    .window = this,
                    .computer = &computer_});
    game_.AddListener(view_);

    connect(view_, &GameView::actionRequested, this, &CMainFrame::RunAction);
    connect(view_, &GameView::keyPressed, this, &CMainFrame::KeyPressed);
    connect(view_, &GameView::keyReleased, driver_.get(), &GameDriver::KeyReleased);
    // A pad plays as the keyboard does, while the game has the keys; its
    // repeats go by the game's clock.
    pads_ = std::make_unique<Gamepads>(settings_, [driver = driver_.get()] { return driver->TickCount(); });
    pads_->SetGate([this] { return view_->hasFocus() && !QApplication::activeModalWidget(); });
    connect(pads_.get(), &Gamepads::keyPressed, this, &CMainFrame::KeyPressed);
    connect(pads_.get(), &Gamepads::keyReleased, driver_.get(), &GameDriver::KeyReleased);
    connect(pads_.get(), &Gamepads::unplugged, this, &CMainFrame::PadUnplugged);
    connect(view_, &GameView::popupRequested, this, &CMainFrame::ShowPopupMenu);
    connect(driver_.get(), &GameDriver::actionRequested, this, &CMainFrame::RunAction);
    connect(driver_.get(), &GameDriver::idle, session_.get(), &NetworkSession::ProcessPending);
    connect(session_.get(), &NetworkSession::ended, this, &CMainFrame::TellWhenBack);
    sound_ = std::make_unique<SoundSystem>();
    sounds_ = std::make_unique<SoundDirector>(sound_->Output(), settings_, game_.record());
    game_.AddListener(sounds_.get());
    connect(session_.get(), &NetworkSession::countdownSecond, this, [this] { sounds_->CountdownSecond(); });
    connect(session_.get(), &NetworkSession::chatArrived, this, [this] { sounds_->ChatArrived(); });
    connect(session_.get(), &NetworkSession::roundEnded, this, [this] { sounds_->RoundEnded(); });

    view_->setFocus();
    LoadSettingsAndPlace();
    recorder_ = std::make_unique<ReplayRecorder>(game_, [this](Replay&& r) { SaveReplay(std::move(r)); });
    game_.ResetGame(true);
    connect(qApp, &QApplication::focusChanged, this, &CMainFrame::OnFocusChanged);
}

CMainFrame::~CMainFrame() {
    // Closing the window while it is torn down moves the focus; this part of
    // the window must not hear of it any more.
    disconnect(qApp, nullptr, this, nullptr);
    pads_.reset();
    game_.RemoveListener(view_);
    viewer_.reset();
    replaySounds_.reset();
    game_.RemoveListener(sounds_.get());
    recorder_.reset();  // the game under way is saved as stopped
    watch_.reset();
    session_.reset();
    driver_.reset();
}

void CMainFrame::BuildMenus() {
    for (const MenuDefinition& definition : kMenus) {
        QMenu* menu = menuBar()->addMenu(tr(definition.title));
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::PauseIfRunning);
        menus_.push_back(menu);
        for (const MenuItem& item : definition.items) {
            if (!item.text) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(tr(item.text));
            if (item.action == MenuAction::Mute) {
                // Also during a replay, which a command would leave.
                muteAction_ = action;
                action->setObjectName(QStringLiteral("muteAction"));
                action->setCheckable(true);
                action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
                connect(action, &QAction::triggered, this, &CMainFrame::ToggleMute);
                continue;
            }
            connect(action, &QAction::triggered, this, [this, action = item.action] { RunAction(action); });
            if (item.action == MenuAction::NewGame) newGameAction_ = action;
            if (item.action == MenuAction::Replays) replaysAction_ = action;
        }
    }
    menus_.front()->setObjectName(QStringLiteral("gameMenu"));
    // New Game and Replays are enabled only outside a network game.
    connect(menus_.front(), &QMenu::aboutToShow, this, [this] {
        for (QAction* action : menus_.front()->actions())
            if (action == newGameAction_ || action == replaysAction_) action->setEnabled(!game_.record().networkGame);
    });
}

void CMainFrame::LoadSettingsAndPlace() {
    if (LoadSettings(settings_, MetricsOf(QGuiApplication::primaryScreen())))
        RunFirstRun(this, settings_, background_, prompts_);
    savedSettings_ = settings_;
    muteAction_->setChecked(settings_.sound == 0);
    ReloadBackground();
    placer_->PlaceAtSaved();
}

void CMainFrame::ReloadBackground() {
    LoadBackgroundOrAsk(this, settings_, background_, prompts_);
    view_->RepaintAll();
}

// --- Commands -----------------------------------------------------------------

void CMainFrame::RunAction(MenuAction action) {
    LeaveReplay();
    driver_->FinishPendingWork();
    switch (action) {
    case MenuAction::NewGame:
        if (!game_.record().networkGame) session_->Leave(AfterAnimation::StartNewGame);
        break;
    case MenuAction::ToggleNext:
        TakeFocus();
        settings_.next = static_cast<std::int16_t>(1 - settings_.next);
        view_->Screen().DrawNextPanel();
        view_->AnnounceChanges();
        break;
    case MenuAction::HighScore:
        ShowHighScores(false, 0);
        break;
    case MenuAction::Replays:
        OpenReplays();
        break;
    case MenuAction::Demo:
        game_.SwitchComputerOn();
        break;
    case MenuAction::Exit:
        close();
        break;
    case MenuAction::CreateNetwork:
    case MenuAction::JoinNetwork:
        session_->Leave();
        session_->Open(action == MenuAction::CreateNetwork);
        break;
    case MenuAction::PlayComputer:
        PlayAgainstComputer();
        break;
    case MenuAction::WatchNetwork:
        OpenWatchDialog();
        break;
    case MenuAction::Design:
        RunDesignCommand(this, settings_, background_, prompts_);
        wells_->SetLook(CellLook::Of(settings_));
        view_->RepaintAll();
        break;
    case MenuAction::Skill:
        SkillCommand();
        break;
    case MenuAction::Sound:
        SoundCommand();
        break;
    case MenuAction::ComputerWeights: {
        bool learnMode = game_.record().learnMode;
        RunComputerWeightsDialog(this, settings_.weights, learnMode, prompts_);
        game_.SetLearnMode(learnMode);
        break;
    }
    case MenuAction::Scoring:
        prompts_.Message(this, tr(kScoringText), tr("Scoring principles"), PromptIcon::Information);
        break;
    case MenuAction::StatusLine:
        if (!game_.record().running) game_.EnterAction();
        break;
    case MenuAction::LinesLabel:
        prompts_.Message(this, tr("Hmm, what did you expect to see here?"), kProgramTitle, PromptIcon::None);
        break;
    case MenuAction::About:
        RunAboutDialog(this, version_, prompts_);
        break;
    default:
        break;
    }
    driver_->Schedule();
}

void CMainFrame::PlayAgainstComputer() {
    const QString strong = FindDataFile(QCoreApplication::applicationDirPath(), ComputerMatch::kStrongWeights);
    if (!RunMatchDialog(this, matchPlan_, !strong.isEmpty(), settings_, prompts_)) return;
    session_->Leave();
    session_->OpenMatch(matchPlan_, matchPlan_.strongWeights ? strong : QString());
}

void CMainFrame::SkillCommand() {
    if (game_.record().networkGame) return;
    if (!RunGameOptionsDialog(this, settings_, prompts_)) return;
    game_.SkillChanged();
}

void CMainFrame::SoundCommand() {
    RunSoundDialog(this, settings_, prompts_,
                   [this](int volume) { sound_->Output().Play(Effect::Rows4, SoundDirector::Gain(volume)); });
    muteAction_->setChecked(settings_.sound == 0);
}

void CMainFrame::ToggleMute() {
    settings_.sound = settings_.sound ? 0 : 1;
    muteAction_->setChecked(settings_.sound == 0);
}

void CMainFrame::ShowPopupMenu(const QPoint& globalPos) {
    PauseIfRunning();
    QMenu popup(this);
    QAction* next = popup.addAction(tr("&Next figure"));
    next->setCheckable(true);
    next->setChecked(settings_.next != 0);
    QAction* design = popup.addAction(tr("&Design and Keyboard..."));
    // Centred across the click point, its top at the point.
    QAction* chosen = popup.exec(globalPos - QPoint(popup.sizeHint().width() / 2, 0));
    if (chosen == next)
        RunAction(MenuAction::ToggleNext);
    else if (chosen == design)
        RunAction(MenuAction::Design);
}

// --- Focus ----------------------------------------------------------------------

void CMainFrame::PauseIfRunning() {
    driver_->FinishPendingWork();
    if (game_.record().running) game_.ToggleRunning(true);
}

void CMainFrame::PadUnplugged() {
    if (!viewer_ && !game_.record().computerPlays) PauseIfRunning();
}

void CMainFrame::OnFocusChanged(QWidget* old, QWidget* now) {
    if (closing_ || old != view_ || view_->IsOwnControl(now)) return;
    driver_->ReleaseAllKeys();
    if (game_.record().running && !game_.record().computerPlays) game_.ToggleRunning(true);
}

void CMainFrame::WidenForWells(int width) {
    if (!session_) return;  // the window is torn down
    const QRect frame = placer_->SetExtraWidth(width);
    // The Network Game window moves out of the way when the wells cover it.
    NetworkGameWindow* window = session_->networkWindow();
    if (window && window->frameGeometry().intersects(frame)) window->PlaceBeside(frame);
}

void CMainFrame::TellWhenBack(const QString& reason, bool playerHere) {
    view_->RepaintAll();
    if (!playerHere) {
        untoldReason_ = reason;
        QApplication::alert(this);
        return;
    }
    prompts_.Message(this, reason);
}

// --- The game's calls out ----------------------------------------------------------

void CMainFrame::HideMessageWindow() { session_->HideMessages(); }

void CMainFrame::Minimize() {
    // Esc on a countdown pauses, as its text says; otherwise the paused
    // game's second Esc minimises.
    if (!session_->EscapeCancelsCountdown()) showMinimized();
}

void CMainFrame::TakeFocus() {
    // A round that starts while the player types in the Network Game window
    // brings the game's window forward with the keys; a player busy in
    // another program (or another game's window) keeps the focus there.
    if (!isActiveWindow() && OwnWindowActive(*this)) activateWindow();
    view_->setFocus();
}

// --- Window events ------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event) {
    closing_ = true;
    LeaveReplay();
    // Peers see this copy leave; no end-of-game animation on the way out.
    session_->Shutdown();
    EndWatchingForClose();
    placer_->StoreWindowRect();
    if (const SaveResult saved = SaveSettingsChanges(savedSettings_, settings_); saved) {
        savedSettings_ = settings_;
    } else {
        // At logout nobody is left to close a message box.
        if (sessionEnding_)
            std::fprintf(stderr, "vexari: %s\n", saved.Message().c_str());
        else
            prompts_.Message(this, SaveFailureMessage(saved));
    }
    driver_->Stop();
    QMainWindow::closeEvent(event);
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    placer_->Shown();
}

void CMainFrame::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    placer_->MovedOrResized();
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    placer_->MovedOrResized();
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) PauseIfRunning();
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !untoldReason_.isEmpty())
        QTimer::singleShot(0, this, [this] { TellWhenBack(std::exchange(untoldReason_, {}), true); });
}

}  // namespace vexari
