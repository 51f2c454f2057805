#include <gtest/gtest.h>

#include "net/Codepage.h"
#include "net/Wire.h"

namespace vexari {
namespace {

// "03 41 6E 6E" -> bytes, so expected wire images read like a dump.
std::string Bytes(std::string_view hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 3)
        out += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    return out;
}

TEST(Wire, MessagesAndLengthPrefixesHaveTheirExactBytes) {
    const Tables annJoined{{{"Ann", "Red", "-", 0, 0}}, {{"Red", "-/1", 0, 0}}};
    const std::pair<std::string, const char*> cases[] = {
        {EncodeJoin("Ann", "Red", {1, 0, 0, 5}),
         "03 00 00 00 03 41 6E 6E 03 52 65 64 01 00 00 00 00 00 00 00 00 00 00 00 05 00 00 00"},
        {EncodePresent(2), "09 00 00 00 02 00 00 00"},
        {EncodeTables(annJoined),
         "05 00 00 00 01 00 00 00 03 41 6E 6E 03 52 65 64 01 2D 00 00 00 00 00 00 00 00 "
         "01 00 00 00 03 52 65 64 03 2D 2F 31 00 00 00 00 00 00 00 00"},
        {EncodeLanded(-1, 70000, 4), "02 00 00 00 FF FF FF FF 70 11 01 00 04 00 00 00"},
        {EncodeStart(3, 258), "07 00 00 00 03 00 00 00 02 01 00 00"},
        {EncodeOptions({1, 2, 3, 4, 5, 6, 7, 8, 9}),
         "0A 00 00 00 01 00 00 00 02 00 00 00 03 00 00 00 04 00 00 00 05 00 00 00 "
         "06 00 00 00 07 00 00 00 08 00 00 00 09 00 00 00"},
        // Strings: the kind and the prefix of each length form, at its bounds.
        {EncodeText(""), "06 00 00 00 00"},
        {EncodeText(std::string(254, 'x')).substr(0, 5), "06 00 00 00 FE"},
        {EncodeText(std::string(255, 'x')).substr(0, 7), "06 00 00 00 FF FF 00"},
        {EncodeText(std::string(65533, 'x')).substr(0, 7), "06 00 00 00 FF FD FF"},
        {EncodeText(std::string(65534, 'x')).substr(0, 11), "06 00 00 00 FF FF FF FE FF 00 00"},
    };
    for (const auto& [encoded, bytes] : cases) EXPECT_EQ(encoded, Bytes(bytes)) << bytes;
}

// Every shorter prefix of a message of each kind waits for more and names a
// size in reach, so a stream never rereads a long message byte by byte; the
// whole is read to its end and no further. (What each field reads as, the
// server's and the client's tests see.)
TEST(Wire, EveryKindIsReadWholeAndWaitsForWhatItLacks) {
    const NetOptions options{30, 1, 2, 3, 4, 6, 5, 21, 0};
    const Tables tables{{{"Ann", "Red", "12", 3, 40}, {"Bob", std::string(300, 'b'), "-", -1, 0}},
                        {{"Red", "1/2", 7, 8}, {"", "-/0", 0, 0}}};
    const auto check = [](auto read, auto message, const std::string& bytes) {
        SCOPED_TRACE(bytes.substr(0, 1));
        const std::string stream = bytes + EncodePresent(3);
        std::size_t used = 0;
        for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
            ASSERT_EQ(read(std::string_view(stream).substr(0, cut), used, message), ReadStatus::Incomplete) << cut;
            ASSERT_TRUE(used > cut && used <= bytes.size()) << cut << " needs " << used;
        }
        EXPECT_EQ(read(stream, used, message), ReadStatus::Complete);
        EXPECT_EQ(used, bytes.size());
    };
    for (const std::string& bytes : {EncodeLanded(17, 12, 2), EncodeJoin("Ann", std::string(70000, 'r'), {1, 0, 0, 6}),
                                     EncodeText("hello\r\n"), EncodeStartRequest(4), EncodeOptions(options)})
        check(ReadClientMessage, ClientMessage{}, bytes);
    for (const std::string& bytes : {EncodeRefuse("Incompatible"), EncodeTables(tables), EncodeTables({}),
                                     EncodeStart(5, -123456789), EncodePresent(4), EncodeOptions(options)})
        check(ReadServerMessage, ServerMessage{}, bytes);
}

TEST(Wire, KindsWithoutFieldsOrUnknownToTheReceiverTakeOnlyTheKind) {
    // Each kind is followed by bytes that would be fields in the other direction.
    const std::string fields = Bytes("01 00 00 00 03 41 6E 6E");
    const auto bare = [&](auto read, auto message, std::initializer_list<std::int32_t> kinds) {
        for (std::int32_t kind : kinds) {
            std::size_t used = 0;
            EXPECT_EQ(read(EncodeKind(MessageKind(kind)) + fields, used, message), ReadStatus::Complete) << kind;
            EXPECT_EQ(std::tuple(used, message.kind), std::tuple(4u, kind));
        }
    };
    bare(ReadClientMessage, ClientMessage{}, {MSG_PAUSE, MSG_FILLED, MSG_REFUSE, MSG_TABLES, MSG_PRESENT, -1});
    bare(ReadServerMessage, ServerMessage{}, {MSG_RESUME, MSG_JOIN, MSG_LANDED, 11, INT32_MIN, INT32_MAX});
}

// Every length form and wide strings are read; hostile lengths and counts are
// Invalid before their bytes arrive, and a stream stays Invalid.
TEST(Wire, ReaderTakesEveryLengthFormButNoHostileLengthOrCount) {
    const std::string big(kMaxWireString, 'z');
    const std::tuple<std::string, ReadStatus, std::string> cases[] = {
        {Bytes("06 00 00 00 FF 05 00 41 42 43 44 45"), ReadStatus::Complete, "ABCDE"},  // 16-bit form, short
        {Bytes("06 00 00 00 FF FF FF 03 00 00 00 41 42 43"), ReadStatus::Complete, "ABC"},  // 32-bit form, short
        {Bytes("06 00 00 00 FF FF FF 00 00 10 00") + big, ReadStatus::Complete, big},  // the longest accepted
        {Bytes("06 00 00 00 FF FE FF 03 41 00 E9 00 AC 20"), ReadStatus::Complete, "A\xE9\x80"},
        {Bytes("06 00 00 00 FF FE FF FF 03 00 3D D8 00 DE 21 00"), ReadStatus::Complete, "?!"},  // a pair is one
        {Bytes("06 00 00 00 FF FE FF FF FF FF 01 00 00 00 42 00"), ReadStatus::Complete, "B"},  // 32-bit count
        {Bytes("06 00 00 00 FF FF FF FF FF FF FF"), ReadStatus::Invalid, "4 GiB"},
        {Bytes("06 00 00 00 FF FF FF 01 00 10 00"), ReadStatus::Invalid, "1 MiB + 1"},
        {Bytes("06 00 00 00 FF FF FF 00 00 10 00"), ReadStatus::Incomplete, "1 MiB: waits for it"},
        {Bytes("06 00 00 00 FF FE FF FF FF FF 01 00 08 00"), ReadStatus::Invalid, "wide, 1 MiB + 2 bytes"},
        {Bytes("06 00 00 00 FF FE FF FF FF FF 00 00 08 00"), ReadStatus::Incomplete, "wide, 1 MiB of bytes"},
        {Bytes("05 00 00 00 FF FF FF FF"), ReadStatus::Invalid, "negative player count"},
        {Bytes("05 00 00 00 00 00 00 00 FE FF FF FF"), ReadStatus::Invalid, "negative team count"},
        {Bytes("05 00 00 00 FF FF FF 7F"), ReadStatus::Invalid, "more players than a message holds"},
        {Bytes("05 00 00 00 10 00 00 00"), ReadStatus::Incomplete, "16 players: waits for them"},
    };
    for (const auto& [bytes, status, text] : cases) {
        SCOPED_TRACE(text.substr(0, 40));
        ServerMessage m;
        std::size_t used = 0;
        ASSERT_EQ(ReadServerMessage(bytes, used, m), status);
        if (status == ReadStatus::Complete) {
            EXPECT_EQ(used, bytes.size());
            EXPECT_EQ(m.text, text);
            continue;
        }
        ServerMessageStream stream;
        stream.Append(bytes);
        stream.Append(EncodePresent(1));
        EXPECT_EQ(stream.Next(m), status);
        EXPECT_EQ(stream.Next(m), status);
    }
}

TEST(MessageStream, HandsOutWholeMessagesInOrderHoweverTheBytesArrive) {
    std::string all = EncodeStart(5, 99) + EncodeText(std::string(70000, 't'));
    for (int i = 0; i < 30; ++i) all += EncodePresent(i) + EncodeText("hi");
    // Whole, in pieces that cut messages and glue them together, and byte by byte.
    for (std::size_t piece : {all.size(), std::size_t{7}, std::size_t{1}}) {
        ServerMessageStream stream;
        ServerMessage m;
        std::string got;
        for (std::size_t at = 0; at < all.size(); at += piece) {
            stream.Append(std::string_view(all).substr(at, piece));
            while (stream.Next(m) == ReadStatus::Complete)
                got += m.kind == MSG_TEXT ? EncodeText(m.text) : m.kind == MSG_START ? EncodeStart(m.levelCode, m.seed)
                                                                                     : EncodePresent(m.rows);
        }
        EXPECT_TRUE(got == all && stream.Buffered() == 0) << piece;
    }
}

TEST(Codepage, ConvertsBetweenTheCodePageAndUnicode) {
    const std::pair<const char*, const char*> bothWays[] = {
        {"\x80\x9F\x8A\x99\x85", "\u20AC\u0178\u0160\u2122\u2026"},  // the Windows-1252 block
        {"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},  // its unassigned bytes
        {"A\xA0\xE9\xFF", "A\u00A0\u00E9\u00FF"},                       // ASCII and the Latin-1 half
    };
    for (const auto& [cp1252, utf8] : bothWays) {
        EXPECT_EQ(Cp1252ToUtf8(cp1252), utf8) << cp1252;
        EXPECT_EQ(Utf8ToCp1252(utf8), cp1252) << utf8;
    }
    // UTF-8 the code page cannot hold, or that is broken: one '?' a character or a bad byte.
    const std::pair<const char*, const char*> toCodePage[] = {
        {"\u0080\u0100a\U0001F600b", "??a?b"},  // a C1 control it replaces, a letter it lacks, beyond U+FFFF
        {"\xE2\x82x\xC3", "?x?"},               // cut off before an ASCII byte, and at the end
        {"\x80\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80\xFF", "???????????"},  // stray, overlong, surrogate, too high
    };
    for (const auto& [utf8, cp1252] : toCodePage) EXPECT_EQ(Utf8ToCp1252(utf8), cp1252) << utf8;
    const std::u16string lone = std::u16string(1, u'\xDC00') + u"x" + std::u16string(1, u'\xD800');
    EXPECT_EQ(Utf16ToCp1252(u"A\u00E9\u20AC\u009D\U0001F600." + lone), "A\xE9\x80\x9D?.?x?");  // a pair is one
}

}  // namespace
}  // namespace vexari
