#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <map>
#include <sstream>

#include "FakePrompts.h"
#include "settings/Paths.h"
#include "settings/SettingsFile.h"
#include "ui/Background.h"
#include "ui/DesignDialog.h"
#include "ui/FirstRunDialogs.h"
#include "ui/GameOptionsDialog.h"
#include "ui/KeyCaptureField.h"

using namespace vexari;

namespace {

// Every key of the settings file, as "SECTION KEY" pairs in the file's order.
const char* const kAllKeys =
    "KEYS LEFT KEYS RIGHT KEYS ROTATE KEYS ROTATE2 KEYS DROP KEYS ACCELERATE SKILL LEVEL SKILL INCLEVEL SKILL NEXT "
    "SKILL BOTLINES SKILL HEIGHT DEMO HOLE DEMO MINHOLE DEMO HEIGHT DEMO ILLLINE DEMO ILL2LINE DEMO SURFACE "
    "DEMO YFIGURE DEMO GREED DESIGN SOUND DESIGN ANIMATE DESIGN COLOR DESIGN DOTS DESIGN DOT_INTERVAL "
    "NET PLAYER_NAME NET SERVER NET TEAM NET PORT NET LEVEL NET COMMAND_TO_THROW NET PLAYER_TO_THROW "
    "NET PEND_LINES NET COUNT_ONLY_EXIT_SCORES NET PLAYER_EXIT_SCORES NET COMMAND_EXIT_SCORES NET MAX_SCORES "
    "NET SEC_BEFORE_START NET TRACE_MESSAGES FILES HIGH_SCORE FILES HELP FILES BITMAP SIZE LEFT SIZE RIGHT "
    "SIZE TOP SIZE BOTTOM INSTALLED INSTALLED";

// The settings file as "SECTION KEY" -> value.
std::map<std::string, std::string> ReadIni(const std::filesystem::path& p) {
    std::ifstream in(p);
    std::map<std::string, std::string> out;
    std::string line, section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto eq = line.find('=');
        if (line.size() > 1 && line.front() == '[')
            section = line.substr(1, line.size() - 2);
        else if (eq != std::string::npos)
            out[section + " " + line.substr(0, eq)] = line.substr(eq + 1);
    }
    return out;
}

bool NoLoader(const std::string& path, PixelImage& image) {
    image = MakeBlackImage();
    return path.empty();
}

}  // namespace

class FirstRunTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void noWritesCompleteDefaultFile();
    void yesRunsTheThreeStepsInOrder();

private:
    std::unique_ptr<QTemporaryDir> home_;
};

void FirstRunTest::init() {
    home_ = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", home_->filePath("config").toUtf8());
    qputenv("XDG_DATA_HOME", home_->filePath("data").toUtf8());
}

void FirstRunTest::noWritesCompleteDefaultFile() {
    Settings s;
    QVERIFY(LoadSettings(s, ScreenMetrics{}));
    FakePrompts prompts;
    PixelImage background;
    QVERIFY(RunFirstRun(nullptr, s, background, prompts, NoLoader));
    QCOMPARE(prompts.questions.size(), size_t(1));
    QCOMPARE(prompts.questions[0].text, kFirstRunQuestion);
    QCOMPARE(prompts.questions[0].caption, QStringLiteral("Vexari"));
    QVERIFY(!prompts.questions[0].defaultNo);
    QVERIFY(prompts.execTitles.empty());

    const auto ini = ReadIni(SettingsFilePath());
    std::istringstream keys(kAllKeys);
    for (std::string section, key; keys >> section >> key;) QVERIFY2(ini.count(section + " " + key), key.c_str());
    QCOMPARE(ini.size(), size_t(46));
    QCOMPARE(ini.at("INSTALLED INSTALLED"), std::string("1"));
    QCOMPARE(ini.at("KEYS ROTATE2"), std::string("12"));
    const std::filesystem::path highScore = ini.at("FILES HIGH_SCORE");
    QVERIFY(highScore.is_absolute());
    QCOMPARE(highScore.filename().string(), std::string("vexari.his"));

    Settings again;
    QVERIFY(!LoadSettings(again, ScreenMetrics{}));
}

void FirstRunTest::yesRunsTheThreeStepsInOrder() {
    Settings s;
    QVERIFY(LoadSettings(s, ScreenMetrics{}));
    FakePrompts prompts;
    prompts.answers = {true};
    prompts.handlers.push_back([](QDialog& dlg) {
        auto& d = static_cast<DesignDialog&>(dlg);
        d.KeyFieldAt(DesignDialog::kDrop)->SetCode('S');
        d.IntervalEdit()->setText("2");
        d.SelectBitmap();  // a file that cannot be loaded
        d.accept();
    });
    prompts.openResults.push_back("/nowhere/picture.bmp");
    prompts.handlers.push_back([](QDialog& dlg) {
        static_cast<DesignDialog&>(dlg).ChooseBlack();
        dlg.accept();
    });
    prompts.handlers.push_back([](QDialog& dlg) {
        auto& d = static_cast<GameOptionsDialog&>(dlg);
        d.HeightEdit()->setText("20");
        d.accept();
    });
    PixelImage background;
    QVERIFY(RunFirstRun(nullptr, s, background, prompts, NoLoader));
    QCOMPARE(prompts.execTitles,
             std::vector<QString>({"Design Options", "Design Options", "Game options"}));
    QCOMPARE(prompts.messages.size(), size_t(1));
    QVERIFY(prompts.messages[0].text.startsWith("Cannon read bitmap file /nowhere/picture.bmp."));
    QCOMPARE(background, MakeBlackImage());

    Settings loaded;
    QVERIFY(!LoadSettings(loaded, ScreenMetrics{}));
    QCOMPARE(loaded.keys.drop, int('S'));
    QCOMPARE(loaded.dotInterval, 2);
    QCOMPARE(loaded.height, 21);
    QCOMPARE(loaded.bitmap, std::string());
}

QTEST_MAIN(FirstRunTest)
#include "tst_firstrundialogs.moc"
