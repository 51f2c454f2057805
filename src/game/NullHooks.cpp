// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/NullHooks.h"

namespace vexari {
namespace {

// Stand-ins for hooks the owner leaves unset: they do nothing.
class NullPainter final : public GamePainter {
public:
    void DrawFigure(int, int) override {}
    void EraseFigure(int, int, const FigureMask&) override {}
    void PaintGame() override {}
    void DrawNextPanel() override {}
    void UpdateStatusLine() override {}
    void HeightChanged() override {}
    void FigureMergedOnScreen(int, int, const FigureMask&) override {}
};

class NullClock final : public GameClock {
public:
    std::int64_t Seconds() override { return 0; }
    std::uint32_t TickCount() override { return 0; }
};

class NullKeys final : public KeyState {
public:
    bool IsKeyDown(KeyCode) override { return false; }
};

class NullNetwork final : public NetworkLink {
public:
    void SendPause() override {}
    void SendResume() override {}
    void SendLanded(int, int, int) override {}
    void SendFilled() override {}
    bool MayStart() override { return false; }
    void RequestStart() override {}
};

class NullWindowRequests final : public WindowRequests {
public:
    void ShowHighScores(bool, std::int32_t) override {}
    void HideMessageWindow() override {}
    void Minimize() override {}
    void TakeFocus() override {}
};

class NullComputer final : public ComputerHooks {
public:
    void NewFigure() override {}
    void LearnStep() override {}
    void Move() override {}
    bool Busy() const override { return false; }
};

template <typename T, typename Null>
T* OrNull(T* hook) {
    static Null null;
    return hook ? hook : &null;
}

}  // namespace

GameHooks WithNullHooks(const GameHooks& hooks) {
    GameHooks filled;
    filled.painter = OrNull<GamePainter, NullPainter>(hooks.painter);
    filled.clock = OrNull<GameClock, NullClock>(hooks.clock);
    filled.keys = OrNull<KeyState, NullKeys>(hooks.keys);
    filled.network = OrNull<NetworkLink, NullNetwork>(hooks.network);
    filled.window = OrNull<WindowRequests, NullWindowRequests>(hooks.window);
    filled.computer = OrNull<ComputerHooks, NullComputer>(hooks.computer);
    return filled;
}

}  // namespace vexari
