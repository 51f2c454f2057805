#include <QCheckBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <sstream>

#include "FakePrompts.h"
#include "ui/DemoParametersDialog.h"

using namespace vexari;

namespace {

DemoParametersDialog& AsDemo(QDialog& d) { return static_cast<DemoParametersDialog&>(d); }

QStringList Shown(const DemoParametersDialog& d) {
    QStringList out;
    for (int i = 0; i < DemoWeights::kCriteria; ++i) out << d.ValueEdit(i)->text();
    return out;
}

std::string Slurp(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

class DemoParametersDialogTest : public QObject {
    Q_OBJECT
private slots:
    void scalingStaysAfterCancel();
    void fractionsTruncatedAndFieldsChecked();
    void saveAndLoadThroughButtons();
    void refusedFieldAndUnopenableFiles();
};

void DemoParametersDialogTest::scalingStaysAfterCancel() {
    FakePrompts prompts;
    DemoWeights w;
    w[0] = 2000;
    bool learn = true;
    prompts.handlers.push_back([](QDialog& dlg) {
        QCOMPARE(Shown(AsDemo(dlg)), QStringList({"500", "1", "0", "1", "0", "0", "0", "0"}));
        QVERIFY(AsDemo(dlg).LearnBox()->isChecked());
        AsDemo(dlg).LearnBox()->setChecked(false);
        dlg.reject();
    });
    QVERIFY(!RunDemoParametersDialog(nullptr, w, learn, prompts));
    QVERIFY(learn);
    QCOMPARE(w[0], 500.0);
    QCOMPARE(w[3], 1.75);

    // 1000 is left alone, 1000.5 is scaled.
    w[0] = 1000;
    RunDemoParametersDialog(nullptr, w, learn, prompts);
    QCOMPARE(w[0], 1000.0);
    w[0] = 1000.5;
    RunDemoParametersDialog(nullptr, w, learn, prompts);
    QCOMPARE(w[0], 500.0);
}

void DemoParametersDialogTest::fractionsTruncatedAndFieldsChecked() {
    FakePrompts prompts;
    DemoWeights w;
    w[0] = 40.8;
    w[1] = -2.5;
    bool learn = false;
    prompts.handlers.push_back([&prompts](QDialog& dlg) {
        auto& d = AsDemo(dlg);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.ValueEdit(0)->text(), QStringLiteral("40"));
        QCOMPARE(d.ValueEdit(1)->text(), QStringLiteral("-2"));
        d.ValueEdit(2)->setText("2000000000");
        d.ValueEdit(4)->setText("1.5");
        d.LearnBox()->setChecked(true);
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(prompts.MessageTexts(), QStringList({kNotWholeNumberText}));
        QCOMPARE(QApplication::focusWidget(), d.ValueEdit(4));
        d.ValueEdit(4)->setText(" -3 ");
        d.accept();
    });
    QVERIFY(RunDemoParametersDialog(nullptr, w, learn, prompts));
    QVERIFY(learn);
    QCOMPARE(w[0], 40.0);
    QCOMPARE(w[1], -2.0);
    QCOMPARE(w[2], 2000000000.0);
    QCOMPARE(w[4], -3.0);
}

void DemoParametersDialogTest::saveAndLoadThroughButtons() {
    QTemporaryDir dir;
    const QString file = dir.filePath("mine.dem");
    const QString shortFile = dir.filePath("short.dem");
    std::ofstream(shortFile.toStdString()) << "9 8\n7 x 6\n";
    FakePrompts prompts;
    prompts.saveResults.push_back(file);
    prompts.openResults = {file, shortFile};

    DemoParametersDialog d({{1, -2, 3, 40, 5, 6, 7, 123456}, true}, prompts);
    d.SaveToFile();
    QCOMPARE(Slurp(file), std::string("1\r\n-2\r\n3\r\n40\r\n5\r\n6\r\n7\r\n123456\r\n"));
    const FileDialogRequest& r = prompts.saveRequests.at(0);
    QCOMPARE(r.initialPath, QStringLiteral("MyParams"));
    QCOMPARE(r.defaultSuffix, QStringLiteral("dem"));
    QCOMPARE(r.filters, QStringList({"Demo parameters files (*.dem)", "All files (*.*)"}));

    d.RestoreDefaults();
    QCOMPARE(Shown(d), QStringList({"41", "5", "0", "7", "1", "1", "1", "1"}));
    d.LearnBox()->setChecked(false);
    d.LoadFromFile();
    QCOMPARE(Shown(d), QStringList({"1", "-2", "3", "40", "5", "6", "7", "123456"}));
    // The check box is not in the file: it shows the dialog data again.
    QVERIFY(d.LearnBox()->isChecked());
    // A short or broken file changes only the numbers before the break.
    d.LoadFromFile();
    QCOMPARE(Shown(d), QStringList({"9", "8", "7", "40", "5", "6", "7", "123456"}));
    QVERIFY(prompts.messages.empty());
}

void DemoParametersDialogTest::refusedFieldAndUnopenableFiles() {
    QTemporaryDir dir;
    const QString file = dir.filePath("partial.dem");
    FakePrompts prompts;
    prompts.saveResults = {file, dir.filePath("missing/dir/x.dem")};
    prompts.openResults = {dir.filePath("absent.dem")};
    DemoParametersDialog d({DefaultDemoValues(), false}, prompts);
    // Save reads up to the refused field and writes what the data then hold.
    d.ValueEdit(0)->setText("12");
    d.ValueEdit(2)->setText("oops");
    d.ValueEdit(5)->setText("99");
    d.SaveToFile();
    QCOMPARE(Slurp(file), std::string("12\r\n5\r\n0\r\n7\r\n1\r\n1\r\n1\r\n1\r\n"));

    d.ValueEdit(2)->setText("0");
    d.SaveToFile();
    d.LoadFromFile();
    QCOMPARE(prompts.MessageTexts(), QStringList({kNotWholeNumberText, kCannotOpenFileText, kCannotOpenFileText}));
    QCOMPARE(prompts.messages[1].caption, QStringLiteral("Vexari"));
    QCOMPARE(d.ValueEdit(5)->text(), QStringLiteral("99"));
}

QTEST_MAIN(DemoParametersDialogTest)
#include "tst_demoparametersdialog.moc"
