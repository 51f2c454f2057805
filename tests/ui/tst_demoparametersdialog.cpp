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

DemoWeights Weights(std::initializer_list<double> w) {
    DemoWeights out;
    std::size_t i = 0;
    for (double v : w) out.w[i++] = v;
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
    void largeWeightsAreScaledEvenOnCancel();
    void scalingThreshold();
    void fractionalWeightsBecomeWholeOnOk();
    void fieldsAcceptAnyWholeNumberOnly();
    void saveAndLoadRoundTrip();
    void shortFileChangesOnlyLeadingValues();
    void unopenableFiles();
    void saveWithRefusedFieldStillWrites();
    void defaultRestoresValuesAndCheckBoxFromData();
};

void DemoParametersDialogTest::largeWeightsAreScaledEvenOnCancel() {
    FakePrompts prompts;
    DemoWeights w = Weights({2000, 5, 0, 7, 1, 1, 1, 1});
    bool learn = true;
    prompts.handlers.push_back([](QDialog& dlg) {
        auto& d = AsDemo(dlg);
        QCOMPARE(d.windowTitle(), QStringLiteral("Demo parameters"));
        QCOMPARE(Shown(d), QStringList({"500", "1", "0", "1", "0", "0", "0", "0"}));
        QVERIFY(d.LearnBox()->isChecked());
        QCOMPARE(d.LearnBox()->text(),
                 QStringLiteral("\"Learn from me\" mode (in this mode computer will try to compute this numbers "
                                "from your play)"));
        d.LearnBox()->setChecked(false);
        d.ValueEdit(0)->setText("7");
        d.reject();
    });
    QVERIFY(!RunDemoParametersDialog(nullptr, w, learn, prompts));
    QVERIFY(learn);
    QCOMPARE(w[0], 500.0);
    QCOMPARE(w[1], 1.25);
    QCOMPARE(w[3], 1.75);
}

void DemoParametersDialogTest::scalingThreshold() {
    FakePrompts prompts;
    bool learn = false;
    DemoWeights exact = Weights({1000, 5, 0, 7, 1, 1, 1, 1});
    RunDemoParametersDialog(nullptr, exact, learn, prompts);
    QCOMPARE(exact[0], 1000.0);
    DemoWeights above = Weights({1000.5, 5, 0, 7, 1, 1, 1, 1});
    RunDemoParametersDialog(nullptr, above, learn, prompts);
    QCOMPARE(above[0], 500.0);
}

void DemoParametersDialogTest::fractionalWeightsBecomeWholeOnOk() {
    FakePrompts prompts;
    DemoWeights w = Weights({40.8, -2.5, 0, 7, 1, 1, 1, 1});
    bool learn = false;
    prompts.handlers.push_back([](QDialog& dlg) {
        auto& d = AsDemo(dlg);
        QCOMPARE(d.ValueEdit(0)->text(), QStringLiteral("40"));
        QCOMPARE(d.ValueEdit(1)->text(), QStringLiteral("-2"));
        d.LearnBox()->setChecked(true);
        d.accept();
    });
    QVERIFY(RunDemoParametersDialog(nullptr, w, learn, prompts));
    QVERIFY(learn);
    QCOMPARE(w[0], 40.0);
    QCOMPARE(w[1], -2.0);
}

void DemoParametersDialogTest::fieldsAcceptAnyWholeNumberOnly() {
    FakePrompts prompts;
    DemoWeights w;
    bool learn = false;
    prompts.handlers.push_back([&prompts](QDialog& dlg) {
        auto& d = AsDemo(dlg);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        d.ValueEdit(0)->setText("-300");
        d.ValueEdit(1)->setText("2000000000");
        d.ValueEdit(4)->setText("1.5");
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(prompts.MessageTexts(), QStringList({kNotWholeNumberText}));
        QCOMPARE(QApplication::focusWidget(), d.ValueEdit(4));
        QCOMPARE(d.ValueEdit(4)->selectedText(), QStringLiteral("1.5"));
        d.ValueEdit(4)->setText(" 3 ");
        d.accept();
    });
    QVERIFY(RunDemoParametersDialog(nullptr, w, learn, prompts));
    QCOMPARE(w[0], -300.0);
    QCOMPARE(w[1], 2000000000.0);
    QCOMPARE(w[4], 3.0);
    QCOMPARE(w[7], 1.0);
}

void DemoParametersDialogTest::saveAndLoadRoundTrip() {
    QTemporaryDir dir;
    const QString file = dir.filePath("mine.dem");
    FakePrompts prompts;
    prompts.saveResults.push_back(file);
    prompts.openResults.push_back(file);

    DemoParametersDialog d({{1, -2, 3, 40, 5, 6, 7, 123456}, true}, prompts);
    d.SaveToFile();
    QCOMPARE(Slurp(file), std::string("1\r\n-2\r\n3\r\n40\r\n5\r\n6\r\n7\r\n123456\r\n"));
    const FileDialogRequest& r = prompts.saveRequests.at(0);
    QCOMPARE(r.initialPath, QStringLiteral("MyParams"));
    QCOMPARE(r.defaultSuffix, QStringLiteral("dem"));
    QCOMPARE(r.filters, QStringList({"Demo parameters files (*.dem)", "All files (*.*)"}));

    for (int i = 0; i < DemoWeights::kCriteria; ++i) d.ValueEdit(i)->setText("9");
    d.LearnBox()->setChecked(false);
    d.LoadFromFile();
    QCOMPARE(prompts.openRequests.at(0).filters, r.filters);
    QCOMPARE(Shown(d), QStringList({"1", "-2", "3", "40", "5", "6", "7", "123456"}));
    // The check box is not part of the file; it shows the dialog data again.
    QVERIFY(d.LearnBox()->isChecked());
    QVERIFY(prompts.messages.empty());
}

void DemoParametersDialogTest::shortFileChangesOnlyLeadingValues() {
    QTemporaryDir dir;
    const QString file = dir.filePath("short.dem");
    std::ofstream(file.toStdString()) << "1 2\n3 x 8\n";
    FakePrompts prompts;
    prompts.openResults.push_back(file);
    DemoWeights w;
    bool learn = false;
    prompts.handlers.push_back([](QDialog& dlg) {
        auto& d = AsDemo(dlg);
        d.LoadFromFile();
        QCOMPARE(Shown(d), QStringList({"1", "2", "3", "7", "1", "1", "1", "1"}));
        d.accept();
    });
    QVERIFY(RunDemoParametersDialog(nullptr, w, learn, prompts));
    QCOMPARE(w[0], 1.0);
    QCOMPARE(w[2], 3.0);
    QCOMPARE(w[3], 7.0);
}

void DemoParametersDialogTest::unopenableFiles() {
    QTemporaryDir dir;
    FakePrompts prompts;
    prompts.saveResults.push_back(dir.filePath("missing/dir/x.dem"));
    prompts.openResults.push_back(dir.filePath("absent.dem"));
    DemoParametersDialog d({DefaultDemoValues(), false}, prompts);
    d.SaveToFile();
    d.LoadFromFile();
    QCOMPARE(prompts.MessageTexts(), QStringList({kCannotOpenFileText, kCannotOpenFileText}));
    QCOMPARE(prompts.messages[0].caption, QStringLiteral("Vexari"));
    QCOMPARE(d.Data().values, DefaultDemoValues());
    // Cancelled file dialogs do nothing.
    d.SaveToFile();
    d.LoadFromFile();
    QCOMPARE(prompts.messages.size(), size_t(2));
}

void DemoParametersDialogTest::saveWithRefusedFieldStillWrites() {
    QTemporaryDir dir;
    const QString file = dir.filePath("partial.dem");
    FakePrompts prompts;
    prompts.saveResults.push_back(file);
    DemoParametersDialog d({DefaultDemoValues(), false}, prompts);
    d.ValueEdit(0)->setText("12");
    d.ValueEdit(2)->setText("oops");
    d.ValueEdit(5)->setText("99");  // after the refused field: not read
    d.SaveToFile();
    QCOMPARE(prompts.MessageTexts(), QStringList({kNotWholeNumberText}));
    QCOMPARE(Slurp(file), std::string("12\r\n5\r\n0\r\n7\r\n1\r\n1\r\n1\r\n1\r\n"));
}

void DemoParametersDialogTest::defaultRestoresValuesAndCheckBoxFromData() {
    QTemporaryDir dir;
    FakePrompts prompts;
    DemoParametersDialog d({{1, 2, 3, 4, 5, 6, 7, 8}, false}, prompts);
    d.LearnBox()->setChecked(true);
    d.ValueEdit(3)->setText("77");
    d.RestoreDefaults();
    QCOMPARE(Shown(d), QStringList({"41", "5", "0", "7", "1", "1", "1", "1"}));
    QVERIFY(!d.LearnBox()->isChecked());

    // Save reads the check box into the data, so Default then keeps it.
    prompts.saveResults.push_back(dir.filePath("d.dem"));
    d.LearnBox()->setChecked(true);
    d.SaveToFile();
    d.RestoreDefaults();
    QVERIFY(d.LearnBox()->isChecked());
}

QTEST_MAIN(DemoParametersDialogTest)
#include "tst_demoparametersdialog.moc"
