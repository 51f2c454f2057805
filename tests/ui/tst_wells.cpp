// SPDX-License-Identifier: GPL-3.0-or-later
// The other players' wells: a tile's pixels (cells, frame, out mark, rows
// rising and flashing).
#include <QtTest>
#include <QtWidgets>

#include "ui/WellTile.h"

using namespace vexari;

namespace {

// A well of height 20 with cells given bottom row first ('.' empty, a digit a colour).
WellRows Well(std::initializer_list<const char*> bottomUp) {
    WellRows well;
    well.height = 20;
    int r = 0;
    for (const std::string row : bottomUp) {
        for (int u = 0; u < 10; ++u) well.SetCell(u, r, row[static_cast<std::size_t>(u)] == '.' ? 0 : row[static_cast<std::size_t>(u)] - '0');
        ++r;
    }
    return well;
}

QRgb Rgb(Color c) { return qRgb(ColorRed(c), ColorGreen(c), ColorBlue(c)); }

// The centre of cell (u, fromBottom) of a tile as drawn now.
QRgb CellPixel(WellTile& tile, int u, int fromBottom) {
    const QRect well = tile.WellArea();
    const double cell = well.width() / 10.0;
    const QImage shot = tile.grab().toImage();
    return shot.pixel(well.left() + static_cast<int>((u + 0.5) * cell),
                      well.bottom() - static_cast<int>((fromBottom + 0.5) * cell)) | 0xFF000000u;
}

}  // namespace

class WellsTest : public QObject {
    Q_OBJECT
private slots:
    void tileDrawsCellsFrameOutMarkRisingAndFlashing() {
        WellTile tile;
        tile.resize(tile.WidthForCell(12), tile.heightForWidth(tile.WidthForCell(12)));
        tile.SetMember({7, "Ann", "Reds", MemberState::Playing}, true);
        tile.SetWell(Well({"2.........", ".3........"}));
        QCOMPARE(tile.DeviceCell(), 12);
        QCOMPARE(CellPixel(tile, 0, 0), Rgb(CellFace(2, kPaletteClassic)));
        QCOMPARE(CellPixel(tile, 1, 1), Rgb(CellFace(3, kPaletteClassic)));
        QCOMPARE(CellPixel(tile, 1, 0), qRgb(0, 0, 0));
        // Team mates and opponents have frames of their own colours.
        const QPoint frame = tile.WellArea().topLeft() + QPoint(-1, 20);
        const QRgb mateFrame = tile.grab().toImage().pixel(frame);
        tile.SetMember({7, "Ann", "Blues", MemberState::Playing}, false);
        QVERIFY(tile.grab().toImage().pixel(frame) != mateFrame);
        QVERIFY(mateFrame != qRgb(0, 0, 0) && tile.grab().toImage().pixel(frame) != tile.palette().window().color().rgb());
        // Out: the empty cells are greyed over.
        tile.SetMember({7, "Ann", "Blues", MemberState::Out}, false);
        QVERIFY(qGray(CellPixel(tile, 9, 0)) > 40);

        // A present: the old rows start where they were, then rise.
        tile.SetWell(Well({"11111.1111", "2.........", ".3........"}));
        QVERIFY(tile.Animating());
        tile.SetMember({7, "Ann", "Blues", MemberState::Playing}, false);
        QCOMPARE(CellPixel(tile, 0, 0), Rgb(CellFace(2, kPaletteClassic)));
        QTRY_VERIFY(!tile.Animating());
        QCOMPARE(CellPixel(tile, 0, 0), Rgb(CellFace(1, kPaletteClassic)));
        QCOMPARE(CellPixel(tile, 0, 1), Rgb(CellFace(2, kPaletteClassic)));
        // Rows removed flash white before they go; a new well ends it at once.
        tile.SetWell(Well({"2.........", ".3..77....", ".....7...."}));
        QVERIFY(tile.Animating());
        QCOMPARE(CellPixel(tile, 9, 0), qRgb(255, 255, 255));
        QCOMPARE(CellPixel(tile, 0, 1), Rgb(CellFace(2, kPaletteClassic)));  // the old well, until they went
        tile.SetWell(Well({"2.........", ".3..77....", ".....7...."}));
        QVERIFY(!tile.Animating());
        QCOMPARE(CellPixel(tile, 9, 0), qRgb(0, 0, 0));
        QCOMPARE(CellPixel(tile, 4, 1), Rgb(CellFace(7, kPaletteClassic)));
    }
};

QTEST_MAIN(WellsTest)
#include "tst_wells.moc"
