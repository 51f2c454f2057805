// SPDX-License-Identifier: GPL-3.0-or-later
// The other players' wells: a tile's pixels (cells, frame, out mark, rows
// rising and flashing), and the strip as the room's messages fill it.
#include <QtTest>
#include <QtWidgets>

#include "../net/RecordingConnection.h"
#include "Child.h"
#include "net/GameClient.h"
#include "ui/OthersWells.h"
#include "ui/WellTile.h"

using namespace vexari;

namespace {

// A well of height 20 with cells given bottom row first ('.' empty, a digit a colour).
WellRows MakeWell(std::initializer_list<const char*> bottomUp) {
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

// A strip fed by a real client, its bytes written by the test as a server would.
struct StripFixture {
    Settings settings;
    Game game{settings};
    GameClient client{game, settings, {1, 0, 0, 5}};
    test::RecordingConnection connection;
    OthersWells strip;
    StripFixture() {
        strip.resize(400, 600);
        strip.Begin(client, "Me");
        client.Begin(connection, nullptr, false);
    }
    void SendRoster(int others, MemberState state = MemberState::Playing) {
        vexari::Roster r{true, {{1, "Me", "Reds", MemberState::Playing}, {0, "Eve", "", MemberState::Watching}}};
        for (int i = 0; i < others; ++i)
            r.members.push_back({10 + i, "P" + std::to_string(i), i % 2 ? "Reds" : "Blues", i == 1 ? state : MemberState::Playing});
        QVERIFY(client.Received(EncodeRoster(r)));
    }
};

}  // namespace

class WellsTest : public QObject {
    Q_OBJECT
private slots:
    void tileDrawsCellsFrameOutMarkRisingAndFlashing() {
        WellTile tile;
        tile.resize(tile.WidthForCell(12), tile.heightForWidth(tile.WidthForCell(12)));
        tile.SetMember({7, "Ann", "Reds", MemberState::Playing}, true);
        tile.SetWell(MakeWell({"2.........", ".3........"}));
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
        tile.SetWell(MakeWell({"11111.1111", "2.........", ".3........"}));
        QVERIFY(tile.Animating());
        tile.SetMember({7, "Ann", "Blues", MemberState::Playing}, false);
        QCOMPARE(CellPixel(tile, 0, 0), Rgb(CellFace(2, kPaletteClassic)));
        QTRY_VERIFY(!tile.Animating());
        QCOMPARE(CellPixel(tile, 0, 0), Rgb(CellFace(1, kPaletteClassic)));
        QCOMPARE(CellPixel(tile, 0, 1), Rgb(CellFace(2, kPaletteClassic)));
        // Rows removed flash white before they go; a new well ends it at once.
        tile.SetWell(MakeWell({"2.........", ".3..77....", ".....7...."}));
        QVERIFY(tile.Animating());
        QCOMPARE(CellPixel(tile, 9, 0), qRgb(255, 255, 255));
        QCOMPARE(CellPixel(tile, 0, 1), Rgb(CellFace(2, kPaletteClassic)));  // the old well, until they went
        tile.SetWell(MakeWell({"2.........", ".3..77....", ".....7...."}));
        QVERIFY(!tile.Animating());
        QCOMPARE(CellPixel(tile, 9, 0), qRgb(0, 0, 0));
        QCOMPARE(CellPixel(tile, 4, 1), Rgb(CellFace(7, kPaletteClassic)));
    }

    void stripShowsTheRoomsWellsAndAsksOnlyForThem() {
        StripFixture f;
        QVERIFY(f.client.Received(EncodeWelcome(kExtensionVersion)));
        f.SendRoster(2, MemberState::Out);
        QVERIFY(f.strip.HasWells());
        std::vector<WellTile*> tiles = f.strip.Tiles();
        QCOMPARE(tiles.size(), std::size_t{2});  // neither the player nor the spectator
        QCOMPARE(tiles[0]->Member().name, std::string("P0"));
        QVERIFY(!tiles[0]->TeamMate() && tiles[1]->TeamMate());
        QCOMPARE(tiles[1]->Member().state, MemberState::Out);
        QVERIFY(f.connection.sent.ends_with(EncodeSubscribe({false, {10, 11}})));
        // A whole well, then a difference.
        const WellRows first = MakeWell({"2........."}), second = MakeWell({"2........5"});
        QVERIFY(f.client.Received(EncodeWell(10, first) + EncodeWellChange(10, first, second)));
        QCOMPARE(tiles[0]->Well(), second);
        QCOMPARE(CellPixel(*tiles[0], 9, 0), Rgb(CellFace(5, kPaletteClassic)));
        QVERIFY(tiles[0]->isVisibleTo(&f.strip) && tiles[0]->width() > 40);

        // More players than fit: the player picks, and gets only those wells.
        f.strip.ShowTables({{{"P3", "", "9", 0, 0}, {"P9", "", "12", 0, 0}}, {}});
        f.SendRoster(10);
        QVERIFY(Child<QComboBox>(&f.strip, "choiceBox")->isVisibleTo(&f.strip));
        tiles = f.strip.Tiles();
        QCOMPARE(tiles.size(), std::size_t(kStripWells));
        QCOMPARE(tiles.back()->Member().name, std::string("P9"));  // a threat, kept in the room's order
        f.strip.SetChoice(WellChoice::All);
        QCOMPARE(f.strip.Tiles().size(), std::size_t{10});
        QVERIFY(f.connection.sent.ends_with(EncodeSubscribe({false, {10, 11, 12, 13, 14, 15, 16, 17, 18, 19}})));
        f.strip.SetChoice(WellChoice::Team);
        QCOMPARE(f.strip.Tiles().front()->Member().team, std::string("Reds"));
        f.strip.End();
        QVERIFY(!f.strip.HasWells() && f.strip.Tiles().empty());
    }

    void anOldServerShowsNothing() {
        // It never answers the announcement: no roster, no wells, nothing asked.
        StripFixture f;
        QVERIFY(f.client.Received(EncodeTables({{{"Me", "", "0", 0, 0}, {"P0", "", "0", 0, 0}}, {}})));
        QVERIFY(!f.strip.HasWells());
        QCOMPARE(f.strip.WantedWidth(600), 0);
        QVERIFY(f.connection.sent.find(EncodeSubscribe({false, {}}).substr(0, 4)) == std::string::npos);
    }
};

QTEST_MAIN(WellsTest)
#include "WellsTest.moc"
