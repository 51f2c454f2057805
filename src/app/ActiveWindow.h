// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QApplication>
#include <QWidget>

namespace vexari {

// The active window is `owner` or a window it owns (its dialogs, the network
// windows): the player is at work in this game, not in another program or
// another game's window.
inline bool OwnWindowActive(const QWidget& owner) {
    const QWidget* active = QApplication::activeWindow();
    return active && (active == &owner || active->parentWidget() == &owner);
}

}  // namespace vexari
