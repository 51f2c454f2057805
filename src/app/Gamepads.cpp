// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Gamepads.h"

#include <SDL.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <utility>

#include "settings/Paths.h"

namespace vexari {
namespace {

// SDL's events are the process's: whichever window polls hands each event
// to every window's pads.
std::vector<Gamepads*>& LiveGamepads() {
    static std::vector<Gamepads*> live;
    return live;
}

std::optional<PadControl> ControlOf(Uint8 button) {
    switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return PadControl::Left;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return PadControl::Right;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return PadControl::Up;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return PadControl::Down;
    case SDL_CONTROLLER_BUTTON_A: return PadControl::A;
    case SDL_CONTROLLER_BUTTON_B: return PadControl::B;
    case SDL_CONTROLLER_BUTTON_X: return PadControl::X;
    case SDL_CONTROLLER_BUTTON_Y: return PadControl::Y;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: return PadControl::LeftShoulder;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: return PadControl::RightShoulder;
    case SDL_CONTROLLER_BUTTON_START: return PadControl::Start;
    case SDL_CONTROLLER_BUTTON_BACK: return PadControl::Back;
    default: return std::nullopt;
    }
}

}  // namespace

Gamepads::Gamepads(const Settings& settings, Clock clock, QObject* parent)
    : QObject(parent), settings_(settings), clock_(std::move(clock)) {
    // The program's own handlers deal with the termination signals.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return;  // no pads then
    available_ = true;
    LiveGamepads().push_back(this);
    const std::filesystem::path own = ConfigDir() / "gamecontrollerdb.txt";
    std::error_code error;
    if (std::filesystem::exists(own, error)) SDL_GameControllerAddMappingsFromFile(own.c_str());
    // Pads plugged in before: another window may have read their news.
    for (int i = 0; i < SDL_NumJoysticks(); ++i) Open(i);
    connect(&timer_, &QTimer::timeout, this, &Gamepads::Poll);
    Reschedule();
}

Gamepads::~Gamepads() {
    if (!available_) return;
    std::erase(LiveGamepads(), this);
    for (auto& [id, pad] : pads_) SDL_GameControllerClose(pad->controller);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void Gamepads::Open(int deviceIndex) {
    if (!SDL_IsGameController(deviceIndex)) return;
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (pads_.count(id)) return;
    if (SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex))
        pads_.emplace(id, std::make_unique<Pad>(Pad{controller, PadKeys(settings_)}));
}

void Gamepads::Poll() {
    if (!available_) return;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0)
        for (Gamepads* pads : std::vector<Gamepads*>(LiveGamepads())) pads->Handle(event);
    for (Gamepads* pads : std::vector<Gamepads*>(LiveGamepads())) {
        std::vector<PadKey> keys;
        const std::uint32_t now = pads->clock_();
        for (auto& [id, pad] : pads->pads_) pad->keys.Advance(now, keys);
        pads->HandOut(keys);
        pads->Reschedule();
    }
}

void Gamepads::Handle(const SDL_Event& event) {
    std::vector<PadKey> keys;
    const std::uint32_t now = clock_();
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: Open(event.cdevice.which); break;
    case SDL_CONTROLLERDEVICEREMOVED:
        if (const auto pad = pads_.find(event.cdevice.which); pad != pads_.end()) {
            pad->second->keys.ReleaseAll(keys);
            SDL_GameControllerClose(pad->second->controller);
            pads_.erase(pad);
            HandOut(keys);
            emit unplugged();
        }
        return;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (const auto pad = pads_.find(event.cbutton.which); pad != pads_.end())
            if (const auto control = ControlOf(event.cbutton.button))
                pad->second->keys.Set(*control, event.cbutton.state == SDL_PRESSED, now, keys);
        break;
    case SDL_CONTROLLERAXISMOTION:
        if (const auto pad = pads_.find(event.caxis.which);
            pad != pads_.end() && event.caxis.axis <= SDL_CONTROLLER_AXIS_LEFTY) {
            Pad& p = *pad->second;
            (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX ? p.stickX : p.stickY) = event.caxis.value;
            p.keys.SetStick(p.stickX, p.stickY, now, keys);
        }
        break;
    default: break;
    }
    HandOut(keys);
}

void Gamepads::HandOut(std::vector<PadKey>& keys) {
    for (const PadKey& key : keys) {
        if (!key.down)
            emit keyReleased(key.key);
        else if (!gate_ || gate_())
            emit keyPressed(key.key, key.autoRepeat);
    }
    keys.clear();
}

void Gamepads::Reschedule() {
    const int interval = pads_.empty() ? kLookMs : kPollMs;
    if (!timer_.isActive() || timer_.interval() != interval) timer_.start(interval);
}

}  // namespace vexari
