// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GameDriver.h"

#include <QApplication>
#include <QInputEvent>

#include "game/GameRules.h"
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

}  // namespace

GameDriver::GameDriver(Game& game, ComputerPlayer& computer, QObject* parent)
    : QObject(parent), computer_(computer), runner_(game, clock_) {
    runner_.SetOutputs({
        .wait = [this](int ms) { ms < 0 ? deadlineTimer_.stop() : deadlineTimer_.start(ms); },
        .idle = [this] { emit idle(); },
        .accelerator =
            [this](KeyCode key) {
                if (key == KeyCode::Tab || key == KeyCode::Digit1) return emit actionRequested(MenuAction::ToggleNext), true;
                if (key == KeyCode::F2) return emit actionRequested(MenuAction::NewGame), true;
                return false;
            },
    });
    connect(&timer_, &QTimer::timeout, this, &GameDriver::OnGameTimer);
    timer_.start(kTickMs);
    deadlineTimer_.setSingleShot(true);
    connect(&deadlineTimer_, &QTimer::timeout, this, [this] { runner_.Deadline(); });
    qApp->installEventFilter(this);
}

GameDriver::~GameDriver() { qApp->removeEventFilter(this); }

void GameDriver::Stop() {
    timer_.stop();
    deadlineTimer_.stop();
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
            runner_.InputArrived();
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vexari
