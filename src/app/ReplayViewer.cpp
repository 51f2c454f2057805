// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ReplayViewer.h"

#include <utility>

#include "app/GameDriver.h"
#include "app/GameView.h"

namespace vexari {

ReplayViewer::ReplayViewer(Replay replay, GameView& view, const Settings& display, GameDriver& driver,
                           QObject* parent)
    : QObject(parent), view_(view), display_(display), player_(std::move(replay)) {
    display_.next = player_.game().settings().next;
    player_.SetPainter(&view_.ShowOtherGame(player_.game().record(), display_));
    player_.game().AddListener(&view_);
    view_.RepaintAll();
    connect(&driver, &GameDriver::ticked, this, &ReplayViewer::OnGameTimer);
    view_.ShowStatusText(StatusText());
}

ReplayViewer::~ReplayViewer() {
    player_.game().RemoveListener(&view_);
    player_.SetPainter(nullptr);
    view_.ShowOwnGame();
}

bool ReplayViewer::KeyPressed(KeyCode key) {
    switch (key) {
    case kKeyPause:
        TogglePause();
        return true;
    case kKeyStep:
        StepFigure();
        return true;
    case kKeySkip:
        SkipToEnd();
        return true;
    case kKeySpeed1:
        SetSpeed(1);
        return true;
    case kKeySpeed2:
        SetSpeed(2);
        return true;
    case kKeySpeed4:
        SetSpeed(4);
        return true;
    case kKeySpeed16:
        SetSpeed(16);
        return true;
    default:
        return false;
    }
}

void ReplayViewer::SetPlaySpeed(int speed, bool skipping) {
    speed_ = speed;
    skipping_ = skipping;
    emit playSpeedChanged(PlaySpeed());
}

void ReplayViewer::SetSpeed(int speed) {
    SetPlaySpeed(speed, false);
    paused_ = false;
    Shown();
}

void ReplayViewer::TogglePause() {
    paused_ = !paused_;
    Shown();
}

void ReplayViewer::StepFigure() {
    SetPlaySpeed(speed_, false);
    paused_ = true;  // a step pauses, so that the figure can be looked at
    player_.StepFigure();
    Shown();
}

void ReplayViewer::SkipToEnd() {
    // In bounded steps of the game timer, so that no file holds the window up.
    SetPlaySpeed(speed_, true);
    paused_ = false;
    OnGameTimer();
}

void ReplayViewer::OnGameTimer() {
    if (paused_) return;
    const GameRecord& r = player_.game().record();
    for (int i = 0; i < kMaxSkippedTicks && !r.running && player_.Step(); ++i) {
    }
    const int ticks = skipping_ ? kMaxSkippedTicks : speed_;
    for (int i = 0; i < ticks && player_.Step(); ++i) {
    }
    Shown();
}

void ReplayViewer::Shown() {
    if (display_.next != player_.game().settings().next) {
        display_.next = player_.game().settings().next;
        view_.RepaintAll();
    }
    if (player_.Finished()) {
        paused_ = true;
        ShowEnd();
    }
    view_.ShowStatusText(StatusText());
    emit titleChanged(Title());
}

void ReplayViewer::ShowEnd() {
    if (endShown_) return;
    endShown_ = true;
    // When the well filled, the replayed game has reset itself or started
    // its end-of-game pictures: the well that filled is shown instead.
    const ReplayClaims& claims = player_.replay().claims;
    if (player_.Verdict().ok && claims.end == ReplayEnd::Filled)
        player_.game().ShowFinalPosition(claims.well, claims.score, claims.lines);
    view_.RepaintAll();
}

QString ReplayViewer::StatusText() const {
    if (player_.Finished()) return player_.Verdict().ok ? tr("REPLAY: VERIFIED") : tr("REPLAY: NOT VERIFIED");
    return Paused() ? tr("REPLAY PAUSED") : tr("REPLAY %1×").arg(speed_);
}

QString ReplayViewer::Title() const {
    QString player = QString::fromStdString(player_.replay().player);
    if (player.isEmpty()) player = tr("a player without a name");
    QString state = Paused() ? tr("paused") : tr("%1×").arg(speed_);
    if (player_.Finished())
        state = player_.Verdict().ok ? tr("the end, verified")
                                     : tr("does not verify: %1").arg(QString::fromStdString(player_.Verdict().message));
    return tr("Vexari - replay of %1, %2 - %3").arg(player, state, KeysText());
}

QString ReplayViewer::KeysText() {
    return tr("Space pause, 1 2 4 6 speed, Right one figure, End skip, other keys leave");
}

}  // namespace vexari
