// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "net/GameClient.h"
#include "net/RoomView.h"
#include "render/CellLook.h"
#include "render/WellStrip.h"

class QComboBox;
class QLabel;
class QScrollArea;

namespace vexari {

class WellTile;

// The other players' wells beside the player's own, as the room tells them
// (a RoomObserver of the client's RoomView). It has wells only against a
// server with the extension and with others in the room; then it shows up
// to eight at once and, with more players, lets the player pick which: the
// highest wells, team mates first, or all of them in a scrolled strip. The
// client gets only the wells shown.
class OthersWells : public QWidget, public RoomObserver {
    Q_OBJECT
public:
    explicit OthersWells(QWidget* parent = nullptr);
    ~OthersWells() override;

    // A network game begins on `client` for the player named `ownName` (UTF-8).
    void Begin(GameClient& client, const std::string& ownName);
    // It is over: no wells any more.
    void End();
    void SetLook(const CellLook& look);
    // The player's own well: its rows' count (visible ones) and cell height,
    // which the tiles show at about half.
    void SetOwnWell(int wellRows, int cell);
    // The tables, for the stack heights of the players not shown.
    void ShowTables(const Tables& tables);

    bool HasWells() const { return !others_.empty(); }
    // The width the strip wants beside the player's well in an area `height` high.
    int WantedWidth(int height) const;
    void SetChoice(WellChoice choice);
    // The tiles shown, in their order.
    std::vector<WellTile*> Tiles() const;

    // RoomObserver
    void RosterChanged(const std::vector<RoomMember>& members, bool roundRunning) override;
    void WellChanged(std::int32_t number, const WellRows& well) override;

signals:
    // The number of wells shown changed, and with it the width wanted.
    void wellsChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Repick();
    void LayOutTiles();
    // A member of the player's own team (nobody is while the player has none).
    bool TeamMate(const RoomMember& m) const;
    TileMetrics Metrics() const;
    bool Choosing() const { return static_cast<int>(others_.size()) > kStripWells; }

    GameClient* client_ = nullptr;
    std::string ownName_, ownTeam_;
    std::vector<RoomMember> others_;  // players other than this one, in the room's order
    std::map<std::string, int> heights_;  // stack heights by name, from the tables
    std::vector<std::int32_t> shown_;
    std::map<std::int32_t, WellTile*> tiles_;
    WellChoice choice_ = WellChoice::Threats;
    CellLook look_;
    int wellRows_ = 19, ownCell_ = 24;
    QWidget* top_ = nullptr;  // the choice, with more players than fit
    QLabel* choiceLabel_ = nullptr;
    QComboBox* choiceBox_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QWidget* inner_ = nullptr;
};

}  // namespace vexari
