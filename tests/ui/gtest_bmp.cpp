#include <gtest/gtest.h>

#include <climits>

#include "BmpBuilder.h"
#include "PixelTestUtil.h"
#include "ui/Bmp.h"

namespace vexari {
namespace {

using testing::BmpLayout;
using testing::BuildBmp;
using testing::PixelsAre;

constexpr Color kP0 = MakeColor(10, 20, 30);
constexpr Color kP1 = MakeColor(200, 100, 50);

BmpResult Decode(const BmpLayout& layout, BmpDecodeOptions options = {}) { return DecodeBmp(BuildBmp(layout), options); }

// ---- the accepted formats ----

TEST(BmpFormats, OneBitRowsAreStoredBottomRowFirst) {
    BmpLayout s;
    s.width = 3;
    s.height = 2;
    s.bpp = 1;
    s.palette = {0x0A141E, 0xC86432};
    s.rows = {{0b10100000}, {0b01100000}};  // bottom row, then top row
    const BmpResult r = Decode(s);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(PixelsAre(r.image, 0, 0, {"011", "101"}, {{'0', kP0}, {'1', kP1}}));
}

TEST(BmpFormats, FourBitHighNibbleFirst) {
    BmpLayout s;
    s.width = 3;
    s.bpp = 4;
    for (std::uint32_t i = 0; i < 16; ++i) s.palette.push_back(i * 0x100000 + 0x000100 * (15 - i) + 7);
    s.rows = {{0x2F, 0x70}};
    const BmpResult r = Decode(s);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image.Pixel(0, 0), MakeColor(0x20, 13, 7));
    EXPECT_EQ(r.image.Pixel(1, 0), MakeColor(0xF0, 0, 7));
    EXPECT_EQ(r.image.Pixel(2, 0), MakeColor(0x70, 8, 7));
}

TEST(BmpFormats, EightBitWithColoursUsedZeroHasAFullTable) {
    // The pixel-data offset is 0, so the data are found after 256 entries.
    BmpLayout s;
    s.width = 3;
    s.bpp = 8;
    s.zeroOffset = true;
    for (std::uint32_t i = 0; i < 256; ++i) s.palette.push_back((i << 16) | ((255 - i) << 8) | 1);
    s.rows = {{0, 255, 128}};
    const BmpResult r = Decode(s);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image.Pixel(0, 0), MakeColor(0, 255, 1));
    EXPECT_EQ(r.image.Pixel(1, 0), MakeColor(255, 0, 1));
    EXPECT_EQ(r.image.Pixel(2, 0), MakeColor(128, 127, 1));
}

TEST(BmpFormats, EightBitIndexPastAShortTableIsBlack) {
    BmpLayout s;
    s.width = 2;
    s.bpp = 8;
    s.colorsUsed = 2;
    s.zeroOffset = true;
    s.palette = {0x0A141E, 0xC86432};
    s.rows = {{1, 5}};
    const BmpResult r = Decode(s);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image.Pixel(0, 0), kP1);
    EXPECT_EQ(r.image.Pixel(1, 0), kBlack);
}

TEST(BmpFormats, TwentyFourBitHasNoTableAndPaddedRows) {
    BmpLayout s;
    s.width = 3;
    s.height = 2;
    s.zeroOffset = true;  // data right after the 40-byte header
    s.rows = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 20, 30, 40, 50, 60, 70, 80, 90}};
    const BmpResult r = Decode(s);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image.Pixel(0, 1), MakeColor(3, 2, 1));
    EXPECT_EQ(r.image.Pixel(2, 1), MakeColor(9, 8, 7));
    EXPECT_EQ(r.image.Pixel(0, 0), MakeColor(30, 20, 10));
    EXPECT_EQ(r.image.Pixel(1, 0), MakeColor(60, 50, 40));
}

TEST(BmpFormats, SixteenBitFiveFiveFive) {
    BmpLayout s;
    s.width = 4;
    s.bpp = 16;
    s.rows = {{0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x10, 0x42}};
    const BmpResult r = Decode(s);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image.Pixel(0, 0), MakeColor(255, 0, 0));
    EXPECT_EQ(r.image.Pixel(1, 0), MakeColor(0, 255, 0));
    EXPECT_EQ(r.image.Pixel(2, 0), MakeColor(0, 0, 255));
    // 16 of 31 is 131.6 of 255.
    EXPECT_EQ(r.image.Pixel(3, 0), MakeColor(132, 132, 132));
}

TEST(BmpFormats, SixteenBitFiveSixFiveBitFields) {
    BmpLayout s;
    s.width = 3;
    s.bpp = 16;
    s.compression = 3;
    s.masks = {0xF800, 0x07E0, 0x001F};
    s.zeroOffset = true;  // the three masks lie between the header and the data
    s.rows = {{0x00, 0xF8, 0xE0, 0x07, 0x00, 0x04}};
    const BmpResult r = Decode(s);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image.Pixel(0, 0), MakeColor(255, 0, 0));
    EXPECT_EQ(r.image.Pixel(1, 0), MakeColor(0, 255, 0));
    EXPECT_EQ(r.image.Pixel(2, 0), MakeColor(0, 130, 0));  // 32 of 63
}

TEST(BmpFormats, ThirtyTwoBitPlainAndWithMasksInAVersionFiveHeader) {
    BmpLayout s;
    s.width = 2;
    s.bpp = 32;
    s.rows = {{1, 2, 3, 99, 40, 50, 60, 0}};
    BmpResult r = Decode(s);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image.Pixel(0, 0), MakeColor(3, 2, 1));
    EXPECT_EQ(r.image.Pixel(1, 0), MakeColor(60, 50, 40));

    s.headerSize = 124;
    s.compression = 3;
    s.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};  // red in the first byte
    r = Decode(s);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image.Pixel(0, 0), MakeColor(1, 2, 3));
    EXPECT_EQ(r.image.Pixel(1, 0), MakeColor(40, 50, 60));
}

TEST(BmpFormats, VersionFourHeaderWithAPalette) {
    BmpLayout s;
    s.headerSize = 108;
    s.width = 2;
    s.bpp = 1;
    s.zeroOffset = true;
    s.palette = {0x0A141E, 0xC86432};
    s.rows = {{0b01000000}};
    const BmpResult r = Decode(s);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(PixelsAre(r.image, 0, 0, {"01"}, {{'0', kP0}, {'1', kP1}}));
}

TEST(BmpFormats, CoreHeaderWithThreeByteTableEntries) {
    BmpLayout s;
    s.headerSize = 12;
    s.width = 2;
    s.height = 2;
    s.bpp = 1;
    s.zeroOffset = true;
    s.palette = {0x0A141E, 0xC86432};
    s.rows = {{0b10000000}, {0b01000000}};
    const BmpResult r = Decode(s);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(PixelsAre(r.image, 0, 0, {"01", "10"}, {{'0', kP0}, {'1', kP1}}));
}

TEST(BmpFormats, TopRowFirstOnlyWhenAllowed) {
    BmpLayout s;
    s.width = 1;
    s.height = -2;
    s.rows = {{1, 1, 1}, {2, 2, 2}};
    EXPECT_EQ(Decode(s).error, BmpError::TopDown);
    const BmpResult r = Decode(s, {.allowTopDown = true});
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image.Height(), 2);
    EXPECT_EQ(r.image.Pixel(0, 0), MakeColor(1, 1, 1));
    EXPECT_EQ(r.image.Pixel(0, 1), MakeColor(2, 2, 2));
}

TEST(BmpFormats, TheLastRowNeedNotBePadded) {
    BmpLayout s;
    s.width = 1;
    s.height = 2;
    s.padLastRow = false;
    s.rows = {{1, 2, 3}, {4, 5, 6}};
    EXPECT_TRUE(Decode(s).ok());
    std::vector<std::uint8_t> file = BuildBmp(s);
    file.pop_back();
    EXPECT_EQ(DecodeBmp(file).error, BmpError::Truncated);
}

// ---- files that lie ----

BmpLayout ValidEightBit() {
    BmpLayout s;
    s.width = 4;
    s.height = 3;
    s.bpp = 8;
    s.colorsUsed = 4;
    s.palette = {1, 2, 3, 4};
    s.rows = {{0, 1, 2, 3}, {3, 2, 1, 0}, {1, 1, 1, 1}};
    return s;
}

TEST(BmpHostile, EveryTruncationIsRefused) {
    const std::vector<std::uint8_t> file = BuildBmp(ValidEightBit());
    ASSERT_TRUE(DecodeBmp(file).ok());
    for (std::size_t len = 0; len < file.size(); ++len) {
        const BmpResult r = DecodeBmp(std::span(file.data(), len));
        EXPECT_FALSE(r.ok()) << "length " << len;
        EXPECT_TRUE(r.image.IsNull());
    }
}

TEST(BmpHostile, PixelDataOffsetPastTheEnd) {
    std::vector<std::uint8_t> file = BuildBmp(ValidEightBit());
    testing::Set32(file, 10, static_cast<std::uint32_t>(file.size()));
    EXPECT_EQ(DecodeBmp(file).error, BmpError::Truncated);
    testing::Set32(file, 10, 0xFFFFFFF0u);
    EXPECT_EQ(DecodeBmp(file).error, BmpError::Truncated);
}

TEST(BmpHostile, SizesOutOfRange) {
    const std::vector<std::uint8_t> good = BuildBmp(ValidEightBit());
    auto withSize = [&](std::int32_t w, std::int32_t h, BmpDecodeOptions o = {}) {
        std::vector<std::uint8_t> f = good;
        testing::Set32(f, 18, static_cast<std::uint32_t>(w));
        testing::Set32(f, 22, static_cast<std::uint32_t>(h));
        return DecodeBmp(f, o).error;
    };
    EXPECT_EQ(withSize(100000, 3), BmpError::BadSize);
    EXPECT_EQ(withSize(kBmpMaxSide + 1, 1), BmpError::BadSize);
    EXPECT_EQ(withSize(0, 3), BmpError::BadSize);
    EXPECT_EQ(withSize(-4, 3), BmpError::BadSize);
    EXPECT_EQ(withSize(4, 0), BmpError::BadSize);
    EXPECT_EQ(withSize(INT_MIN, 3), BmpError::BadSize);
    EXPECT_EQ(withSize(4, INT_MIN), BmpError::TopDown);
    EXPECT_EQ(withSize(4, INT_MIN, {.allowTopDown = true}), BmpError::BadSize);
    EXPECT_EQ(withSize(4, -(kBmpMaxSide + 1), {.allowTopDown = true}), BmpError::BadSize);
    // Within the limits but far more pixels than the file holds.
    EXPECT_EQ(withSize(kBmpMaxSide, kBmpMaxSide), BmpError::Truncated);
}

TEST(BmpHostile, LargestAcceptedWidth) {
    BmpLayout s;
    s.width = kBmpMaxSide;
    s.bpp = 1;
    s.palette = {0, 0xFFFFFF};
    s.rows = {std::vector<std::uint8_t>(kBmpMaxSide / 8, 0x01)};
    const BmpResult r = Decode(s);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image.Pixel(kBmpMaxSide - 1, 0), kWhite);
    EXPECT_EQ(r.image.Pixel(kBmpMaxSide - 2, 0), kBlack);
}

TEST(BmpHostile, ColourTableLargerThanTheFile) {
    BmpLayout s = ValidEightBit();
    s.colorsUsed = 0xFFFFFFFFu;  // the table of 4 cannot hold the 256 a pixel could address
    EXPECT_EQ(Decode(s).error, BmpError::BadColorTable);
    s.colorsUsed = 200;
    EXPECT_EQ(Decode(s).error, BmpError::BadColorTable);
    // A huge count on a format without a table only moves the data start.
    BmpLayout t;
    t.colorsUsed = 0x40000000u;
    t.zeroOffset = true;
    t.rows = {{1, 2, 3}};
    EXPECT_EQ(Decode(t).error, BmpError::Truncated);
}

TEST(BmpHostile, UnsupportedFormatsAndHeaders) {
    BmpLayout s = ValidEightBit();
    s.compression = 1;  // run-length coded
    EXPECT_EQ(Decode(s).error, BmpError::Unsupported);
    s = ValidEightBit();
    s.bpp = 2;
    EXPECT_EQ(Decode(s).error, BmpError::Unsupported);
    s = ValidEightBit();
    s.bpp = 0;
    EXPECT_EQ(Decode(s).error, BmpError::Unsupported);
    s = ValidEightBit();
    s.bpp = 24;
    s.compression = 3;  // masks only go with 16 and 32 bits
    EXPECT_EQ(Decode(s).error, BmpError::Unsupported);

    std::vector<std::uint8_t> f = BuildBmp(ValidEightBit());
    testing::Set32(f, 14, 0xFFFFFFFFu);
    EXPECT_EQ(DecodeBmp(f).error, BmpError::Truncated);
    testing::Set32(f, 14, 20);
    EXPECT_EQ(DecodeBmp(f).error, BmpError::Unsupported);
}

TEST(BmpHostile, BitFieldMasksMissingFromTheFile) {
    BmpLayout s;
    s.bpp = 16;
    s.compression = 3;
    std::vector<std::uint8_t> f = BuildBmp(s);  // no masks written
    f.resize(54 + 8);
    EXPECT_FALSE(DecodeBmp(f).ok());
}

}  // namespace
}  // namespace vexari
