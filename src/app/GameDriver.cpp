// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GameDriver.h"

#include <QApplication>
#include <QDateTime>
#include <QInputEvent>
#include <algorithm>
#include <optional>

#include "ui/MenuActions.h"

namespace vexari {
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

// The earlier of two tick counts that may lie on either side of a wrap.
std::optional<std::uint32_t> Earlier(std::optional<std::uint32_t> a, std::optional<std::uint32_t> b) {
    if (!a || !b) return a ? a : b;
    return TickReached(*a, *b) ? a : b;
}

bool Due(std::optional<std::uint32_t> deadline, std::uint32_t now) { return deadline && TickReached(*deadline, now); }

}  // namespace

GameDriver::GameDriver(Game& game, ComputerPlayer& computer, QObject* parent)
    : QObject(parent), game_(game), computer_(computer) {
    clock_.start();
    connect(&timer_, &QTimer::timeout, this, &GameDriver::OnGameTimer);
    timer_.start(kTickMs);
    deadlineTimer_.setSingleShot(true);
    connect(&deadlineTimer_, &QTimer::timeout, this, &GameDriver::OnDeadline);
    qApp->installEventFilter(this);
}

GameDriver::~GameDriver() { qApp->removeEventFilter(this); }

void GameDriver::Stop() {
    timer_.stop();
    deadlineTimer_.stop();
}

std::int64_t GameDriver::Seconds() { return QDateTime::currentSecsSinceEpoch(); }

std::uint32_t GameDriver::TickCount() { return static_cast<std::uint32_t>(clock_.elapsed()); }

void GameDriver::OnGameTimer() {
    game_.Tick();
    Schedule();
}

void GameDriver::Schedule() {
    // What is handed on once the game is free may make it busy again.
    for (;;) {
        if (const auto deadline = Earlier(computer_.NextDeadline(), game_.AnimationDeadline())) {
            deadlineTimer_.start(TicksUntil(*deadline, TickCount()));
            return;
        }
        deadlineTimer_.stop();
        ReplayHeldKeys();
        if (Busy()) continue;
        emit idle();
        if (!Busy()) return;
    }
}

void GameDriver::OnDeadline() {
    const std::uint32_t now = TickCount();
    if (Due(computer_.NextDeadline(), now)) computer_.Advance(now);
    if (Due(game_.AnimationDeadline(), now)) game_.AdvanceAnimation(now);
    Schedule();
}

void GameDriver::FinishPendingWork() {
    if (!Busy()) return;
    computer_.Finish();
    game_.FinishAnimation();
    Schedule();
}

void GameDriver::ReplayHeldKeys() {
    // Input that came while the game was busy is handled now, in the order
    // it arrived.
    while (!heldKeys_.empty() && !Busy()) {
        const HeldKey key = heldKeys_.front();
        heldKeys_.pop_front();
        KeyDown(key.key, key.repeatCount);
    }
}

bool GameDriver::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (IsUserInput(type) && watched->isWidgetType() && computer_.Busy()) {
        // One press is seen here by every widget it travels through, first
        // the window's, then the receiver and its parents; it ends one wait.
        const auto timestamp = static_cast<QInputEvent*>(event)->timestamp();
        if (type != lastInputType_ || timestamp != lastInputTimestamp_) {
            lastInputType_ = type;
            lastInputTimestamp_ = timestamp;
            computer_.InputArrived(TickCount());
            Schedule();
        }
    }
    return QObject::eventFilter(watched, event);
}

void GameDriver::KeyPressed(KeyCode key, bool autoRepeat) {
    if (!autoRepeat) keysDown_.insert(key);
    KeyDown(key, 1);
}

void GameDriver::KeyReleased(KeyCode key) { keysDown_.erase(key); }

void GameDriver::KeyDown(KeyCode key, int repeatCount) {
    if (Busy()) {
        heldKeys_.push_back({key, repeatCount});
        return;
    }
    // The accelerators come first.
    if (key == KeyCode::Tab || key == KeyCode::Digit1) return emit actionRequested(MenuAction::ToggleNext);
    if (key == KeyCode::F2) return emit actionRequested(MenuAction::NewGame);
    game_.KeyDown(key, repeatCount);
    Schedule();
}

}  // namespace vexari
