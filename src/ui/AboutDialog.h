// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <array>

#include "base/ProgramVersion.h"
#include "ui/DialogCommon.h"


namespace vexari {

// "About Vexari": the program's own icon, its version and a few credit lines.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kIconSize = 48;

    explicit AboutDialog(const VersionQuad& version, QWidget* parent = nullptr);
};

// "Vexari version %d.%d.%d.%d".
QString VersionText(const VersionQuad& version);

// The About command.
void RunAboutDialog(QWidget* parent, const VersionQuad& version, Prompts& prompts = DefaultPrompts());

}  // namespace vexari
