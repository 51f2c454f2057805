#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "FakePrompts.h"
#include "game/KeyNames.h"
#include "ui/Background.h"
#include "ui/Controls.h"
#include "ui/DesignDialog.h"
#include "ui/KeyCaptureField.h"
#include "ui/VirtualKeys.h"

using namespace vexari;

namespace {

const PixelImage kRed(2, 2, MakeColor(255, 0, 0));

// Files ending in "good.bmp" load as a red picture; others fail.
struct FakeLoader {
    std::vector<std::string>* calls;
    bool operator()(const std::string& path, PixelImage& image) const {
        if (calls) calls->push_back(path);
        image = MakeBlackImage();
        if (path.empty()) return true;
        if (path.size() >= 8 && path.compare(path.size() - 8, 8, "good.bmp") == 0) {
            image = kRed;
            return true;
        }
        return false;
    }
};

DesignDialog& AsDesign(QDialog& d) { return static_cast<DesignDialog&>(d); }

void Press(DesignDialog& d, DesignDialog::KeyField which, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    KeyCaptureField* f = d.KeyFieldAt(which);
    f->setFocus();
    QTest::keyClick(f, key, mods);
}

}  // namespace

class DesignDialogTest : public QObject {
    Q_OBJECT
private slots:
    void keyNamesTable();
    void virtualKeysFromQt_data();
    void virtualKeysFromQt();
    void keyFieldCapturesNamedKeys();
    void dialogShowsSettings();
    void conflictReopensWithEntriesKept();
    void fixedKeyFromSettingsReopensAfterCancel();
    void intervalValidation();
    void blackGivesEmptyPathWithoutMessage();
    void unloadableBitmapReopensUntilBlack();
    void selectShowsNameAndPreview();
    void cancelKeepsSettingsButNotDialogData();
};

void DesignDialogTest::keyNamesTable() {
    QCOMPARE(KeyNames.size(), size_t(227));
    QCOMPARE(KeyName(10), std::string("--A"));
    QCOMPARE(KeyName(0), std::string("--0"));
    QCOMPARE(KeyName(59), std::string("-3B"));
    QCOMPARE(KeyName(0x15), std::string("-15"));
    QCOMPARE(KeyName(0xC1), std::string("-C1"));
    QCOMPARE(KeyName(18), std::string("Alt"));
    QCOMPARE(KeyName(12), std::string("<5>"));
    QCOMPARE(KeyName(0x30), std::string("0"));
    QCOMPARE(KeyName(0x5A), std::string("Z"));
    QCOMPARE(KeyName(0x6C), std::string("Sep/"));
    QCOMPARE(KeyName(0x6E), std::string("Sep\\"));
    QCOMPARE(KeyName(0x7F), std::string("F16"));
    QCOMPARE(KeyName(0x80), std::string("-80"));
    QCOMPARE(KeyName(0xDE), std::string("'\""));
    QCOMPARE(KeyName(0xE0), std::string());
    QCOMPARE(KeyName(0xE1), std::string());
    QCOMPARE(KeyName(0xE2), std::string("OEM102"));
    // Codes past the table, as only a hand-edited settings file holds them.
    QCOMPARE(KeyName(0xFE), std::string("-FE"));

    KeyBindings keys;
    QVERIFY(!KeysConflict(keys));
    for (int fixed : {113, 9, 49, 13, 27}) {
        KeyBindings k;
        k.rotate2 = fixed;
        QVERIFY2(KeysConflict(k), qPrintable(QString::number(fixed)));
    }
    keys.drop = keys.rotate;
    QVERIFY(KeysConflict(keys));
    keys = KeyBindings{};
    keys.rotate2 = keys.left;
    QVERIFY(KeysConflict(keys));
}

void DesignDialogTest::virtualKeysFromQt_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("mods");
    QTest::addColumn<uint>("keysym");
    QTest::addColumn<uint>("scan");
    QTest::addColumn<int>("vk");
    const int kp = Qt::KeypadModifier;
    QTest::newRow("up") << int(Qt::Key_Up) << 0 << 0u << 0u << 38;
    QTest::newRow("space") << int(Qt::Key_Space) << 0 << 0u << 0u << 32;
    QTest::newRow("keypad 5 without num lock") << int(Qt::Key_Clear) << kp << 0xFF9Du << 0u << 12;
    QTest::newRow("keypad 8") << int(Qt::Key_8) << kp << 0u << 0u << 0x68;
    QTest::newRow("digit 8") << int(Qt::Key_8) << 0 << 0u << 0u << 0x38;
    QTest::newRow("keypad home") << int(Qt::Key_Home) << kp << 0u << 0u << 0x24;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << kp << 0u << 0u << 13;
    QTest::newRow("keypad *") << int(Qt::Key_Asterisk) << kp << 0u << 0u << 0x6A;
    QTest::newRow("shift 8") << int(Qt::Key_Asterisk) << int(Qt::ShiftModifier) << 0u << 0u << 0x38;
    QTest::newRow("keypad separator") << int(Qt::Key_Comma) << kp << 0xFFACu << 0u << 0x6C;
    QTest::newRow("keypad decimal") << int(Qt::Key_Period) << kp << 0u << 0u << 0x6E;
    QTest::newRow("letter with shift") << int(Qt::Key_Q) << int(Qt::ShiftModifier) << 0u << 0u << int('Q');
    QTest::newRow("exclamation") << int(Qt::Key_Exclam) << int(Qt::ShiftModifier) << 0u << 0u << int('1');
    QTest::newRow("F2") << int(Qt::Key_F2) << 0 << 0u << 0u << 113;
    QTest::newRow("F16") << int(Qt::Key_F16) << 0 << 0u << 0u << 0x7F;
    QTest::newRow("alt") << int(Qt::Key_Alt) << int(Qt::AltModifier) << 0u << 0u << 18;
    QTest::newRow("tilde") << int(Qt::Key_AsciiTilde) << int(Qt::ShiftModifier) << 0u << 0u << 0xC0;
    QTest::newRow("print screen") << int(Qt::Key_Print) << 0 << 0u << 0u << 0x2C;
    QTest::newRow("num lock") << int(Qt::Key_NumLock) << 0 << 0u << 0u << 0x90;
    QTest::newRow("ISO extra key") << int(Qt::Key_Less) << 0 << 0x3Cu << 94u << 0xE2;
    QTest::newRow("shift comma") << int(Qt::Key_Less) << int(Qt::ShiftModifier) << 0x3Cu << 59u << 0xBC;
    QTest::newRow("cyrillic A key") << 0x0424 << 0 << 0x6C6u << 38u << int('A');
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

void DesignDialogTest::keyFieldCapturesNamedKeys() {
    QWidget window;
    auto* field = new KeyCaptureField(&window);
    window.show();
    field->setFocus();
    QVERIFY(field->isReadOnly());
    QTest::keyClick(field, Qt::Key_Up);
    QCOMPARE(field->Code(), 38);
    QCOMPARE(field->text(), QStringLiteral("Up"));
    QTest::keyClick(field, Qt::Key_Clear, Qt::KeypadModifier);
    QCOMPARE(field->Code(), 12);
    QCOMPARE(field->text(), QStringLiteral("<5>"));
    QTest::keyClick(field, Qt::Key_X);
    QCOMPARE(field->text(), QStringLiteral("X"));
    // A key with a code past the table, or none, leaves the field alone.
    for (int key : {int(Qt::Key_Play), int(Qt::Key_unknown)}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(field, &press);
    }
    QCOMPARE(field->Code(), 'X');
    QCOMPARE(field->text(), QStringLiteral("X"));
    // Enter and Esc belong to the dialog.
    QTest::keyClick(field, Qt::Key_Return);
    QTest::keyClick(field, Qt::Key_Escape);
    QCOMPARE(field->Code(), 'X');
    field->SetCode(0xEA);
    QCOMPARE(field->text(), QStringLiteral("-EA"));
}

void DesignDialogTest::dialogShowsSettings() {
    Settings s;
    s.dots = 2;
    s.dotInterval = 3;
    s.color = 0;
    s.bitmap = "/pictures/good.bmp";
    FakePrompts prompts;
    DesignDialog d(DesignValues::FromSettings(s), prompts, FakeLoader{nullptr});
    QCOMPARE(d.windowTitle(), QStringLiteral("Design Options"));
    QCOMPARE(d.KeyFieldAt(DesignDialog::kLeft)->text(), QStringLiteral("Left"));
    QCOMPARE(d.KeyFieldAt(DesignDialog::kRight)->text(), QStringLiteral("Right"));
    QCOMPARE(d.KeyFieldAt(DesignDialog::kRotate)->text(), QStringLiteral("Up"));
    QCOMPARE(d.KeyFieldAt(DesignDialog::kRotate2)->text(), QStringLiteral("<5>"));
    QCOMPARE(d.KeyFieldAt(DesignDialog::kDrop)->text(), QStringLiteral("Space"));
    QCOMPARE(d.KeyFieldAt(DesignDialog::kAccelerate)->text(), QStringLiteral("Down"));
    QVERIFY(d.StrokeButton(2)->isChecked());
    QVERIFY(!d.StrokeButton(1)->isChecked());
    QCOMPARE(d.StrokeButton(2)->text(), QStringLiteral("B&lac&k"));
    QCOMPARE(d.IntervalEdit()->text(), QStringLiteral("3"));
    QVERIFY(!d.ColorBox()->isChecked());
    QVERIFY(d.AnimateBox()->isChecked());
    QCOMPARE(d.BitmapNameLabel()->text(), QStringLiteral("good.bmp"));
    QCOMPARE(d.Preview()->Picture(), &d.PreviewPicture());
    QCOMPARE(d.PreviewPicture(), kRed);
}

void DesignDialogTest::conflictReopensWithEntriesKept() {
    Settings s;
    FakePrompts prompts;
    // First run: drop := Up (the rotate key), left := F2.
    prompts.handlers.push_back([](QDialog& dlg) {
        DesignDialog& d = AsDesign(dlg);
        d.show();
        Press(d, DesignDialog::kDrop, Qt::Key_Up);
        Press(d, DesignDialog::kLeft, Qt::Key_F2);
        d.accept();
    });
    // Second run: the conflicting entries are still shown; fix them.
    prompts.handlers.push_back([](QDialog& dlg) {
        DesignDialog& d = AsDesign(dlg);
        QCOMPARE(d.KeyFieldAt(DesignDialog::kDrop)->text(), QStringLiteral("Up"));
        QCOMPARE(d.KeyFieldAt(DesignDialog::kLeft)->text(), QStringLiteral("F2"));
        d.show();
        Press(d, DesignDialog::kDrop, Qt::Key_Space);
        Press(d, DesignDialog::kLeft, Qt::Key_A);
        Press(d, DesignDialog::kRotate2, Qt::Key_1);  // the digit 1 is a fixed key
        d.accept();
    });
    prompts.handlers.push_back([](QDialog& dlg) {
        DesignDialog& d = AsDesign(dlg);
        d.show();
        Press(d, DesignDialog::kRotate2, Qt::Key_Clear, Qt::KeypadModifier);
        d.accept();
    });
    QVERIFY(RunDesignDialog(nullptr, s, prompts, FakeLoader{nullptr}));
    QCOMPARE(prompts.execTitles.size(), size_t(3));
    QCOMPARE(prompts.MessageTexts(), QStringList({kKeyConflictText, kKeyConflictText}));
    QCOMPARE(prompts.messages[0].caption, QStringLiteral("Vexari"));
    QCOMPARE(s.keys.left, 'A');
    QCOMPARE(s.keys.drop, 32);
    QCOMPARE(s.keys.rotate2, 12);
    QVERIFY(prompts.handlers.empty());
}

void DesignDialogTest::fixedKeyFromSettingsReopensAfterCancel() {
    Settings s;
    s.keys.accelerate = 9;  // Tab
    FakePrompts prompts;
    prompts.handlers.push_back([](QDialog& dlg) { dlg.reject(); });
    prompts.handlers.push_back([](QDialog& dlg) {
        DesignDialog& d = AsDesign(dlg);
        QCOMPARE(d.KeyFieldAt(DesignDialog::kAccelerate)->text(), QStringLiteral("Tab"));
        d.show();
        Press(d, DesignDialog::kAccelerate, Qt::Key_Down);
        d.accept();
    });
    QVERIFY(RunDesignDialog(nullptr, s, prompts, FakeLoader{nullptr}));
    QCOMPARE(prompts.MessageTexts(), QStringList({kKeyConflictText}));
    QCOMPARE(s.keys.accelerate, 40);
}

void DesignDialogTest::intervalValidation() {
    FakePrompts prompts;
    DesignDialog d(DesignValues{}, prompts, FakeLoader{nullptr});
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    d.OkButton()->setFocus();
    for (const char* bad : {"0", "4", "-1"}) {
        d.IntervalEdit()->setText(bad);
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(prompts.messages.back().text, QStringLiteral("Value must be between 1 and 3"));
        QCOMPARE(QApplication::focusWidget(), d.IntervalEdit());
        QCOMPARE(d.IntervalEdit()->selectedText(), QString::fromLatin1(bad));
    }
    d.IntervalEdit()->setText("two");
    d.accept();
    QCOMPARE(prompts.messages.back().text, kNotWholeNumberText);
    QCOMPARE(d.Data().dotInterval, 1);
    d.IntervalEdit()->setText("3");
    d.accept();
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(d.Data().dotInterval, 3);
    QCOMPARE(prompts.messages.size(), size_t(4));
}

void DesignDialogTest::blackGivesEmptyPathWithoutMessage() {
    Settings s;
    s.bitmap = "/pictures/good.bmp";
    FakePrompts prompts;
    std::vector<std::string> loads;
    prompts.handlers.push_back([](QDialog& dlg) {
        DesignDialog& d = AsDesign(dlg);
        QCOMPARE(d.PreviewPicture(), kRed);
        d.ChooseBlack();
        QCOMPARE(d.BitmapNameLabel()->text(), QString());
        QCOMPARE(d.PreviewPicture(), MakeBlackImage());
        d.accept();
    });
    PixelImage background = kRed;
    RunDesignCommand(nullptr, s, background, prompts, FakeLoader{&loads});
    QCOMPARE(s.bitmap, std::string());
    QVERIFY(prompts.messages.empty());
    QCOMPARE(background, MakeBlackImage());
}

void DesignDialogTest::unloadableBitmapReopensUntilBlack() {
    Settings s;
    FakePrompts prompts;
    prompts.openResults.push_back("/tmp/notes.txt");
    prompts.handlers.push_back([](QDialog& dlg) {
        DesignDialog& d = AsDesign(dlg);
        d.SelectBitmap();
        QCOMPARE(d.BitmapNameLabel()->text(), QStringLiteral("notes.txt"));
        QCOMPARE(d.PreviewPicture(), MakeBlackImage());
        d.accept();
    });
    // After the message the dialog opens again on the settings as stored.
    prompts.handlers.push_back([](QDialog& dlg) {
        DesignDialog& d = AsDesign(dlg);
        QCOMPARE(d.BitmapNameLabel()->text(), QStringLiteral("notes.txt"));
        d.ChooseBlack();
        d.accept();
    });
    PixelImage background;
    RunDesignCommand(nullptr, s, background, prompts, FakeLoader{nullptr});
    QCOMPARE(prompts.MessageTexts(),
             QStringList({QStringLiteral("Cannon read bitmap file /tmp/notes.txt.Please change the file pathname or "
                                         "set backround to BLACK")}));
    QCOMPARE(prompts.openRequests.size(), size_t(1));
    QCOMPARE(prompts.openRequests[0].defaultSuffix, QStringLiteral("bmp"));
    QCOMPARE(prompts.openRequests[0].filters,
             QStringList({QStringLiteral("Bitmap files (*.bmp)"), QStringLiteral("All files (*.*)")}));
    QCOMPARE(s.bitmap, std::string());
    QCOMPARE(background, MakeBlackImage());
}

void DesignDialogTest::selectShowsNameAndPreview() {
    Settings s;
    s.bitmap = "/old/good.bmp";
    FakePrompts prompts;
    prompts.openResults.push_back("/new/very good.bmp");
    prompts.openResults.push_back("/" + QString(120, 'x') + "/good.bmp");
    prompts.openResults.push_back(QString());  // cancelled
    prompts.handlers.push_back([](QDialog& dlg) {
        DesignDialog& d = AsDesign(dlg);
        d.ChooseBlack();
        d.SelectBitmap();
        QCOMPARE(d.BitmapNameLabel()->text(), QStringLiteral("very good.bmp"));
        QCOMPARE(d.PreviewPicture(), kRed);
        d.SelectBitmap();  // too long: refused, nothing changes
        d.SelectBitmap();  // cancelled
        QCOMPARE(d.Data().bitmap, std::string("/new/very good.bmp"));
        d.accept();
    });
    PixelImage background;
    RunDesignCommand(nullptr, s, background, prompts, FakeLoader{nullptr});
    QCOMPARE(prompts.openRequests[0].initialPath, QString());
    QCOMPARE(prompts.openRequests[1].initialPath, QStringLiteral("/new/very good.bmp"));
    QCOMPARE(prompts.messages.size(), size_t(1));
    QCOMPARE(s.bitmap, std::string("/new/very good.bmp"));
    QCOMPARE(background, kRed);
}

void DesignDialogTest::cancelKeepsSettingsButNotDialogData() {
    Settings s;
    s.keys.drop = 9;  // forces a second run
    FakePrompts prompts;
    prompts.handlers.push_back([](QDialog& dlg) {
        DesignDialog& d = AsDesign(dlg);
        d.StrokeButton(3)->click();
        d.ColorBox()->setChecked(false);
        d.IntervalEdit()->setText("2");
        d.reject();
    });
    prompts.handlers.push_back([](QDialog& dlg) {
        DesignDialog& d = AsDesign(dlg);
        // The strokes choice went into the dialog data at once; the check
        // box and the interval had not been read.
        QVERIFY(d.StrokeButton(3)->isChecked());
        QVERIFY(d.ColorBox()->isChecked());
        QCOMPARE(d.IntervalEdit()->text(), QStringLiteral("1"));
        d.KeyFieldAt(DesignDialog::kDrop)->SetCode(32);
        d.accept();
    });
    QVERIFY(RunDesignDialog(nullptr, s, prompts, FakeLoader{nullptr}));
    QCOMPARE(s.dots, std::int16_t(3));
    QCOMPARE(s.color, 1);
    QCOMPARE(s.dotInterval, 1);
    QCOMPARE(s.keys.drop, 32);

    // Cancel alone changes nothing.
    Settings before = s;
    prompts.handlers.push_back([](QDialog& dlg) {
        AsDesign(dlg).StrokeButton(0)->click();
        dlg.reject();
    });
    QVERIFY(!RunDesignDialog(nullptr, s, prompts, FakeLoader{nullptr}));
    QCOMPARE(s.dots, before.dots);
}

QTEST_MAIN(DesignDialogTest)
#include "tst_designdialog.moc"
