#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "FakePrompts.h"
#include "game/KeyNames.h"
#include "ui/Background.h"
#include "ui/DesignDialog.h"
#include "ui/KeyCaptureField.h"
#include "ui/VirtualKeys.h"

using namespace vexari;

namespace {

const PixelImage kRed(2, 2, MakeColor(255, 0, 0));

// Paths ending in "good.bmp" load as a red picture; others fail.
bool FakeLoader(const std::string& path, PixelImage& image) {
    const bool good = path.size() >= 8 && path.compare(path.size() - 8, 8, "good.bmp") == 0;
    image = good ? kRed : MakeBlackImage();
    return good || path.empty();
}

DesignDialog& AsDesign(QDialog& d) { return static_cast<DesignDialog&>(d); }

void Press(DesignDialog& d, DesignDialog::KeyField which, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    d.show();
    d.KeyFieldAt(which)->setFocus();
    QTest::keyClick(d.KeyFieldAt(which), key, mods);
}

}  // namespace

class DesignDialogTest : public QObject {
    Q_OBJECT
private slots:
    void keyNamesAndConflicts();
    void virtualKeysFromQt_data();
    void virtualKeysFromQt();
    void keyFieldCapture();
    void conflictReopensWithEntriesKept();
    void fixedKeyFromSettingsReopensAfterCancel();
    void intervalValidation();
    void blackGivesEmptyPathWithoutMessage();
    void unloadableBitmapReopensUntilBlack();
    void selectShowsNameAndPreview();
};

void DesignDialogTest::keyNamesAndConflicts() {
    QCOMPARE(KeyNames.size(), size_t(227));
    const std::vector<std::pair<int, std::string>> names = {
        {0x0A, "--A"}, {0x3B, "-3B"}, {0xC1, "-C1"}, {18, "Alt"},     {12, "<5>"},     {0x5A, "Z"},
        {0x6E, "Sep\\"}, {0x7F, "F16"}, {0x80, "-80"}, {0xDE, "'\""}, {0xE1, ""}, {0xE2, "OEM102"}, {0xFE, "-FE"}};
    for (const auto& [code, name] : names) QCOMPARE(KeyName(code), name);

    QVERIFY(!KeysConflict(KeyBindings{}));
    for (int fixed : {113, 9, 49, 13, 27}) {
        KeyBindings k;
        k.rotate2 = fixed;
        QVERIFY2(KeysConflict(k), qPrintable(QString::number(fixed)));
    }
    KeyBindings same;
    same.rotate2 = same.left;
    QVERIFY(KeysConflict(same));
}

void DesignDialogTest::virtualKeysFromQt_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("mods");
    QTest::addColumn<uint>("keysym");
    QTest::addColumn<uint>("scan");
    QTest::addColumn<int>("vk");
    const int kp = Qt::KeypadModifier;
    const int shift = Qt::ShiftModifier;
    QTest::newRow("keypad 5 without num lock") << int(Qt::Key_Clear) << kp << 0xFF9Du << 0u << 12;
    QTest::newRow("keypad 8") << int(Qt::Key_8) << kp << 0u << 0u << 0x68;
    QTest::newRow("keypad home") << int(Qt::Key_Home) << kp << 0u << 0u << 0x24;
    QTest::newRow("shift 8") << int(Qt::Key_Asterisk) << shift << 0u << 0u << 0x38;
    QTest::newRow("keypad *") << int(Qt::Key_Asterisk) << kp << 0u << 0u << 0x6A;
    QTest::newRow("keypad separator") << int(Qt::Key_Comma) << kp << 0xFFACu << 0u << 0x6C;
    QTest::newRow("shifted letter") << int(Qt::Key_Q) << shift << 0u << 0u << int('Q');
    QTest::newRow("F16") << int(Qt::Key_F16) << 0 << 0u << 0u << 0x7F;
    QTest::newRow("ISO extra key") << int(Qt::Key_Less) << 0 << 0x3Cu << 94u << 0xE2;
    QTest::newRow("shift comma") << int(Qt::Key_Less) << shift << 0x3Cu << 59u << 0xBC;
    QTest::newRow("Cyrillic layout") << 0x0424 << 0 << 0x6C6u << 38u << int('A');
    QTest::newRow("unknown") << int(Qt::Key_unknown) << 0 << 0u << 0u << 0;
}

void DesignDialogTest::virtualKeysFromQt() {
    QFETCH(int, key);
    QFETCH(int, mods);
    QFETCH(uint, keysym);
    QFETCH(uint, scan);
    QFETCH(int, vk);
    QCOMPARE(VirtualKeyFromQt(key, Qt::KeyboardModifiers(mods), keysym, scan), vk);
}

void DesignDialogTest::keyFieldCapture() {
    QWidget window;
    auto* field = new KeyCaptureField(&window);
    window.show();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Up);
    QCOMPARE(field->Code(), 38);
    QCOMPARE(field->text(), QStringLiteral("Up"));
    QTest::keyClick(field, Qt::Key_Clear, Qt::KeypadModifier);
    QCOMPARE(field->Code(), 12);
    QCOMPARE(field->text(), QStringLiteral("<5>"));
    // Keys past the table or without a code, and the dialog's Enter and
    // Esc, leave the field alone.
    for (int key : {int(Qt::Key_Play), int(Qt::Key_unknown), int(Qt::Key_Return), int(Qt::Key_Escape)}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(field, &press);
    }
    QCOMPARE(field->Code(), 12);
}

void DesignDialogTest::conflictReopensWithEntriesKept() {
    Settings s;
    FakePrompts prompts;
    prompts.handlers.push_back([](QDialog& dlg) {
        Press(AsDesign(dlg), DesignDialog::kDrop, Qt::Key_Up);  // the rotate key
        Press(AsDesign(dlg), DesignDialog::kLeft, Qt::Key_F2);
        dlg.accept();
    });
    prompts.handlers.push_back([](QDialog& dlg) {
        DesignDialog& d = AsDesign(dlg);
        QCOMPARE(d.KeyFieldAt(DesignDialog::kDrop)->text(), QStringLiteral("Up"));
        QCOMPARE(d.KeyFieldAt(DesignDialog::kLeft)->text(), QStringLiteral("F2"));
        Press(d, DesignDialog::kDrop, Qt::Key_Space);
        Press(d, DesignDialog::kLeft, Qt::Key_A);
        d.accept();
    });
    QVERIFY(RunDesignDialog(nullptr, s, prompts, FakeLoader));
    QCOMPARE(prompts.MessageTexts(), QStringList({kKeyConflictText}));
    QCOMPARE(prompts.messages[0].caption, QStringLiteral("Vexari"));
    QCOMPARE(s.keys.left, int('A'));
    QCOMPARE(s.keys.drop, 32);
}

void DesignDialogTest::fixedKeyFromSettingsReopensAfterCancel() {
    Settings s;
    s.keys.accelerate = 9;  // Tab
    FakePrompts prompts;
    prompts.handlers.push_back([](QDialog& dlg) { dlg.reject(); });
    prompts.handlers.push_back([](QDialog& dlg) {
        QCOMPARE(AsDesign(dlg).KeyFieldAt(DesignDialog::kAccelerate)->text(), QStringLiteral("Tab"));
        Press(AsDesign(dlg), DesignDialog::kAccelerate, Qt::Key_Down);
        dlg.accept();
    });
    QVERIFY(RunDesignDialog(nullptr, s, prompts, FakeLoader));
    QCOMPARE(prompts.MessageTexts(), QStringList({kKeyConflictText}));
    QCOMPARE(s.keys.accelerate, 40);
}

void DesignDialogTest::intervalValidation() {
    FakePrompts prompts;
    DesignDialog d(DesignValues{}, prompts, FakeLoader);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    d.OkButton()->setFocus();
    d.IntervalEdit()->setText("4");
    d.accept();
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QCOMPARE(QApplication::focusWidget(), d.IntervalEdit());
    QCOMPARE(d.IntervalEdit()->selectedText(), QStringLiteral("4"));
    d.IntervalEdit()->setText("two");
    d.accept();
    QCOMPARE(prompts.MessageTexts(), QStringList({"Value must be between 1 and 3", kNotWholeNumberText}));
    d.IntervalEdit()->setText("3");
    d.accept();
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(d.Data().dotInterval, 3);
}

void DesignDialogTest::blackGivesEmptyPathWithoutMessage() {
    Settings s;
    s.bitmap = "/pictures/good.bmp";
    FakePrompts prompts;
    prompts.handlers.push_back([](QDialog& dlg) {
        QCOMPARE(AsDesign(dlg).PreviewPicture(), kRed);
        AsDesign(dlg).StrokeButton(3)->click();
        AsDesign(dlg).ChooseBlack();
        QCOMPARE(AsDesign(dlg).PreviewPicture(), MakeBlackImage());
        dlg.accept();
    });
    PixelImage background = kRed;
    RunDesignCommand(nullptr, s, background, prompts, FakeLoader);
    QCOMPARE(s.bitmap, std::string());
    QCOMPARE(s.dots, std::int16_t(3));
    QVERIFY(prompts.messages.empty());
    QCOMPARE(background, MakeBlackImage());
}

void DesignDialogTest::unloadableBitmapReopensUntilBlack() {
    Settings s;
    FakePrompts prompts;
    prompts.openResults.push_back("/tmp/notes.txt");
    prompts.handlers.push_back([](QDialog& dlg) {
        AsDesign(dlg).SelectBitmap();
        QCOMPARE(AsDesign(dlg).BitmapNameLabel()->text(), QStringLiteral("notes.txt"));
        QCOMPARE(AsDesign(dlg).PreviewPicture(), MakeBlackImage());
        dlg.accept();
    });
    prompts.handlers.push_back([](QDialog& dlg) {
        QCOMPARE(AsDesign(dlg).BitmapNameLabel()->text(), QStringLiteral("notes.txt"));
        AsDesign(dlg).ChooseBlack();
        dlg.accept();
    });
    PixelImage background;
    RunDesignCommand(nullptr, s, background, prompts, FakeLoader);
    QCOMPARE(prompts.MessageTexts(), QStringList({"Cannon read bitmap file /tmp/notes.txt.Please change the file "
                                                  "pathname or set backround to BLACK"}));
    QCOMPARE(prompts.openRequests.at(0).defaultSuffix, QStringLiteral("bmp"));
    QCOMPARE(prompts.openRequests.at(0).filters, QStringList({"Bitmap files (*.bmp)", "All files (*.*)"}));
    QCOMPARE(s.bitmap, std::string());
}

void DesignDialogTest::selectShowsNameAndPreview() {
    Settings s;
    FakePrompts prompts;
    prompts.openResults = {"/new/very good.bmp", "/" + QString(120, 'x') + "/good.bmp", QString()};
    prompts.handlers.push_back([](QDialog& dlg) {
        DesignDialog& d = AsDesign(dlg);
        d.SelectBitmap();
        QCOMPARE(d.BitmapNameLabel()->text(), QStringLiteral("very good.bmp"));
        QCOMPARE(d.PreviewPicture(), kRed);
        d.SelectBitmap();  // too long for the settings file: refused
        d.SelectBitmap();  // cancelled
        d.accept();
    });
    PixelImage background;
    RunDesignCommand(nullptr, s, background, prompts, FakeLoader);
    QCOMPARE(prompts.openRequests.at(1).initialPath, QStringLiteral("/new/very good.bmp"));
    QCOMPARE(prompts.messages.size(), size_t(1));
    QCOMPARE(s.bitmap, std::string("/new/very good.bmp"));
    QCOMPARE(background, kRed);
}

QTEST_MAIN(DesignDialogTest)
#include "tst_designdialog.moc"
