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
    void scrollBarSteps();
    void dragChangesLabelOnlyWhenReleased();
    void heightValidation_data();
    void heightValidation();
    void skillCommandStoresOnOkOnly();
    void aboutShowsVersion();
};

void GameOptionsDialogTest::scrollBarSteps() {
    FakePrompts prompts;
    GameOptionsDialog d({5, true, false, 20}, prompts);
    QScrollBar* bar = d.LevelScrollBar();
    QCOMPARE(bar->sliderPosition(), 5);
    QCOMPARE(d.LevelLabel()->text(), QStringLiteral("Starting level: 5   "));

    // Arrows and pages move one level and stop at 9 and 0.
    for (int i = 0; i < 3; ++i) bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    for (int i = 0; i < 3; ++i) bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(d.StartPeriod(), 1);
    QCOMPARE(bar->value(), 9);
    QCOMPARE(d.LevelLabel()->text(), QStringLiteral("Starting level: 9   "));
    for (int i = 0; i < 12; ++i) bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(d.StartPeriod(), 10);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(d.LevelLabel()->text(), QStringLiteral("Starting level: 0   "));
    // To the end: the level stays.
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(d.StartPeriod(), 10);
    QCOMPARE(bar->value(), 0);
}

void GameOptionsDialogTest::dragChangesLabelOnlyWhenReleased() {
    FakePrompts prompts;
    GameOptionsDialog d({5, true, true, 24}, prompts);
    QScrollBar* bar = d.LevelScrollBar();
    bar->setSliderDown(true);
    bar->setSliderPosition(8);
    QCOMPARE(d.StartPeriod(), 5);
    QCOMPARE(d.LevelLabel()->text(), QStringLiteral("Starting level: 5   "));
    bar->setSliderDown(false);
    QCOMPARE(d.StartPeriod(), 2);
    QCOMPARE(bar->value(), 8);
    QCOMPARE(d.LevelLabel()->text(), QStringLiteral("Starting level: 8   "));
}

void GameOptionsDialogTest::heightValidation_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");  // empty: accepted
    const QString range = QStringLiteral("Value must be between 18 and 24");
    QTest::newRow("17") << "17" << range;
    QTest::newRow("25") << "25" << range;
    QTest::newRow("18") << "18" << QString();
    QTest::newRow("24 with blanks") << " 24 " << QString();
    QTest::newRow("letters") << "2x" << QString(kNotWholeNumberText);
    QTest::newRow("huge") << "99999999999" << QString(kNotWholeNumberText);
}

void GameOptionsDialogTest::heightValidation() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    FakePrompts prompts;
    GameOptionsDialog d({5, true, true, 24}, prompts);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    d.OkButton()->setFocus();
    d.HeightEdit()->setText(text);
    d.accept();
    QCOMPARE(d.result() == QDialog::Accepted, message.isEmpty());
    QCOMPARE(prompts.MessageTexts(), message.isEmpty() ? QStringList() : QStringList({message}));
    if (message.isEmpty()) {
        QCOMPARE(d.Values().height, text.trimmed().toInt());
    } else {
        QVERIFY(d.isVisible());
        QCOMPARE(prompts.messages[0].caption, QStringLiteral("Vexari"));
        QCOMPARE(QApplication::focusWidget(), d.HeightEdit());
    }
}

void GameOptionsDialogTest::skillCommandStoresOnOkOnly() {
    FakePrompts prompts;
    Settings s;
    s.botLines = 0;
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

    prompts.handlers.push_back([](QDialog& dlg) {
        auto& d = static_cast<GameOptionsDialog&>(dlg);
        d.LevelScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        d.IncreaseLevelBox()->setChecked(false);
        d.PopInLinesBox()->setChecked(true);
        d.HeightEdit()->setText("18");
        d.accept();
    });
    QVERIFY(RunGameOptionsDialog(nullptr, s, prompts));
    QCOMPARE(s.level, 4);
    QCOMPARE(s.incLevel, std::int16_t(0));
    QCOMPARE(s.botLines, 1);
    QCOMPARE(s.height, 19);
}

void GameOptionsDialogTest::aboutShowsVersion() {
    AboutDialog about({1, 0, 0, 5});
    QCOMPARE(about.VersionLabel()->text(), QStringLiteral("Vexari version 1.0.0.5"));
}

QTEST_MAIN(GameOptionsDialogTest)
#include "tst_gameoptionsdialog.moc"
