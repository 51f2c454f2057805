// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WellTile.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/PixelImageQt.h"

namespace vexari {
namespace {

// The frame's colours: a team mate's sky blue, an opponent's vermilion
// (told apart in every kind of colour vision, and by the team line too).
const QColor kMateFrame(86, 180, 233);
const QColor kOpponentFrame(213, 94, 0);
// A well whose height the tile does not know yet is drawn at the usual one.
constexpr int kUsualHeight = 20;
// Size hints: cells of this many logical pixels.
constexpr int kHintCell = 10, kMinimumCell = 3;

// Each of the pixel's colour parts `amount` (0 to 1) of the way to white.
void Lighten(PixelImage& image, int y, int h, double amount) {
    const int a = static_cast<int>(std::lround(amount * 256));
    for (int row = std::max(y, 0); row < std::min(y + h, image.Height()); ++row)
        for (int x = 0; x < image.Width(); ++x) {
            const Color c = image.Row(row)[x];
            const auto up = [a](int part) { return part + (((255 - part) * a) >> 8); };
            image.Row(row)[x] = MakeColor(up(ColorRed(c)), up(ColorGreen(c)), up(ColorBlue(c)));
        }
}

}  // namespace

CellRows CellRowsOf(const WellRows& well) {
    CellRows rows(static_cast<std::size_t>(well.RowCount()));
    for (int r = 0; r < well.RowCount(); ++r)
        for (int u = 0; u < 10; ++u)
            rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(u)] = static_cast<std::uint8_t>(well.Cell(u, r));
    return rows;
}

WellTile::WellTile(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    animation_.setStartValue(0.0);
    animation_.setEndValue(1.0);
    connect(&animation_, &QVariantAnimation::valueChanged, this, [this] { update(); });
    connect(&animation_, &QVariantAnimation::finished, this, [this] { FinishAnimation(); });
}

void WellTile::SetMember(const RoomMember& member, bool teamMate) {
    if (member == member_ && teamMate == teamMate_) return;
    member_ = member;
    teamMate_ = teamMate;
    setAccessibleName(QString::fromStdString(member.name));
    update();
}

void WellTile::SetLook(const CellLook& look) {
    if (look == look_) return;
    look_ = look;
    cellsSize_ = 0;
    update();
}

void WellTile::SetWell(const WellRows& well) {
    FinishAnimation();
    const bool newHeight = well.height != well_.height;
    CellRows rows = CellRowsOf(well);
    change_ = newHeight ? WellChange{} : CompareWells(rows_, rows);
    oldRows_ = std::move(rows_);
    rows_ = std::move(rows);
    well_ = well;
    if (newHeight) updateGeometry();
    if (change_.risen > 0 || !change_.removed.empty()) {
        animation_.setDuration(change_.risen > 0 ? kRiseMs : kFlashMs);
        animation_.start();
    }
    update();
}

void WellTile::FinishAnimation() {
    animation_.stop();
    change_ = {};
    oldRows_.clear();
    update();
}

void WellTile::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) updateGeometry();
}

// --- Size -------------------------------------------------------------------------

int WellTile::VisibleRows() const {
    // The top row of a well is above its frame in the game, and here too.
    return (well_.height > 0 ? well_.height : kUsualHeight) - 1;
}

int WellTile::heightForWidth(int width) const {
    return LabelHeight() + 2 * kFrame + VisibleRows() * std::max(width - 2 * kFrame, 0) / 10;
}

int WellTile::WidthForCell(int cell) const { return 10 * cell + 2 * kFrame; }

QSize WellTile::sizeHint() const {
    const int w = WidthForCell(kHintCell);
    return {w, heightForWidth(w)};
}

QSize WellTile::minimumSizeHint() const {
    const int w = WidthForCell(kMinimumCell);
    return {w, heightForWidth(w)};
}

int WellTile::DeviceCell() const {
    const double ratio = devicePixelRatioF();
    const double across = (width() - 2 * kFrame) / 10.0;
    const double down = static_cast<double>(height() - LabelHeight() - 2 * kFrame) / VisibleRows();
    return std::max(static_cast<int>(std::floor(std::min(across, down) * ratio)), 1);
}

QRect WellTile::WellArea() const {
    const double ratio = devicePixelRatioF();
    const int cell = DeviceCell();
    const int w = static_cast<int>(std::ceil(10 * cell / ratio));
    const int h = static_cast<int>(std::ceil(VisibleRows() * cell / ratio));
    // Centred across the tile, under the label.
    return {(width() - w) / 2, LabelHeight() + kFrame, w, h};
}

// --- Drawing ------------------------------------------------------------------------

const PixelImage& WellTile::CellImage(int value, int cell) const {
    if (cellsSize_ != cell) {
        const int bevel = std::max((cell + 4) / 8, 1);
        for (int v = 0; v < 8; ++v) cells_[static_cast<std::size_t>(v)] = MakeCellImage(v, cell, cell, bevel, look_);
        cellsSize_ = cell;
    }
    return cells_[static_cast<std::size_t>(std::clamp(value, 0, 7))];
}

QImage WellTile::DrawCells(int cell, double progress) const {
    const int rows = VisibleRows();
    PixelImage image(10 * cell, rows * cell, kBlack);
    const bool flashing = !change_.removed.empty();
    const CellRows& shown = flashing ? oldRows_ : rows_;
    // Rising rows come up from below the floor.
    const int shift = change_.risen > 0 ? static_cast<int>(std::lround((1 - progress) * change_.risen * cell)) : 0;
    for (int r = 0; r < std::min(static_cast<int>(shown.size()), rows); ++r) {
        const int y = (rows - 1 - r) * cell + shift;
        for (int u = 0; u < 10; ++u)
            if (const int v = shown[static_cast<std::size_t>(r)][static_cast<std::size_t>(u)])
                image.CopyFrom(u * cell, y, CellImage(v, cell), 0, 0, cell, cell);
    }
    if (flashing)
        for (const int r : change_.removed)
            if (r < rows) Lighten(image, (rows - 1 - r) * cell, cell, 1 - progress);
    QImage out = AsQImage(image).copy();
    out.setDevicePixelRatio(devicePixelRatioF());
    return out;
}

QString WellTile::TeamLine() const {
    // A team mate's team is the player's own; one who plays alone has none.
    if (teamMate_) return tr("your team");
    return member_.team == member_.name ? QString() : QString::fromStdString(member_.team);
}

void WellTile::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QRect well = WellArea();
    const bool out = member_.state == MemberState::Out;

    // The label: the name, then the team.
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics fm(font()), boldFm(bold);
    painter.setPen(palette().windowText().color());
    painter.setFont(bold);
    const int labelW = well.width() + 2 * kFrame;
    const QRect label(well.left() - kFrame, 0, labelW, fm.height() + 1);
    painter.drawText(label, Qt::AlignHCenter | Qt::AlignBottom,
                     boldFm.elidedText(QString::fromStdString(member_.name), Qt::ElideRight, labelW));
    painter.setFont(font());
    painter.drawText(label.translated(0, label.height()), Qt::AlignHCenter | Qt::AlignBottom,
                     fm.elidedText(TeamLine(), Qt::ElideRight, labelW));

    // The frame and the cells.
    painter.fillRect(well.adjusted(-kFrame, -kFrame, kFrame, kFrame), teamMate_ ? kMateFrame : kOpponentFrame);
    const double progress = Animating() ? animation_.currentValue().toDouble() : 1.0;
    painter.drawImage(well.topLeft(), DrawCells(DeviceCell(), progress));

    if (out) {
        // Greyed over, with the word across it.
        painter.fillRect(well, QColor(128, 128, 128, 160));
        const QString text = tr("OUT");
        QFont big = bold;
        big.setPixelSize(std::max(well.width() / 4, 6));
        const int textW = QFontMetrics(big).horizontalAdvance(text);
        if (textW > well.width() * 9 / 10) big.setPixelSize(std::max(big.pixelSize() * well.width() * 9 / 10 / textW, 6));
        painter.setFont(big);
        painter.setPen(Qt::white);
        painter.drawText(well, Qt::AlignCenter, text);
    }
}

}  // namespace vexari
