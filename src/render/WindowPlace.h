// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the main window opens: the saved place checked against the screens
// that are there now. Standard library only, so the rules can be tested
// without a display.
#include <vector>

#include "render/Layout.h"
#include "settings/SettingsFile.h"

namespace vexari {

// Thickness of the window manager's frame around the window; top includes
// the title bar. All zero while the window is not decorated (yet).
struct FrameMargins {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The smallest inside size of the main window.
inline constexpr int kMinWindowWidth = 256;
inline constexpr int kMinWindowHeight = 480;

// The default place on a screen's available area: the outer frame, title
// bar included, as high as the area, as wide as DefaultGeometry makes it for
// that height (never wider than the area) and centred across it.
WindowRect DefaultPlace(const Rect& available, int wellHeight);

// The outer frame the window takes at start for the saved outer frame
// `saved`. `screens` are the available areas of the screens, the primary
// screen first. The saved place is kept when the title bar lies on a screen
// (its whole height inside the area, at least half its width) and at least
// half of the window shows on the screens; otherwise the window takes the
// default place on the primary screen. A size larger than the screen that
// holds the title bar shrinks to fit it, and the window moves inside that
// screen where it was shrunk. No size falls below the minimum inside size
// plus the frame. Without screens the saved place is returned as it is.
WindowRect CheckWindowPlace(const WindowRect& saved, const std::vector<Rect>& screens, const FrameMargins& frame,
                            int wellHeight);

// Where copy `index` of the game (0: the first) opens when copies running at
// once share one checked place `place`: beside it, to the right as long as
// the screen that holds it has room, then to the left, then against the
// screen's right and left edges where that uncovers half of it; beyond
// those, `step` pixels to the right and down for each copy, so that no copy
// hides another whole.
WindowRect PlaceForCopy(const WindowRect& place, int index, const std::vector<Rect>& screens, int step);

// The outer frame `place` made `extra` pixels wider (narrower when
// negative) for the other players' wells: it grows to the right, moves left
// as far as the right edge of the screen that holds it asks, and grows no
// wider than that screen.
WindowRect WidenedPlace(const WindowRect& place, int extra, const std::vector<Rect>& screens);

}  // namespace vexari
