#include "ai/Simulator.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

namespace vexari {
namespace {

TEST(SimArgs, EveryOptionAnalyzeAndRefusalsOfOneLine) {
    const SimArgsResult all = ParseSimArgs({"--games", "20", "--seed", "4294967295", "--height", "19", "--weights",
                                            "a.dem", "--speed", "9", "--bottom-lines", "--no-next", "--max-pieces",
                                            "50", "--json", "--trace", "--jobs", "3"});
    ASSERT_TRUE(all.options) << all.error;
    const SimOptions& o = *all.options;
    EXPECT_EQ(std::tie(o.games, o.seed, o.height, o.weightsFile, o.speed, o.maxPieces),
              std::tuple(20, 4294967295u, 19, std::string("a.dem"), 9, std::int64_t{50}));
    EXPECT_EQ(std::tie(o.bottomLines, o.next, o.json, o.trace, o.jobs), std::tuple(true, false, true, true, 3));
    const SimArgsResult analyze = ParseSimArgs({"analyze", "pos.txt"});
    ASSERT_TRUE(analyze.options);
    EXPECT_EQ(std::tie(analyze.options->analyze, analyze.options->analyzeFile),
              std::tuple(true, std::string("pos.txt")));

    const std::vector<std::vector<std::string>> bad = {{"--games"}, {"--games", "2x"}, {"--seed", "4294967296"},
                                                       {"--height", "26"}, {"--jobs", "0"}, {"--frobnicate"}, {"analyze", "a", "b"}};
    for (const auto& args : bad) {
        const SimArgsResult r = ParseSimArgs(args);
        EXPECT_TRUE(!r.options && !r.error.empty() && r.error.find('\n') == std::string::npos)
            << ::testing::PrintToString(args) << ": " << r.error;
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
    AnalyzeParseResult p = ParseText("height 25\r\nfigure 1 3 0\r\nwell\r\n" + EmptyRows(25));
    ASSERT_TRUE(p.input) << p.error;
    const std::string json = AnalyzeJson(*p.input);
    EXPECT_EQ(json.rfind("{\"best\":{\"rotations\":0,\"offset\":-3,\"score\":23},\"old_hole_row\":25,\"candidates\":["
                         "{\"n\":0,\"rotations\":0,\"offset\":-3,\"criteria\":[0,0,0,0,0,-1,24,0],\"score\":23},",
                         0),
              0u)
        << json;
    EXPECT_TRUE(json.find("{\"n\":33,\"rotations\":3,\"offset\":5,") != std::string::npos && json.ends_with("}]}"));

    p = ParseText("figure 4 3 0\nweights 1 2 3 4 5 6 7 8.5\nheight 19\n\nwell\n" + EmptyRows(16) +
                  "....#.....\n.....7777.\n##########\n");
    ASSERT_TRUE(p.input) << p.error;
    const AnalyzeInput& in = *p.input;
    // Filled cells keep their colour; below the given rows lies the floor.
    EXPECT_EQ(std::tuple(in.height, in.figure, in.weights[7], in.well.at(5, 17), in.well.at(0, 19)),
              std::tuple(19, 4, 8.5, 7, 1));
}

TEST(AnalyzeInput, PositionsOutsideTheWellAreRefused) {
    const std::string h = "height 25\n", f = "figure 1 3 0\n";
    const std::string w = "well\n" + EmptyRows(25), w24 = "well\n" + EmptyRows(24);
    const std::string bad[] = {
        "height 26\n" + f + "well\n" + EmptyRows(26), h + "figure 7 3 0\n" + w, h + "figure -1 3 0\n" + w,
        h + "figure 1 7 0\n" + w, h + "figure 1 3 23\n" + w,  // out of the right wall, below the floor
        h + f + w24, h + f + w + "..........\n", h + f + w24 + "....8.....\n", h + f + w24 + ".........\n", f + w,
        h + f + "weights 1 2 3\n" + w, h + f + "well\n..........\n......#...\n" + EmptyRows(23),  // on a filled cell
    };
    for (const auto& text : bad) {
        const AnalyzeParseResult p = ParseText(text);
        EXPECT_TRUE(!p.input && !p.error.empty()) << text.substr(0, 60);
    }
}

SimOptions Capped(std::int64_t maxPieces, int speed = 2) {
    SimOptions o;
    o.maxPieces = maxPieces;
    o.speed = speed;
    return o;
}

TEST(Simulator, GamesAreReproducibleAndTheTraceAddsUp) {
    Simulator sim(Capped(400), DemoWeights::Defaults());
    std::vector<SimLanding> trace;
    const SimGameResult a = sim.Play(1, [&](const SimLanding& l) { trace.push_back(l); });
    EXPECT_EQ(std::tuple(a.capped, a.pieces), std::tuple(true, 400));
    ASSERT_EQ(trace.size(), 400u);
    int lines = 0;
    for (std::size_t i = 0; i < trace.size(); ++i) {
        lines += trace[i].removed;
        EXPECT_EQ(std::tuple(trace[i].game, trace[i].n, trace[i].lines), std::tuple(1, std::int64_t(i + 1), lines));
    }
    EXPECT_LT(trace[0].figure, 5);  // a game never starts with a skew figure
    EXPECT_EQ(std::tuple(a.lines, a.score), std::tuple(trace.back().lines, trace.back().score));
    EXPECT_GT(a.lines, 100);  // the default weights clear rows steadily
    // The same game again, also from a fresh simulator, is the same; another seed is another game.
    EXPECT_EQ(sim.Play(1).score, a.score);
    EXPECT_EQ(Simulator(Capped(400), DemoWeights::Defaults()).Play(1).score, a.score);
    EXPECT_NE(sim.Play(2).score, a.score);
    // Speed changes the pacing, not the placements: figures placed sooner score more.
    const SimGameResult slow = Simulator(Capped(300, 0), DemoWeights::Defaults()).Play(5);
    const SimGameResult fast = Simulator(Capped(300, 9), DemoWeights::Defaults()).Play(5);
    EXPECT_TRUE(slow.lines == fast.lines && fast.score > slow.score);
}

TEST(Simulator, AGameEndsWhenTheWellFills) {
    Simulator sim(Capped(100000), DemoWeights{{0, 0, 0, 0, 0, 0, -1, 0}});  // piles the figures up
    const SimGameResult r = sim.Play(3);
    EXPECT_TRUE(!r.capped && r.pieces > 5 && r.pieces < 200) << r.pieces;
    EXPECT_EQ(sim.Play(3).pieces, r.pieces);  // the next game starts afresh
}

TEST(Simulator, ThreadsChangeNeitherTheGamesNorTheOutput) {
    SimOptions o = Capped(150);
    o.games = 7;
    o.bottomLines = true;
    o.json = true;
    o.trace = true;
    std::string output[2];
    std::vector<SimGameResult> results[2];
    for (const int k : {0, 1}) {
        o.jobs = k == 0 ? 1 : 3;
        std::ostringstream out;
        results[k] = PlayGames(o, DemoWeights::Defaults(), out);
        output[k] = out.str();
    }
    // Game by game, traces whole and in order, each game's result as from a simulator of its own.
    EXPECT_EQ(output[0], output[1]);
    ASSERT_EQ(results[1].size(), 7u);
    for (std::size_t i = 0; i < results[1].size(); ++i) {
        const std::string alone = GameResultJson(Simulator(o, DemoWeights::Defaults()).Play(static_cast<int>(i + 1)));
        EXPECT_EQ(std::tuple(results[1][i].game, GameResultJson(results[0][i]), GameResultJson(results[1][i])),
                  std::tuple(static_cast<int>(i + 1), alone, alone));
    }
}

TEST(SimulatorReports, Formats) {
    EXPECT_EQ(LandingJson({2, 7, 3, -1, 20, 2, 1234, 9, 17}),
              "{\"game\":2,\"n\":7,\"figure\":3,\"x\":-1,\"y\":20,\"removed\":2,\"score\":1234,\"lines\":9,"
              "\"stack_top\":17}");
    EXPECT_EQ(SummaryJson(Summarize({{1, 10, 4, 100}, {2, 10, 9, 300}, {3, 30, 1, 200}, {4, 10, 20, 0}}, 2.0)),
              "{\"summary\":{\"games\":4,\"mean_lines\":8.50,\"median_lines\":6.5,\"max_lines\":20,"
              "\"mean_score\":150.00,\"pieces_per_second\":30}}");
}

}  // namespace
}  // namespace vexari
