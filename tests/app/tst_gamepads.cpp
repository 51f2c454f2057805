// SPDX-License-Identifier: GPL-3.0-or-later
// The main window played with SDL's virtual game controllers: plugged in,
// pressed, held, set up in the design dialog and unplugged.
#include <SDL.h>

#include <QtTest>
#include <QtWidgets>

#include "../ui/FakePrompts.h"
#include "app/CMainFrame.h"
#include "app/Commands.h"
#include "app/GameDriver.h"
#include "app/GameView.h"
#include "app/Gamepads.h"
#include "game/Figures.h"
#include "ui/DesignDialog.h"
#include "ui/PadSettingsBox.h"

using namespace vexari;

class GamepadTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    FakePrompts prompts_;
    std::unique_ptr<CMainFrame> frame_;
    std::uint32_t now_ = 0;  // the pads' clock
    SDL_Joystick* pad_ = nullptr;

    GameRecord& Record() { return frame_->game().record(); }
    void Poll() { frame_->gamepads().Poll(); }
    void Plug() {
        SDL_VirtualJoystickDesc desc{};
        std::tie(desc.version, desc.type) = std::tuple(SDL_VIRTUAL_JOYSTICK_DESC_VERSION, SDL_JOYSTICK_TYPE_GAMECONTROLLER);
        std::tie(desc.naxes, desc.nbuttons) = std::tuple(SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX);
        pad_ = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
        Poll();
    }
    void Unplug() {
        for (int i = 0; pad_ && i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == SDL_JoystickInstanceID(pad_))
                SDL_JoystickClose(std::exchange(pad_, nullptr)), SDL_JoystickDetachVirtual(i);
        Poll();
    }
    void Press(SDL_GameControllerButton button, bool down = true) {
        SDL_JoystickSetVirtualButton(pad_, button, down);
        Poll();
    }
    void Click(SDL_GameControllerButton button) { Press(button), Press(button, false); }
    // Starts the game with a T in the middle.
    void Start() {
        Click(SDL_CONTROLLER_BUTTON_START);
        QVERIFY(Record().running);
        std::tie(Record().mask, Record().x, Record().y) = std::tuple(FigureTable()[2], 3, 0);
    }

private slots:
    void init() {
        qputenv("XDG_CONFIG_HOME", (dir_.path() + "/config").toUtf8());
        qputenv("XDG_DATA_HOME", (dir_.path() + "/data").toUtf8());
        prompts_ = FakePrompts();
        frame_ = std::make_unique<CMainFrame>(ProgramVersion{1, 0, 0, 5}, prompts_);
        frame_->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
        frame_->view()->setFocus();
        QTRY_VERIFY(frame_->view()->hasFocus());
        frame_->gamepads().SetClock([this] { return now_; });
        QVERIFY(frame_->gamepads().Available() && frame_->gamepads().Count() == 0);
    }
    void cleanup() {
        Unplug();
        frame_.reset();
    }

    void aPadPlaysAsTheKeysDo() {
        Plug();  // during play; a window opened later finds it plugged in
        QCOMPARE(std::tuple(frame_->gamepads().Count(), Gamepads(frame_->settings()).Count()), std::tuple(1, 1));
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
        auto turned = [](FigureMask mask, int turns) {
            while (turns-- > 0) RotateFigure(mask);
            return mask;
        };
        const FigureMask before = Record().mask;
        Click(SDL_CONTROLLER_BUTTON_A);
        QVERIFY(Record().mask == turned(before, 1));
        Click(SDL_CONTROLLER_BUTTON_B);
        QVERIFY(Record().mask == turned(before, 4));
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
        frame_->view()->clearFocus();
        Click(SDL_CONTROLLER_BUTTON_START);
        QVERIFY(!Record().running);
        frame_->view()->setFocus();
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
            PadSettingsBox& box = *d.PadBox();
            box.DelayEdit()->setText("2001");
            QVERIFY((d.accept(), d.result() == QDialog::Rejected));  // refused: the dialog stays open
            box.DelayEdit()->setText("300");
            box.RateEdit()->setText("10");
            box.ButtonBox(PadSettings::kA)->setCurrentIndex(kPadDrop);
            d.accept();
        });
        frame_->Command(kCmdDesign);
        QCOMPARE(prompts_.MessageTexts(), QStringList{RangeMessage(100, 2000)});
        QCOMPARE(frame_->settings().pad, (PadSettings{300, 10, {kPadDrop, kPadRotate2, kPadRotate2, kPadDrop, 2, 1}}));
        Plug();
        Start();
        Click(SDL_CONTROLLER_BUTTON_A);
        QVERIFY(Record().y == 0 && Record().score > 0);
    }
};

QTEST_MAIN(GamepadTest)
#include "tst_gamepads.moc"
