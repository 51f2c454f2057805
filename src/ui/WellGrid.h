// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <cstdint>
#include <map>
#include <vector>

#include "net/RoomView.h"
#include "render/CellLook.h"

namespace vexari {

class WellTile;

// Every player's well of a room, one tile each, laid out in a grid that
// fills the widget at any size: the tiles as large as the room lets them be,
// players of one team side by side.
class WellGrid : public QWidget {
    Q_OBJECT
public:
    explicit WellGrid(QWidget* parent = nullptr);

    // The players from the roster (spectators are left out). A new player
    // gets an empty tile until its well arrives; one that left loses its tile.
    void SetMembers(const std::vector<RoomMember>& members);
    void SetWell(std::int32_t number, const WellRows& well);
    // The cells as the player's own game draws them (palette, marks).
    void SetLook(const CellLook& look);

    // The tile of player `number` (object name "well-NUMBER"), or null.
    WellTile* Tile(std::int32_t number) const;
    // The tiles in the order shown.
    const std::vector<WellTile*>& Tiles() const { return order_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Arrange();

    std::map<std::int32_t, WellTile*> tiles_;
    std::vector<WellTile*> order_;
    CellLook look_;
};

}  // namespace vexari
