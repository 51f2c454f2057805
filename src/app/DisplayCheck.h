// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a window can open at all, decided before Qt is started: Qt's own
// start aborts the program when its platform finds no display.
#include <optional>
#include <string>

namespace vexari {

// The line to print when no display can be opened ("vexari: cannot open
// display :0"), or nothing when a window may be tried. The platform is the
// one Qt would take (-platform, else QT_QPA_PLATFORM, else xcb or wayland);
// xcb needs DISPLAY (or -display) naming a server that answers, wayland needs
// WAYLAND_DISPLAY; every other platform (offscreen, vnc, ...) is left to Qt.
// Only local X displays are probed; one on another host is taken as it is.
std::optional<std::string> DisplayProblem(int argc, char** argv);

}  // namespace vexari
