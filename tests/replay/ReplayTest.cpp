// SPDX-License-Identifier: GPL-3.0-or-later
// Recording games as they are played, the replay file, and playing it back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "Session.h"
#include "replay/ByteCodec.h"
#include "replay/HighScoreLinks.h"
#include "replay/ReplayCodec.h"
#include "replay/ReplayLibrary.h"
#include "replay/ReplayPlayer.h"

namespace vexari {
namespace {

namespace fs = std::filesystem;
using test::LiveSession;
using test::Script;

// Games of every sort; those with a file name are also kept as fixtures.
const Script kScripts[] = {
    {.name = "single", .seed = 1},
    {.name = "no-next-bottom-lines", .seed = 2, .height = 19, .next = 0, .botLines = 1},
    {.name = "level-rises-animated", .seed = 3, .ticks = 6000, .fallPeriod = 9, .botLines = 1, .animate = 1, .demoAt = 400,
     .demoSpeed = 9},
    {.name = "demo-speed-0", .seed = 4, .ticks = 3000, .demoAt = 30, .demoSpeed = 0},
    {.name = "demo-speed-5", .seed = 5, .ticks = 3000, .demoAt = 30, .demoSpeed = 5},
    {.name = "learn-then-demo", .seed = 6, .ticks = 3000, .learn = true, .demoAt = 700},
    {.name = "new-game-restart", .seed = 7, .ticks = 2500, .animate = 1, .newGameAt = 60},
    {.name = "paused-hint-switched", .seed = 8, .ticks = 2500, .pauseAt = 40},
    {.name = "network-presents", .seed = 9, .ticks = 5000, .presentEvery = 40},
    {.name = "network-computer", .seed = 10, .ticks = 5000, .presentEvery = 25, .netName = "Comp7"},
};
const std::set<std::string> kFixtures = {"single", "level-rises-animated", "learn-then-demo", "network-presents"};

std::string Reseal(std::string bytes) {
    bytes.resize(bytes.size() - 4);
    ByteWriter crc;
    crc.Fixed32(Crc32(bytes));
    return bytes + crc.bytes();
}

TEST(ReplayRecording, EveryGamePlayedReplaysToTheSameWellScoreAndLines) {
    const char* fixtureDir = std::getenv("VEXARI_WRITE_REPLAY_FIXTURES");  // regenerates the fixtures
    for (const Script& s : kScripts) {
        LiveSession live;
        live.Run(s);
        ASSERT_FALSE(live.saved.empty()) << s.name;
        for (Replay replay : live.saved) {
            replay.recordedAt = -65;  // a time before 1970 comes back as well
            const std::string bytes = EncodeReplay(replay);
            const ReplayReadResult read = DecodeReplay(bytes);
            ASSERT_TRUE(read.replay) << s.name << ": " << read.error;
            EXPECT_TRUE(*read.replay == replay) << s.name;
            const ReplayVerdict verdict = VerifyReplay(*read.replay);
            EXPECT_TRUE(verdict.ok) << s.name << " " << verdict.message;
        }
        const ReplayKind kind = s.presentEvery ? ReplayKind::Network : s.demoAt >= 0 ? ReplayKind::Demo : ReplayKind::Single;
        const auto longest = std::max_element(live.saved.begin(), live.saved.end(), [&](auto& a, auto& b) {
            return std::pair(KindOf(a) == kind, a.landings.size()) < std::pair(KindOf(b) == kind, b.landings.size());
        });
        ASSERT_EQ(KindOf(*longest), kind) << s.name;
        if (fixtureDir && kFixtures.count(s.name))
            std::ofstream(fs::path(fixtureDir) / (std::string(s.name) + kReplayExtension), std::ios::binary)
                << EncodeReplay(*longest);
    }
    LiveSession idle;  // started and left before anything landed: nothing to keep
    idle.Run({.name = "idle", .ticks = 1});
    EXPECT_TRUE(idle.saved.empty());
}

TEST(ReplayFixtures, FilesRecordedByThisVersionReplayBitExactly) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(VEXARI_REPLAY_FIXTURES)) {
        const ReplayReadResult read = ReadReplayFile(entry.path());
        ASSERT_TRUE(read.replay) << entry.path() << ": " << read.error;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        const ReplayVerdict verdict = VerifyReplay(*read.replay);
        EXPECT_EQ(std::tuple(EncodeReplay(*read.replay) == bytes, verdict.ok, verdict.message),
                  std::tuple(true, true, "")) << entry.path();
        ++count;
    }
    EXPECT_EQ(count, 4);
}

TEST(ReplayPlayer, StepsByTickAndFigureAndTellsWhereAnEditedFileLeavesThePlay) {
    LiveSession live;
    live.Run(kScripts[0]);
    const Replay& good = live.saved.front();
    ReplayPlayer player(good);
    EXPECT_TRUE(player.StepFigure());
    EXPECT_EQ(std::tuple(player.FiguresLanded(), player.TicksPlayed()), std::tuple(1u, good.landings[0].tick));
    player.Step();
    EXPECT_EQ(player.TicksPlayed(), good.landings[0].tick + 1);
    player.RunToEnd();
    EXPECT_EQ(std::tuple(player.Finished(), player.Verdict().ok, player.FiguresLanded(), player.TicksPlayed()),
              std::tuple(true, true, good.landings.size(), good.claims.ticks));

    struct Case {
        const char* what;
        void (*edit)(Replay&);
        std::string message;  // the verdict begins with it
    } cases[] = {
        {"score", [](Replay& r) { r.claims.score += 1; }, "score"},
        {"lines", [](Replay& r) { r.claims.lines += 1; }, "lines"},
        {"well", [](Replay& r) { r.claims.well.at(0, r.claims.height - 1) ^= 1; }, "the final well"},
        {"drop", [](Replay& r) { std::erase_if(r.events, [](auto& e) { return e.value == 32; }); }, "figure"},
        {"seed", [](Replay& r) { r.events[1].value += 1; }, "figure"},
        {"longer", [](Replay& r) { r.claims.ticks += 100; }, "the well filled, but"},
        {"landing", [](Replay& r) { r.landings.pop_back(); }, "figure"},
        {"landing tick", [](Replay& r) { r.landings[0].tick += 1; }, "figure"},
    };
    for (const Case& c : cases) {
        Replay edited = good;
        c.edit(edited);
        const ReplayVerdict v = VerifyReplay(*DecodeReplay(EncodeReplay(edited)).replay);
        EXPECT_FALSE(v.ok) << c.what;
        EXPECT_NE(v.message.find(c.message), std::string::npos) << c.what << ": " << v.message;
    }
}

TEST(ReplayFile, HostileOrDamagedFilesGiveAClearMessage) {
    LiveSession live;
    live.Run(kScripts[8]);
    const std::string good = EncodeReplay(live.saved.front());
    Replay empty = live.saved.front();
    empty.events.clear();
    const std::string noEvents = EncodeReplay(empty);
    Replay late = live.saved.front();
    late.events.back().tick = late.claims.ticks + 1;
    Replay noReset = live.saved.front();
    noReset.events.erase(noReset.events.begin());
    Replay readAfterSettings = live.saved.front();
    readAfterSettings.changes.push_back(readAfterSettings.start);
    readAfterSettings.events.push_back({late.claims.ticks, ReplayEventKind::Conditions, 1, 0});
    readAfterSettings.events.push_back({late.claims.ticks, ReplayEventKind::AccelerateDown});
    const std::pair<std::string, std::string> cases[] = {
        {"", "not a replay file"},
        {"VXRQ" + good.substr(4), "not a replay file"},
        {good.substr(0, 4) + '\x02' + good.substr(5), "replay format 2, this program reads format 1"},
        {good.substr(0, good.size() - 1), "damaged: the checksum does not match"},
        {Reseal(good.substr(0, good.size() / 2) + "0000"), "ends too early"},
        {Reseal(noEvents.substr(0, noEvents.size() - 5) + "\xff\xff\xff\xff\x0f" + "0000"), "a count larger than"},
        {Reseal(EncodeReplay(late)), "past the end"},
        {Reseal(EncodeReplay(noReset)), "does not begin with the game's reset"},
        {Reseal(EncodeReplay(readAfterSettings)), "events out of order"},
        {std::string(kMaxReplayBytes + 1, 'V'), "too large"},
    };
    for (const auto& [bytes, message] : cases) {
        const ReplayReadResult read = DecodeReplay(bytes);
        EXPECT_FALSE(read.replay) << message;
        EXPECT_NE(read.error.find(message), std::string::npos) << read.error << " / " << message;
    }
    for (std::size_t n = 0; n < good.size(); n += 7) EXPECT_FALSE(DecodeReplay(Reseal(good.substr(0, n) + "0000")).replay);
}

TEST(ReplayLibrary, KeepsTheNewestAndEveryLinkedOneBesideAnUntouchedHighScoreFile) {
    const fs::path dir = fs::temp_directory_path() / ("vexari-replays-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    const fs::path his = dir / "vexari.his";
    HighScoreTable table;
    EnterScore(table, 0, "Ann", 700);
    ASSERT_TRUE(WriteHighScores((fs::create_directories(dir), his), table));
    const std::string hisBytes = EncodeHighScores(table);

    LiveSession live;
    live.Run(kScripts[0]);
    Replay replay = live.saved.front();
    ReplayLibrary library(dir / "replays", his);
    fs::path first;
    ASSERT_TRUE(library.Save(replay, &first));
    HighScoreLinks links{};
    EnterLink(links, 0, table.entries[0], first.filename().string());
    ASSERT_TRUE(WriteHighScoreLinks(his, links));
    for (int i = 1; i <= 55; ++i) {
        replay.recordedAt += i < 55 ? 60 : 0;  // the last in the same second as the one before: both are kept
        ASSERT_TRUE(library.Save(replay));
    }
    const std::vector<fs::path> files = library.Files();
    EXPECT_EQ(files.size(), ReplayLibrary::kKeptNewest + 1);
    EXPECT_EQ(files.back(), first);
    EXPECT_EQ(std::tuple(files.front().filename().string(), files[1].stem().string().ends_with("-2")),
              std::tuple(ReplayFileName(replay), true));
    const HighScoreLinks read = ReadHighScoreLinks(his);
    const HighScoreTable bob{{HighScoreEntry{"Bob", 700}}};  // the same score by another name
    EXPECT_EQ(std::tuple(read == links, LinkedReplay(read, table, 0), LinkedReplay(read, table, 1),
                         LinkedReplay(read, bob, 0)),
              std::tuple(true, std::optional(first.filename().string()), std::nullopt, std::nullopt));
    std::ifstream in(his, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), hisBytes);
    const std::vector<ReplayListing> listed = library.List();
    EXPECT_EQ(std::tuple(listed.front().readable, listed.front().score, listed.front().player),
              std::tuple(true, replay.claims.score, "Ann"));
    std::ofstream(LinksPathFor(his)) << "700 ../" << first.filename().string() << " Ann\n";  // not outside the folder
    EXPECT_EQ(ReadHighScoreLinks(his)[0].file, "");
    fs::remove_all(dir);
}

}  // namespace
}  // namespace vexari
