// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFontMetrics>
#include <QVariantAnimation>
#include <QWidget>
#include <array>

#include "net/RoomView.h"
#include "render/CellLook.h"
#include "render/PixelImage.h"
#include "render/WellChange.h"

namespace vexari {

// The rows of a well as it travels, for comparing and drawing.
CellRows CellRowsOf(const WellRows& well);

// One other member's well, small: the name and team above it (a team mate's
// frame and team line apart from an opponent's), the resting cells in the
// game's own cell look, sharp at any size and pixel ratio, and a mark while
// the member is out. When a present arrives the rows rise into place; rows
// a landing removes flash before they go. Animations run on the event loop
// and a new well ends the one under way.
class WellTile : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRiseMs = 250;
    static constexpr int kFlashMs = 350;
    // The frame around the well, in logical pixels.
    static constexpr int kFrame = 2;
    // The label's height above the frame in a font.
    static int LabelHeight(const QFontMetrics& metrics) { return 2 * metrics.height() + 2; }

    explicit WellTile(QWidget* parent = nullptr);

    void SetMember(const RoomMember& member, bool teamMate);
    void SetWell(const WellRows& well);
    void SetLook(const CellLook& look);
    const RoomMember& Member() const { return member_; }
    bool TeamMate() const { return teamMate_; }
    const WellRows& Well() const { return well_; }
    bool Animating() const { return animation_.state() == QAbstractAnimation::Running; }
    // Shows the latest well at once.
    void FinishAnimation();

    // Where the well's cells lie in the tile (logical pixels) and the width
    // of one cell in device pixels.
    QRect WellArea() const;
    int DeviceCell() const;
    // The tile's height for a width, and for cells of `cell` pixels its width.
    int heightForWidth(int width) const override;
    bool hasHeightForWidth() const override { return true; }
    int WidthForCell(int cell) const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int LabelHeight() const { return LabelHeight(fontMetrics()); }
    int VisibleRows() const;
    QString TeamLine() const;
    QImage DrawCells(int cell, double progress) const;
    const PixelImage& CellImage(int value, int cell) const;

    RoomMember member_;
    bool teamMate_ = false;
    WellRows well_;
    CellRows rows_, oldRows_;  // the well shown, and the one before it while it flashes
    WellChange change_;
    CellLook look_;
    QVariantAnimation animation_;
    mutable std::array<PixelImage, 8> cells_;
    mutable int cellsSize_ = 0;
};

}  // namespace vexari
