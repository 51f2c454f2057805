#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

#include "net/Codepage.h"
#include "net/Wire.h"

namespace vexari {
namespace {

// "03 41 6E 6E" <-> bytes, so expected wire images read like a dump.
std::string Bytes(std::string_view hex) {
    std::string out;
    for (std::size_t i = 0; i < hex.size();) {
        if (hex[i] == ' ') {
            ++i;
            continue;
        }
        out += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
        i += 2;
    }
    return out;
}

std::string Hex(std::string_view bytes) {
    std::string out;
    char cell[4];
    for (char b : bytes) {
        std::snprintf(cell, sizeof cell, "%02X ", static_cast<unsigned char>(b));
        out += cell;
    }
    if (!out.empty()) out.pop_back();
    return out;
}

const VersionQuad kVersion{1, 0, 0, 5};

TEST(Wire, MessagesAndStringPrefixesHaveTheirExactBytes) {
    const Tables afterAnnJoined{{{"Ann", "Red", "-", 0, 0}}, {{"Red", "-/1", 0, 0}}};
    struct Case {
        std::string encoded;
        const char* bytes;
    } cases[] = {
        {EncodeJoin("Ann", "Red", kVersion),
         "03 00 00 00 03 41 6E 6E 03 52 65 64 01 00 00 00 00 00 00 00 00 00 00 00 05 00 00 00"},
        {EncodePresent(2), "09 00 00 00 02 00 00 00"},
        {EncodeTables(afterAnnJoined),
         "05 00 00 00 01 00 00 00 03 41 6E 6E 03 52 65 64 01 2D 00 00 00 00 00 00 00 00 "
         "01 00 00 00 03 52 65 64 03 2D 2F 31 00 00 00 00 00 00 00 00"},
        {EncodeLanded(-1, 70000, 4), "02 00 00 00 FF FF FF FF 70 11 01 00 04 00 00 00"},
        {EncodeText(""), "06 00 00 00 00"},
        {EncodeStart(3, 258), "07 00 00 00 03 00 00 00 02 01 00 00"},
        {EncodeOptions({1, 2, 3, 4, 5, 6, 7, 8, 9}),
         "0A 00 00 00 01 00 00 00 02 00 00 00 03 00 00 00 04 00 00 00 05 00 00 00 "
         "06 00 00 00 07 00 00 00 08 00 00 00 09 00 00 00"},
        // Only the prefixes of long strings: the kind and the prefix.
        {EncodeText(std::string(254, 'x')).substr(0, 5), "06 00 00 00 FE"},
        {EncodeText(std::string(255, 'x')).substr(0, 7), "06 00 00 00 FF FF 00"},
        {EncodeText(std::string(300, 'x')).substr(0, 7), "06 00 00 00 FF 2C 01"},
        {EncodeText(std::string(65533, 'x')).substr(0, 7), "06 00 00 00 FF FD FF"},
        {EncodeText(std::string(65534, 'x')).substr(0, 11), "06 00 00 00 FF FF FF FE FF 00 00"},
        {EncodeText(std::string(70000, 'x')).substr(0, 11), "06 00 00 00 FF FF FF 70 11 01 00"},
    };
    for (const Case& c : cases) EXPECT_EQ(Hex(c.encoded), c.bytes);
    EXPECT_EQ(EncodeText(std::string(300, 'x')).size(), 4u + 3u + 300u);
    EXPECT_EQ(EncodeText(std::string(70000, 'x')).size(), 4u + 7u + 70000u);
}

void ExpectSame(const ClientMessage& got, const ClientMessage& want) {
    EXPECT_EQ(got.kind, want.kind);
    EXPECT_EQ(got.name, want.name);
    EXPECT_EQ(got.team, want.team);
    EXPECT_EQ(got.version, want.version);
    EXPECT_EQ(got.stackHeight, want.stackHeight);
    EXPECT_EQ(got.score, want.score);
    EXPECT_EQ(got.removed, want.removed);
    EXPECT_EQ(got.text, want.text);
    EXPECT_EQ(got.levelCode, want.levelCode);
    EXPECT_EQ(got.options, want.options);
}

void ExpectSame(const ServerMessage& got, const ServerMessage& want) {
    EXPECT_EQ(got.kind, want.kind);
    EXPECT_EQ(got.text, want.text);
    EXPECT_EQ(got.tables, want.tables);
    EXPECT_EQ(got.levelCode, want.levelCode);
    EXPECT_EQ(got.seed, want.seed);
    EXPECT_EQ(got.rows, want.rows);
    EXPECT_EQ(got.options, want.options);
}

// Reads `bytes` whole, and checks that every shorter prefix waits for more
// and names a size it needs that is in reach of the whole message.
template <class Message, class ReadFn>
void ExpectReadsBack(ReadFn read, const std::string& bytes, const Message& want, std::size_t wantUsed) {
    for (std::size_t cut = 0; cut < wantUsed; ++cut) {
        Message partial;
        std::size_t needed = 0;
        ASSERT_EQ(read(std::string_view(bytes).substr(0, cut), needed, partial), ReadStatus::Incomplete) << cut;
        EXPECT_GT(needed, cut);
        EXPECT_LE(needed, wantUsed) << cut;
    }
    Message got;
    std::size_t used = 0;
    ASSERT_EQ(read(bytes, used, got), ReadStatus::Complete);
    EXPECT_EQ(used, wantUsed);
    ExpectSame(got, want);
}

TEST(Wire, EveryKindReadsBackInBothDirections) {
    const NetOptions options{30, 1, 2, 3, 4, 6, 5, 21, 0};
    const Tables tables{{{"Ann", "Red", "12", 3, 40}, {"Bob", std::string(300, 'b'), "-", -1, 0}},
                        {{"Red", "1/2", 7, 8}, {"", "-/0", 0, 0}}};
    const std::string team(70000, 'r');
    const std::string countdown = "&Starting in 3 seconds.\r\nPress ESC to pause.\r\n";
    // A message of `kind` with the fields `set` gives, the others left default.
    auto client = [](std::int32_t kind, auto set) {
        ClientMessage m;
        m.kind = kind;
        set(m);
        return std::optional(m);
    };
    auto server = [](std::int32_t kind, auto set) {
        ServerMessage m;
        m.kind = kind;
        set(m);
        return std::optional(m);
    };
    auto bare = [](auto&) {};
    struct Case {
        std::string bytes;
        std::optional<ClientMessage> toServer;
        std::optional<ServerMessage> toClient;
    } cases[] = {
        {EncodeKind(MSG_PAUSE), client(MSG_PAUSE, bare), {}},
        {EncodeKind(MSG_RESUME), client(MSG_RESUME, bare), {}},
        {EncodeLanded(17, 1234, 2),
         client(MSG_LANDED, [](auto& m) { m.stackHeight = 17, m.score = 1234, m.removed = 2; }), {}},
        {EncodeJoin("Ann", team, {1, 0, 0, 6}),
         client(MSG_JOIN, [&](auto& m) { m.name = "Ann", m.team = team, m.version = {1, 0, 0, 6}; }), {}},
        {EncodeText("hello\r\n"), client(MSG_TEXT, [](auto& m) { m.text = "hello\r\n"; }), {}},
        {EncodeStartRequest(4), client(MSG_START, [](auto& m) { m.levelCode = 4; }), {}},
        {EncodeKind(MSG_FILLED), client(MSG_FILLED, bare), {}},
        {EncodeOptions(options), client(MSG_OPTIONS, [&](auto& m) { m.options = options; }), {}},
        {EncodeKind(MSG_PAUSE), {}, server(MSG_PAUSE, bare)},
        {EncodeKind(MSG_RESUME), {}, server(MSG_RESUME, bare)},
        {EncodeKind(MSG_JOIN), {}, server(MSG_JOIN, bare)},
        {EncodeRefuse("Incompatible vexari versions"), {},
         server(MSG_REFUSE, [](auto& m) { m.text = "Incompatible vexari versions"; })},
        {EncodeTables(tables), {}, server(MSG_TABLES, [&](auto& m) { m.tables = tables; })},
        {EncodeTables({}), {}, server(MSG_TABLES, bare)},
        {EncodeText(countdown), {}, server(MSG_TEXT, [&](auto& m) { m.text = countdown; })},
        {EncodeStart(5, -123456789), {}, server(MSG_START, [](auto& m) { m.levelCode = 5, m.seed = -123456789; })},
        {EncodeKind(MSG_FILLED), {}, server(MSG_FILLED, bare)},
        {EncodePresent(4), {}, server(MSG_PRESENT, [](auto& m) { m.rows = 4; })},
        {EncodeOptions(options), {}, server(MSG_OPTIONS, [&](auto& m) { m.options = options; })},
    };
    const std::string next = EncodePresent(3);  // the following message must stay unread
    for (const Case& c : cases) {
        SCOPED_TRACE(Hex(c.bytes.substr(0, 16)));
        if (c.toServer) ExpectReadsBack(ReadClientMessage, c.bytes + next, *c.toServer, c.bytes.size());
        if (c.toClient) ExpectReadsBack(ReadServerMessage, c.bytes + next, *c.toClient, c.bytes.size());
    }
}

TEST(Wire, KindsAReceiverDoesNotHandleTakeOnlyTheKind) {
    // Each is followed by bytes that would be its fields in the other direction.
    const std::int32_t ignoredByServer[] = {MSG_REFUSE, MSG_TABLES, MSG_PRESENT, -1, 11, 0x7FFFFFFF};
    const std::int32_t ignoredByClient[] = {MSG_LANDED, -1, 11, static_cast<std::int32_t>(0x80000000)};
    const std::string fields = Bytes("01 00 00 00 03 41 6E 6E");
    std::size_t used = 0;
    for (std::int32_t kind : ignoredByServer) {
        ClientMessage m;
        EXPECT_EQ(ReadClientMessage(EncodeKind(MessageKind(kind)) + fields, used, m), ReadStatus::Complete);
        EXPECT_EQ(used, 4u) << kind;
        EXPECT_EQ(m.kind, kind);
    }
    for (std::int32_t kind : ignoredByClient) {
        ServerMessage m;
        EXPECT_EQ(ReadServerMessage(EncodeKind(MessageKind(kind)) + fields, used, m), ReadStatus::Complete);
        EXPECT_EQ(used, 4u) << kind;
        EXPECT_EQ(m.kind, kind);
    }
}

TEST(Wire, ReaderAcceptsEveryLengthFormAndWideStrings) {
    const std::string big(kMaxWireString, 'z');
    struct Case {
        std::string field;  // after the kind of MSG_TEXT
        std::string text;
    } cases[] = {
        {Bytes("FF 05 00 41 42 43 44 45"), "ABCDE"},                    // 16-bit form of a short length
        {Bytes("FF FF FF 03 00 00 00 41 42 43"), "ABC"},                 // 32-bit form of a short length
        {Bytes("FF FF FF 00 00 10 00") + big, big},                      // the longest string accepted
        {Bytes("FF FE FF 00"), ""},                                      // wide, empty
        {Bytes("FF FE FF 03 41 00 E9 00 AC 20"), "A\xE9\x80"},           // A, e acute, euro sign
        {Bytes("FF FE FF FF 03 00 3D D8 00 DE 21 00"), "?!"},             // a surrogate pair is one character
        {Bytes("FF FE FF FF FF FF 01 00 00 00 42 00"), "B"},             // wide with a 32-bit count
        {Bytes("FF FE FF 02 AC 20 FF FF"), "\x80?"},                     // U+FFFF has no byte
    };
    for (const Case& c : cases) {
        const std::string bytes = EncodeKind(MSG_TEXT) + c.field;
        ClientMessage fromClient;
        ServerMessage fromServer;
        std::size_t used = 0;
        ASSERT_EQ(ReadClientMessage(bytes, used, fromClient), ReadStatus::Complete) << Hex(c.field.substr(0, 12));
        EXPECT_EQ(used, bytes.size());
        EXPECT_EQ(fromClient.text, c.text);
        ASSERT_EQ(ReadServerMessage(bytes, used, fromServer), ReadStatus::Complete);
        EXPECT_EQ(fromServer.text, c.text);
    }
    // The refused connection's read covers the kind and the two strings only.
    std::size_t used = 0;
    const std::string join = EncodeJoin("Ann", "Red", kVersion);
    EXPECT_EQ(ReadJoinStart(join, used), ReadStatus::Complete);
    EXPECT_EQ(used, 12u);
    EXPECT_EQ(ReadJoinStart(join.substr(0, 11), used), ReadStatus::Incomplete);
}

TEST(Wire, HostileLengthsAndCountsAreInvalidBeforeTheirBytesArrive) {
    struct Case {
        const char* bytes;
        ReadStatus status;
    } cases[] = {
        {"06 00 00 00 FF FF FF FF FF FF FF", ReadStatus::Invalid},     // 4 GiB string
        {"06 00 00 00 FF FF FF 01 00 10 00", ReadStatus::Invalid},     // 1 MiB + 1
        {"06 00 00 00 FF FF FF 00 00 10 00", ReadStatus::Incomplete},  // 1 MiB: waits for it
        {"06 00 00 00 FF FE FF FF FF FF 01 00 08 00", ReadStatus::Invalid},     // wide, 1 MiB + 2 bytes
        {"06 00 00 00 FF FE FF FF FF FF 00 00 08 00", ReadStatus::Incomplete},  // wide, 1 MiB of bytes
        {"05 00 00 00 FF FF FF FF", ReadStatus::Invalid},              // negative player count
        {"05 00 00 00 00 00 00 00 FE FF FF FF", ReadStatus::Invalid},  // negative team count
        {"05 00 00 00 FF FF FF 7F", ReadStatus::Invalid},              // more players than fit in a message
        {"05 00 00 00 10 00 00 00", ReadStatus::Incomplete},           // 16 players: waits for them
    };
    for (const Case& c : cases) {
        ServerMessage m;
        std::size_t used = 0;
        EXPECT_EQ(ReadServerMessage(Bytes(c.bytes), used, m), c.status) << c.bytes;
        // Through a stream: an Invalid stream stays so, whatever follows.
        ServerMessageStream stream;
        stream.Append(Bytes(c.bytes));
        stream.Append(EncodePresent(1));
        EXPECT_EQ(stream.Next(m), c.status) << c.bytes;
        EXPECT_EQ(stream.Next(m), c.status) << c.bytes;
    }
    ClientMessage m;
    std::size_t used = 0;
    EXPECT_EQ(ReadClientMessage(Bytes("06 00 00 00 FF FF FF FF FF FF FF"), used, m), ReadStatus::Invalid);
}

TEST(MessageStream, HandsOutWholeMessagesInOrderHoweverTheBytesArrive) {
    const std::string text = EncodeText(std::string(70000, 't'));
    const std::string both = EncodeStart(5, 99) + EncodePresent(2);
    ServerMessageStream stream;
    ServerMessage m;
    EXPECT_EQ(stream.Next(m), ReadStatus::Incomplete);
    // Two messages in one piece, then a third glued to a part of a fourth.
    stream.Append(both + EncodeKind(MSG_PAUSE) + text.substr(0, 10));
    ASSERT_EQ(stream.Next(m), ReadStatus::Complete);
    EXPECT_EQ(m.kind, MSG_START);
    EXPECT_EQ(m.seed, 99);
    ASSERT_EQ(stream.Next(m), ReadStatus::Complete);
    EXPECT_EQ(m.kind, MSG_PRESENT);
    EXPECT_EQ(m.rows, 2);
    ASSERT_EQ(stream.Next(m), ReadStatus::Complete);
    EXPECT_EQ(m.kind, MSG_PAUSE);
    EXPECT_EQ(stream.Next(m), ReadStatus::Incomplete);
    EXPECT_EQ(stream.Buffered(), 10u);
    // The rest of the long text one byte at a time: it completes exactly once.
    int completed = 0;
    for (std::size_t i = 10; i < text.size(); ++i) {
        stream.Append(text.substr(i, 1));
        while (stream.Next(m) == ReadStatus::Complete) {
            ++completed;
            EXPECT_EQ(i, text.size() - 1);
            EXPECT_EQ(m.text.size(), 70000u);
        }
    }
    EXPECT_EQ(completed, 1);
    EXPECT_EQ(stream.Buffered(), 0u);

    // The client side byte by byte over many messages, in order.
    ClientMessageStream clientStream;
    ClientMessage c;
    std::string many;
    for (int i = 0; i < 50; ++i) many += EncodeLanded(i, 0, 0) + EncodeText("hi");
    std::int32_t landings = 0;
    for (char b : many) {
        clientStream.Append(std::string_view(&b, 1));
        while (clientStream.Next(c) == ReadStatus::Complete) {
            if (c.kind == MSG_LANDED) {
                EXPECT_EQ(c.stackHeight, landings++);
            }
        }
    }
    EXPECT_EQ(landings, 50);
    EXPECT_EQ(clientStream.Buffered(), 0u);
}

TEST(Codepage, ConvertsBetweenTheCodePageAndUnicode) {
    // Both directions: the bytes and their UTF-8.
    struct Pair {
        const char* cp1252;
        const char* utf8;
    } pairs[] = {
        {"Ann", "Ann"},
        {"\x80\x9F", "\u20AC\u0178"},                 // ends of the Windows-1252 block
        {"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},  // the unassigned bytes
        {"\xA0\xE9\xFF", "\u00A0\u00E9\u00FF"},        // Latin-1 half
        {"\x8A\x99\x85", "\u0160\u2122\u2026"},
    };
    for (const Pair& p : pairs) {
        EXPECT_EQ(Cp1252ToUtf8(p.cp1252), p.utf8) << p.cp1252;
        EXPECT_EQ(Utf8ToCp1252(p.utf8), p.cp1252) << p.utf8;
    }
    // UTF-8 the code page cannot hold, or that is broken.
    struct OneWay {
        const char* utf8;
        const char* cp1252;
    } toCodePage[] = {
        {"\u0080\u0100", "??"},           // a C1 control the code page replaces, and a letter it lacks
        {"a\U0001F600b", "a?b"},          // beyond U+FFFF
        {"\xC3", "?"},                    // cut off at the end
        {"\xE2\x82x", "?x"},              // cut off before an ASCII byte
        {"\x80\xBF", "??"},               // stray continuation bytes
        {"\xC0\xAF\xE0\x80\xAF", "?????"},  // overlong forms
        {"\xED\xA0\x80", "???"},          // an encoded surrogate
        {"\xF4\x90\x80\x80\xFF", "?????"},  // above U+10FFFF, and an impossible byte
    };
    for (const OneWay& c : toCodePage) EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << Hex(c.utf8);
    struct Wide {
        std::u16string utf16;
        const char* cp1252;
    } fromUtf16[] = {
        {u"A\u00E9\u20AC\u009D", "A\xE9\x80\x9D"},
        {u"\U0001F600.", "?."},                     // a pair is one character
        {std::u16string(1, u'\xDC00') + u"x" + std::u16string(1, u'\xD800'), "?x?"},  // lone halves
        {u"\u0080\u4E2D", "??"},
    };
    for (const Wide& c : fromUtf16) EXPECT_EQ(Utf16ToCp1252(c.utf16), c.cp1252) << c.cp1252;
}

}  // namespace
}  // namespace vexari
