// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <array>

#include "ui/DialogCommon.h"

class QLabel;

namespace vexari {

// The program's four version numbers: major, minor, release, build.
using ProgramVersion = std::array<int, 4>;

// "About Vexari": the program's own icon, its version and a few credit lines.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kIconSize = 48;

    explicit AboutDialog(const ProgramVersion& version, QWidget* parent = nullptr);
    QLabel* IconLabel() const { return iconLabel_; }
    QLabel* VersionLabel() const { return versionLabel_; }

private:
    QLabel* iconLabel_ = nullptr;
    QLabel* versionLabel_ = nullptr;
};

// "Vexari version %d.%d.%d.%d".
QString VersionText(const ProgramVersion& version);

// The About command.
void RunAboutDialog(QWidget* parent, const ProgramVersion& version, Prompts& prompts = DefaultPrompts());

}  // namespace vexari
