#pragma once
#include <set>
#include <string>
#include <vector>

#include "game/Game.h"

namespace vexari::test {

// Records the painting the game asks for.
struct FakePainter : GamePainter {
    std::vector<std::string> calls;
    int paints = 0;
    void DrawFigure(int x, int y) override { calls.push_back("draw " + std::to_string(x) + "," + std::to_string(y)); }
    void EraseFigure(int x, int y, const FigureMask&) override {
        calls.push_back("erase " + std::to_string(x) + "," + std::to_string(y));
    }
    void PaintGame() override { ++paints; }
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

// A computer player that only says whether it is in the middle of its keys.
struct FakeComputer : ComputerHooks {
    bool busy = false;
    void NewFigure() override {}
    void LearnStep() override {}
    void Move() override {}
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
    Game game{settings};

    GameFixture() {
        settings.botLines = 0;
        game.SetHooks({&painter, &clock, &keys, &network, &shell, nullptr});
        game.ResetGame();
    }
    GameRecord& r() { return game.record(); }

    // Fills row v of the well except the listed columns.
    void FillRow(int v, std::initializer_list<int> gaps = {}) {
        for (int u = 0; u < 10; ++u) r().well.at(u, v) = 1;
        for (int u : gaps) r().well.at(u, v) = 0;
    }
    void SetFigure(int figure, int x, int y) {
        r().mask = FigureTable()[static_cast<std::size_t>(figure)];
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
