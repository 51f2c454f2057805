// The BMP reader, and the window background read through it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "ui/Background.h"
#include "ui/Bmp.h"

namespace vexari {
namespace {

// Writes small BMP files for the tests, field by field.
struct BmpLayout {
    std::int32_t width = 1, height = 1;
    std::uint16_t bpp = 24;
    std::uint32_t compression = 0, colorsUsed = 0, headerSize = 40;  // 12 writes the core header
    std::vector<std::uint32_t> palette = {}, masks = {};  // 0x00RRGGBB; masks follow a 40-byte header
    std::vector<std::vector<std::uint8_t>> rows = {};     // in file order, unpadded
    bool zeroOffset = false, padLastRow = true;           // leave the pixel-data offset 0; pad rows to 4 bytes
};

// Writes v little-endian in the given number of bytes.
void Put(std::vector<std::uint8_t>& b, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Set32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::vector<std::uint8_t> BuildBmp(const BmpLayout& s) {
    std::vector<std::uint8_t> b = {'B', 'M'};
    b.resize(14, 0);  // file size and pixel-data offset are patched below
    Put(b, s.headerSize, 4);
    const int side = s.headerSize == 12 ? 2 : 4;
    Put(b, static_cast<std::uint32_t>(s.width), side);
    Put(b, static_cast<std::uint32_t>(s.height), side);
    Put(b, 1, 2);
    Put(b, s.bpp, 2);
    if (s.headerSize != 12) {
        for (std::uint32_t v : {s.compression, 0u, 2835u, 2835u, s.colorsUsed, 0u}) Put(b, v, 4);
        for (std::uint32_t m : s.masks) Put(b, m, 4);
        if (s.headerSize > 40) b.resize(14 + s.headerSize, 0);
    }
    for (std::uint32_t c : s.palette) Put(b, c, s.headerSize == 12 ? 3 : 4);  // blue, green, red (, 0)
    if (!s.zeroOffset) Set32(b, 10, static_cast<std::uint32_t>(b.size()));
    for (std::size_t r = 0; r < s.rows.size(); ++r) {
        b.insert(b.end(), s.rows[r].begin(), s.rows[r].end());
        if (s.padLastRow || r + 1 < s.rows.size())
            b.insert(b.end(), (s.rows[r].size() + 3) / 4 * 4 - s.rows[r].size(), 0xEE);
    }
    Set32(b, 2, static_cast<std::uint32_t>(b.size()));
    return b;
}

BmpResult Decode(const BmpLayout& layout, BmpDecodeOptions o = {}) { return DecodeBmp(BuildBmp(layout), o); }

// A table of n entries, entry i being (256 i / n, n - 1 - i, 1).
std::vector<std::uint32_t> Ramp(std::uint32_t n) {
    std::vector<std::uint32_t> p;
    for (std::uint32_t i = 0; i < n; ++i) p.push_back((i * 256 / n) << 16 | (n - 1 - i) << 8 | 1);
    return p;
}

constexpr Color kP0 = MakeColor(10, 20, 30), kP1 = MakeColor(200, 100, 50);
const std::vector<std::uint32_t> kTwo = {0x0A141E, 0xC86432};

TEST(Bmp, DecodesEveryAcceptedFormat) {
    struct FormatCase {
        const char* what;
        BmpLayout layout;
        std::vector<std::vector<Color>> pixels;  // the decoded image, top row first
    };
    const std::vector<FormatCase> cases = {
        {"1 bit, bottom row first", {.width = 3, .height = 2, .bpp = 1, .palette = kTwo, .rows = {{0xA0}, {0x60}}},
         {{kP0, kP1, kP1}, {kP1, kP0, kP1}}},
        {"4 bits, high nibble first", {.width = 3, .bpp = 4, .palette = Ramp(16), .rows = {{0x2F, 0x70}}},
         {{MakeColor(32, 13, 1), MakeColor(240, 0, 1), MakeColor(112, 8, 1)}}},
        {"8 bits, colours used 0: a table of 256 before data at offset 0",
         {.width = 3, .bpp = 8, .palette = Ramp(256), .rows = {{0, 255, 128}}, .zeroOffset = true},
         {{MakeColor(0, 255, 1), MakeColor(255, 0, 1), MakeColor(128, 127, 1)}}},
        {"8 bits, an index past a short table is black",
         {.width = 2, .bpp = 8, .colorsUsed = 2, .palette = kTwo, .rows = {{1, 5}}, .zeroOffset = true},
         {{kP1, kBlack}}},
        {"24 bits, no table, padded rows",
         {.width = 3, .height = 2, .rows = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 20, 30, 40, 50, 60, 70, 80, 90}},
          .zeroOffset = true},
         {{MakeColor(30, 20, 10), MakeColor(60, 50, 40), MakeColor(90, 80, 70)},
          {MakeColor(3, 2, 1), MakeColor(6, 5, 4), MakeColor(9, 8, 7)}}},
        {"16 bits 5-5-5 (16 of 31 is 131.6 of 255)",
         {.width = 4, .bpp = 16, .rows = {{0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x10, 0x42}}},
         {{MakeColor(255, 0, 0), MakeColor(0, 255, 0), MakeColor(0, 0, 255), MakeColor(132, 132, 132)}}},
        {"16 bits 5-6-5 bit fields, masks between header and data",
         {.width = 3, .bpp = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F},
          .rows = {{0x00, 0xF8, 0xE0, 0x07, 0x00, 0x04}}, .zeroOffset = true},
         {{MakeColor(255, 0, 0), MakeColor(0, 255, 0), MakeColor(0, 130, 0)}}},
        {"32 bits, masks in a version 5 header (red in the first byte)",
         {.width = 2, .bpp = 32, .compression = 3, .headerSize = 124,
          .masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000}, .rows = {{1, 2, 3, 99, 40, 50, 60, 0}}},
         {{MakeColor(1, 2, 3), MakeColor(40, 50, 60)}}},
        {"core header, three-byte table entries",
         {.width = 2, .height = 2, .bpp = 1, .headerSize = 12, .palette = kTwo, .rows = {{0x80}, {0x40}},
          .zeroOffset = true},
         {{kP0, kP1}, {kP1, kP0}}},
    };
    for (const FormatCase& c : cases) {
        const BmpResult r = Decode(c.layout);
        std::vector<std::vector<Color>> decoded;
        for (int y = 0; y < r.image.Height(); ++y) {
            decoded.emplace_back();
            for (int x = 0; x < r.image.Width(); ++x) decoded.back().push_back(r.image.Pixel(x, y));
        }
        EXPECT_TRUE(r.ok()) << c.what;
        EXPECT_EQ(decoded, c.pixels) << c.what;
    }
}

TEST(Bmp, Boundaries) {
    // Rows stored top row first only when allowed.
    const BmpLayout topDown{.height = -2, .rows = {{1, 1, 1}, {2, 2, 2}}};
    EXPECT_EQ(Decode(topDown).error, BmpError::TopDown);
    BmpResult r = Decode(topDown, {.allowTopDown = true});
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(std::tuple(r.image.Pixel(0, 0), r.image.Pixel(0, 1)), std::tuple(MakeColor(1, 1, 1), MakeColor(2, 2, 2)));
    // The widest picture accepted.
    r = Decode({.width = kBmpMaxSide, .bpp = 1, .palette = {0, 0xFFFFFF},
                .rows = {std::vector<std::uint8_t>(kBmpMaxSide / 8, 0x01)}});
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.image.Pixel(kBmpMaxSide - 1, 0), kWhite);
    EXPECT_EQ(r.image.Pixel(kBmpMaxSide - 2, 0), kBlack);
    // An unpadded last row is read; one byte less is not.
    std::vector<std::uint8_t> f = BuildBmp({.height = 2, .rows = {{1, 2, 3}, {4, 5, 6}}, .padLastRow = false});
    EXPECT_TRUE(DecodeBmp(f).ok());
    f.pop_back();
    EXPECT_EQ(DecodeBmp(f).error, BmpError::Truncated);
}

// ---- files that lie ----

const BmpLayout kEightBit = {.width = 4, .height = 3, .bpp = 8, .colorsUsed = 4, .palette = {1, 2, 3, 4},
                             .rows = {{0, 1, 2, 3}, {3, 2, 1, 0}, {1, 1, 1, 1}}};

TEST(BmpHostile, EveryTruncationIsRefused) {
    const std::vector<std::uint8_t> file = BuildBmp(kEightBit);
    ASSERT_TRUE(DecodeBmp(file).ok());
    for (std::size_t len = 0; len < file.size(); ++len) {
        const BmpResult r = DecodeBmp(std::span(file.data(), len));
        EXPECT_FALSE(r.ok()) << "length " << len;
        EXPECT_TRUE(r.image.IsNull());
    }
}

TEST(BmpHostile, PatchedHeaderFields) {
    struct Patch { std::size_t at; std::int64_t value; BmpError error; bool allowTopDown = false; };
    const std::vector<std::uint8_t> good = BuildBmp(kEightBit);
    using enum BmpError;
    const Patch patches[] = {
        // The pixel-data offset at or past the end; a header size too large or unknown.
        {10, static_cast<std::int64_t>(good.size()), Truncated}, {10, 0xFFFFFFF0, Truncated},
        {14, 0xFFFFFFFF, Truncated}, {14, 20, Unsupported},
        // Widths (18) and heights (22) out of range.
        {18, kBmpMaxSide + 1, BadSize}, {18, 0, BadSize}, {18, -4, BadSize},
        {18, INT_MIN, BadSize}, {22, 0, BadSize}, {22, INT_MIN, TopDown}, {22, INT_MIN, BadSize, true},
        {22, -(kBmpMaxSide + 1), BadSize, true},
    };
    for (const Patch& p : patches) {
        std::vector<std::uint8_t> f = good;
        Set32(f, p.at, static_cast<std::uint32_t>(p.value));
        EXPECT_EQ(DecodeBmp(f, {.allowTopDown = p.allowTopDown}).error, p.error) << p.at << " := " << p.value;
    }
    // Within the limits but far more pixels than the file holds.
    std::vector<std::uint8_t> f = good;
    Set32(f, 18, kBmpMaxSide);
    Set32(f, 22, kBmpMaxSide);
    EXPECT_EQ(DecodeBmp(f).error, Truncated);
}

TEST(BmpHostile, RefusedLayouts) {
    const auto errorWith = [](auto change) {
        BmpLayout s = kEightBit;
        change(s);
        return Decode(s).error;
    };
    // The table of 4 cannot hold the 256 (or 200) entries the header claims.
    EXPECT_EQ(errorWith([](BmpLayout& s) { s.colorsUsed = 0xFFFFFFFFu; }), BmpError::BadColorTable);
    EXPECT_EQ(errorWith([](BmpLayout& s) { s.compression = 1; }), BmpError::Unsupported);  // run-length coded
    EXPECT_EQ(errorWith([](BmpLayout& s) { s.bpp = 0; }), BmpError::Unsupported);
    // Masks only go with 16 and 32 bits.
    EXPECT_EQ(errorWith([](BmpLayout& s) { s.bpp = 24; s.compression = 3; }), BmpError::Unsupported);
    // A huge count on a format without a table only moves the data start.
    EXPECT_EQ(Decode({.colorsUsed = 0x40000000u, .rows = {{1, 2, 3}}, .zeroOffset = true}).error, BmpError::Truncated);
    // Bit fields whose masks are missing from the file.
    std::vector<std::uint8_t> f = BuildBmp({.bpp = 16, .compression = 3});
    f.resize(54 + 8);
    EXPECT_FALSE(DecodeBmp(f).ok());
}

TEST(BackgroundFile, LoadsOrFallsBackToBlack) {
    const auto dir = std::filesystem::temp_directory_path() / ("vexari_bg_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto write = [&](const char* name, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return (dir / name).string();
    };
    const PixelImage black(32, 32, kBlack);
    PixelImage img(3, 3, kWhite);
    EXPECT_EQ(LoadBackgroundForWindow("", img), "");
    EXPECT_EQ(img, black);
    const std::string ok = write("ok.bmp", BuildBmp({.width = 2, .rows = {{1, 2, 3, 4, 5, 6}}}));
    EXPECT_TRUE(LoadBackgroundImage(ok, img));
    EXPECT_EQ(img.Pixel(1, 0), MakeColor(6, 5, 4));

    // Rows stored top row first cannot be made into a background.
    const std::string topDown = write("topdown.bmp", BuildBmp({.height = -1, .rows = {{1, 2, 3}}}));
    const std::string text = write("notes.bmp", {'h', 'e', 'l', 'l', 'o'});
    for (const std::string& path : {topDown, text, (dir / "missing.bmp").string(), dir.string()}) {
        img = PixelImage(5, 5, kWhite);
        EXPECT_EQ(LoadBackgroundForWindow(path, img),
                  "Cannon read bitmap file " + path + ".Please change the file pathname or set backround to BLACK");
        EXPECT_EQ(img, black) << path;
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vexari
