#include <QtTest>
#include <QtWidgets>

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
    const bool good = path.ends_with("good.bmp");
    image = good ? kRed : MakeBlackImage();
    return good || path.empty();
}

void Press(DesignDialog& d, DesignDialog::KeyField which, Qt::Key key) {
    d.show();
    d.KeyFieldAt(which)->setFocus();
    QTest::keyClick(d.KeyFieldAt(which), key);
}

QString FieldText(DesignDialog& d, DesignDialog::KeyField which) { return d.KeyFieldAt(which)->text(); }

}  // namespace

class DesignDialogTest : public QObject {
    Q_OBJECT
private slots:
    void keyNamesAndConflicts() {
        QCOMPARE(KeyNames.size(), size_t(227));
        const std::vector<std::pair<int, std::string>> names = {
            {0x0A, "--A"}, {0xC1, "-C1"}, {12, "<5>"}, {0x6E, "Sep\\"}, {0xDE, "'\""}, {0xE1, ""}, {0xE2, "OEM102"}};
        for (const auto& [code, name] : names) QCOMPARE(KeyName(code), name);

        QVERIFY(!KeysConflict(KeyBindings{}));
        for (int key : {37 /* the left key */, 113 /* F2 */, 13, 27}) {
            KeyBindings k;
            k.rotate2 = key;
            QVERIFY2(KeysConflict(k), qPrintable(QString::number(key)));
        }
    }

    void keyCodesAndCapture() {
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
            QCOMPARE(VirtualKeyFromQt(c.key, Qt::KeyboardModifiers(c.mods), c.keysym, c.scan), c.vk);

        // The key field takes the code and name of each key it gets.
        QWidget window;
        auto* field = new KeyCaptureField(&window);
        window.show();
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Clear, Qt::KeypadModifier);
        QCOMPARE(field->Code(), 12);
        QCOMPARE(field->text(), QStringLiteral("<5>"));
        // Keys past the table or without a code, and the dialog's Enter and Esc, leave the field alone.
        for (int key : {int(Qt::Key_Play), int(Qt::Key_unknown), int(Qt::Key_Return), int(Qt::Key_Escape)}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(field, &press);
        }
        QCOMPARE(field->Code(), 12);
    }

    void conflictsReopenUntilFixed() {
        Settings s;
        s.keys.accelerate = 9;  // Tab, from the settings file
        FakePrompts prompts;
        prompts.On<DesignDialog>([](DesignDialog& d) { d.reject(); });  // Cancel does not get past Tab
        prompts.On<DesignDialog>([](DesignDialog& d) {
            QCOMPARE(FieldText(d, DesignDialog::kAccelerate), QStringLiteral("Tab"));
            Press(d, DesignDialog::kAccelerate, Qt::Key_Down);
            Press(d, DesignDialog::kDrop, Qt::Key_Up);  // the rotate key
            Press(d, DesignDialog::kLeft, Qt::Key_F2);
            d.accept();
        });
        prompts.On<DesignDialog>([](DesignDialog& d) {  // entries kept; Cancel keeps what OK stored
            QCOMPARE(FieldText(d, DesignDialog::kDrop), QStringLiteral("Up"));
            QCOMPARE(FieldText(d, DesignDialog::kLeft), QStringLiteral("F2"));
            d.reject();
        });
        prompts.On<DesignDialog>([](DesignDialog& d) {
            Press(d, DesignDialog::kDrop, Qt::Key_Space);
            Press(d, DesignDialog::kLeft, Qt::Key_A);
            d.accept();
        });
        QVERIFY(RunDesignDialog(nullptr, s, prompts, FakeLoader));
        QCOMPARE(prompts.MessageTexts(), QStringList(3, kKeyConflictText));
        QCOMPARE(prompts.messages[0].caption, QStringLiteral("Vexari"));
        QCOMPARE(s.keys.left, int('A'));
        QCOMPARE(s.keys.drop, 32);
        QCOMPARE(s.keys.accelerate, 40);
    }

    // "&Black" with OK and the strokes buttons are taken through the first-run test.
    void bitmapChoice() {
        Settings s;
        FakePrompts prompts;
        const QString good = "/new/very good.bmp";
        prompts.openResults = {"/tmp/notes.txt", "/" + QString(120, 'x') + "/good.bmp", good, good, QString()};
        prompts.On<DesignDialog>([&](DesignDialog& d) {
            d.SelectBitmap();  // not a bitmap: black preview, refused after OK
            QCOMPARE(d.BitmapNameLabel()->text(), QStringLiteral("notes.txt"));
            QCOMPARE(d.PreviewPicture(), MakeBlackImage());
            d.accept();
        });
        prompts.On<DesignDialog>([&](DesignDialog& d) {
            d.SelectBitmap();  // too long for the settings file: refused
            QCOMPARE(d.BitmapNameLabel()->text(), QStringLiteral("notes.txt"));
            d.SelectBitmap();
            QCOMPARE(d.BitmapNameLabel()->text(), QStringLiteral("very good.bmp"));
            d.ChooseBlack();
            QCOMPARE(d.BitmapNameLabel()->text(), QString());
            d.SelectBitmap();
            d.SelectBitmap();  // cancelled
            QCOMPARE(d.PreviewPicture(), kRed);
            d.accept();
        });
        PixelImage background;
        RunDesignCommand(nullptr, s, background, prompts, FakeLoader);
        QCOMPARE(prompts.messages.size(), size_t(2));  // the unreadable file and the long path
        QVERIFY(prompts.messages[0].text.startsWith("Cannon read bitmap file /tmp/notes.txt."));
        QCOMPARE(prompts.openRequests.at(0).filters, QStringList({"Bitmap files (*.bmp)", "All files (*.*)"}));
        QCOMPARE(prompts.openRequests.at(3).initialPath, QString());  // after "&Black"
        QCOMPARE(prompts.openRequests.at(4).initialPath, good);
        QCOMPARE(s.bitmap, good.toStdString());
        QCOMPARE(background, kRed);
    }
};

QTEST_MAIN(DesignDialogTest)
#include "tst_designdialog.moc"
