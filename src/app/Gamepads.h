// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "game/PadKeys.h"
#include "settings/Settings.h"

union SDL_Event;
struct _SDL_GameController;

namespace vexari {

// The gamepads plugged in, through SDL's game controller API and its
// mapping database (with the player's own mappings from
// gamecontrollerdb.txt in the configuration folder, where there is one).
// A timer of the event loop reads SDL's events without waiting and hands
// each pad's controls on as key presses and releases (PadKeys), which the
// window treats as it treats the keyboard's. The repeats are timed by the
// window's clock, the one the game's deadlines go by. Without SDL's game
// controller support, or without a pad, nothing happens.
class Gamepads : public QObject {
    Q_OBJECT
public:
    // How often SDL is asked while a pad is open, and while none is, for
    // one plugged in.
    static constexpr int kPollMs = 8;
    static constexpr int kLookMs = 250;
    using Clock = std::function<std::uint32_t()>;

    // `clock`: the window's millisecond count (GameClock::TickCount, which wraps).
    Gamepads(const Settings& settings, Clock clock, QObject* parent = nullptr);
    ~Gamepads() override;

    int Count() const { return static_cast<int>(pads_.size()); }
    // Presses go out only while the gate says so (the game has the keys);
    // releases always do.
    void SetGate(std::function<bool()> gate) { gate_ = std::move(gate); }
    // Another clock for the repeats.
    void SetClock(Clock clock) { clock_ = std::move(clock); }
    // Reads what SDL has seen, for every window's pads, and hands out the
    // presses and repeats due.
    void Poll();

signals:
    void keyPressed(KeyCode key, bool autoRepeat);
    void keyReleased(KeyCode key);
    // A pad was unplugged.
    void unplugged();

private:
    struct Pad {
        _SDL_GameController* controller;
        PadKeys keys;
        int stickX = 0;
        int stickY = 0;
    };

    void Open(int deviceIndex);
    void Handle(const SDL_Event& event);
    void HandOut(std::vector<PadKey>& keys);
    void Reschedule();

    const Settings& settings_;
    bool available_ = false;
    std::map<std::int32_t, std::unique_ptr<Pad>> pads_;  // by SDL instance id
    std::function<bool()> gate_;
    Clock clock_;
    QTimer timer_;
};

}  // namespace vexari
