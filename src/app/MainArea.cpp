// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainArea.h"

#include <algorithm>

#include "app/GameView.h"
#include "render/WindowPlace.h"
#include "ui/OthersWells.h"

namespace vexari {

MainArea::MainArea(GameView* view, OthersWells* strip, QWidget* parent)
    : QWidget(parent), view_(view), strip_(strip) {
    view_->setParent(this);
    strip_->setParent(this);
    strip_->hide();
    setFocusProxy(view_);
    connect(strip_, &OthersWells::wellsChanged, this, [this] {
        LayOut();
        emit stripWidthWanted(WantedStripWidth());
    });
}

int MainArea::WantedStripWidth() const { return strip_->HasWells() ? strip_->WantedWidth(height()) : 0; }

void MainArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void MainArea::LayOut() {
    // The view keeps at least the window's smallest width. The strip's
    // width follows the view's cells: a second pass when they changed it.
    int strip = -1;
    for (int pass = 0; pass < 2; ++pass) {
        const int wanted = std::clamp(WantedStripWidth(), 0, std::max(width() - kMinWindowWidth, 0));
        if (wanted == strip) break;
        strip = wanted;
        view_->setGeometry(0, 0, width() - strip, height());
        const WindowLayout& l = view_->Layout();
        strip_->SetOwnWell(l.height - 1, l.cellH);
    }
    strip_->setGeometry(width() - strip, 0, strip, height());
    strip_->setVisible(strip > 0);
}

}  // namespace vexari
