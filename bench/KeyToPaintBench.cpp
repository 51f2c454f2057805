// SPDX-License-Identifier: GPL-3.0-or-later
// Time from a key press reaching the main window to the end of the paint
// that shows the moved figure, on the offscreen platform: the game, the
// screen image and the widget painting, without a display server.
#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "../tests/game/Fakes.h"
#include "../tests/ui/Child.h"
#include "app/CMainFrame.h"
#include "app/GameView.h"
#include "ui/DialogCommon.h"

namespace {

// Answers the first-run question and every message without showing them.
class SilentPrompts final : public vexari::Prompts {
public:
    void Message(QWidget*, const QString&, const QString&, vexari::PromptIcon) override {}
    bool AskYesNo(QWidget*, const QString&, const QString&, vexari::PromptIcon, bool) override { return false; }
    std::optional<QString> OpenFile(QWidget*, const vexari::FileDialogRequest&) override { return {}; }
    std::optional<QString> SaveFile(QWidget*, const vexari::FileDialogRequest&) override { return {}; }
    int Exec(QDialog&) override { return 0; }
};

// Counts the view's finished paints.
class PaintCounter final : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

void KeyToPaint(benchmark::State& state) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    SilentPrompts prompts;
    vexari::CMainFrame frame({1, 0, 0, 0}, prompts);
    frame.resize(static_cast<int>(state.range(0)) / 2, static_cast<int>(state.range(0)));
    frame.show();
    QCoreApplication::processEvents();
    vexari::GameView* view = Child<vexari::GameView>(&frame, "gameView");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(view, &enter);
    vexari::GameAccess::Record(frame.game()).fallPeriod = 10;  // the figure stays up while keys move it
    PaintCounter counter;
    view->installEventFilter(&counter);

    bool right = true;
    for (auto _ : state) {
        const int x = frame.game().record().x;
        QKeyEvent press(QEvent::KeyPress, right ? Qt::Key_Right : Qt::Key_Left, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, right ? Qt::Key_Right : Qt::Key_Left, Qt::NoModifier);
        const int before = counter.paints;
        QApplication::sendEvent(view, &press);
        QApplication::sendEvent(view, &release);
        while (counter.paints == before) QCoreApplication::processEvents();
        if (frame.game().record().x == x) state.SkipWithError("the figure did not move");
        right = !right;
    }
}
// Window heights in pixels: the default size and a large one.
BENCHMARK(KeyToPaint)->Arg(600)->Arg(1400)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
