// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <string_view>

#include "app/CMainFrame.h"
#include "app/DisplayCheck.h"
#include "app/StartArgs.h"
#include "app/TerminationSignals.h"
#include "app/Translations.h"
#include "base/ProgramVersion.h"
#include "ui/ProgramIcon.h"

namespace {

constexpr const char* kHelp =
    "Usage: vexari [--help] [--version] [Qt options such as -platform NAME]\n"
    "              [REPLAY_FILE | --watch HOST[:PORT]]\n"
    "Vexari, a falling-block puzzle game for one player, for the computer\n"
    "and for friends on the network.\n"
    "\n"
    "  -h, --help   show this help and exit\n"
    "  --version    show the version and exit\n"
    "  REPLAY_FILE  play this recorded game (.vxr) in the window\n"
    "  --watch HOST[:PORT]\n"
    "               watch the network game at HOST (port 7000 unless given;\n"
    "               an IPv6 address with a port as [ADDRESS]:PORT) as a spectator;\n"
    "               the name is the one last used in the network game dialog\n"
    "\n"
    "Settings: $XDG_CONFIG_HOME/vexari/vexari.ini (default ~/.config/vexari/).\n"
    "High scores: vexari.his in $XDG_DATA_HOME/vexari/ (default ~/.local/share/vexari/).\n"
    "Replays: every game is recorded in $XDG_DATA_HOME/vexari/replays/.\n"
    "SIGTERM, SIGINT and SIGHUP save the settings and end the game as Game > Exit does.\n";

// The program's own version, compiled in from the build.
vexari::VersionQuad ReadVersion(vexari::Prompts& prompts) {
    if (const auto& version = vexari::BuildVersion()) return *version;
    prompts.Message(nullptr, QCoreApplication::translate("vexari::main", "No ver inf"),
                    QCoreApplication::translate("vexari::main", "Exe name"), vexari::PromptIcon::None);
    return {};
}

}  // namespace

int main(int argc, char* argv[]) {
    if (vexari::PrintVersionIfAsked(argc, argv, "vexari")) return 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        }
    }
    if (const auto problem = vexari::DisplayProblem(argc, argv)) {
        std::fprintf(stderr, "%s\n", problem->c_str());
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vexari"));
    vexari::InstallTranslations(app);
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.vexari.Vexari"));
    QApplication::setWindowIcon(vexari::ProgramIcon());
    // What Qt left of the arguments: a replay file to watch, or a network game.
    std::vector<std::string> args;
    for (const QString& arg : QCoreApplication::arguments().mid(1)) args.push_back(arg.toStdString());
    std::string error;
    const auto start = vexari::ParseStartArgs(args, vexari::Settings{}.port, error);
    if (!start) {
        std::fprintf(stderr, "vexari: %s\n", error.c_str());
        return 2;
    }
    vexari::TerminationSignals termination;
    vexari::Prompts& prompts = vexari::DefaultPrompts();
    vexari::CMainFrame frame(ReadVersion(prompts), prompts);
    if (termination.Received()) {  // during the first-run questions
        frame.close();
        return 0;
    }
    QObject::connect(&termination, &vexari::TerminationSignals::terminating, &frame,
                     &vexari::CMainFrame::SessionEnding);
    termination.SetWindow(&frame);
    if (start->watch) {
        // The spectator's window instead; the main window shows once it is left.
        frame.WatchNetworkGame(*start->watch);
        return app.exec();
    }
    frame.show();
    if (!start->replayFile.empty()) {
        const std::filesystem::path file = start->replayFile;
        QTimer::singleShot(0, &frame, [&frame, file] { frame.Watch(file); });
    }
    return app.exec();
}
