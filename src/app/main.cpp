#include <QApplication>
#include <cstdio>

#include "app/CMainFrame.h"

namespace {

// The program's own version, compiled in from the build.
vexari::ProgramVersion ReadVersion(vexari::Prompts& prompts) {
    vexari::ProgramVersion version{};
    if (std::sscanf(VEXARI_VERSION_STRING, "%d.%d.%d.%d", &version[0], &version[1], &version[2], &version[3]) != 4) {
        prompts.Message(nullptr, QStringLiteral("No ver inf"), QStringLiteral("Exe name"), vexari::PromptIcon::None);
        version = {};
    }
    return version;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vexari"));
    vexari::Prompts& prompts = vexari::DefaultPrompts();
    vexari::CMainFrame frame(ReadVersion(prompts), prompts);
    frame.show();
    return app.exec();
}
