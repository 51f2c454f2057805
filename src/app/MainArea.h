// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

namespace vexari {

class GameView;
class OthersWells;

// The main window's client area: the game view and, in a network game with
// others, the strip of their wells to its right. Without wells the view is
// all there is, exactly as it always was.
class MainArea : public QWidget {
    Q_OBJECT
public:
    MainArea(GameView* view, OthersWells* strip, QWidget* parent = nullptr);

    // The width the strip wants beside the view now (0 without wells).
    int WantedStripWidth() const;

signals:
    // The window should be this much wider than the view alone.
    void stripWidthWanted(int width);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOut();

    GameView* view_;
    OthersWells* strip_;
};

}  // namespace vexari
