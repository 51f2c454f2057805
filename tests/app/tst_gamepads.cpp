// SPDX-License-Identifier: GPL-3.0-or-later
// The main window played with SDL's virtual game controllers: plugged in,
// pressed, held, set up in the design dialog and unplugged.
#include <SDL.h>

#include <QTemporaryDir>
#include <QtTest>
#include <QtWidgets>

#include "../ui/FakePrompts.h"
#include "app/CMainFrame.h"
#include "app/Commands.h"
#include "app/GameDriver.h"
#include "app/GameView.h"
#include "app/Gamepads.h"
#include "game/Figures.h"
#include "settings/Paths.h"
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
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Virtual pad";
        pad_ = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
        Poll();
    }
    void Unplug() {
        for (int i = 0; pad_ && i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == SDL_JoystickInstanceID(pad_)) {
                SDL_JoystickClose(std::exchange(pad_, nullptr));
                SDL_JoystickDetachVirtual(i);
            }
        Poll();
    }
    void Press(SDL_GameControllerButton button, bool down = true) {
        SDL_JoystickSetVirtualButton(pad_, button, down);
        Poll();
    }
    void Click(SDL_GameControllerButton button) { Press(button), Press(button, false); }
    void Stick(SDL_GameControllerAxis axis, int value) {
        SDL_JoystickSetVirtualAxis(pad_, axis, static_cast<Sint16>(value));
        Poll();
    }
    void Wait(std::uint32_t ms) {
        now_ += ms;
        Poll();
    }
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
        frame_->resize(320, 600);
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
        Plug();  // during play
        QCOMPARE(frame_->gamepads().Count(), 1);
        Start();
        // Left held repeats after the delay at the rate, until let go.
        const PadSettings& pad = frame_->settings().pad;
        Press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
        QCOMPARE(Record().x, 2);
        Wait(pad.delay - 1);
        QCOMPARE(Record().x, 2);
        Wait(1);
        QCOMPARE(Record().x, 1);
        Wait(1000 / pad.rate);
        QCOMPARE(Record().x, 0);
        Press(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
        Wait(1000);
        QCOMPARE(Record().x, 0);
        // The stick moves too.
        Stick(SDL_CONTROLLER_AXIS_LEFTX, 32767);
        Stick(SDL_CONTROLLER_AXIS_LEFTX, 0);
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
        Press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        QVERIFY(frame_->driver().IsKeyDown(frame_->settings().keys.accelerate));
        Press(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
        QVERIFY(!frame_->driver().IsKeyDown(frame_->settings().keys.accelerate));
        Click(SDL_CONTROLLER_BUTTON_Y);
        QVERIFY(Record().y == 0 && Record().score > 0);
        // Back pauses, Start continues.
        Click(SDL_CONTROLLER_BUTTON_BACK);
        QVERIFY(!Record().running);
        Click(SDL_CONTROLLER_BUTTON_START);
        QVERIFY(Record().running);

        // While the game does not have the keys, the pad presses nothing.
        frame_->view()->clearFocus();
        QVERIFY(!Record().running);
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
            QCOMPARE(std::tuple(box.DelayEdit()->text(), box.RateEdit()->text(), box.ButtonBox(0)->currentText()),
                     std::tuple(QString("500"), QString("30"), QString("Rotate")));
            box.DelayEdit()->setText("2001");
            d.accept();  // refused: the dialog stays open
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
        Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
        Wait(300);
        Wait(99);
        QCOMPARE(Record().x, 5);
        Wait(1);
        QCOMPARE(Record().x, 6);
        Click(SDL_CONTROLLER_BUTTON_A);
        QVERIFY(Record().y == 0 && Record().score > 0);
    }
};

QTEST_MAIN(GamepadTest)
#include "tst_gamepads.moc"
