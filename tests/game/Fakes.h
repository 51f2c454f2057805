// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <set>
#include <string>
#include <vector>

#include "game/Game.h"

namespace vexari {

// Tests set a position up directly; the program changes a game only through its methods.
struct GameAccess { static GameRecord& Record(Game& game) { return game.record_; } };

}  // namespace vexari

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

// Renders a mask as four rows of four characters, e.g. ".... ###. ..#. ....".
inline std::string MaskPicture(const FigureMask& mask) {
    std::string s;
    for (int v = 0; v < 4; ++v) {
        if (v) s += ' ';
        for (int u = 0; u < 4; ++u) s += mask.at(u, v) ? '#' : '.';
    }
    return s;
}

// A game whose every hook is this fixture: it records the painting (and the
// well at every repaint), the reports to the network and the calls to the
// window requests, holds the keys in `keysDown`, moves its clock only when told, and counts what the computer player is asked to do.
struct GameFixture : GamePainter, GameClock, KeyState, NetworkLink, WindowRequests, ComputerHooks, GameEvents {
    std::vector<std::string> calls, sent, events;
    std::vector<Well> frames;
    std::int64_t seconds = 1000;
    std::uint32_t ticks = 0;
    std::set<KeyCode> keysDown;
    bool mayStart = false, busy = false;
    std::vector<std::pair<bool, std::int32_t>> highScores;
    int minimized = 0, focus = 0, moves = 0, learnSteps = 0;
    Settings settings;
    Game game{settings};

    GameFixture() {
        settings.botLines = 0;
        game.SetHooks({.painter = this, .clock = this, .keys = this, .network = this, .window = this, .computer = this});
        game.AddListener(this);
        game.ResetGame();
        events.clear();
    }
    GameRecord& r() { return GameAccess::Record(game); }

    void Record(const char* what, int x, int y) { calls.push_back(what + std::to_string(x) + "," + std::to_string(y)); }
    void DrawFigure(int x, int y) override { Record("draw ", x, y); }
    void EraseFigure(int x, int y, const FigureMask&) override { Record("erase ", x, y); }
    void PaintGame() override { frames.push_back(r().well); }
    void DrawNextPanel() override {}
    void UpdateStatusLine() override { calls.push_back("status"); }
    void HeightChanged() override { calls.push_back("layout"); }
    void FigureMergedOnScreen(int, int, const FigureMask&) override {}
    std::int64_t Seconds() override { return seconds; }
    std::uint32_t TickCount() override { return ticks; }
    bool IsKeyDown(KeyCode key) override { return keysDown.count(key) != 0; }
    void SendPause() override { sent.push_back("pause"); }
    void SendResume() override { sent.push_back("resume"); }
    void SendLanded(int height, int score, int removed) override {
        sent.push_back("landed " + std::to_string(height) + " " + std::to_string(score) + " " +
                       std::to_string(removed));
    }
    void SendFilled() override { sent.push_back("filled"); }
    bool MayStart() override { return mayStart; }
    void RequestStart() override { sent.push_back("start"); }
    void ShowHighScores(bool eligible, std::int32_t score) override { highScores.emplace_back(eligible, score); }
    void HideMessageWindow() override {}
    void Minimize() override { ++minimized; }
    void TakeFocus() override { ++focus; }
    void NewFigure() override {}
    void LearnStep() override { ++learnSteps; }
    void Move() override { ++moves; }
    bool Busy() const override { return busy; }
    void FigureLanded(const Landing& l) override {
        events.push_back("landed " + std::to_string(l.figure) + " at " + std::to_string(l.x) + "," +
                         std::to_string(l.y) + ": " + std::to_string(l.removed) + " rows, score " +
                         std::to_string(l.score) + ", lines " + std::to_string(l.lines) + ", top " +
                         std::to_string(l.stackTop));
    }
    void PresentArrived(int rows) override { events.push_back("present " + std::to_string(rows)); }
    void LevelChanged(int level) override { events.push_back("level " + std::to_string(level)); }
    void GameOver(std::int32_t score, std::int32_t) override { events.push_back("over " + std::to_string(score)); }
    void GameReset() override { events.push_back("reset"); }

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
    // Runs the end-of-game animation as the owner's timer would, each picture as soon
    // as it is due, not 1 ms early; returns the pictures shown after the first.
    int RunAnimation() {
        int shown = 0;
        while (game.Animating()) {
            ticks = *game.AnimationDeadline();
            const std::size_t before = frames.size();
            for (const std::uint32_t early : {kAnimationFrameMs - 1, 1u}) game.AdvanceAnimation(ticks - early);
            if (frames.size() != before) return -1;
            game.AdvanceAnimation(ticks);
            shown += frames.size() != before && game.Animating();
        }
        return shown;
    }
};

}  // namespace vexari::test
