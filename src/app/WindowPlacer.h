// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QRect>
#include <QTimer>

#include "render/WindowPlace.h"
#include "settings/Settings.h"

class QWidget;

namespace vexari {

// Opens the main window at its saved place (as CheckWindowPlace corrects
// it), places it again once the window manager's frame is known, and keeps
// the settings' SIZE values at the window's outer frame as it moves.
class WindowPlacer : public QObject {
    Q_OBJECT
public:
    WindowPlacer(QWidget& window, Settings& settings);

    // This is copy `index` of the game sharing the saved place (see
    // PlaceForCopy); a copy other than the first that is closed where it
    // opened leaves the saved place as it was.
    void SetCopy(int index) { copy_ = index; }
    // Takes the SIZE values as they are now and places the window there.
    void PlaceAtSaved();
    // The window was shown, moved or resized.
    void Shown();
    void MovedOrResized();
    // The outer frame, title bar included, into the settings; not while the
    // window is maximised, minimised or full screen. The width the window
    // took on for the other players' wells is not stored.
    void StoreWindowRect();
    // Makes the window `extra` pixels wider than without the other players'
    // wells, within the screen that holds it (0: as wide as without them).
    // Returns the outer frame it asked the window manager for.
    QRect SetExtraWidth(int extra);

private:
    void Place();
    void PlaceOnceFramed();
    FrameMargins CurrentFrameMargins() const;

    QWidget& window_;
    Settings& settings_;
    WindowRect savedPlace_;  // the SIZE values read at start
    WindowRect placed_{};    // where the window was put
    int copy_ = 0;
    int extra_ = 0;  // the width granted for the others' wells
    bool awaitsFrame_ = false;
    QTimer framePoll_;
    int framePolls_ = 0;  // checks left for a frame that came without a move
};

}  // namespace vexari
