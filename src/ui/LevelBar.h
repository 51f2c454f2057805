// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QScrollBar>

class QLabel;

namespace vexari {

// The starting level on a horizontal scroll bar, kMinLevel to kMaxLevel. Each
// arrow or page step (and a turn of the mouse wheel) moves the level by one,
// "to the start" and "to the end" change nothing, and a drag counts where the
// thumb is released; the bar is then put back where the level says, whatever
// Qt made of the action.
class LevelBar : public QScrollBar {
    Q_OBJECT
public:
    explicit LevelBar(int level, QWidget* parent = nullptr);

    int Level() const { return level_; }
    // Keeps `label` telling the level: "Starting level: N" as the dialog
    // opens (with three blanks at the end when `blanksAtOpening`), and with
    // three blanks at the end after every scroll action. The label is named
    // "levelLabel".
    void ShowLevelOn(QLabel* label, bool blanksAtOpening);

signals:
    // After every scroll action and at the end of a drag.
    void levelScrolled(int level);

private:
    void OnAction(int action);
    void OnReleased();
    void Step(int by);

    int level_;
};

}  // namespace vexari
