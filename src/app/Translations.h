// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

class QCoreApplication;

namespace vexari {

// Where the game's own files are looked for, first match first:
// share/vexari beside the program's bin folder (the installed tree, and the
// build tree, whose build/bin/vexari has build/share next to it), then the
// folder the build installs to.
QStringList DataFolders(const QString& programFolder);
// The first of those folders that holds `name` (its path), or empty.
QString FindDataFile(const QString& programFolder, const QString& name);
// The .qm files: translations/ in each of the data folders.
QStringList TranslationFolders(const QString& programFolder);

// Installs the game's translation and Qt's own (standard buttons, file
// dialogs) for the first of the user's languages (LANGUAGE, then LC_ALL,
// LC_MESSAGES, LANG) that has one; English, or a language without one,
// keeps the English texts. Returns the language loaded ("de"), or nothing.
QString InstallTranslations(QCoreApplication& app);

}  // namespace vexari
