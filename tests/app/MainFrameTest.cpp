// SPDX-License-Identifier: GPL-3.0-or-later
// The main window driven through its keys, SDL's virtual gamepads, mouse and menus; two of them
// playing a network game; and the client's socket against real loopback
// connections (the server's sockets under abuse are tests/tools').
#include <SDL.h>

#include <QTemporaryDir>
#include <QtNetwork>
#include <QtTest>
#include <QtWidgets>
#include <csignal>
#include <functional>

#include "../game/Fakes.h"
#include "MainWindowFixture.h"
#include "app/GameDriver.h"
#include "app/Gamepads.h"
#include "app/NetworkSession.h"
#include "app/ReplayViewer.h"
#include "replay/HighScoreLinks.h"
#include "replay/ReplayCodec.h"
#include "replay/ReplayPlayer.h"
#include "settings/SafeFile.h"
#include "ui/HighScoreDialog.h"
#include "ui/NameEntryDialog.h"
#include "ui/ReplaysDialog.h"
#include "ui/SoundDialog.h"
#include "ui/MenuActions.h"
#include "app/TerminationSignals.h"
#include "render/WindowPlace.h"
#include "ui/JoinDialog.h"
#include "ui/MessageWindow.h"
#include "ui/NetworkGameWindow.h"
#include "settings/Paths.h"
#include "settings/SettingsFile.h"
#include "ui/Controls.h"
#include "game/Figures.h"
#include "ui/DesignDialog.h"
#include "ui/PadSettingsBox.h"

using namespace vexari;

namespace {

// A loaded machine may take its time on a real desktop.
constexpr int kDesktopWaitMs = 15000;

bool WaitFor(const std::function<bool()>& done, int ms = 5000) { return QTest::qWaitFor(done, ms); }

// Answers the next network game dialog with these entries.
void AnswerJoin(FakePrompts& prompts, const QString& name, const QString& server, int port) {
    prompts.On<JoinDialog>([=](JoinDialog& d) {
        Child<QLineEdit>(&d, "nameEdit")->setText(name);
        Child<QLineEdit>(&d, "teamEdit")->setText(name == "Ann" ? "Red" : "Blue");
        if (auto* edit = Child<QLineEdit>(&d, "serverEdit"); !edit->isReadOnly()) edit->setText(server);
        Child<QLineEdit>(&d, "portEdit")->setText(QString::number(port));
        d.accept();
    });
}

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

    TestHome home_;
    FakePrompts prompts_;
    std::unique_ptr<CMainFrame> frame_;
    FakePrompts joinPrompts_;
    std::unique_ptr<CMainFrame> joiner_;  // joins the network games frame_ hosts
    std::uint32_t now_ = 0xFFFFFF90;      // the pads' clock, just before it wraps
    SDL_Joystick* pad_ = nullptr;

    GameRecord& Record() { return GameAccess::Record(frame_->game()); }
    void Poll() { frame_->gamepads().Poll(); }
    // SDL's virtual game controller, plugged in; the pads go by the clock now_.
    void Plug() {
        frame_->gamepads().SetClock([this] { return now_; });
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION, desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX, desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        pad_ = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
        Poll();
    }
    void Unplug() {
        for (int i = 0; pad_ && i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == SDL_JoystickInstanceID(pad_))
                SDL_JoystickClose(std::exchange(pad_, nullptr)), SDL_JoystickDetachVirtual(i);
        Poll();
    }
    void Press(SDL_GameControllerButton b, bool down = true) { SDL_JoystickSetVirtualButton(pad_, b, down), Poll(); }
    void Click(SDL_GameControllerButton button) { Press(button), Press(button, false); }
    // Starts the game with a T in the middle from the pad.
    void Start() {
        Click(SDL_CONTROLLER_BUTTON_START);
        QVERIFY(Record().running);
        std::tie(Record().mask, Record().x, Record().y) = std::tuple(FigureTable()[2], 3, 0);
    }
    int HostPort() { return frame_->session().serverTransport().Port(); }
    void OpenJoiner() {
        joiner_ = std::make_unique<CMainFrame>(kVersion, joinPrompts_);
        for (CMainFrame* f : {frame_.get(), joiner_.get()}) f->settings().animate = 0;  // nothing to wait for
        joiner_->show();
    }

    // Demo mode with a lying long figure that the computer takes three
    // columns left: after its first press it waits.
    GameRecord& DemoOnLongFigure() {
        frame_->RunAction(MenuAction::Demo);
        GameRecord& r = Record();
        r.well.Reset(r.height);
        std::tie(r.mask, r.x, r.y) = std::tuple(FigureTable()[1], 3, 0);
        for (int t = 0; t < 10; ++t) frame_->driver().OnGameTimer();
        return r;
    }

private slots:
    void init() {
        home_.Enter();
        prompts_ = FakePrompts();
        frame_ = OpenMainWindow(prompts_);
        QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
        View(*frame_)->setFocus();
    }
    void cleanup() {
        Unplug();
        joiner_.reset();
        joinPrompts_ = FakePrompts();
        frame_.reset();
        TestHome::Clear();
    }

    void firstRunAsksAndWritesTheSettings() {
        QVERIFY(prompts_.questions.size() == 1 &&
                prompts_.questions[0].text.startsWith("It is the first time you run Vexari."));
        Settings saved;
        QVERIFY(!LoadSettings(saved, {}));  // no longer a first run
    }

    void keysAndTheTimerReachTheGame() {
        frame_->settings().keys.left = KeyCode::Tab;  // bound as a game key, it never reaches the game
        QTest::keyClick(View(*frame_), Qt::Key_Return);
        QVERIFY(Record().running);
        const int x = Record().x;
        QTest::keyClick(View(*frame_), Qt::Key_Right);
        QCOMPARE(Record().x, x + 1);
        const auto next = frame_->settings().next;
        QTest::keyClick(View(*frame_), Qt::Key_Tab);  // the accelerator toggles the next-figure panel
        QVERIFY(frame_->settings().next == 1 - next && Record().x == x + 1);
        // Keypad 5 without Num Lock is the second rotate key.
        const FigureMask before = Record().mask;
        QTest::keyClick(View(*frame_), Qt::Key_Clear, Qt::KeypadModifier);
        QVERIFY(Record().mask != before || Record().mask == FigureTable()[4]);
        Record().fallPeriod = 1;
        for (int i = 0; i < 3; ++i) frame_->driver().OnGameTimer();
        QCOMPARE(Record().y, 3);
        QTest::keyClick(View(*frame_), Qt::Key_Space);
        QVERIFY(Record().y == 0 && Record().score > 0);  // dropped, and the next figure is at the top

        // F2 starts a new game once the old one's end has been shown, but not during a network game; a
        // command finishes the end first and comes after the new game.
        QTest::keyClick(View(*frame_), Qt::Key_F2);
        QVERIFY(frame_->game().Animating() && !Record().running);
        prompts_.On<HighScoreDialog>([&](HighScoreDialog&) { QVERIFY(Record().running && Record().score == 0); });
        frame_->RunAction(MenuAction::HighScore);
        std::tie(Record().networkGame, Record().score) = std::tuple(true, 77);
        QTest::keyClick(View(*frame_), Qt::Key_F2);
        QCOMPARE(Record().score, 77);
        Record().networkGame = false;
        // Esc pauses, a second Esc minimises.
        QTest::keyClick(View(*frame_), Qt::Key_Escape);
        QVERIFY(!Record().running && !frame_->isMinimized());
        QTest::keyClick(View(*frame_), Qt::Key_Escape);
        QVERIFY(QTest::qWaitFor([&] { return frame_->isMinimized(); }, 1000) ||
                frame_->windowState() & Qt::WindowMinimized);
    }

    void aPadPlaysAsTheKeysDo() {
        QTRY_VERIFY(View(*frame_)->hasFocus());
        Plug();  // during play; a window opened later finds it plugged in
        QCOMPARE(std::tuple(frame_->gamepads().Count(), Gamepads(frame_->settings(), [] { return 0u; }).Count()),
                 std::tuple(1, 1));
        Start();
        // Left held repeats after the delay at the rate, until let go; the stick moves too.
        const PadSettings& pad = frame_->settings().pad;
        Press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
        for (auto [ms, x] : {std::pair(0, 2), {pad.delay - 1, 2}, {1, 1}, {1000 / pad.rate, 0}})
            QCOMPARE((now_ += ms, Poll(), Record().x), x);
        Press(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false), now_ += 1000;
        for (int value : {32767, 0}) SDL_JoystickSetVirtualAxis(pad_, SDL_CONTROLLER_AXIS_LEFTX, value), Poll();
        QCOMPARE(Record().x, 1);
        // The buttons turn either way: A once, B three times.
        FigureMask once = Record().mask, four = once;
        RotateFigure(once);
        for (int t = 0; t < 4; ++t) RotateFigure(four);
        Click(SDL_CONTROLLER_BUTTON_A);
        QVERIFY(Record().mask == once);
        Click(SDL_CONTROLLER_BUTTON_B);
        QVERIFY(Record().mask == four);
        // Down is the accelerate key held; Y drops.
        for (bool down : {true, false}) {
            Press(SDL_CONTROLLER_BUTTON_DPAD_DOWN, down);
            QCOMPARE(frame_->driver().IsKeyDown(frame_->settings().keys.accelerate), down);
        }
        Click(SDL_CONTROLLER_BUTTON_Y);
        QVERIFY(Record().y == 0 && Record().score > 0);
        // Back pauses, Start continues; while the game does not have the keys, the pad presses nothing.
        Click(SDL_CONTROLLER_BUTTON_BACK);
        QVERIFY(!Record().running);
        View(*frame_)->clearFocus();
        Click(SDL_CONTROLLER_BUTTON_START);
        QVERIFY(!Record().running);
        View(*frame_)->setFocus();
        Click(SDL_CONTROLLER_BUTTON_START);
        QVERIFY(Record().running);

        // Unplugged during a game, the game waits; plugged in again, it plays on.
        Unplug();
        QVERIFY(!Record().running && frame_->gamepads().Count() == 0);
        Plug();
        Click(SDL_CONTROLLER_BUTTON_START);
        QVERIFY(Record().running);
    }

    void thePadsSettingsAreTypedIntoTheDesignDialog() {
        prompts_.On<DesignDialog>([](DesignDialog& d) {
            auto* delay = Child<QLineEdit>(&d, "delayEdit");
            delay->setText("2001");
            QVERIFY((d.accept(), d.result() == QDialog::Rejected));  // refused: the dialog stays open
            delay->setText("300");
            Child<QLineEdit>(&d, "rateEdit")->setText("10");
            Child<QComboBox>(&d, "buttonA")->setCurrentIndex(kPadDrop);
            d.accept();
        });
        frame_->RunAction(MenuAction::Design);
        QTRY_VERIFY(View(*frame_)->hasFocus());
        QCOMPARE(prompts_.MessageTexts(), QStringList{RangeMessage(100, 2000)});
        QCOMPARE(frame_->settings().pad, (PadSettings{300, 10, {kPadDrop, kPadRotate2, kPadRotate2, kPadDrop, 2, 1}}));
        Plug();
        Start();
        Click(SDL_CONTROLLER_BUTTON_A);
        QVERIFY(Record().y == 0 && Record().score > 0);
    }

    void labelsSendTheirCommands() {
        QTest::mouseClick(Child<AnimatedBitmapButton>(frame_.get(), "statusLine"), Qt::LeftButton);
        QVERIFY(Record().running);
        const auto next = frame_->settings().next;
        QTest::mouseClick(Child<LabelButton>(frame_.get(), "nextLabel"), Qt::LeftButton);
        QCOMPARE(frame_->settings().next, static_cast<std::int16_t>(1 - next));
        QVERIFY(Record().running);  // the labels take the focus without pausing the game
    }

    // What a screen reader reads through Qt's accessibility interfaces: the
    // view's summary and its drawn parts follow the game, each change sent
    // as the game reports it; the drawn controls are reached with Shift+Tab
    // and pressed with Space or through their press action.
    void assistiveTechnologyReadsTheGameAndPressesTheControls() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QStringList sent;  // "name=value" of each value change
        connect(View(*frame_), &GameView::announced, [&](const QString& name, const QString& value) {
            sent << name + '=' + value;
        });
        frame_->driver().Stop();
        GameView* view = View(*frame_);
        auto* nextLabel = Child<LabelButton>(view, "nextLabel");
        QAccessibleInterface* game = QAccessible::queryAccessibleInterface(view);
        QStringList names;
        for (int i = 0; i < 5; ++i) names << game->child(i)->text(QAccessible::Name);
        QCOMPARE(names.join(','), QStringLiteral("Well,Next figure,Score,Level,Lines"));
        QTest::keyClick(view, Qt::Key_Return);
        std::tie(Record().score, Record().lines) = std::tuple(1000, 31);
        QTest::keyClick(view, Qt::Key_Space);  // lands: 540 / 3 points for the quick placement
        const QString next(QChar(FigureLetter(Record().nextFigure)));
        QCOMPARE(game->text(QAccessible::Value), "Score 1,180, level 5, lines 31, next figure " + next);
        QCOMPARE(std::tuple(game->child(2)->text(QAccessible::Value), game->child(2)->valueInterface()->currentValue()),
                 std::tuple(QStringLiteral("1,180"), QVariant(1180)));
        QVERIFY2(sent.contains("Score=1,180") && sent.contains("Next figure=" + next) &&
                     sent.contains("Game=" + game->text(QAccessible::Value)) &&
                     game->child(0)->text(QAccessible::Value).startsWith("Figure "),
                 qPrintable(sent.join('|')));
        sent.clear();
        // Shift+Tab leaves the well for the controls, which pauses the game.
        for (int i = 0; i < 6 && QApplication::focusWidget() != nextLabel; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QVERIFY(QApplication::focusWidget() == nextLabel && !Record().running);
        QVERIFY2(sent.filter(QRegularExpression("^Well=Paused, stack [12] of 25 rows$")).size() == 1,
                 qPrintable(sent.join('|')));
        QTest::keyClick(nextLabel, Qt::Key_Space);
        QVERIFY(frame_->settings().next == 0 && sent.contains("Next figure=hidden") && view->hasFocus());
        QAccessibleInterface* status =
            QAccessible::queryAccessibleInterface(Child<AnimatedBitmapButton>(view, "statusLine"));
        QCOMPARE(status->text(QAccessible::Name), QStringLiteral("... Press ENTER to play ..."));
        status->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(Record().running);
        QCOMPARE(status->text(QAccessible::Name), QStringLiteral("... Press ESC to pause ..."));
        nextLabel->setFocus(Qt::TabFocusReason);  // unlike a click, this leaves the game
        QVERIFY(!Record().running);
        QLocale::setDefault(QLocale::c());
    }

    void inputEndsOneWaitOfTheComputer() {
        GameRecord& r = DemoOnLongFigure();
        QVERIFY(frame_->computer().Busy() && r.x == 2);  // the first press comes at once
        // Any input ends the current wait once, however many widgets it
        // travels through: a button's press and its release are two inputs.
        QTest::mousePress(View(*frame_), Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(r.x, 1);
        QTest::mouseRelease(View(*frame_), Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(r.x, 0);
        // A key press ends the last wait, the drop follows, and the key
        // itself moves the next figure.
        QTest::keyClick(View(*frame_), Qt::Key_Right);
        QCoreApplication::processEvents();
        QCOMPARE(std::tuple(frame_->computer().Busy(), r.x, r.y), std::tuple(false, 4, 0));
    }

    void aMenuPausesTheGameOnceTheComputerHasFinished() {
        GameRecord& r = DemoOnLongFigure();
        QVERIFY(frame_->computer().Busy());
        QMenu* gameMenu = Child<QMenu>(frame_.get(), "gameMenu");
        gameMenu->popup(frame_->mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitFor([&] { return gameMenu->isVisible(); }));
        // The figure was placed whole before the menu paused the game.
        QVERIFY(!frame_->computer().Busy() && !r.running && !r.computerPlays);
        for (int u = 0; u < 4; ++u) QVERIFY(r.well.at(u, r.height - 1) != 0);
        gameMenu->close();
    }

    void closingTellsWhenTheSettingsCannotBeSaved() {
        const QString file = QString::fromStdString(SettingsFilePath().string());
        QFile::remove(file);
        QVERIFY(QDir().mkpath(file));  // a folder where the file goes
        frame_->close();
        QCOMPARE(prompts_.MessageTexts(), QStringList({"Cannot save " + file + ": Is a directory"}));
        // At logout the failure goes to stderr: no box that nobody can close.
        prompts_.messages.clear();
        frame_->show();
        frame_->SessionEnding();
        frame_->close();
        QDir(file).removeRecursively();
        QVERIFY(prompts_.messages.empty());
    }

    void terminationSignalsSaveAsExitDoes_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    // Each closes the window, which saves the keys and the window's place.
    void terminationSignalsSaveAsExitDoes() {
        QFETCH(int, signal);
        TerminationSignals termination;
        termination.SetWindow(frame_.get());
        frame_->settings().keys.drop = KeyCodeFromStored(0x42);
        const QRect place = frame_->frameGeometry();  // resized since it opened
        std::raise(signal);
        QVERIFY(QTest::qWaitFor([&] { return !frame_->isVisible(); }));
        Settings saved;
        LoadSettings(saved, {});
        QCOMPARE(StoredKeyCode(saved.keys.drop), 0x42);
        QCOMPARE(QRect(saved.left, saved.top, saved.right - saved.left, saved.bottom - saved.top), place);
    }

    // A second copy of the game opens away from the first, and closed where
    // it opened it leaves the saved place to the first.
    void aSecondCopyOpensAwayFromTheFirstAndKeepsItsPlace() {
        frame_.reset();
        frame_ = std::make_unique<CMainFrame>(kVersion, prompts_);
        frame_->show();
        OpenJoiner();
        QVERIFY(QTest::qWaitForWindowExposed(joiner_.get()));
        const Settings& place = joiner_->settings();
        QCOMPARE(frame_->frameGeometry().topLeft(), QPoint(place.left, place.top));
        QVERIFY(joiner_->frameGeometry().topLeft() != frame_->frameGeometry().topLeft());
        joiner_->close();
        Settings saved;
        LoadSettings(saved, {});
        QCOMPARE(QPoint(saved.left, saved.top), QPoint(place.left, place.top));
    }

    void aPlaceOffTheScreensOpensAtTheDefaultPlace() {
        Settings away = frame_->settings();
        std::tie(away.left, away.right) = std::tuple(3000, 3400);  // on a second monitor that is gone
        frame_.reset();
        QVERIFY(SaveSettings(away));
        frame_ = std::make_unique<CMainFrame>(kVersion, prompts_);
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        const WindowRect d =
            DefaultPlace({available.x(), available.y(), available.width(), available.height()}, away.height);
        QCOMPARE(frame_->frameGeometry(), QRect(d.left, d.top, d.right - d.left, d.bottom - d.top));
    }

    void popupMenuIsCentredOnTheClick() {
        const QPoint click = frame_->mapToGlobal(QPoint(150, 200));
        QRect shown;
        QTimer::singleShot(0, [&] {
            QWidget* popup = QApplication::activePopupWidget();
            QVERIFY(popup);
            shown = popup->geometry();
            popup->close();
        });
        frame_->ShowPopupMenu(click);
        QVERIFY(qAbs(shown.center().x() - click.x()) <= 1 && shown.top() == click.y());
    }

    // Options > Sound sets SOUND, the volume and the click; Ctrl+M mutes and
    // unmutes; the file keeps what was chosen.
    void soundOptionsAndTheMuteKey() {
        prompts_.On<SoundDialog>([](SoundDialog& d) {
            Child<QSlider>(&d, "volumeSlider")->setValue(35);
            Child<QCheckBox>(&d, "clicksBox")->setChecked(true);
            d.findChild<QPushButton*>("ok")->click();
        });
        frame_->RunAction(MenuAction::Sound);
        const Settings& s = frame_->settings();
        QCOMPARE(std::tuple(s.sound, s.soundVolume, s.soundClicks), std::tuple(1, 35, 1));
        const QAction* mute = Child<QAction>(frame_.get(), "muteAction");
        for (const int sound : {0, 1, 0}) {
            QTest::keyClick(View(*frame_), Qt::Key_M, Qt::ControlModifier);
            QCOMPARE(std::tuple(s.sound, mute->isChecked()), std::tuple(sound, sound == 0));
        }
        frame_->close();
        Settings saved;
        LoadSettings(saved, {});
        QCOMPARE(std::tuple(saved.sound, saved.soundVolume, saved.soundClicks), std::tuple(0, 35, 1));
    }

    void newHeightShowsAnEmptyWell() {
        GameView* view = View(*frame_);
        QTest::keyClick(view, Qt::Key_Return);
        for (int u = 0; u < 10; ++u) Record().well.at(u, 24) = 3;
        view->Screen().PaintGame(false);
        frame_->settings().height = 20;  // as the Skill dialog leaves it
        frame_->game().ResetGame();
        QVERIFY(QTest::qWaitFor([&] { return view->Screen().Layout().height == 20; }));
        view->repaint();
        const WindowLayout& l = view->Screen().Layout();
        const PixelImage& shown = view->Screen().Screen();
        for (int row = 1; row < 20; ++row)
            for (int column = 0; column < 10; ++column)
                QCOMPARE(shown.Pixel(l.CellX(column) + 2, l.CellY(row) + 2), kBlack);
    }

    // A game into the top ten is recorded, verifies and is linked to its
    // entry; the entry's Watch plays it in the window at 4x and by figures
    // to the recorded score; any other key leaves it with the game as it was.
    void aTopTenGameIsRecordedAndWatchedFromItsEntry() {
        std::tie(frame_->settings().animate, frame_->settings().playerName) = std::tuple(0, "Ann");
        prompts_.On<NameEntryDialog>([](NameEntryDialog& d) { d.accept(); });
        int mark = 0;
        prompts_.On<HighScoreDialog>([&](HighScoreDialog& d) {
            mark = Child<QLabel>(&d, "markLabel0")->text() == QStringLiteral("\u25B6") &&
                   Child<QPushButton>(&d, "watchButton")->isEnabled();
            d.show();
            QTest::mouseDClick(Child<QLabel>(&d, "rowLabel0"), Qt::LeftButton);
        });
        QTest::keyClick(View(*frame_), Qt::Key_Return);
        for (int figure = 0; figure < 40 && !frame_->replayViewer(); ++figure) {
            for (int t = 0; t < 3; ++t) frame_->driver().OnGameTimer();
            QTest::keyClick(View(*frame_), Qt::Key_Space);
            QCoreApplication::processEvents();
        }
        QVERIFY(mark);
        const ReplayReadResult saved = ReadReplayFile(frame_->lastReplay());
        QVERIFY(saved.replay && VerifyReplay(*saved.replay).ok && saved.replay->player == "Ann");
        QVERIFY(saved.replay->claims.score > 0 && saved.replay->claims.end == ReplayEnd::Filled);

        // The window says it is a replay.
        ReplayViewer* viewer = frame_->replayViewer();
        QVERIFY(viewer && frame_->windowTitle().contains("replay of Ann"));
        QTest::keyClick(View(*frame_), Qt::Key_4);
        QCOMPARE(viewer->Speed(), 4);
        QTest::keyClick(View(*frame_), Qt::Key_Right);
        // A step pauses; going on, each tick of the window's game timer plays four of the replay.
        const std::uint32_t stepped = viewer->player().TicksPlayed();
        frame_->driver().OnGameTimer();
        QVERIFY(viewer->Paused() && viewer->player().FiguresLanded() == 1 && viewer->player().TicksPlayed() == stepped);
        QTest::keyClick(View(*frame_), Qt::Key_Space);
        frame_->driver().OnGameTimer();
        QCOMPARE(viewer->player().TicksPlayed(), stepped + 4);
        QTRY_VERIFY(viewer->player().Finished());
        QVERIFY(viewer->player().Verdict().ok && frame_->windowTitle().contains("verified"));
        QCOMPARE(viewer->player().game().record().score, saved.replay->claims.score);
        QTest::keyClick(View(*frame_), Qt::Key_Left);
        QVERIFY(!frame_->replayViewer() && frame_->windowTitle() == "Vexari");

        // A copy whose score was changed shows in the list and as such in the table.
        Replay edited = *saved.replay;
        edited.claims.score += 1;
        const auto copy = frame_->lastReplay().parent_path() / "edited.vxr";
        QVERIFY(WriteFileSafely(copy, EncodeReplay(edited)));
        prompts_.On<ReplaysDialog>([&](ReplaysDialog& d) {
            const QTreeWidget* list = Child<QTreeWidget>(&d, "replayList");
            QCOMPARE(list->findItems(QString::number(edited.claims.score), Qt::MatchExactly, 2).size(), 1);
            d.reject();
        });
        frame_->RunAction(MenuAction::Replays);
        const auto scores = ResolveHighScorePath(frame_->settings().highScore);
        HighScoreLinks links = ReadHighScoreLinks(scores);
        links[0].file = copy.filename().string();
        QVERIFY(WriteHighScoreLinks(scores, links));
        prompts_.On<HighScoreDialog>([](HighScoreDialog& d) {
            const QLabel* mark = Child<QLabel>(&d, "markLabel0");
            QVERIFY(mark->text() == QStringLiteral("\u2717") && mark->toolTip().contains("score"));
        });
        frame_->RunAction(MenuAction::HighScore);

        // A game under way waits behind a replay as it was, its timer idle.
        QTest::keyClick(View(*frame_), Qt::Key_Return);
        QTest::keyClick(View(*frame_), Qt::Key_Space);
        const GameRecord before = Record();
        QVERIFY(frame_->Watch(copy));
        // The skip's speed is told (to the sounds) before any of its ticks is played.
        std::optional<std::uint32_t> toldAt;
        ReplayPlayer& copied = frame_->replayViewer()->player();
        connect(frame_->replayViewer(), &ReplayViewer::playSpeedChanged, [&] { toldAt = copied.TicksPlayed(); });
        QTest::keyClick(View(*frame_), Qt::Key_End);
        QVERIFY(frame_->windowTitle().contains("does not verify") && toldAt == 0u);
        for (int t = 0; t < 5; ++t) frame_->driver().OnGameTimer();
        QTest::keyClick(View(*frame_), Qt::Key_Left);
        QVERIFY(!frame_->replayViewer() && !Record().running);
        QVERIFY(Record().well == before.well && Record().score == before.score &&
                std::tuple(Record().x, Record().y) == std::tuple(before.x, before.y));
        QVERIFY(!frame_->Watch(copy.string() + ".missing") && prompts_.messages.size() == 1);
    }

    void screenshotOfAGameInPlay() {
        QTest::keyClick(View(*frame_), Qt::Key_Return);
        GameRecord& r = Record();
        for (int v = 20; v < 25; ++v)
            for (int u = 0; u < 10; ++u)
                if ((u + v) % 4) r.well.at(u, v) = 1 + (u * 3 + v) % 7;
        std::tie(r.score, r.lines) = std::tuple(1234, 17);
        View(*frame_)->Screen().Repaint();
        QCoreApplication::processEvents();
        QVERIFY(frame_->grab().toImage().save(QStringLiteral(VEXARI_SCREENSHOT_PATH)));
    }

    // Ann hosts, Bob joins from a second window; both in the network game's lists.
    void HostAndJoin(int countdown) {
        OpenJoiner();
        frame_->settings().countdownSeconds = countdown;
        AnswerJoin(prompts_, "Ann", {}, 0);
        frame_->RunAction(MenuAction::CreateNetwork);
        QTRY_VERIFY(frame_->session().networkWindow() != nullptr);
        AnswerJoin(joinPrompts_, "Bob", "127.0.0.1", HostPort());
        joiner_->RunAction(MenuAction::JoinNetwork);
        QTRY_VERIFY(joiner_->session().networkWindow() != nullptr);
        QTRY_COMPARE(Child<QTreeWidget>(frame_->session().networkWindow(), "playerList")->topLevelItemCount(), 2);
    }
    // Keys as the X server delivers them, so that the window manager sees the
    // user at work, as it does with a real keyboard.
    static void Type(const QStringList& xdotoolArguments) {
        QVERIFY(QProcess::execute(QStringLiteral("xdotool"), xdotoolArguments) == 0);
        QTest::qWait(50);
    }
    static void Activate(QWidget* window, QWidget* focus) {
        window->activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeWindow() == window, kDesktopWaitMs);
        focus->setFocus();
    }

    // The player's keys stay where the player has them: in Bob's game when Ann starts a round, in an
    // open menu or the chat line when a pause text arrives; one Esc and one Enter pause and resume.
    void networkTextsAndARoundsStartLeaveTheKeysWhereTheyAre() {
        if (QGuiApplication::platformName() != "xcb" || QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("needs a desktop with xdotool; app.desktop runs this on one");
        HostAndJoin(1);
        QPlainTextEdit* annLog = Child<QPlainTextEdit>(frame_->session().networkWindow(), "chatLog");
        Activate(joiner_.get(), View(*joiner_));
        frame_->session().networkWindow()->startButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(!Record().waitingForStart && !joiner_->game().record().waitingForStart, kDesktopWaitMs);
        QTest::qWait(200);
        GameRecord& bob = GameAccess::Record(joiner_->game());
        QVERIFY(QApplication::activeWindow() == joiner_.get() && bob.running && Record().running);
        QVERIFY(!annLog->toPlainText().contains("paused"));

        // The menu pauses everyone; the pause text waits for the menu to close.
        MessageWindow* bobMessages = Child<MessageWindow>(joiner_.get(), "messageWindow");
        QMenu* menu = Child<QMenu>(joiner_.get(), "gameMenu");
        menu->popup(joiner_->mapToGlobal(QPoint(10, 10)));
        QTRY_VERIFY_WITH_TIMEOUT(bobMessages->Text().contains("Bob paused the game."), kDesktopWaitMs);
        QTest::qWait(50);
        QVERIFY(menu->isVisible() && QApplication::activePopupWidget() == menu && !bobMessages->isVisible());
        menu->close();
        QTRY_VERIFY_WITH_TIMEOUT(bobMessages->isVisible(), kDesktopWaitMs);

        // Enter resumes after the countdown; Esc pauses, and one Enter resumes again.
        Activate(joiner_.get(), View(*joiner_));
        for (const auto key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Return}) {
            Type({"key", key == Qt::Key_Return ? "Return" : "Escape"});
            QTRY_VERIFY_WITH_TIMEOUT(bob.running == (key == Qt::Key_Return) && Record().running == bob.running, kDesktopWaitMs);
        }
        QVERIFY(QApplication::focusWidget() == View(*joiner_));

        // A pause text arrives while Bob types a chat line: the line and its Enter stay in the chat.
        NetworkGameWindow* bobWindow = joiner_->session().networkWindow();
        Activate(bobWindow, Child<QLineEdit>(bobWindow, "chatInput"));
        Type({"type", "hi"});
        QTRY_VERIFY_WITH_TIMEOUT(bobMessages->isVisible(), kDesktopWaitMs);  // leaving the game for the chat paused everyone
        Type({"type", " there"});
        Type({"key", "Return"});
        QTRY_VERIFY_WITH_TIMEOUT(annLog->toPlainText().contains("Bob: hi there"), kDesktopWaitMs);

        // Leaving closes the Message window with the network window.
        bobWindow->closeButton()->click();
        QVERIFY(!bobMessages->isVisible() && !bob.networkGame);
    }

    // The host's end-of-game animation leaves its server free: a peer's chat line sent just
    // before the host's well fills is echoed while the animation is still running.
    void theHostsServerAnswersDuringItsGameOver() {
        frame_->settings().countdownSeconds = 0;
        AnswerJoin(prompts_, "Ann", {}, 0);
        frame_->RunAction(MenuAction::CreateNetwork);
        QTRY_VERIFY(frame_->session().networkWindow() != nullptr);
        QTcpSocket peer;
        QByteArray received;
        QObject::connect(&peer, &QIODevice::readyRead, [&] { received += peer.readAll(); });
        peer.connectToHost(QHostAddress::LocalHost, HostPort());
        QVERIFY(peer.waitForConnected(5000));
        const std::string join = EncodeJoin("Peer", "Blue", kVersion);
        peer.write(join.data(), qint64(join.size()));
        QTRY_COMPARE(Child<QTreeWidget>(frame_->session().networkWindow(), "playerList")->topLevelItemCount(), 2);
        frame_->session().client().StartGame();
        QTRY_VERIFY(Record().running);

        GameRecord& r = Record();
        for (int v = 2; v < r.height; ++v)
            for (int u = 1; u < 10; ++u) r.well.at(u, v) = 1;
        std::tie(r.mask, r.x, r.y) = std::tuple(FigureTable()[1], 5, 0);  // lands in row 1, where the next one must go
        const std::string chat = EncodeText("ping");
        received.clear();
        peer.write(chat.data(), qint64(chat.size()));
        peer.flush();
        QElapsedTimer sent;
        sent.start();
        QTest::keyClick(View(*frame_), Qt::Key_Space);
        QVERIFY(frame_->game().Animating());
        QTRY_VERIFY(received.contains("Peer: ping"));
        const qint64 latency = sent.elapsed();
        qInfo("echo during the host's game over: %lld ms", latency);
        QVERIFY(frame_->game().Animating());
        QTRY_VERIFY_WITH_TIMEOUT(!frame_->game().Animating() && r.waitingForStart, 5000);
    }

    // Two main windows in one process, host and joiner, play a network game
    // over the loopback address.
    void hostAndJoinerPlayARound() {
        HostAndJoin(0);
        QVERIFY(Record().networkGame && frame_->settings().server == "127.0.0.1");
        NetworkGameWindow& hostWindow = *frame_->session().networkWindow();
        const QPlainTextEdit* hostLog = Child<QPlainTextEdit>(&hostWindow, "chatLog");

        // A chat line goes round through the server.
        NetworkGameWindow* joinerWindow = joiner_->session().networkWindow();
        Child<QLineEdit>(joinerWindow, "chatInput")->setText("hello");
        Child<QPushButton>(joinerWindow, "sendButton")->click();
        QTRY_VERIFY(hostLog->toPlainText().contains("Bob: hello"));

        // The round starts on both with the host's seed. (Both windows live in this one process:
        // the round's start brings each to the front in turn, and the one left behind pauses
        // everyone, so the games may be paused by now.)
        hostWindow.startButton()->click();
        QTRY_VERIFY(!Record().waitingForStart && !joiner_->game().record().waitingForStart);
        QCOMPARE(joiner_->game().record().networkSeed, Record().networkSeed);

        // The host's double row rises as a present in the joiner's well.
        const int stackTop = joiner_->game().record().stackTop;
        frame_->session().client().SendLanded(3, 0, 2);
        QTRY_COMPARE(joiner_->game().record().stackTop, stackTop - 1);

        // The joiner leaves mid-round: Ann's team is the last one left, so the round ends.
        joiner_->session().networkWindow()->closeButton()->click();
        QVERIFY(!joiner_->game().record().networkGame && joiner_->session().networkWindow() == nullptr);
        QTRY_VERIFY(hostLog->toPlainText().contains("Red won this round."));
        QTRY_VERIFY(hostWindow.startButton()->isEnabled());
        QVERIFY(Record().waitingForStart);

        // The host closes: the server stops listening.
        hostWindow.closeButton()->click();
        QVERIFY(!Record().networkGame && !frame_->session().serverTransport().Listening());
    }

    // A network game that cannot begin says why and leaves a single game that New Game starts.
    void aFailedCreateOrJoinSaysSoAndPlaysOnAlone() {
        OpenJoiner();
        AnswerJoin(prompts_, "Ann", {}, 0);
        frame_->RunAction(MenuAction::CreateNetwork);
        const int port = HostPort();
        QTRY_VERIFY(frame_->session().networkWindow() != nullptr);
        // A second Ann is refused with the server's own words, even while busy; the joiner's network game ends.
        Activate(joiner_.get(), View(*joiner_));
        AnswerJoin(joinPrompts_, "Ann", "127.0.0.1", port);
        joiner_->RunAction(MenuAction::JoinNetwork);
        std::tie(joiner_->settings().animate, GameAccess::Record(joiner_->game()).waitingForStart) = std::tuple(1, false);
        joiner_->game().EndOfGameAnimation(AfterAnimation::Reset);
        QTRY_COMPARE(joinPrompts_.MessageTexts(), QStringList{"Player with the same name already exists"});
        QVERIFY(!joiner_->game().record().networkGame && joiner_->session().networkWindow() == nullptr);
        // The port is taken by the host.
        Activate(joiner_.get(), View(*joiner_));
        AnswerJoin(joinPrompts_, "Bob", {}, port);
        joiner_->RunAction(MenuAction::CreateNetwork);
        QCOMPARE(joinPrompts_.MessageTexts().back(), "Cannot create server socket");
        // A port nobody listens on any more: the host's game ends first; the dialog is cancelled.
        frame_->RunAction(MenuAction::JoinNetwork);
        AnswerJoin(joinPrompts_, "Comp7", "127.0.0.1", port);
        joiner_->RunAction(MenuAction::JoinNetwork);
        GameRecord& r = GameAccess::Record(joiner_->game());
        QVERIFY(r.computerPlays && r.networkGame);
        // Ann is at work in her window: Bob's window tells its reason once he comes back to it.
        Activate(frame_.get(), View(*frame_));
        QTRY_VERIFY(!r.networkGame);
        QTest::qWait(50);
        QCOMPARE(joinPrompts_.MessageTexts().size(), 2);
        Activate(joiner_.get(), View(*joiner_));
        QTRY_COMPARE(joinPrompts_.MessageTexts().size(), 3);
        QCOMPARE(joinPrompts_.MessageTexts().back(), "Error connecting to server");
        QVERIFY(!r.networkGame && !r.computerPlays && !Child<MessageWindow>(joiner_.get(), "messageWindow")->isVisible());
        QTest::keyClick(View(*joiner_), Qt::Key_F2);
        QVERIFY(r.running);
    }

    // ---- the sockets ----

    void clientConnectFailsOrConnectsButNeverBoth() {
        QTcpServer probe;  // a port nobody listens on: take a free one and let it go again
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const auto freePort = probe.serverPort();
        probe.close();
        QTcpServer listener;
        QVERIFY(listener.listen(QHostAddress::AnyIPv4));
        for (const std::uint16_t port : {freePort, listener.serverPort()}) {
            const bool listening = port == listener.serverPort();
            QtClientTransport client;
            QSignalSpy connected(&client, &QtClientTransport::connected);
            QSignalSpy failed(&client, &QtClientTransport::connectFailed);
            client.Connect(QStringLiteral("127.0.0.1"), port);
            QVERIFY(WaitFor([&] { return connected.count() + failed.count() > 0; }, 10000));
            QTest::qWait(50);
            QCOMPARE(std::tuple(connected.count(), failed.count(), client.IsOpen()),
                     std::tuple(listening ? 1 : 0, listening ? 0 : 1, listening));
        }
    }

    void clientReportsServerCloseOnceAndOwnCloseNever() {
        QTcpServer listener;
        QVERIFY(listener.listen(QHostAddress::LocalHost));
        for (const bool serverCloses : {true, false}) {
            QtClientTransport client;
            QSignalSpy connected(&client, &QtClientTransport::connected);
            QSignalSpy closed(&client, &QtClientTransport::closed);
            QByteArray received;
            client.onBytes = [&](std::string_view bytes) { received.append(bytes.data(), qsizetype(bytes.size())); };
            client.Connect(QStringLiteral("127.0.0.1"), listener.serverPort());
            QVERIFY(WaitFor([&] { return listener.hasPendingConnections(); }));
            std::unique_ptr<QTcpSocket> peer(listener.nextPendingConnection());
            QVERIFY(WaitFor([&] { return connected.count() == 1; }));

            // What the server sends just before closing still arrives first.
            peer->write("last words");
            peer->flush();
            if (serverCloses) {
                peer->disconnectFromHost();
            } else {
                QVERIFY(WaitFor([&] { return received == "last words"; }));
                client.Close();
            }
            QTest::qWait(200);
            QCOMPARE(received, QByteArray("last words"));
            QVERIFY(closed.count() == (serverCloses ? 1 : 0) && !client.IsOpen());
        }
    }
};

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
