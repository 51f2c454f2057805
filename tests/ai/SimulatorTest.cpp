#include "ai/Simulator.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vexari {
namespace {

SimArgsResult Parse(std::vector<std::string> args) { return ParseSimArgs(args); }

TEST(SimArgs, DefaultsAndEveryOption) {
    ASSERT_TRUE(Parse({}).options);

    const SimArgsResult all = Parse({"--games", "20", "--seed", "4294967295", "--height", "19", "--weights", "a.dem",
                                     "--speed", "9", "--bottom-lines", "--no-next", "--max-pieces", "50", "--json",
                                     "--trace"});
    ASSERT_TRUE(all.options) << all.error;
    const SimOptions& o = *all.options;
    EXPECT_EQ(o.games, 20);
    EXPECT_EQ(o.seed, 4294967295u);
    EXPECT_EQ(o.height, 19);
    EXPECT_EQ(o.weightsFile, "a.dem");
    EXPECT_EQ(o.speed, 9);
    EXPECT_TRUE(o.bottomLines);
    EXPECT_FALSE(o.next);
    EXPECT_EQ(o.maxPieces, 50);
    EXPECT_TRUE(o.json);
    EXPECT_TRUE(o.trace);

    const SimArgsResult analyze = Parse({"analyze", "pos.txt"});
    ASSERT_TRUE(analyze.options);
    EXPECT_TRUE(analyze.options->analyze);
    EXPECT_EQ(analyze.options->analyzeFile, "pos.txt");
}

TEST(SimArgs, BadArgumentsAreRefusedWithOneLine) {
    const std::vector<std::vector<std::string>> bad = {
        {"--games"},           {"--games", "0"},      {"--games", "x"},     {"--games", "+3"},
        {"--seed", "-1"},      {"--seed", "4294967296"}, {"--height", "18"}, {"--height", "26"},
        {"--speed", "10"},     {"--speed", "-1"},     {"--max-pieces", "0"}, {"--weights"},
        {"--frobnicate"},      {"analyze"},           {"analyze", "a", "b"}, {"--json", "analyze", "a"},
        {"--games", "2x"},     {"--height", ""},
    };
    for (const auto& args : bad) {
        const SimArgsResult r = ParseSimArgs(args);
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_FALSE(r.options) << joined;
        EXPECT_FALSE(r.error.empty()) << joined;
        EXPECT_EQ(r.error.find('\n'), std::string::npos) << joined;
    }
}

AnalyzeParseResult ParseText(const std::string& text) {
    std::istringstream in(text);
    return ParseAnalyzeInput(in);
}

std::string EmptyRows(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "..........\n";
    return s;
}

TEST(AnalyzeInput, ReadsThePositionAndReportsEveryCandidate) {
    const AnalyzeParseResult p = ParseText("height 25\r\nfigure 1 3 0\r\nwell\r\n" + EmptyRows(25));
    ASSERT_TRUE(p.input) << p.error;
    const std::string json = AnalyzeJson(*p.input);
    EXPECT_EQ(json.rfind("{\"best\":{\"rotations\":0,\"offset\":-3,\"score\":23},\"old_hole_row\":25,\"candidates\":["
                         "{\"n\":0,\"rotations\":0,\"offset\":-3,\"criteria\":[0,0,0,0,0,-1,24,0],\"score\":23},",
                         0),
              0u)
        << json;
    EXPECT_NE(json.find("{\"n\":33,\"rotations\":3,\"offset\":5,"), std::string::npos);
    EXPECT_EQ(json.find("\"n\":34"), std::string::npos);
    EXPECT_EQ(json.substr(json.size() - 3), "}]}");
}

TEST(AnalyzeInput, CellsAndWeights) {
    const AnalyzeParseResult p =
        ParseText("figure 4 3 0\nweights 1 2 3 4 5 6 7 8.5\nheight 19\n\nwell\n" + EmptyRows(16) +
                  "....#.....\n.....7777.\n##########\n");
    ASSERT_TRUE(p.input) << p.error;
    EXPECT_EQ(p.input->height, 19);
    EXPECT_EQ(p.input->well.at(4, 16), 1);
    EXPECT_EQ(p.input->well.at(5, 17), 7);
    EXPECT_EQ(p.input->well.at(0, 18), 1);
    EXPECT_EQ(p.input->well.at(0, 19), 1);  // the floor
    EXPECT_EQ(p.input->weights[7], 8.5);
    EXPECT_EQ(p.input->figure, 4);
}

TEST(AnalyzeInput, EverythingIsValidated) {
    const std::string rows = EmptyRows(25);
    const std::vector<std::string> bad = {
        "height 18\nfigure 1 3 0\nwell\n" + EmptyRows(18),
        "height 26\nfigure 1 3 0\nwell\n" + EmptyRows(26),
        "height 25\nfigure 7 3 0\nwell\n" + rows,
        "height 25\nfigure -1 3 0\nwell\n" + rows,
        "height 25\nfigure 1 3\nwell\n" + rows,
        "height 25\nfigure 1 7 0\nwell\n" + rows,    // sticks out of the right wall
        "height 25\nfigure 1 3 23\nwell\n" + rows,   // box below the floor
        "height 25\nfigure 1 3 0\nwell\n" + EmptyRows(24),
        "height 25\nfigure 1 3 0\nwell\n" + rows + "..........\n",
        "height 25\nfigure 1 3 0\nwell\n" + EmptyRows(24) + "....8.....\n",
        "height 25\nfigure 1 3 0\nwell\n" + EmptyRows(24) + ".........\n",
        "height 25\nfigure 1 3 0\n" + rows,
        "figure 1 3 0\nwell\n" + rows,
        "height 25\nwell\n" + rows,
        "height 25\nfigure 1 3 0\nweights 1 2 3\nwell\n" + rows,
        "height 25\nfigure 1 3 0\nweights 1 2 3 4 5 6 7 x\nwell\n" + rows,
        "height 25\nheight 25\nfigure 1 3 0\nwell\n" + rows,
        "height 25\nfigure 1 3 0\nspeed 3\nwell\n" + rows,
        "height 25\nfigure 1 3 0\nwell\n..........\n......#...\n" + EmptyRows(23),  // on a filled cell
    };
    for (const auto& text : bad) {
        const AnalyzeParseResult p = ParseText(text);
        EXPECT_FALSE(p.input) << text.substr(0, 60);
        EXPECT_FALSE(p.error.empty());
    }
}

SimOptions Options(int maxPieces = 100000) {
    SimOptions o;
    o.maxPieces = maxPieces;
    return o;
}

TEST(Simulator, GamesAreReproducibleAndTheTraceAddsUp) {
    Simulator sim(Options(400), DemoWeights::Defaults());
    std::vector<SimLanding> landings;
    const SimGameResult a = sim.Play(1, [&](const SimLanding& l) { landings.push_back(l); });
    EXPECT_TRUE(a.capped);
    EXPECT_EQ(a.pieces, 400);
    ASSERT_EQ(landings.size(), 400u);
    int lines = 0;
    for (std::size_t i = 0; i < landings.size(); ++i) {
        const SimLanding& l = landings[i];
        EXPECT_EQ(l.game, 1);
        EXPECT_EQ(l.n, static_cast<std::int64_t>(i + 1));
        EXPECT_GE(l.figure, 0);
        EXPECT_LT(l.figure, kFigureCount);
        EXPECT_GE(l.x, -1);
        EXPECT_LE(l.x, 8);
        EXPECT_GE(l.y, 0);
        EXPECT_LT(l.y, 25);
        EXPECT_GE(l.removed, 0);
        EXPECT_LE(l.removed, 4);
        lines += l.removed;
        EXPECT_EQ(l.lines, lines);
        EXPECT_GE(l.stackTop, 0);
        EXPECT_LE(l.stackTop, 25);
    }
    EXPECT_LT(landings[0].figure, 5);  // a game never starts with a skew figure
    EXPECT_EQ(a.lines, landings.back().lines);
    EXPECT_EQ(a.score, landings.back().score);
    EXPECT_GT(a.lines, 100);  // the default weights clear rows steadily

    // The same game again, also from a fresh simulator, gives the same result;
    // another seed gives another game.
    const SimGameResult again = sim.Play(1);
    EXPECT_EQ(again.lines, a.lines);
    EXPECT_EQ(again.score, a.score);
    Simulator fresh(Options(400), DemoWeights::Defaults());
    EXPECT_EQ(fresh.Play(1).score, a.score);
    EXPECT_NE(sim.Play(2).score, a.score);
}

TEST(Simulator, AGameEndsWhenTheWellFills) {
    // Weights that pile figures up high end a game quickly.
    DemoWeights bad;
    bad.w.fill(0);
    bad[DemoWeights::YFIGURE] = -1;
    Simulator sim(Options(), bad);
    const SimGameResult r = sim.Play(3);
    EXPECT_FALSE(r.capped);
    EXPECT_GT(r.pieces, 5);
    EXPECT_LT(r.pieces, 200);
    // The next game starts afresh.
    const SimGameResult next = sim.Play(3);
    EXPECT_EQ(next.pieces, r.pieces);
}

TEST(Simulator, SpeedChangesThePacingNotThePlacements) {
    SimOptions slow = Options(300);
    slow.speed = 0;
    SimOptions fast = Options(300);
    fast.speed = 9;
    Simulator a(slow, DemoWeights::Defaults());
    Simulator b(fast, DemoWeights::Defaults());
    const SimGameResult ra = a.Play(5);
    const SimGameResult rb = b.Play(5);
    EXPECT_EQ(ra.lines, rb.lines);
    // Figures placed sooner score more.
    EXPECT_GT(rb.score, ra.score);
}

TEST(SimulatorReports, Formats) {
    SimLanding l;
    l.game = 2;
    l.n = 7;
    l.figure = 3;
    l.x = -1;
    l.y = 20;
    l.removed = 2;
    l.score = 1234;
    l.lines = 9;
    l.stackTop = 17;
    EXPECT_EQ(LandingJson(l),
              "{\"game\":2,\"n\":7,\"figure\":3,\"x\":-1,\"y\":20,\"removed\":2,\"score\":1234,\"lines\":9,"
              "\"stack_top\":17}");
    EXPECT_EQ(GameResultJson({1, 10, 4, 500, true}),
              "{\"game\":1,\"pieces\":10,\"lines\":4,\"score\":500,\"capped\":true}");
    const SimSummary s = Summarize({{1, 10, 4, 100, false}, {2, 10, 9, 300, false}, {3, 30, 1, 200, false},
                                    {4, 10, 20, 0, false}},
                                   2.0);
    EXPECT_EQ(s.games, 4);
    EXPECT_DOUBLE_EQ(s.meanLines, 8.5);
    EXPECT_DOUBLE_EQ(s.medianLines, 6.5);
    EXPECT_EQ(s.maxLines, 20);
    EXPECT_DOUBLE_EQ(s.meanScore, 150);
    EXPECT_DOUBLE_EQ(s.piecesPerSecond, 30);
    EXPECT_EQ(SummaryJson(s),
              "{\"summary\":{\"games\":4,\"mean_lines\":8.50,\"median_lines\":6.5,\"max_lines\":20,"
              "\"mean_score\":150.00,\"pieces_per_second\":30}}");
}

}  // namespace
}  // namespace vexari
