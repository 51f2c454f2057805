// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

class QCoreApplication;

namespace vexari {

// Where the game's .qm files are looked for, first match first:
// share/vexari/translations beside the program's bin folder (the installed
// tree, and the build tree, whose build/bin/vexari has build/share next to
// it), then the folder the build installs to.
QStringList TranslationFolders(const QString& programFolder);

// Installs the game's translation and Qt's own (standard buttons, file
// dialogs) for the first of the user's languages (LANGUAGE, then LC_ALL,
// LC_MESSAGES, LANG) that has one; English, or a language without one,
// keeps the English texts. Returns the language loaded ("de"), or nothing.
QString InstallTranslations(QCoreApplication& app);

}  // namespace vexari
