#pragma once
#include <set>
#include <string>
#include <vector>

#include "game/Game.h"

namespace vexari::test {

// Row v of a well as a picture: '.' empty, '#' 1, a digit for other colours.
inline std::string RowOf(const Well& well, int v) {
    std::string s;
    for (int u = 0; u < 10; ++u) {
        const int c = well.at(u, v);
        s += c == 0 ? '.' : c == 1 ? '#' : static_cast<char>('0' + c);
    }
    return s;
}

// Records the painting the game asks for, and the well at every repaint.
struct FakePainter : GamePainter {
    std::vector<std::string> calls;
    int paints = 0;
    const Well* well = nullptr;
    std::vector<Well> frames;
    void DrawFigure(int x, int y) override { calls.push_back("draw " + std::to_string(x) + "," + std::to_string(y)); }
    void EraseFigure(int x, int y, const FigureMask&) override {
        calls.push_back("erase " + std::to_string(x) + "," + std::to_string(y));
    }
    void PaintGame() override {
        ++paints;
        if (well) frames.push_back(*well);
    }
    void DrawNextPanel() override { calls.push_back("next"); }
    void UpdateStatusLine() override { calls.push_back("status"); }
    void HeightChanged() override { calls.push_back("layout"); }
    void FigureMergedOnScreen(int, int, const FigureMask&) override { calls.push_back("merged"); }
};

// A clock that only moves when the game waits.
struct FakeClock : GameClock {
    std::int64_t seconds = 1000;
    std::uint32_t ticks = 0;
    int waits = 0;
    std::int64_t Seconds() override { return seconds; }
    std::uint32_t TickCount() override { return ticks; }
    void WaitSince(std::uint32_t start, std::uint32_t ms) override {
        ++waits;
        if (ticks - start < ms) ticks = start + ms;
    }
};

struct FakeKeys : KeyState {
    std::set<int> down;
    bool IsKeyDown(int vk) override { return down.count(vk) != 0; }
};

struct FakeNetwork : NetworkLink {
    std::vector<std::string> sent;
    bool mayStart = false;
    void SendPause() override { sent.push_back("pause"); }
    void SendResume() override { sent.push_back("resume"); }
    void SendLanded(int height, int score, int removed) override {
        sent.push_back("landed " + std::to_string(height) + " " + std::to_string(score) + " " + std::to_string(removed));
    }
    void SendFilled() override { sent.push_back("filled"); }
    bool MayStart() override { return mayStart; }
    void RequestStart() override { sent.push_back("start"); }
};

struct FakeShell : GameShell {
    std::vector<std::pair<bool, std::int32_t>> highScores;
    int minimized = 0;
    int focus = 0;
    void ShowHighScores(bool eligible, std::int32_t score) override { highScores.emplace_back(eligible, score); }
    void HideMessageWindow() override {}
    void Minimize() override { ++minimized; }
    void TakeFocus() override { ++focus; }
};

// A computer player that counts what the game asks of it.
struct FakeComputer : ComputerHooks {
    bool busy = false;
    int moves = 0, learnSteps = 0;
    void NewFigure() override {}
    void LearnStep() override { ++learnSteps; }
    void Move() override { ++moves; }
    bool Busy() const override { return busy; }
};

// A game wired to fakes, with helpers to build positions.
struct GameFixture {
    Settings settings;
    FakePainter painter;
    FakeClock clock;
    FakeKeys keys;
    FakeNetwork network;
    FakeShell shell;
    FakeComputer cpu;
    Game game{settings};

    GameFixture() {
        settings.botLines = 0;
        painter.well = &game.record().well;
        game.SetHooks({&painter, &clock, &keys, &network, &shell, &cpu});
        game.ResetGame();
    }
    GameRecord& r() { return game.record(); }

    // Fills row v of the well except the listed columns.
    void FillRow(int v, std::initializer_list<int> gaps = {}) {
        for (int u = 0; u < 10; ++u) r().well.at(u, v) = 1;
        for (int u : gaps) r().well.at(u, v) = 0;
    }
    // Sets row v from a picture: '.' empty, '#' 1, a digit that colour.
    void SetRow(int v, const std::string& row) {
        for (int u = 0; u < 10; ++u) r().well.at(u, v) = row[u] == '.' ? 0 : row[u] == '#' ? 1 : row[u] - '0';
    }
    std::string Row(int v) { return RowOf(r().well, v); }
    void SetFigure(int figure, int x, int y, int turns = 0) {
        r().mask = FigureTable()[static_cast<std::size_t>(figure)];
        for (int t = 0; t < turns; ++t) RotateFigure(r().mask);
        r().x = x;
        r().y = y;
    }
    void Start() {
        if (!r().running) game.ToggleRunning(true);
    }
};

// Renders a mask as four rows of four characters, e.g. ".... ###. ..#. ....".
inline std::string MaskPicture(const FigureMask& mask) {
    std::string s;
    for (int v = 0; v < 4; ++v) {
        if (v) s += ' ';
        for (int u = 0; u < 4; ++u) s += mask.at(u, v) ? '#' : '.';
    }
    return s;
}

}  // namespace vexari::test
