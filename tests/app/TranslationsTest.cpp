// SPDX-License-Identifier: GPL-3.0-or-later
// The translations: every text lupdate finds in src/ui and src/app has a
// finished translation in each language; no translation gives two items of a
// menu or window one mnemonic where the English texts do not; each dialog,
// laid out in each language, shows its labels and buttons uncut; and the
// program picks its language from LANGUAGE and LANG.
#include <QtTest>
#include <QtWidgets>
#include <cstdio>
#include <memory>

#include "../ui/FakePrompts.h"
#include "app/CMainFrame.h"
#include "app/Translations.h"
#include "settings/HighScoreTable.h"
#include "ui/AboutDialog.h"
#include "ui/ComputerWeightsDialog.h"
#include "ui/DesignDialog.h"
#include "ui/GameOptionsDialog.h"
#include "ui/HighScoreDialog.h"
#include "ui/JoinDialog.h"
#include "ui/MessageWindow.h"
#include "ui/NameEntryDialog.h"
#include "ui/NetworkOptionsDialog.h"

using namespace vexari;

namespace {

const QStringList kLanguages{"de", "fr", "es"};

QString QmFolder() { return TranslationFolders(QCoreApplication::applicationDirPath()).front(); }

// (context, source) of every text lupdate finds in the sources now.
QList<std::pair<QString, QString>> SourceTexts(const QString& tsFile) {
    QProcess lupdate;
    const QString src = QStringLiteral(VEXARI_SOURCE_DIR);
    lupdate.start(QStringLiteral(VEXARI_LUPDATE), {"-silent", "-no-obsolete", "-locations", "none", "-I", src,
                                                   src + "/ui", src + "/app", "-ts", tsFile});
    QList<std::pair<QString, QString>> texts;
    QFile file(tsFile);
    if (!lupdate.waitForFinished(60000) || lupdate.exitCode() != 0 || !file.open(QIODevice::ReadOnly)) return texts;
    QXmlStreamReader xml(&file);
    QString context;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (xml.name() == u"name") context = xml.readElementText();
        if (xml.name() == u"source") texts.push_back({context, xml.readElementText()});
    }
    return texts;
}

QChar Mnemonic(const QString& text) {
    for (qsizetype i = text.indexOf('&'); i >= 0 && i + 1 < text.size(); i = text.indexOf('&', i + 2))
        if (text[i + 1] != '&') return text[i + 1].toLower();
    return {};
}

// The game's menus and windows as built in the language installed now.
struct Windows {
    FakePrompts prompts;
    CMainFrame frame{VersionQuad{1, 0, 0, 5}, prompts};
    std::vector<std::unique_ptr<QWidget>> dialogs;
    Windows() {
        dialogs.emplace_back(new DesignDialog(DesignValues{}, prompts));
        dialogs.emplace_back(new GameOptionsDialog(GameOptionsValues{}, prompts));
        dialogs.emplace_back(new HighScoreDialog(HighScoreTable{}, "000100 score", "unused.his", prompts));
        dialogs.emplace_back(new ComputerWeightsDialog(WeightsDialogData{}, prompts));
        dialogs.emplace_back(new JoinDialog(JoinEntries{}, false, prompts));
        dialogs.emplace_back(new NetworkOptionsDialog(NetOptions{}, prompts));
        dialogs.emplace_back(new AboutDialog(VersionQuad{1, 0, 0, 5}));
        dialogs.emplace_back(new NameEntryDialog(HighScoreDialog::tr("New High Score"),
                                                 HighScoreDialog::tr("Enter your name:"), "Ann", 20));
        dialogs.emplace_back(new MessageWindow(nullptr));
    }
    // The texts that share one set of mnemonics: the menu bar, each menu,
    // and each window's buttons and labels for a field.
    std::vector<QStringList> Groups() const {
        std::vector<QStringList> groups;
        for (QWidget* menu : frame.findChildren<QWidget*>())
            if (qobject_cast<QMenu*>(menu) || qobject_cast<QMenuBar*>(menu)) {
                groups.emplace_back();
                for (QAction* a : menu->actions()) groups.back() << a->text();
            }
        for (const auto& d : dialogs) {
            groups.emplace_back();
            for (QWidget* w : d->findChildren<QWidget*>())
                if (auto* label = qobject_cast<QLabel*>(w); label && label->buddy())
                    groups.back() << label->text();
                else if (auto* button = qobject_cast<QAbstractButton*>(w))
                    groups.back() << button->text();
        }
        return groups;
    }
};

}  // namespace

class TranslationsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", (dir_.path() + "/config").toUtf8());
        qputenv("XDG_DATA_HOME", (dir_.path() + "/data").toUtf8());
    }

    void everySourceTextIsTranslated() {
        const auto texts = SourceTexts(dir_.filePath("fresh.ts"));
        QVERIFY2(texts.size() > 100, "lupdate found no texts");
        QStringList missing;
        for (const QString& language : kLanguages) {
            QTranslator translator;
            QVERIFY(translator.load("vexari_" + language, QmFolder()));
            for (const auto& [context, source] : texts)
                if (translator.translate(context.toUtf8(), source.toUtf8()).isEmpty())
                    missing << language + ": " + context + ": " + source;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join('\n')));
    }

    void mnemonicsStayAsDistinctAsInEnglishAndDialogsShowTheirTextsUncut() {
        std::vector<QStringList> english = Windows().Groups();
        QStringList faults;
        for (const QString& language : QStringList{"en"} + kLanguages) {
            QTranslator translator;
            QVERIFY(language == "en" || translator.load("vexari_" + language, QmFolder()));
            QCoreApplication::installTranslator(&translator);
            Windows windows;
            const std::vector<QStringList> groups = windows.Groups();
            QCOMPARE(groups.size(), english.size());
            for (std::size_t g = 0; g < groups.size(); ++g)
                for (qsizetype i = 0; i < groups[g].size(); ++i) {
                    const QString& text = groups[g][i];
                    if (Mnemonic(text).isNull() != Mnemonic(english[g][i]).isNull())
                        faults << language + ": mnemonic added or lost in " + text;
                    for (qsizetype j = i + 1; j < groups[g].size(); ++j)
                        if (!Mnemonic(text).isNull() && Mnemonic(text) == Mnemonic(groups[g][j]) &&
                            Mnemonic(english[g][i]) != Mnemonic(english[g][j]))
                            faults << language + ": one mnemonic for " + text + " and " + groups[g][j];
                }
            for (const auto& dialog : windows.dialogs) {
                dialog->show();
                for (QWidget* w : dialog->findChildren<QWidget*>()) {
                    auto* label = qobject_cast<QLabel*>(w);
                    if (!w->isVisible() || (!label && !qobject_cast<QAbstractButton*>(w))) continue;
                    const bool cut = label && label->wordWrap() ? w->height() < w->heightForWidth(w->width())
                                                                 : w->width() < w->sizeHint().width();
                    if (cut)
                        faults << language + ": cut in " + dialog->windowTitle() + ": " +
                                      w->property("text").toString();
                }
            }
            QCoreApplication::removeTranslator(&translator);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }

    // The program as started from the build tree, with the user's language
    // in LANGUAGE or LANG; English when none has a translation.
    void theUsersLanguageIsLoaded() {
        const std::pair<const char*, const char*> cases[] = {
            {"LANGUAGE=de", "de"}, {"LANG=fr_FR.UTF-8", "fr"}, {"LC_ALL=es_ES.UTF-8", "es"},
            {"LANGUAGE=en:de", ""}, {"LANG=C", ""}, {"LANGUAGE=pt:es", "es"}};
        for (const auto& [variable, loaded] : cases) {
            QProcess program;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) env.remove(name);
            const QStringList assignment = QString(variable).split('=');
            env.insert(assignment[0], assignment[1]);
            program.setProcessEnvironment(env);
            program.start(QCoreApplication::applicationFilePath(), {"--installed-language"});
            QVERIFY(program.waitForFinished(30000));
            QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()).trimmed(), QString(loaded));
        }
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 2 && qstrcmp(argv[1], "--installed-language") == 0) {
        std::printf("%s\n", qPrintable(InstallTranslations(app)));
        return 0;
    }
    TranslationsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "TranslationsTest.moc"
