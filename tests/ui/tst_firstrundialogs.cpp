#include <QtTest>
#include <QtWidgets>

#include "FakePrompts.h"
#include "settings/Paths.h"
#include "settings/SettingsFile.h"
#include "ui/Background.h"
#include "ui/DesignDialog.h"
#include "ui/FirstRunDialogs.h"
#include "ui/GameOptionsDialog.h"
#include "ui/KeyCaptureField.h"

using namespace vexari;

const BackgroundLoader kNoLoader = [](const std::string& path, PixelImage& image) {
    image = MakeBlackImage();
    return path.empty();
};

// Each case starts without a settings file, in a home directory of its own.
class FirstRunTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        home_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", home_->filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", home_->filePath("data").toUtf8());
        settings_ = {};
        QVERIFY(LoadSettings(settings_, ScreenMetrics{}));
    }
    void noWritesCompleteDefaultFile();
    void yesRunsTheThreeStepsInOrder();

private:
    std::unique_ptr<QTemporaryDir> home_;
    Settings settings_;
};

void FirstRunTest::noWritesCompleteDefaultFile() {
    FakePrompts prompts;
    PixelImage background;
    QVERIFY(RunFirstRun(nullptr, settings_, background, prompts, kNoLoader));
    QCOMPARE(prompts.questions.size(), size_t(1));
    QCOMPARE(prompts.questions[0].text, kFirstRunQuestion);
    QCOMPARE(prompts.questions[0].caption, QStringLiteral("Vexari"));
    QVERIFY(!prompts.questions[0].defaultNo);
    QVERIFY(prompts.execTitles.empty());

    // Every key is written (their order and values are the settings file's own concern).
    const QSettings ini(QString::fromStdString(SettingsFilePath().string()), QSettings::IniFormat);
    QCOMPARE(ini.allKeys().size(), 46);
    QCOMPARE(ini.value("KEYS/ROTATE2").toString(), QStringLiteral("12"));
    Settings again;
    QVERIFY(!LoadSettings(again, ScreenMetrics{}));  // installed
    const std::filesystem::path highScore = again.highScore;
    QVERIFY(highScore.is_absolute());
    QCOMPARE(highScore.filename().string(), std::string("vexari.his"));
    QVERIFY(prompts.messages.empty());

    // A settings folder that cannot be made is told, not left to bring the question back unexplained.
    QFile blocker(home_->filePath("file"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    qputenv("XDG_CONFIG_HOME", home_->filePath("file").toUtf8());
    QVERIFY(!RunFirstRun(nullptr, settings_, background, prompts, kNoLoader));
    QCOMPARE(prompts.MessageTexts(),
             QStringList({"Cannot create folder " + home_->filePath("file/vexari") + ": Not a directory"}));
}

void FirstRunTest::yesRunsTheThreeStepsInOrder() {
    FakePrompts prompts;
    prompts.answers = {true};
    prompts.openResults.push_back("/nowhere/picture.bmp");
    prompts.On<DesignDialog>([](DesignDialog& d) {
        d.KeyFieldAt(DesignDialog::kDrop)->SetCode('S');
        d.IntervalEdit()->setText("2");
        d.SelectBitmap();  // a file that cannot be loaded
        d.accept();
    });
    prompts.On<DesignDialog>([](DesignDialog& d) {
        d.StrokeButton(3)->click();
        d.ChooseBlack();
        d.accept();
    });
    prompts.On<GameOptionsDialog>([](GameOptionsDialog& d) {
        d.HeightEdit()->setText("20");
        d.accept();
    });
    PixelImage background;
    QVERIFY(RunFirstRun(nullptr, settings_, background, prompts, kNoLoader));
    QCOMPARE(prompts.execTitles, std::vector<QString>({"Design Options", "Design Options", "Game options"}));
    // Only the unloadable file is reported; black is taken without a word.
    QCOMPARE(prompts.messages.size(), size_t(1));
    QVERIFY(prompts.messages[0].text.startsWith("Cannon read bitmap file /nowhere/picture.bmp."));
    QCOMPARE(background, MakeBlackImage());

    Settings loaded;
    QVERIFY(!LoadSettings(loaded, ScreenMetrics{}));
    QCOMPARE(loaded.keys.drop, int('S'));
    QCOMPARE(loaded.dotInterval, 2);
    QCOMPARE(loaded.dots, std::int16_t(3));
    QCOMPARE(loaded.height, 21);
    QCOMPARE(loaded.bitmap, std::string());
}

QTEST_MAIN(FirstRunTest)
#include "tst_firstrundialogs.moc"
