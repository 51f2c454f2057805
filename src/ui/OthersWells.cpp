// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/OthersWells.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <charconv>

#include "ui/WellTile.h"

namespace vexari {

OthersWells::OthersWells(QWidget* parent) : QWidget(parent) {
    // The grey of the game's side column behind the wells.
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    grey.setColor(QPalette::WindowText, Qt::black);
    setPalette(grey);
    setAutoFillBackground(true);

    top_ = new QWidget(this);
    auto* row = new QHBoxLayout(top_);
    row->setContentsMargins(4, 4, 4, 0);
    choiceLabel_ = new QLabel(tr("&Show:"), top_);
    choiceBox_ = new QComboBox(top_);
    choiceBox_->setObjectName(QStringLiteral("choiceBox"));
    choiceBox_->setPalette(QApplication::palette());
    choiceBox_->addItems({tr("Highest wells"), tr("My team first"), tr("All")});
    choiceBox_->setFocusPolicy(Qt::NoFocus);  // the keys stay with the game
    choiceLabel_->setBuddy(choiceBox_);
    row->addWidget(choiceLabel_);
    row->addWidget(choiceBox_, 1);
    top_->hide();
    connect(choiceBox_, &QComboBox::activated, this, [this](int index) { SetChoice(WellChoice(index)); });

    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setFocusPolicy(Qt::NoFocus);
    inner_ = new QWidget;
    inner_->setAutoFillBackground(true);
    scroll_->setWidget(inner_);
    scroll_->viewport()->setAutoFillBackground(false);
}

OthersWells::~OthersWells() {
    if (client_) client_->Room().SetObserver(nullptr);
}

void OthersWells::Begin(GameClient& client, const std::string& ownName) {
    End();
    client_ = &client;
    ownName_ = ownName;
    client.Room().SetObserver(this);
    RosterChanged(client.Room().Members(), client.Room().RoundRunning());
}

void OthersWells::End() {
    if (client_) client_->Room().SetObserver(nullptr);
    client_ = nullptr;
    others_.clear();
    heights_.clear();
    Repick();
}

void OthersWells::SetLook(const CellLook& look) {
    look_ = look;
    for (const auto& [number, tile] : tiles_) tile->SetLook(look);
}

void OthersWells::SetOwnWell(int wellRows, int cell) {
    if (wellRows == wellRows_ && cell == ownCell_) return;
    wellRows_ = std::max(wellRows, 1);
    ownCell_ = std::max(cell, 1);
    LayOutTiles();
}

void OthersWells::ShowTables(const Tables& tables) {
    heights_.clear();
    for (const PlayerRow& p : tables.players) {
        int height = 0;
        std::from_chars(p.height.data(), p.height.data() + p.height.size(), height);  // "-" stays 0
        heights_[p.name] = height;
    }
    if (Choosing() && choice_ != WellChoice::All) Repick();
}

void OthersWells::SetChoice(WellChoice choice) {
    choice_ = choice;
    choiceBox_->setCurrentIndex(static_cast<int>(choice));
    Repick();
}

std::vector<WellTile*> OthersWells::Tiles() const {
    std::vector<WellTile*> tiles;
    for (const std::int32_t number : shown_) tiles.push_back(tiles_.at(number));
    return tiles;
}

void OthersWells::RosterChanged(const std::vector<RoomMember>& members, bool) {
    const auto own = std::find_if(members.begin(), members.end(), [this](const RoomMember& m) {
        return m.name == ownName_ && m.state != MemberState::Watching;
    });
    ownTeam_ = own != members.end() ? own->team : std::string();
    others_.clear();
    for (const RoomMember& m : members)
        if (m.state != MemberState::Watching && m.number != 0 && (own == members.end() || m.number != own->number))
            others_.push_back(m);
    Repick();
}

void OthersWells::WellChanged(std::int32_t number, const WellRows& well) {
    if (const auto tile = tiles_.find(number); tile != tiles_.end()) tile->second->SetWell(well);
}

void OthersWells::Repick() {
    std::vector<StripEntry> entries;
    for (const RoomMember& m : others_) {
        const auto height = heights_.find(m.name);
        entries.push_back({m.number, TeamMate(m),
                           m.state == MemberState::Out || height == heights_.end() ? 0 : height->second});
    }
    const std::vector<std::int32_t> numbers = PickWells(entries, Choosing() ? choice_ : WellChoice::All, kStripWells);
    const std::size_t shownBefore = std::min<std::size_t>(shown_.size(), kStripWells);

    // Tiles for the wells shown now, each with its member as the room lists it.
    std::erase_if(tiles_, [&](const auto& entry) {
        if (std::find(numbers.begin(), numbers.end(), entry.first) != numbers.end()) return false;
        delete entry.second;
        return true;
    });
    for (const RoomMember& m : others_) {
        if (std::find(numbers.begin(), numbers.end(), m.number) == numbers.end()) continue;
        WellTile*& tile = tiles_[m.number];
        if (!tile) {
            tile = new WellTile(inner_);
            tile->SetLook(look_);
            if (client_)
                if (const auto well = client_->Room().Wells().find(m.number); well != client_->Room().Wells().end())
                    tile->SetWell(well->second);
            tile->show();
        }
        tile->SetMember(m, TeamMate(m));
    }
    if (numbers != shown_) {
        shown_ = numbers;
        // The server sends only the wells shown.
        if (client_) client_->SetSubscription({false, shown_});
    }
    top_->setVisible(Choosing());
    LayOutTiles();
    if (std::min<std::size_t>(shown_.size(), kStripWells) != shownBefore) emit wellsChanged();
}

bool OthersWells::TeamMate(const RoomMember& m) const { return !ownTeam_.empty() && m.team == ownTeam_; }

TileMetrics OthersWells::Metrics() const {
    TileMetrics m;
    m.wellRows = wellRows_;
    m.label = WellTile::LabelHeight(fontMetrics());
    m.frame = WellTile::kFrame;
    return m;
}

int OthersWells::WantedWidth(int height) const {
    const int count = std::min(static_cast<int>(others_.size()), kStripWells);
    const int top = Choosing() ? top_->sizeHint().height() : 0;
    const int width = StripWidth(count, height - top, ownCell_, Metrics());
    return Choosing() ? std::max(width, top_->sizeHint().width()) : width;
}

void OthersWells::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOutTiles();
}

void OthersWells::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        LayOutTiles();
        emit wellsChanged();
    }
}

void OthersWells::LayOutTiles() {
    const int top = Choosing() ? top_->sizeHint().height() : 0;
    top_->setGeometry(0, 0, width(), top);
    const bool scrolls = Choosing() && choice_ == WellChoice::All;
    scroll_->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    scroll_->setGeometry(0, top, width(), height() - top);
    const int w = width() - (scrolls ? scroll_->verticalScrollBar()->sizeHint().width() : 0), h = height() - top;
    const TileMetrics m = Metrics();
    const std::vector<WellTile*> tiles = Tiles();
    const TileGrid grid = FitTiles(static_cast<int>(tiles.size()), w, h, std::max(ownCell_ / 2, 2), m, scrolls);
    const int tileW = m.Width(grid.cell), tileH = m.Height(grid.cell);
    const int gridW = grid.columns * (tileW + m.gap) + m.gap;
    inner_->resize(w, scrolls ? grid.rows * (tileH + m.gap) + m.gap : h);
    const int left = std::max((w - gridW) / 2, 0);
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const int column = static_cast<int>(i) % std::max(grid.columns, 1), row = static_cast<int>(i) / std::max(grid.columns, 1);
        tiles[i]->setGeometry(left + m.gap + column * (tileW + m.gap), m.gap + row * (tileH + m.gap), tileW, tileH);
    }
}

}  // namespace vexari
