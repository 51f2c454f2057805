// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

#include "settings/Settings.h"
#include "ui/DesignDialog.h"
#include "ui/DialogCommon.h"
#include "render/PixelImage.h"

class QWidget;

namespace vexari {

// "It is the first time you run Vexari. Do you want to configure it now
// (otherwise it will use default values)?"
extern const char* const kFirstRunQuestion;

// The first run, after the settings were read and found not installed: asks
// whether to configure now; on Yes runs the design dialog, loads the
// background picture into background (asking again while it cannot be
// loaded) and runs the game options dialog. Then, whatever the answer, the
// high-score path is made absolute, the program marked installed and the
// settings written; a failure to write them is shown. Returns whether the
// settings file was written.
bool RunFirstRun(QWidget* parent, Settings& settings, PixelImage& background, Prompts& prompts = DefaultPrompts(),
                 const BackgroundLoader& loader = DefaultBackgroundLoader());

}  // namespace vexari
