#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include "FakePrompts.h"
#include "ui/AboutDialog.h"
#include "ui/GameOptionsDialog.h"

using namespace vexari;

class GameOptionsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithThumbAndLabelFromStartPeriod();
    void arrowsAndPagesStopAtTheEnds();
    void dragChangesLabelOnlyWhenReleased();
    void toStartOrEndLeavesLevel();
    void heightValidation_data();
    void heightValidation();
    void skillCommandStoresOnOkOnly();
    void aboutShowsVersion();
};

void GameOptionsDialogTest::opensWithThumbAndLabelFromStartPeriod() {
    FakePrompts prompts;
    GameOptionsDialog d({5, true, false, 20}, prompts);
    QCOMPARE(d.windowTitle(), QStringLiteral("Game options"));
    QCOMPARE(d.LevelScrollBar()->minimum(), 0);
    QCOMPARE(d.LevelScrollBar()->maximum(), 9);
    QCOMPARE(d.LevelScrollBar()->sliderPosition(), 5);
    QCOMPARE(d.LevelLabel()->text(), QStringLiteral("Starting level: 5   "));
    QVERIFY(d.IncreaseLevelBox()->isChecked());
    QVERIFY(!d.PopInLinesBox()->isChecked());
    QCOMPARE(d.HeightEdit()->text(), QStringLiteral("20"));
    QCOMPARE(d.PopInLinesBox()->text(), QStringLiteral("&Pop in lines"));
    QCOMPARE(d.IncreaseLevelBox()->text(), QStringLiteral("&Increase level during the game"));

    GameOptionsDialog slow({10, false, true, 18}, prompts);
    QCOMPARE(slow.LevelScrollBar()->sliderPosition(), 0);
    QCOMPARE(slow.LevelLabel()->text(), QStringLiteral("Starting level: 0   "));
}

void GameOptionsDialogTest::arrowsAndPagesStopAtTheEnds() {
    FakePrompts prompts;
    GameOptionsDialog d({2, true, true, 24}, prompts);
    QScrollBar* bar = d.LevelScrollBar();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(d.StartPeriod(), 1);
    QCOMPARE(d.LevelLabel()->text(), QStringLiteral("Starting level: 9   "));
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(d.StartPeriod(), 1);
    QCOMPARE(bar->sliderPosition(), 9);
    QCOMPARE(bar->value(), 9);

    // A page step moves one level, like an arrow.
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(d.StartPeriod(), 2);
    QCOMPARE(bar->value(), 8);
    for (int i = 0; i < 12; ++i) bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(d.StartPeriod(), 10);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(d.LevelLabel()->text(), QStringLiteral("Starting level: 0   "));
}

void GameOptionsDialogTest::dragChangesLabelOnlyWhenReleased() {
    FakePrompts prompts;
    GameOptionsDialog d({5, true, true, 24}, prompts);
    QScrollBar* bar = d.LevelScrollBar();
    bar->setSliderDown(true);
    bar->setSliderPosition(7);
    bar->setSliderPosition(8);
    QCOMPARE(d.StartPeriod(), 5);
    QCOMPARE(d.LevelLabel()->text(), QStringLiteral("Starting level: 5   "));
    bar->setSliderDown(false);
    QCOMPARE(d.StartPeriod(), 2);
    QCOMPARE(bar->value(), 8);
    QCOMPARE(d.LevelLabel()->text(), QStringLiteral("Starting level: 8   "));
}

void GameOptionsDialogTest::toStartOrEndLeavesLevel() {
    FakePrompts prompts;
    GameOptionsDialog d({5, true, true, 24}, prompts);
    d.LevelScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(d.StartPeriod(), 5);
    QCOMPARE(d.LevelScrollBar()->value(), 5);
    d.LevelScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    QCOMPARE(d.LevelScrollBar()->value(), 5);
}

void GameOptionsDialogTest::heightValidation_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("message");
    const QString range = QStringLiteral("Value must be between 18 and 24");
    QTest::newRow("17") << "17" << false << range;
    QTest::newRow("25") << "25" << false << range;
    QTest::newRow("18") << "18" << true << QString();
    QTest::newRow("24 with blanks") << " 24 " << true << QString();
    QTest::newRow("letters") << "2x" << false << QString(kNotWholeNumberText);
    QTest::newRow("empty") << "" << false << QString(kNotWholeNumberText);
    QTest::newRow("huge") << "99999999999" << false << QString(kNotWholeNumberText);
}

void GameOptionsDialogTest::heightValidation() {
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(QString, message);
    FakePrompts prompts;
    GameOptionsDialog d({5, true, true, 24}, prompts);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    d.OkButton()->setFocus();
    d.HeightEdit()->setText(text);
    d.accept();
    QCOMPARE(d.result() == QDialog::Accepted, accepted);
    QCOMPARE(d.isVisible(), !accepted);
    if (accepted) {
        QVERIFY(prompts.messages.empty());
        QCOMPARE(d.Values().height, text.trimmed().toInt());
    } else {
        QCOMPARE(prompts.messages.size(), size_t(1));
        QCOMPARE(prompts.messages[0].text, message);
        QCOMPARE(prompts.messages[0].caption, QStringLiteral("Vexari"));
        QCOMPARE(QApplication::focusWidget(), d.HeightEdit());
        QCOMPARE(d.Values().height, 24);
    }
}

void GameOptionsDialogTest::skillCommandStoresOnOkOnly() {
    FakePrompts prompts;
    Settings s;
    s.level = 5;
    s.incLevel = 1;
    s.botLines = 0;
    s.height = 25;

    // Cancel after moving the scroll bar: nothing changes.
    prompts.handlers.push_back([](QDialog& dlg) {
        auto& d = static_cast<GameOptionsDialog&>(dlg);
        QCOMPARE(d.HeightEdit()->text(), QStringLiteral("24"));
        d.LevelScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        d.IncreaseLevelBox()->setChecked(false);
        d.reject();
    });
    QVERIFY(!RunGameOptionsDialog(nullptr, s, prompts));
    QCOMPARE(s.level, 5);
    QCOMPARE(s.incLevel, std::int16_t(1));
    QCOMPARE(s.height, 25);

    // OK after a refused height, then a good one.
    prompts.handlers.push_back([](QDialog& dlg) {
        auto& d = static_cast<GameOptionsDialog&>(dlg);
        d.LevelScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        d.IncreaseLevelBox()->setChecked(false);
        d.PopInLinesBox()->setChecked(true);
        d.HeightEdit()->setText("30");
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Rejected));
        d.HeightEdit()->setText("18");
        d.accept();
    });
    QVERIFY(RunGameOptionsDialog(nullptr, s, prompts));
    QCOMPARE(prompts.messages.size(), size_t(1));
    QCOMPARE(s.level, 4);
    QCOMPARE(s.incLevel, std::int16_t(0));
    QCOMPARE(s.botLines, 1);
    QCOMPARE(s.height, 19);
}

void GameOptionsDialogTest::aboutShowsVersion() {
    AboutDialog about({1, 0, 0, 5});
    QCOMPARE(about.windowTitle(), QStringLiteral("About Vexari"));
    QCOMPARE(about.VersionLabel()->text(), QStringLiteral("Vexari version 1.0.0.5"));
    QCOMPARE(VersionText({0, 0, 0, 0}), QStringLiteral("Vexari version 0.0.0.0"));
}

QTEST_MAIN(GameOptionsDialogTest)
#include "tst_gameoptionsdialog.moc"
