// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FirstRunDialogs.h"

#include <QCoreApplication>

#include "settings/SettingsFile.h"
#include "ui/GameOptionsDialog.h"

namespace vexari {

const char* const kFirstRunQuestion = QT_TRANSLATE_NOOP(
    "vexari::FirstRun",
    "It is the first time you run Vexari. Do you want to configure it now (otherwise it will use default values)?");

bool RunFirstRun(QWidget* parent, Settings& settings, PixelImage& background, Prompts& prompts,
                 const BackgroundLoader& loader) {
    const QString question = QCoreApplication::translate("vexari::FirstRun", kFirstRunQuestion);
    if (prompts.AskYesNo(parent, question, kProgramTitle, PromptIcon::Question, false)) {
        RunDesignDialog(parent, settings, prompts, loader);
        LoadBackgroundOrAsk(parent, settings, background, prompts, loader);
        RunGameOptionsDialog(parent, settings, prompts);
    }
    const SaveResult saved = FinishFirstRun(settings);
    // Without this the question would come back at every start, unexplained.
    if (!saved) prompts.Message(parent, SaveFailureMessage(saved));
    return saved.ok;
}

}  // namespace vexari
