#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
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

std::string Slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Every section and key of the settings file.
const std::vector<std::pair<std::string, std::vector<std::string>>> kAllKeys = {
    {"KEYS", {"LEFT", "RIGHT", "ROTATE", "ROTATE2", "DROP", "ACCELERATE"}},
    {"SKILL", {"LEVEL", "INCLEVEL", "NEXT", "BOTLINES", "HEIGHT"}},
    {"DEMO", {"HOLE", "MINHOLE", "HEIGHT", "ILLLINE", "ILL2LINE", "SURFACE", "YFIGURE", "GREED"}},
    {"DESIGN", {"SOUND", "ANIMATE", "COLOR", "DOTS", "DOT_INTERVAL"}},
    {"NET",
     {"PLAYER_NAME", "SERVER", "TEAM", "PORT", "LEVEL", "COMMAND_TO_THROW", "PLAYER_TO_THROW", "PEND_LINES",
      "COUNT_ONLY_EXIT_SCORES", "PLAYER_EXIT_SCORES", "COMMAND_EXIT_SCORES", "MAX_SCORES", "SEC_BEFORE_START",
      "TRACE_MESSAGES"}},
    {"FILES", {"HIGH_SCORE", "HELP", "BITMAP"}},
    {"SIZE", {"LEFT", "RIGHT", "TOP", "BOTTOM"}},
    {"INSTALLED", {"INSTALLED"}},
};

// The value of key in section, or nothing.
std::optional<std::string> IniValue(const std::string& text, const std::string& section, const std::string& key) {
    std::istringstream in(text);
    std::string line, current;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > 1 && line.front() == '[' && line.back() == ']') {
            current = line.substr(1, line.size() - 2);
        } else if (current == section && line.rfind(key + "=", 0) == 0) {
            return line.substr(key.size() + 1);
        }
    }
    return std::nullopt;
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

    const std::string text = Slurp(SettingsFilePath());
    for (const auto& [section, keys] : kAllKeys)
        for (const auto& key : keys) QVERIFY2(IniValue(text, section, key), (section + " " + key).c_str());
    QCOMPARE(*IniValue(text, "INSTALLED", "INSTALLED"), std::string("1"));
    QCOMPARE(*IniValue(text, "KEYS", "ROTATE2"), std::string("12"));
    const std::filesystem::path highScore = *IniValue(text, "FILES", "HIGH_SCORE");
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
