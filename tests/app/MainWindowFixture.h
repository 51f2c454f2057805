// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window's tests share: a home folder of their own, the window
// opened in it as a player meets it, and its controls found by name.
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "../ui/Child.h"
#include "../ui/FakePrompts.h"
#include "app/CMainFrame.h"
#include "app/GameView.h"
#include "settings/Paths.h"

inline constexpr vexari::VersionQuad kVersion{1, 0, 0, 5};

// The settings and data folders inside a temporary folder, so that no test
// touches the user's; each case starts without a settings file.
class TestHome {
public:
    // Points XDG_CONFIG_HOME and XDG_DATA_HOME into the folder.
    void Enter() const {
        qputenv("XDG_CONFIG_HOME", (dir_.path() + "/config").toUtf8());
        qputenv("XDG_DATA_HOME", (dir_.path() + "/data").toUtf8());
    }
    // Removes the settings file a case (or its window's closing) left.
    static void Clear() { QFile::remove(QString::fromStdString(vexari::SettingsFilePath().string())); }

private:
    QTemporaryDir dir_;
};

// A main window answering through `prompts`, 320 x 600 and shown; the caller
// waits for it to be exposed.
inline std::unique_ptr<vexari::CMainFrame> OpenMainWindow(FakePrompts& prompts) {
    auto frame = std::make_unique<vexari::CMainFrame>(kVersion, prompts);
    frame->resize(320, 600);
    frame->show();
    return frame;
}

// The window's game view.
inline vexari::GameView* View(const vexari::CMainFrame& frame) { return Child<vexari::GameView>(&frame, "gameView"); }
