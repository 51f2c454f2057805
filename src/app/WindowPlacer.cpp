// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowPlacer.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <tuple>

namespace vexari {
namespace {

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

// How far each further copy of the game moves where nothing has room
// beside the first: about a title bar's height.
constexpr int kCopyStep = 32;

}  // namespace

WindowPlacer::WindowPlacer(QWidget& window, Settings& settings)
    : QObject(&window), window_(window), settings_(settings) {
    connect(&framePoll_, &QTimer::timeout, this, [this] {
        PlaceOnceFramed();
        if (!awaitsFrame_ || --framePolls_ <= 0) framePoll_.stop();
    });
}

void WindowPlacer::PlaceAtSaved() {
    savedPlace_ = {settings_.left, settings_.top, settings_.right, settings_.bottom};
    awaitsFrame_ = true;
    Place();
}

FrameMargins WindowPlacer::CurrentFrameMargins() const {
    const QRect outer = window_.frameGeometry();
    const QRect inner = window_.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

void WindowPlacer::Place() {
    // Until the window manager has framed the window its frame is unknown
    // (taken as none); once it is known the place is checked again.
    const FrameMargins m = CurrentFrameMargins();
    const std::vector<Rect> screens = AvailableScreens();
    WindowRect place = CheckWindowPlace(savedPlace_, screens, m, settings_.height);
    if (copy_ > 0) place = CheckWindowPlace(PlaceForCopy(place, copy_, screens, kCopyStep), screens, m, settings_.height);
    placed_ = place;
    window_.setWindowState(Qt::WindowNoState);
    window_.move(place.left, place.top);  // the frame's corner
    window_.resize(place.right - place.left - m.left - m.right, place.bottom - place.top - m.top - m.bottom);
}

void WindowPlacer::Shown() {
    // A window manager may frame the window without moving it, so that no
    // move or resize tells of the frame: look for it a few times.
    if (!awaitsFrame_) return;
    framePolls_ = 20;
    framePoll_.start(100);
}

void WindowPlacer::MovedOrResized() {
    PlaceOnceFramed();
    StoreWindowRect();
}

void WindowPlacer::PlaceOnceFramed() {
    if (!awaitsFrame_ || window_.frameGeometry() == window_.geometry()) return;
    awaitsFrame_ = false;
    Place();
}

void WindowPlacer::StoreWindowRect() {
    if (window_.isMaximized() || window_.isMinimized() || window_.isFullScreen()) return;
    const QRect outer = window_.frameGeometry();
    if (copy_ > 0 && outer == QRect(placed_.left, placed_.top, placed_.right - placed_.left, placed_.bottom - placed_.top)) {
        std::tie(settings_.left, settings_.top, settings_.right, settings_.bottom) =
            std::tie(savedPlace_.left, savedPlace_.top, savedPlace_.right, savedPlace_.bottom);
        return;
    }
    settings_.left = outer.x();
    settings_.top = outer.y();
    settings_.right = outer.x() + outer.width() - extra_;
    settings_.bottom = outer.y() + outer.height();
}

QRect WindowPlacer::SetExtraWidth(int extra) {
    extra = std::max(extra, 0);
    const QRect outer = window_.frameGeometry();
    if (extra == extra_) return outer;
    if (window_.isMaximized() || window_.isFullScreen()) {
        // The window keeps its size; the wells share it with the game.
        extra_ = 0;
        return outer;
    }
    const WindowRect now{outer.x(), outer.y(), outer.x() + outer.width(), outer.y() + outer.height()};
    const WindowRect wider = WidenedPlace(now, extra - extra_, AvailableScreens());
    const int granted = (wider.right - wider.left) - (now.right - now.left);
    extra_ = std::max(extra_ + granted, 0);
    window_.move(wider.left, wider.top);
    window_.resize(window_.width() + granted, window_.height());
    return {wider.left, wider.top, wider.right - wider.left, wider.bottom - wider.top};
}

}  // namespace vexari
