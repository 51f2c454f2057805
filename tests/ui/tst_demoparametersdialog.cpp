#include <QtTest>
#include <QtWidgets>

#include "FakePrompts.h"
#include "ui/DemoParametersDialog.h"

using namespace vexari;

namespace {

QStringList Shown(const DemoParametersDialog& d) {
    QStringList out;
    for (int i = 0; i < DemoWeights::kCriteria; ++i) out << d.ValueEdit(i)->text();
    return out;
}

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

// How weights are scaled and truncated is tested with the demo values; here:
// that the command, the dialog and its buttons apply it.
class DemoParametersDialogTest : public QObject {
    Q_OBJECT
private slots:
    void commandScalesAndTruncates() {
        FakePrompts prompts;
        DemoWeights w;
        w[0] = 2000;
        bool learn = true;
        prompts.On<DemoParametersDialog>([](DemoParametersDialog& d) {
            QCOMPARE(Shown(d), QStringList({"500", "1", "0", "1", "0", "0", "0", "0"}));
            d.LearnBox()->setChecked(false);
            d.reject();
        });
        QVERIFY(!RunDemoParametersDialog(nullptr, w, learn, prompts));
        QVERIFY(learn);
        QCOMPARE(w[0], 500.0);  // the scaling stays after Cancel

        // Learned fractions are shown and stored truncated; a bad field keeps the dialog open.
        w[0] = 40.8;
        learn = false;
        prompts.On<DemoParametersDialog>([&prompts](DemoParametersDialog& d) {
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            QCOMPARE(Shown(d)[0], QStringLiteral("40"));
            d.ValueEdit(4)->setText("1.5");
            d.LearnBox()->setChecked(true);
            d.accept();
            QCOMPARE(prompts.MessageTexts(), QStringList({kNotWholeNumberText}));
            QCOMPARE(QApplication::focusWidget(), d.ValueEdit(4));
            d.ValueEdit(4)->setText(" -3 ");
            d.accept();
        });
        QVERIFY(RunDemoParametersDialog(nullptr, w, learn, prompts));
        QVERIFY(learn);
        QCOMPARE(std::tuple(w[0], w[4]), std::tuple(40.0, -3.0));
    }

    void fileButtons() {
        QTemporaryDir dir;
        const QString file = dir.filePath("mine.dem"), shortFile = dir.filePath("short.dem");
        QFile out(shortFile);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write("9 8\n7 x 6\n") > 0);
        out.close();
        FakePrompts prompts;
        prompts.saveResults = {file, dir.filePath("missing/dir/x.dem")};
        prompts.openResults = {file, shortFile, dir.filePath("absent.dem")};

        DemoParametersDialog d({{1, -2, 3, 40, 5, 6, 7, 123456}, true}, prompts);
        // Save reads up to a refused field and writes what the data then hold.
        d.ValueEdit(0)->setText("12");
        d.ValueEdit(2)->setText("oops");
        d.ValueEdit(5)->setText("99");
        d.SaveToFile();
        QCOMPARE(Bytes(file), QByteArray("12\r\n-2\r\n3\r\n40\r\n5\r\n6\r\n7\r\n123456\r\n"));
        QCOMPARE(prompts.saveRequests.at(0).initialPath, QStringLiteral("MyParams"));

        // Default and Load show the dialog data again, the check box included (it is not in the file).
        d.LearnBox()->setChecked(false);
        d.RestoreDefaults();
        QCOMPARE(Shown(d), QStringList({"41", "5", "0", "7", "1", "1", "1", "1"}));
        QVERIFY(d.LearnBox()->isChecked());
        d.LearnBox()->setChecked(false);
        d.LoadFromFile();
        QCOMPARE(Shown(d), QStringList({"12", "-2", "3", "40", "5", "6", "7", "123456"}));
        QVERIFY(d.LearnBox()->isChecked());
        // A short or broken file changes only the numbers before the break.
        d.LoadFromFile();
        QCOMPARE(Shown(d), QStringList({"9", "8", "7", "40", "5", "6", "7", "123456"}));

        d.SaveToFile();  // into a missing directory
        d.LoadFromFile();  // a missing file
        const QString notSaved = "Cannot save " + dir.filePath("missing/dir/x.dem") + ": No such file or directory";
        QCOMPARE(prompts.MessageTexts(), QStringList({kNotWholeNumberText, notSaved, kCannotOpenFileText}));
        QCOMPARE(Shown(d)[0], QStringLiteral("9"));
    }
};

QTEST_MAIN(DemoParametersDialogTest)
#include "tst_demoparametersdialog.moc"
