#include <QtTest>
#include <QtWidgets>

#include "FakePrompts.h"
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

    void noWritesCompleteDefaultFile() {
        FakePrompts prompts;
        PixelImage background;
        QVERIFY(RunFirstRun(nullptr, settings_, background, prompts, kNoLoader));
        QCOMPARE(prompts.questions.size(), size_t(1));
        QCOMPARE(prompts.questions[0].text, kFirstRunQuestion);
        QVERIFY(!prompts.questions[0].defaultNo);
        QVERIFY(prompts.execTitles.empty() && prompts.messages.empty());
        Settings again;  // what the file holds is the settings file's own concern
        QVERIFY(!LoadSettings(again, ScreenMetrics{}));

        // A settings folder that cannot be made is told, not left to bring the question back unexplained.
        QFile blocker(home_->filePath("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        qputenv("XDG_CONFIG_HOME", home_->filePath("file").toUtf8());
        QVERIFY(!RunFirstRun(nullptr, settings_, background, prompts, kNoLoader));
        QCOMPARE(prompts.MessageTexts(),
                 QStringList({"Cannot create folder " + home_->filePath("file/vexari") + ": Not a directory"}));
    }

    void yesRunsTheThreeStepsInOrder() {
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
        QVERIFY(std::tuple(loaded.keys.drop, loaded.dotInterval, loaded.dots, loaded.height, loaded.bitmap) ==
                std::tuple(int('S'), 2, std::int16_t(3), 21, std::string()));
    }

private:
    std::unique_ptr<QTemporaryDir> home_;
    Settings settings_;
};

QTEST_MAIN(FirstRunTest)
#include "tst_firstrundialogs.moc"
