// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vexari {

QStringList DataFolders(const QString& programFolder) {
    QStringList folders{QDir::cleanPath(programFolder + QStringLiteral("/../share/vexari"))};
#ifdef VEXARI_DATA_DIR
    folders << QStringLiteral(VEXARI_DATA_DIR);
#endif
    return folders;
}

QString FindDataFile(const QString& programFolder, const QString& name) {
    for (const QString& folder : DataFolders(programFolder))
        if (QFileInfo(folder + QLatin1Char('/') + name).isFile()) return folder + QLatin1Char('/') + name;
    return {};
}

QStringList TranslationFolders(const QString& programFolder) {
    QStringList folders;
    for (const QString& folder : DataFolders(programFolder)) folders << folder + QStringLiteral("/translations");
    return folders;
}

QString InstallTranslations(QCoreApplication& app) {
    const QStringList folders = TranslationFolders(QCoreApplication::applicationDirPath());
    // The user's languages in order: the first that is English or has a
    // translation wins, so "LANGUAGE=en:de" stays English.
    for (const QString& name : QLocale::system().uiLanguages()) {
        const QLocale locale(name);
        if (locale.language() == QLocale::English) return {};
        auto* game = new QTranslator(&app);
        for (const QString& folder : folders) {
            if (!game->load(locale, QStringLiteral("vexari"), QStringLiteral("_"), folder)) continue;
            QCoreApplication::installTranslator(game);
            auto* qt = new QTranslator(&app);
            if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
                QCoreApplication::installTranslator(qt);
            else
                delete qt;
            return QLocale::languageToCode(locale.language());
        }
        delete game;
    }
    return {};
}

}  // namespace vexari
