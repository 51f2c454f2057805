// SPDX-License-Identifier: GPL-3.0-or-later
// The game's dialogs driven through their controls: options, design (keys
// and background), demo parameters, the first run, the high scores and the
// look of message boxes and file dialogs; the owner-drawn controls; and the
// network game's join and options dialogs, its window and the message window.
#include <QtTest>
#include <QtWidgets>

#include "../net/RecordingConnection.h"
#include "Child.h"
#include "FakePrompts.h"
#include "game/KeyNames.h"
#include "net/GameClient.h"
#include "settings/HighScoreTable.h"
#include "settings/SettingsFile.h"
#include "ui/AboutDialog.h"
#include "render/ChatLog.h"
#include "ui/Controls.h"
#include "render/Background.h"
#include "ui/ComputerWeightsDialog.h"
#include "ui/DesignDialog.h"
#include "ui/FirstRunDialogs.h"
#include "ui/GameOptionsDialog.h"
#include "ui/HighScoreDialog.h"
#include "ui/JoinDialog.h"
#include "ui/KeyCaptureField.h"
#include "ui/MessageWindow.h"
#include "ui/NameEntryDialog.h"
#include "ui/NetworkGameWindow.h"
#include "ui/NetworkOptionsDialog.h"
#include "ui/PixelImageQt.h"
#include "ui/ProgramIcon.h"
#include "ui/QtKeyCodes.h"

using namespace vexari;

namespace {

const PixelImage kRed(2, 2, MakeColor(255, 0, 0));

// Paths ending in "good.bmp" load as a red picture; others fail.
bool FakeLoader(const std::string& path, PixelImage& image) {
    const bool good = path.ends_with("good.bmp");
    image = good ? kRed : MakeBlackImage();
    return good || path.empty();
}

// The design dialog's key fields: "leftKey", "dropKey", ...
void Press(DesignDialog& d, const char* field, Qt::Key key) {
    d.show();
    Child<KeyCaptureField>(&d, field)->setFocus();
    QTest::keyClick(Child<KeyCaptureField>(&d, field), key);
}

QString FieldText(DesignDialog& d, const char* field) { return Child<KeyCaptureField>(&d, field)->text(); }

// The texts text(0), ..., text(n - 1).
QStringList Texts(int n, const std::function<QString(int)>& text) {
    QStringList out;
    for (int i = 0; i < n; ++i) out << text(i);
    return out;
}
QLineEdit* Weight(const ComputerWeightsDialog& d, int i) {
    return Child<QLineEdit>(&d, QStringLiteral("valueEdit%1").arg(i));
}
QStringList Shown(const ComputerWeightsDialog& d) {
    return Texts(ComputerWeights::kCriteria, [&d](int i) { return Weight(d, i)->text(); });
}
QStringList Row(const QTreeWidget* list, int row) {
    return Texts(list->columnCount(), [=](int c) { return list->topLevelItem(row)->text(c); });
}

// Entry k of the High Score dialog: "01.Ann        |000500".
QString Entry(const HighScoreDialog& d, int k) {
    return Child<QLabel>(&d, QStringLiteral("rowLabel%1").arg(k))->text() + '|' +
           Child<QLabel>(&d, QStringLiteral("scoreLabel%1").arg(k))->text();
}

// ShowHighScores for a new score, the name dialog answered by `name`. Returns
// what the High Score dialog shows: its ten rows ("01.Ann        |000500"),
// then its message line.
QStringList ShowScores(FakePrompts& prompts, const std::string& file, int score, std::string& player,
                       std::function<void(NameEntryDialog&)> name) {
    QStringList shown;
    prompts.On<NameEntryDialog>(name);
    prompts.On<HighScoreDialog>([&shown](HighScoreDialog& d) {
        shown = Texts(10, [&d](int k) { return Entry(d, k); });
        shown << Child<QLabel>(&d, "messageLabel")->text();
        d.accept();
    });
    ShowHighScores(nullptr, true, score, player, file, prompts);
    return shown;
}

// A list of count distinct pictures, each 1 x 1 of its own colour.
struct Pictures {
    std::vector<PixelImage> images;
    std::vector<const PixelImage*> refs;
    explicit Pictures(int count) {
        for (int i = 0; i < count; ++i) images.emplace_back(1, 1, MakeColor(i, 0, 0));
        for (const PixelImage& p : images) refs.push_back(&p);
    }
    const PixelImage* operator[](int i) const { return refs[static_cast<std::size_t>(i)]; }
};

void Tick(AnimatedBitmapButton& b, int n) { while (n-- > 0) b.OnTimerTick(); }

Color PixelAt(const QImage& img, int x, int y) { return 0xFF000000u | img.pixel(x, y); }

// Drives a dialog's level scroll bar: steps and pages move one level and stop
// at 9 and 0, "to the end" changes nothing, and a drag counts where it ends.
// level() is the level the dialog holds; the bar and the label must agree.
void DriveLevelBar(const QDialog& dialog, const std::function<int()>& level) {
    QScrollBar* bar = dialog.findChild<LevelBar*>();
    const QLabel* label = dialog.findChild<QLabel*>("levelLabel");
    const auto shows = [&](int want) {
        return level() == want && bar->value() == want &&
               label->text() == QStringLiteral("Starting level: %1   ").arg(want);
    };
    using S = QAbstractSlider;
    const std::tuple<S::SliderAction, int, int> steps[] = {  // action, times, the level after
        {S::SliderPageStepAdd, 1, level() + 1}, {S::SliderSingleStepAdd, 9, 9}, {S::SliderPageStepSub, 6, 3},
        {S::SliderSingleStepSub, 6, 0},         {S::SliderToMaximum, 1, 0}};
    for (auto [action, times, want] : steps) {
        while (times-- > 0) bar->triggerAction(action);
        QVERIFY2(shows(want), qPrintable(QString::number(want)));
    }
    bar->setSliderDown(true);
    bar->setSliderPosition(6);
    QCOMPARE(level(), 0);
    bar->setSliderDown(false);
    QVERIFY(shows(6));
}

// Opens a dialog D, fills its edits and presses OK: refused with `message`
// and the focus on the edit `refused`, or accepted when that is null.
template <class D, class Values>
void PressOk(const Values& values, const std::vector<std::pair<const char*, QString>>& texts, const char* refused,
             const QString& message) {
    FakePrompts prompts;
    D d(values, prompts);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    d.template findChild<QPushButton*>("ok")->setFocus();
    for (const auto& [edit, text] : texts) Child<QLineEdit>(&d, edit)->setText(text);
    d.accept();
    QCOMPARE(prompts.MessageTexts(), refused ? QStringList{message} : QStringList());
    QCOMPARE(d.result() == QDialog::Accepted, refused == nullptr);
    if (refused) QCOMPARE(QApplication::focusWidget(), Child<QLineEdit>(&d, refused));
}

// A window over a real client, connected as host or joiner the way the main
// window does it: made first, then the connection begins, then it shows.
struct NetFixture {
    Settings settings;
    Game game{settings};
    GameClient client{game, settings, {1, 0, 0, 5}};
    test::RecordingConnection connection;
    FakePrompts prompts;
    MessageWindow messages{nullptr};
    NetworkGameWindow window{nullptr, client, settings, messages, prompts};

    explicit NetFixture(bool host) {
        game.ResetGame();
        client.Begin(connection, &window, host);
        connection.sent.clear();  // the join
        window.show();
        window.activateWindow();
    }
    void ReceivePlayers(int count) {
        Tables t;
        t.players.resize(static_cast<std::size_t>(count));
        QVERIFY(client.Received(EncodeTables(t)));
    }
};

}  // namespace

// Each case starts without a settings file, in a home directory of its own.
class DialogsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> home_;
    Settings settings_;

    std::string File(const char* name) const { return home_->filePath(name).toStdString(); }

private slots:
    void init() {
        home_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", home_->filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", home_->filePath("data").toUtf8());
        settings_ = {};
        QVERIFY(LoadSettings(settings_, ScreenMetrics{}));
    }

    // ---- game options ----

    // Both options dialogs: the level bar, and OK refusing the first bad field
    // in order with a message and the focus left on it.
    void optionsLevelBarsAndValidation() {
        FakePrompts prompts;
        GameOptionsDialog game({5, true, false, 20}, prompts);
        DriveLevelBar(game, [&game] { return 10 - game.StartPeriod(); });
        NetworkOptionsDialog net(NetOptions{.fallPeriod = 3}, prompts);
        QCOMPARE(net.findChild<LevelBar*>()->value(), 7);
        DriveLevelBar(net, [&net] { return net.Level(); });

        using G = GameOptionsDialog;
        using N = NetworkOptionsDialog;
        const QString range = QStringLiteral("Value must be between 18 and 24");
        for (const auto& [text, message] : {std::pair<QString, QString>{"17", range}, {"25", range}, {" 24 ", {}},
                                            {"2x", kNotWholeNumberText}, {"99999999999", kNotWholeNumberText}})
            PressOk<G>(GameOptionsValues{5, true, true, 24}, {{"heightEdit", text}},
                       message.isEmpty() ? nullptr : "heightEdit", message);
        PressOk<N>(NetOptions{}, {{"heightEdit", "17"}}, "heightEdit", range);
        PressOk<N>(NetOptions{}, {{"startInEdit", "0"}, {"playTillEdit", "2147483647"}}, nullptr, {});
        // A negative count is no count.
        PressOk<N>(NetOptions{}, {{"heightEdit", "x"}, {"teamWinScoresEdit", "-1"}}, "teamWinScoresEdit",
                   kNotCountText);
        PressOk<N>(NetOptions{}, {{"playTillEdit", "2.5"}, {"playerWinScoresEdit", "1"}}, "playTillEdit",
                   kNotWholeNumberText);
    }

    void optionsStoredOnOkOnly() {
        FakePrompts prompts;
        Settings s;
        s.botLines = 0;
        for (bool ok : {false, true}) {
            prompts.On<GameOptionsDialog>([ok](GameOptionsDialog& d) {
                QCOMPARE(Child<QLineEdit>(&d, "heightEdit")->text(), QStringLiteral("24"));
                d.findChild<LevelBar*>()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
                Child<QCheckBox>(&d, "increaseLevelBox")->setChecked(false);
                Child<QCheckBox>(&d, "popInLinesBox")->setChecked(true);
                Child<QLineEdit>(&d, "heightEdit")->setText("18");
                ok ? d.accept() : d.reject();
            });
            QCOMPARE(RunGameOptionsDialog(nullptr, s, prompts), ok);
            QVERIFY(std::tuple(s.fallPeriod, int(s.incLevel), s.botLines, s.height) ==
                    (ok ? std::tuple(4, 0, 1, 19) : std::tuple(5, 1, 0, 25)));
        }
    }

    // Message boxes and the file dialog (opening and saving share it) take the game dialogs' look.
    void aboutAndPromptsLookLikeTheGamesDialogs() {
        const AboutDialog about({1, 0, 0, 5});
        QCOMPARE(Child<QLabel>(&about, "versionLabel")->text(), QStringLiteral("Vexari version 1.0.0.5"));
        QVERIFY(ToPixelImage(Child<QLabel>(&about, "iconLabel")->pixmap().toImage()) == DrawProgramIcon(48));
        QtPrompts prompts;
        const std::pair<const char*, std::function<void()>> cases[] = {
            {"message", [&] { prompts.Message(nullptr, QStringLiteral("text")); }},
            {"yes/no", [&] { prompts.AskYesNo(nullptr, "text", kProgramTitle, PromptIcon::Question, true); }},
            {"file", [&] { prompts.OpenFile(nullptr, {QString(), QStringLiteral("dem"), {}}); }},
        };
        for (const auto& [what, open] : cases) {
            QColor window;
            QFont font;
            QTimer::singleShot(0, [&] {
                if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                    std::tie(window, font) = std::tuple(dialog->palette().color(QPalette::Window), dialog->font());
                    dialog->reject();
                }
            });
            open();
            QVERIFY2(window == QColor(192, 192, 192) && font == about.font(), what);
        }
    }

    // ---- design: keys and background ----

    void keyCodesCaptureAndConflicts() {
        const int kp = Qt::KeypadModifier, shift = Qt::ShiftModifier;
        const struct { int key, mods; quint32 keysym, scan; int vk; } cases[] = {
            {Qt::Key_Clear, kp, 0xFF9D, 0, 12},    // keypad 5 without Num Lock
            {Qt::Key_8, kp, 0, 0, 0x68},           // keypad 8, not the digit
            {Qt::Key_Asterisk, shift, 0, 0, 0x38}, // shift 8
            {Qt::Key_Less, 0, 0x3C, 94, 0xE2},     // extra key of ISO keyboards
            {0x0424, 0, 0x6C6, 38, 'A'},           // Cyrillic layout
            {Qt::Key_unknown, 0, 0, 0, 0},
        };
        for (const auto& c : cases)
            QCOMPARE(StoredKeyCode(KeyCodeFromQt(c.key, Qt::KeyboardModifiers(c.mods), c.keysym, c.scan)), c.vk);

        // The key field takes the code and name of each key it gets.
        QWidget window;
        auto* field = new KeyCaptureField(&window);
        window.show();
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Clear, Qt::KeypadModifier);
        QVERIFY(field->Key() == KeyCode::Clear && field->text() == QStringLiteral("<5>"));
        // Keys past the table or without a code, and the dialog's Enter and Esc, leave the field alone.
        for (int key : {int(Qt::Key_Play), int(Qt::Key_unknown), int(Qt::Key_Return), int(Qt::Key_Escape)}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(field, &press);
        }
        QCOMPARE(field->Key(), KeyCode::Clear);

        // A game key may not repeat another, nor be F2, Enter or Esc.
        QVERIFY(!KeysConflict(KeyBindings{}));
        for (KeyCode key : {KeyCode::Left, KeyCode::F2, KeyCode::Enter, KeyCode::Escape})
            QVERIFY2(KeysConflict(KeyBindings{.rotate2 = key}), qPrintable(QString::number(StoredKeyCode(key))));
    }

    void designConflictsReopenUntilFixed() {
        Settings s;
        s.keys.accelerate = KeyCode::Tab;  // from the settings file
        FakePrompts prompts;
        prompts.On<DesignDialog>([](DesignDialog& d) { d.reject(); });  // Cancel does not get past Tab
        prompts.On<DesignDialog>([](DesignDialog& d) {
            QCOMPARE(FieldText(d, "accelerateKey"), QStringLiteral("Tab"));
            Press(d, "accelerateKey", Qt::Key_Down);
            Press(d, "dropKey", Qt::Key_Up);  // the rotate key
            Press(d, "leftKey", Qt::Key_F2);
            d.accept();
        });
        prompts.On<DesignDialog>([](DesignDialog& d) {  // entries kept; Cancel keeps what OK stored
            QCOMPARE(FieldText(d, "dropKey") + FieldText(d, "leftKey"), QStringLiteral("UpF2"));
            d.reject();
        });
        prompts.On<DesignDialog>([](DesignDialog& d) {
            Press(d, "dropKey", Qt::Key_Space);
            Press(d, "leftKey", Qt::Key_A);
            auto* palette = Child<QCheckBox>(&d, "paletteBox");
            auto* landing = Child<QCheckBox>(&d, "landingBox");
            QVERIFY(!palette->isChecked() && Child<QCheckBox>(&d, "marksBox")->isChecked() && !landing->isChecked());
            palette->setChecked(true);
            landing->setChecked(true);
            d.accept();
        });
        s.marks = 1;
        QVERIFY(RunDesignDialog(nullptr, s, prompts, FakeLoader));
        QVERIFY(prompts.MessageTexts() == QStringList(3, kKeyConflictText) && prompts.messages[0].caption == "Vexari");
        QCOMPARE(std::tuple(s.keys.left, s.keys.drop, s.keys.accelerate), std::tuple(KeyCode::A, KeyCode::Space, KeyCode::Down));
        QCOMPARE(std::tuple(s.palette, s.marks, s.landing), std::tuple(int(kPaletteDistinct), 1, 1));
    }

    // "&Black" with OK and the strokes buttons are taken through the first run.
    void designBitmapChoice() {
        Settings s;
        FakePrompts prompts;
        const QString good = "/new/very good.bmp";
        prompts.openResults = {"/tmp/notes.txt", "/" + QString(120, 'x') + "/good.bmp", good, good, QString()};
        prompts.On<DesignDialog>([&](DesignDialog& d) {
            d.SelectBitmap();  // not a bitmap: black preview, refused after OK
            QCOMPARE(Child<QLabel>(&d, "bitmapName")->text(), QStringLiteral("notes.txt"));
            QCOMPARE(*Child<TiledPictureControl>(&d, "preview")->Picture(), MakeBlackImage());
            d.accept();
        });
        prompts.On<DesignDialog>([&](DesignDialog& d) {
            d.SelectBitmap();  // too long for the settings file: refused
            QCOMPARE(Child<QLabel>(&d, "bitmapName")->text(), QStringLiteral("notes.txt"));
            d.SelectBitmap();
            QCOMPARE(Child<QLabel>(&d, "bitmapName")->text(), QStringLiteral("very good.bmp"));
            d.ChooseBlack();
            QCOMPARE(Child<QLabel>(&d, "bitmapName")->text(), QString());
            d.SelectBitmap();
            d.SelectBitmap();  // cancelled
            QCOMPARE(*Child<TiledPictureControl>(&d, "preview")->Picture(), kRed);
            d.accept();
        });
        PixelImage background;
        RunDesignCommand(nullptr, s, background, prompts, FakeLoader);
        QCOMPARE(prompts.messages.size(), size_t(2));  // the unreadable file and the long path
        QVERIFY(prompts.messages[0].text.startsWith("Cannon read bitmap file /tmp/notes.txt."));
        QCOMPARE(prompts.openRequests.at(0).filters, QStringList({"Bitmap files (*.bmp)", "All files (*.*)"}));
        // After "&Black" the file dialog starts nowhere, after a picture at the picture.
        QCOMPARE(prompts.openRequests.at(3).initialPath + '|' + prompts.openRequests.at(4).initialPath, '|' + good);
        QVERIFY(s.bitmap == good.toStdString() && background == kRed);
    }

    // ---- demo parameters: how weights are scaled and truncated is tested
    // with the demo values; here that the command and the buttons apply it ----

    void weightsCommandScalesAndTruncates() {
        FakePrompts prompts;
        ComputerWeights w;
        w[0] = 2000;
        bool learn = true;
        prompts.On<ComputerWeightsDialog>([](ComputerWeightsDialog& d) {
            QCOMPARE(Shown(d), QStringList({"500", "1", "0", "1", "0", "0", "0", "0"}));
            Child<QCheckBox>(&d, "learnBox")->setChecked(false);
            d.reject();
        });
        QVERIFY(!RunComputerWeightsDialog(nullptr, w, learn, prompts));
        QVERIFY(learn && w[0] == 500.0);  // the scaling stays after Cancel

        // Learned fractions are shown and stored truncated; a bad field keeps the dialog open.
        w[0] = 40.8;
        learn = false;
        prompts.On<ComputerWeightsDialog>([&prompts](ComputerWeightsDialog& d) {
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            QCOMPARE(Shown(d)[0], QStringLiteral("40"));
            Weight(d, 7)->setText("1.5");
            Child<QCheckBox>(&d, "learnBox")->setChecked(true);
            d.accept();
            QCOMPARE(prompts.MessageTexts(), QStringList({kNotWholeNumberText}));
            QCOMPARE(QApplication::focusWidget(), Weight(d, 7));
            Weight(d, 7)->setText(" -3 ");
            d.accept();
        });
        QVERIFY(RunComputerWeightsDialog(nullptr, w, learn, prompts));
        QVERIFY(learn && w[0] == 40.0 && w[7] == -3.0);
    }

    void weightsFileButtons() {
        const QString file = home_->filePath("mine.dem"), shortFile = home_->filePath("short.dem");
        QFile out(shortFile), saved(file);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write("9 8\n7 x 6\n") > 0 && out.flush());
        FakePrompts prompts;
        prompts.saveResults = {file, home_->filePath("missing/dir/x.dem")};
        prompts.openResults = {file, shortFile, home_->filePath("absent.dem")};

        ComputerWeightsDialog d({{1, -2, 3, 40, 5, 6, 7, 123456}, true}, prompts);
        // Save reads up to a refused field and writes what the data then hold.
        Weight(d, 0)->setText("12");
        Weight(d, 2)->setText("oops");
        Weight(d, 5)->setText("99");
        d.SaveToFile();
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("12\r\n-2\r\n3\r\n40\r\n5\r\n6\r\n7\r\n123456\r\n"));
        QCOMPARE(prompts.saveRequests.at(0).initialPath, QStringLiteral("MyParams"));

        // Default and Load show the dialog data again, the check box included (it is not in the file).
        QCheckBox* learn = Child<QCheckBox>(&d, "learnBox");
        learn->setChecked(false);
        d.RestoreDefaults();
        QVERIFY(Shown(d) == QStringList({"41", "5", "0", "7", "1", "1", "1", "1"}) && learn->isChecked());
        learn->setChecked(false);
        d.LoadFromFile();
        QVERIFY(Shown(d) == QStringList({"12", "-2", "3", "40", "5", "6", "7", "123456"}) && learn->isChecked());
        // A short or broken file changes only the numbers before the break.
        d.LoadFromFile();
        QCOMPARE(Shown(d), QStringList({"9", "8", "7", "40", "5", "6", "7", "123456"}));

        d.SaveToFile();    // into a missing directory
        d.LoadFromFile();  // a missing file
        const QString notSaved = "Cannot save " + home_->filePath("missing/dir/x.dem") + ": No such file or directory";
        QCOMPARE(prompts.MessageTexts(), QStringList({kNotWholeNumberText, notSaved, kCannotOpenFileText}));
        QCOMPARE(Shown(d)[0], QStringLiteral("9"));
    }

    // ---- the first run ----

    void firstRunNoWritesTheDefaultFile() {
        FakePrompts prompts;
        PixelImage background;
        QVERIFY(RunFirstRun(nullptr, settings_, background, prompts, FakeLoader));
        QVERIFY(prompts.questions.size() == 1 && prompts.questions[0].text == kFirstRunQuestion);
        QVERIFY(!prompts.questions[0].defaultNo && prompts.execTitles.empty() && prompts.messages.empty());
        Settings again;  // what the file holds is the settings file's own concern
        QVERIFY(!LoadSettings(again, ScreenMetrics{}));

        // A settings folder that cannot be made is told, not left to bring the question back unexplained.
        QFile blocker(home_->filePath("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        qputenv("XDG_CONFIG_HOME", home_->filePath("file").toUtf8());
        QVERIFY(!RunFirstRun(nullptr, settings_, background, prompts, FakeLoader));
        QCOMPARE(prompts.MessageTexts(),
                 QStringList({"Cannot create folder " + home_->filePath("file/vexari") + ": Not a directory"}));
    }

    void firstRunYesRunsTheThreeStepsInOrder() {
        FakePrompts prompts;
        prompts.answers = {true};
        prompts.openResults.push_back("/nowhere/picture.bmp");
        prompts.On<DesignDialog>([](DesignDialog& d) {
            Child<KeyCaptureField>(&d, "dropKey")->SetKey(KeyCodeFromStored('S'));
            Child<QLineEdit>(&d, "intervalEdit")->setText("2");
            d.SelectBitmap();  // a file that cannot be loaded
            d.accept();
        });
        prompts.On<DesignDialog>([](DesignDialog& d) {
            Child<QRadioButton>(&d, "invertedStrokes")->click();
            d.ChooseBlack();
            d.accept();
        });
        prompts.On<GameOptionsDialog>([](GameOptionsDialog& d) {
            Child<QLineEdit>(&d, "heightEdit")->setText("20");
            d.accept();
        });
        PixelImage background;
        QVERIFY(RunFirstRun(nullptr, settings_, background, prompts, FakeLoader));
        QCOMPARE(prompts.execTitles, std::vector<QString>({"Design Options", "Design Options", "Game options"}));
        // Only the unloadable file is reported; black is taken without a word.
        QVERIFY(prompts.messages.size() == 1 && background == MakeBlackImage());
        QVERIFY(prompts.messages[0].text.startsWith("Cannon read bitmap file /nowhere/picture.bmp."));

        Settings loaded;
        QVERIFY(!LoadSettings(loaded, ScreenMetrics{}));
        QVERIFY(std::tuple(loaded.keys.drop, loaded.dotInterval, loaded.dots, loaded.height, loaded.bitmap) ==
                std::tuple(KeyCodeFromStored('S'), 2, std::int16_t(3), 21, std::string()));
    }

    // ---- the high scores: the table's rules (ranks, ties, cutting, the
    // file) are tested with HighScoreTable; here what the two dialogs show
    // and how the name dialog's answer decides the entry ----

    void highScoreNameDialogResetAndUnwritableFile() {
        const std::string file = File("scores.his");
        WriteHighScores(file, {{{{"Ann", 500}, {"Bob", 50}}}});
        FakePrompts prompts;
        std::string player = "ABCDEFGHIJKLMNOPQRS";
        // Cancel makes no entry and keeps the name.
        QStringList shown = ShowScores(prompts, file, 50, player, [](NameEntryDialog& d) {
            QCOMPARE(d.Edit()->text(), QStringLiteral("ABCDEFGHIJKLMNOPQRS"));
            d.Edit()->setText("Other");
            d.reject();
        });
        QVERIFY(player == "ABCDEFGHIJKLMNOPQRS" && shown[2] == QStringLiteral("03.           |000000"));

        // Shortened it enters below the equal score, cut to 10 characters; typing stops at 18.
        shown = ShowScores(prompts, file, 50, player, [](NameEntryDialog& d) {
            d.show();
            d.Edit()->setFocus();
            d.Edit()->end(false);
            for (int i = 0; i < 2; ++i) QTest::keyClick(d.Edit(), Qt::Key_Backspace);
            QTest::keyClicks(d.Edit(), "xyz");
            QTest::keyClick(d.Edit(), Qt::Key_Return);
        });
        QCOMPARE(player, std::string("ABCDEFGHIJKLMNOPQx"));
        QCOMPARE(shown.mid(1, 2) << shown[10], QStringList({"02.Bob        |000050", "03.ABCDEFGHIJ |000050",
                                                            "ABCDEFGHIJKLMNOPQx: 000050 score,congratulations"}));

        // Reset asks first, No being the default.
        prompts.answers = {false, true};
        prompts.On<HighScoreDialog>([&](HighScoreDialog& d) {
            d.ResetScores();  // No
            QCOMPARE(ReadHighScores(file).entries[0].score, 500);
            d.ResetScores();  // Yes
            QCOMPARE(Entry(d, 0), QStringLiteral("01.           |000000"));
            d.accept();
        });
        ShowHighScores(nullptr, false, 0, player, file, prompts);
        QVERIFY(prompts.questions.size() == 2 && prompts.questions[0].defaultNo);
        QCOMPARE(ReadHighScores(file), HighScoreTable{});
        QCOMPARE(prompts.questions[0].text, QStringLiteral("Do you really want to reset high score table"));

        // A file that cannot be written is told at each save, with its path and the reason.
        const std::string lost = file + "/x.his";  // under a file, not a folder
        prompts.answers = {true};
        prompts.On<HighScoreDialog>([](HighScoreDialog& d) { d.ResetScores(), d.accept(); });
        ShowHighScores(nullptr, false, 0, player, lost, prompts);
        const QString told = QString::fromStdString("Cannot create folder " + file + ": Not a directory");
        QCOMPARE(prompts.MessageTexts(), QStringList({told, told}));
    }

    // ---- controls ----

    void animatedButtonStepsAndKeepsItsPlaceWhenTheListChanges() {
        const Pictures pics(32);
        AnimatedBitmapButton b("status", MenuAction::StatusLine);
        b.SetFrames(pics.refs, 2);
        // 2 ticks of 55 ms a picture: a whole sweep of 32 pictures is 64 ticks.
        for (int tick = 0; tick <= 66; ++tick, b.OnTimerTick()) QCOMPARE(b.CurrentPicture(), pics[tick / 2 % 32]);

        struct Case {
            const char* what;
            int oldTicks, ticks;  // before: picture ticks / oldTicks, counter ticks % oldTicks
            int newCount, newTicks, picture, counter;
            bool animating;
        } cases[] = {
            {"same pace keeps picture and counter", 2, 11, 32, 2, 5, 1, true},
            {"faster clears a counter not below it", 3, 8, 32, 2, 2, 0, true},
            {"a picture past the new list starts again", 2, 11, 4, 2, 0, 1, true},
            {"a still picture", 2, 9, 1, 0, 0, 0, false},
            {"negative ticks count as still", 2, 9, 32, -3, 0, 0, false},
        };
        for (const Case& c : cases) {
            const Pictures after(c.newCount);
            AnimatedBitmapButton t("status", MenuAction::StatusLine);
            t.SetFrames(pics.refs, c.oldTicks);
            Tick(t, c.ticks);
            t.SetFrames(after.refs, c.newTicks);
            QVERIFY2(t.PictureNumber() == c.picture && t.CurrentPicture() == after[c.picture], c.what);
            QVERIFY2(t.TickCounter() == c.counter && t.IsAnimating() == c.animating, c.what);
            // An animation goes on from where it was; a still picture stays.
            Tick(t, c.animating ? c.newTicks - c.counter : 5);
            const int next = c.animating ? (c.picture + 1) % c.newCount : c.picture;
            QVERIFY2(t.CurrentPicture() == after[next] && t.TickCounter() == 0, c.what);
        }
        // An empty list holds nothing to step through.
        b.SetFrames({}, 1);
        Tick(b, 5);
        QCOMPARE(b.FrameCount(), 0);
    }

    void leftClickSendsCommandAndReturnsFocus() {
        QWidget window;
        window.setFocusPolicy(Qt::StrongFocus);
        auto* next = new LabelButton("Next", MenuAction::ToggleNext, &window);
        next->setGeometry(10, 10, 60, 25);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.setFocus();
        QCOMPARE(next->focusPolicy(), Qt::StrongFocus);  // Tab reaches a label as any button

        QSignalSpy spy(next, &OwnerDrawnButton::actionRequested);
        QTest::mousePress(next, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(next->hasFocus() && !next->KeyboardFocus());  // the label takes the focus while pressed
        QTest::mouseRelease(next, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(spy.count() == 1 && spy.at(0).at(0).value<MenuAction>() == MenuAction::ToggleNext);
        QVERIFY(window.hasFocus());  // focus given back
        // No click: the right button, or the left one released outside.
        QTest::mouseClick(next, Qt::RightButton, {}, QPoint(5, 5));
        QTest::mousePress(next, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(next, Qt::LeftButton, {}, QPoint(500, 500));
        QCOMPARE(spy.count(), 1);

        const QFontMetrics fm(next->font());  // sized to its text, at most 99 characters of it
        QCOMPARE(LabelButton::SizeForText(QString(150, QChar('x')), next->font()),
                 QSize(fm.horizontalAdvance(QString(99, QChar('x'))) + 10, fm.height() + 9));
    }

    void buttonsPaintTheirFaces() {
        LabelButton label("", MenuAction::Skill);
        label.resize(40, 20);
        QImage shot = label.grab().toImage();
        QVERIFY(PixelAt(shot, 1, 1) == kWhite && PixelAt(shot, 38, 18) == kDarkGrey);
        label.setDown(true);
        QCOMPARE(PixelAt(label.grab().toImage(), 1, 1), kDarkGrey);

        // The status line: a 194 x 20 picture in a 203 x 26 button, moved by one when pushed.
        const PixelImage red(194, 20, MakeColor(255, 0, 0));
        AnimatedBitmapButton b("status", MenuAction::StatusLine);
        b.resize(203, 26);
        b.SetFrames(std::vector<const PixelImage*>{&red}, 0);
        shot = b.grab().toImage();
        QVERIFY(PixelAt(shot, 2, 2) == kGrey && PixelAt(shot, 196, 22) == MakeColor(255, 0, 0));
        b.setDown(true);
        QCOMPARE(PixelAt(b.grab().toImage(), 2, 2), MakeColor(255, 0, 0));

        TiledPictureControl tiled;  // no picture yet, or an empty one: painting must return
        tiled.resize(117, 117);
        tiled.grab();
        const PixelImage empty;
        tiled.SetPicture(&empty);
        tiled.grab();
        QVERIFY(tiled.testAttribute(Qt::WA_TransparentForMouseEvents));
    }

    // ---- the network game's dialogs and windows ----

    void joinDialog() {
        Settings s;
        std::tie(s.playerName, s.team, s.server, s.port) =
            std::tuple(std::string(25, 'n'), "Blue", std::string(120, 's'), 7100);
        for (bool host : {true, false}) {
            FakePrompts prompts;
            prompts.On<JoinDialog>([host](JoinDialog& d) {
                QVERIFY(Child<QLineEdit>(&d, "nameEdit")->text() == QString(19, 'n') &&
                        Child<QLineEdit>(&d, "serverEdit")->isReadOnly() == host);
                QTest::keyClicks(Child<QLineEdit>(&d, "teamEdit"), QString(30, 'x'));
                d.accept();
            });
            const std::optional<JoinEntries> e = RunJoinDialog(nullptr, host, s, prompts);
            QVERIFY(e && e->team == QStringLiteral("Blue") + QString(15, 'x') && e->port == 7100);
            QCOMPARE(e->server, host ? QStringLiteral("127.0.0.1") : QString(99, 's'));
        }
        FakePrompts cancelled;
        QVERIFY(!RunJoinDialog(nullptr, false, s, cancelled));

        // A port that is not a whole number keeps the dialog open on its field.
        FakePrompts prompts;
        JoinDialog d({"me", "", "host", 7000}, false, prompts);
        QLineEdit* port = Child<QLineEdit>(&d, "portEdit");
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        port->setText("7x");
        d.findChild<QPushButton*>("ok")->click();
        QVERIFY(prompts.MessageTexts() == QStringList{kNotWholeNumberText} && d.isVisible());
        QCOMPARE(QApplication::focusWidget(), port);
        port->setText(" 7001 ");
        d.findChild<QPushButton*>("ok")->click();
        QVERIFY(!d.isVisible() && d.Entries().port == 7001);
    }

    void windowButtonsChatAndClose() {
        for (bool host : {true, false}) {
            NetFixture f(host);
            QVERIFY(QTest::qWaitForWindowActive(&f.window));
            QCOMPARE(f.window.windowTitle(), QStringLiteral("Network Game"));
            QCOMPARE(std::tuple(f.window.startButton()->isEnabled(), f.window.optionsButton()->isEnabled()),
                     std::tuple(host, host));
            // The round's end enables "Start game" again on the host only.
            QVERIFY(f.client.Received(EncodeKind(MSG_FILLED)));
            QCOMPARE(f.window.startButton()->isEnabled(), host);

            // Enter sends the chat line, an empty one nothing; the input keeps the keys.
            QLineEdit* input = Child<QLineEdit>(&f.window, "chatInput");
            QCOMPARE(QApplication::focusWidget(), input);
            QTest::keyClick(input, Qt::Key_Return);
            input->setText(QStringLiteral("h\u00E9"));
            QTest::keyClick(input, Qt::Key_Return);
            QCOMPARE(f.connection.sent, EncodeText("h\xE9"));
            QVERIFY(input->text().isEmpty() && QApplication::focusWidget() == input);

            // Esc does not close it; Close and the close box ask the owner to leave.
            QSignalSpy leave(&f.window, &NetworkGameWindow::leaveRequested);
            QTest::keyClick(input, Qt::Key_Escape);
            QCOMPARE(leave.count(), 0);
            f.window.closeButton()->click();
            f.window.close();
            QVERIFY(leave.count() == 2 && f.window.isVisible());
        }
    }

    void windowTables() {
        NetFixture f(false);
        QTreeWidget* players = Child<QTreeWidget>(&f.window, "playerList");
        QTreeWidget* teams = Child<QTreeWidget>(&f.window, "teamList");
        f.window.ShowTables(
            {{{"Ann", "Red", "7", 3, 12}, {"Bob", "Blue", "-", 0, -4}}, {{"Red", "1/1", 2, 9}, {"Blue", "-/1", 0, 1}}});
        QCOMPARE(Row(players, 1) + Row(teams, 0),
                 (QStringList{"Bob", "Blue", "-", "0", "-4", "Red", "1/1", "2", "9"}));
        f.window.ShowTables({{{"Bj\xC3\xB6rn", "Blue", "-", 0, 0}}, {}});  // replaces the rows
        QVERIFY(players->topLevelItemCount() == 1 && teams->topLevelItemCount() == 0);
        QCOMPARE(Row(players, 0)[0], QStringLiteral("Bj\u00F6rn"));
        // Every header and value shows whole, a long team name too.
        f.window.ShowTables({{{"Ann", "Humans of Mars", "12", 1234, 123456789}}, {{"Ann", "1/1", 1234, 123456789}}});
        QCoreApplication::processEvents();
        for (QTreeWidget* list : {players, teams}) {
            const QFontMetrics header(list->header()->font()), cells(list->font());
            for (int c = 0; c < list->columnCount(); ++c) {
                const int need = std::max(header.horizontalAdvance(list->headerItem()->text(c)),
                                          cells.horizontalAdvance(list->topLevelItem(0)->text(c)));
                QVERIFY2(list->columnWidth(c) >= need, qPrintable(list->headerItem()->text(c)));
            }
        }
    }

    // Beside the main window on the side with room (narrower where it must be), not over it, on the screen.
    void windowOpensBesideTheMainWindow() {
        NetFixture f(false);
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const int narrowest = f.window.minimumSizeHint().width();
        for (const int width : {400, area.width() - narrowest - 10, area.width() - narrowest / 2}) {
            for (const int left : {area.left(), area.right() + 1 - width}) {
                const QRect main(left, area.top() + 10, width, 500);
                f.window.PlaceBeside(main);
                const QRect placed = f.window.frameGeometry();
                const bool room = std::max(main.left() - area.left(), area.right() - main.right()) >= narrowest;
                QVERIFY(area.contains(placed) && placed.top() == main.top() && room != placed.intersects(main));
            }
        }
    }

    void windowStartAndOptionsGoThroughTheClient() {
        NetFixture f(true);
        f.ReceivePlayers(1);
        f.window.startButton()->click();
        QVERIFY(f.prompts.MessageTexts() == QStringList{kCannotPlayAloneText} && f.connection.sent.empty());

        f.ReceivePlayers(2);
        f.settings.netFallPeriod = 6;
        f.window.startButton()->click();
        QVERIFY(f.connection.sent == EncodeStartRequest(6) && !f.window.startButton()->isEnabled());

        // The options are stored and sent on OK only.
        f.settings.netFallPeriod = 3;  // level 7; the height 25 shows as 24
        const NetOptions before = OptionsFromSettings(f.settings);
        for (bool ok : {false, true}) {
            f.connection.sent.clear();
            f.prompts.On<NetworkOptionsDialog>([ok](NetworkOptionsDialog& d) {
                QCOMPARE(Child<QLineEdit>(&d, "heightEdit")->text(), QStringLiteral("24"));
                QVERIFY(Child<QRadioButton>(&d, "playerThrow0")->isChecked() &&
                        Child<QRadioButton>(&d, "teamThrow0")->isChecked());
                d.findChild<LevelBar*>()->triggerAction(QAbstractSlider::SliderPageStepAdd);  // level 8
                Child<QRadioButton>(&d, "playerThrow4")->setChecked(true);
                Child<QRadioButton>(&d, "teamThrow2")->setChecked(true);
                for (auto [edit, text] : {std::pair{"playerWinScoresEdit", "3"}, {"teamWinScoresEdit", "4"},
                                          {"playTillEdit", "50"}, {"startInEdit", "10"}})
                    Child<QLineEdit>(&d, edit)->setText(text);
                Child<QCheckBox>(&d, "traceBox")->setChecked(false);
                ok ? d.accept() : d.reject();
            });
            f.window.optionsButton()->click();
            QVERIFY(OptionsFromSettings(f.settings) == (ok ? NetOptions{50, 4, 3, 2, 4, 2, 10, 25, 0} : before));
            QCOMPARE(f.connection.sent, ok ? EncodeOptions(OptionsFromSettings(f.settings)) : std::string());
        }
    }

    // What the widget test below does not show: a selection ending at the end
    // is kept, a place cut off goes to the start, a caret at the end follows past the cut.
    void chatLogRule() {
        const std::u16string big(31990, u'a'), twenty(20, u'b'), cut = big.substr(10) + twenty;
        const std::tuple<std::u16string, std::size_t, std::size_t, std::u16string, ChatLog> cases[] = {
            {u"abcd", 1, 4, u"e", {u"abcde", 1, 4, false}},
            {big, 5, 7, twenty, {cut, 0, 0, false}},
            {big, big.size(), big.size(), twenty, {cut, 32000, 32000, true}},
        };
        for (const auto& [text, selStart, selEnd, added, expected] : cases) {
            const ChatLog got = AppendToChatLog(text, selStart, selEnd, added);
            QVERIFY(std::tie(got.text, got.selStart, got.selEnd, got.followEnd) ==
                    std::tie(expected.text, expected.selStart, expected.selEnd, expected.followEnd));
        }
    }

    void chatLogWidgetKeepsThePlace() {
        NetFixture f(false);
        QPlainTextEdit* log = Child<QPlainTextEdit>(&f.window, "chatLog");
        f.window.AppendText("Ann: one\r\n");
        f.window.AppendText("Bob: two\r\n");
        QCOMPARE(log->toPlainText(), QStringLiteral("Ann: one\nBob: two\n"));
        QCOMPARE(log->textCursor().position(), log->toPlainText().size());  // it follows the end
        // The reader selects "two"; new lines keep it, also when the front is cut.
        QTextCursor c = log->textCursor();
        c.setPosition(14);
        c.setPosition(17, QTextCursor::KeepAnchor);
        log->setTextCursor(c);
        f.window.AppendText("Cid: three\r\n");
        QCOMPARE(log->textCursor().selectedText(), QStringLiteral("two"));
        f.window.AppendText(std::string(31980, 'x'));
        // Each "\r\n" kept shows as one line break.
        QVERIFY(log->toPlainText().startsWith(QStringLiteral("b: two\nCid")) && log->toPlainText().size() == 32000 - 2);
        QCOMPARE(log->textCursor().selectedText(), QStringLiteral("two"));
        f.window.ShowMessage("Starting in 3\r\nPress ESC to pause.");
        QVERIFY(f.messages.isVisible() && f.messages.Text() == QStringLiteral("Starting in 3\nPress ESC to pause."));
    }

    void messageWindowEsc() {
        // Esc hides it, and asks for a pause during a countdown; "&Close" only hides.
        for (const auto& [text, pauses] : {std::pair{"Starting in 5 seconds.\nPress ESC to pause.", 1}, {"Pause", 0}}) {
            MessageWindow w(nullptr);
            QSignalSpy pause(&w, &MessageWindow::pauseRequested);
            for (bool esc : {true, false}) {
                w.ShowText(QString::fromLatin1(text));
                QVERIFY(QTest::qWaitForWindowExposed(&w));
                esc ? QTest::keyClick(&w, Qt::Key_Escape) : w.findChild<QPushButton*>()->click();
                QVERIFY(!w.isVisible());
            }
            QCOMPARE(pause.count(), pauses);
        }
    }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
