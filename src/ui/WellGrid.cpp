// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WellGrid.h"

#include <QPainter>
#include <algorithm>

#include "render/TileGrid.h"
#include "ui/WellTile.h"

namespace vexari {

WellGrid::WellGrid(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette look = palette();
    look.setColor(QPalette::Window, Qt::black);
    look.setColor(QPalette::WindowText, Qt::lightGray);
    setPalette(look);
    setMinimumSize(160, 160);
}

void WellGrid::SetMembers(const std::vector<RoomMember>& members) {
    std::vector<const RoomMember*> players;
    for (const RoomMember& m : members)
        if (m.state != MemberState::Watching) players.push_back(&m);
    // Team mates side by side, in the roster's order within a team.
    std::stable_sort(players.begin(), players.end(),
                     [](const RoomMember* a, const RoomMember* b) { return a->team < b->team; });

    std::map<std::int32_t, WellTile*> kept;
    order_.clear();
    for (const RoomMember* m : players) {
        auto found = tiles_.find(m->number);
        WellTile* tile = nullptr;
        if (found != tiles_.end()) {
            tile = found->second;
            tiles_.erase(found);
        } else {
            tile = new WellTile(this);
            tile->setObjectName(QStringLiteral("well-%1").arg(m->number));
            tile->SetLook(look_);
            tile->show();
        }
        // Nobody is the spectator's team mate.
        tile->SetMember(*m, false);
        kept[m->number] = tile;
        order_.push_back(tile);
    }
    for (auto& [number, tile] : tiles_) delete tile;
    tiles_ = std::move(kept);
    Arrange();
    update();
}

void WellGrid::SetWell(std::int32_t number, const WellRows& well) {
    if (WellTile* tile = Tile(number)) tile->SetWell(well);
}

void WellGrid::SetLook(const CellLook& look) {
    look_ = look;
    for (WellTile* tile : order_) tile->SetLook(look);
}

WellTile* WellGrid::Tile(std::int32_t number) const {
    const auto found = tiles_.find(number);
    return found == tiles_.end() ? nullptr : found->second;
}

void WellGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Arrange();
}

void WellGrid::Arrange() {
    if (order_.empty()) return;
    const WellTile* first = order_.front();
    const int gap = fontMetrics().height() / 2;
    const std::vector<Rect> places = FitTiles(static_cast<int>(order_.size()), width() - 2 * gap,
                                              height() - 2 * gap, gap,
                                              [first](int w) { return first->heightForWidth(w); });
    for (std::size_t i = 0; i < order_.size() && i < places.size(); ++i) {
        const Rect& r = places[i];
        order_[i]->setGeometry(r.x + gap, r.y + gap, r.w, r.h);
    }
}

void WellGrid::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!order_.empty()) return;
    QPainter painter(this);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, tr("Nobody is playing yet."));
}

}  // namespace vexari
