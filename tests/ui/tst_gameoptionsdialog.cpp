#include <QtTest>
#include <QtWidgets>

#include "FakePrompts.h"
#include "ui/AboutDialog.h"
#include "ui/GameOptionsDialog.h"

using namespace vexari;

class GameOptionsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void scrollBar();
    void heightValidation();
    void storesOnOkOnly();
    void aboutShowsVersion() {
        QCOMPARE(AboutDialog({1, 0, 0, 5}).VersionLabel()->text(), QStringLiteral("Vexari version 1.0.0.5"));
    }
};

void GameOptionsDialogTest::scrollBar() {
    FakePrompts prompts;
    GameOptionsDialog d({5, true, false, 20}, prompts);
    QScrollBar* bar = d.LevelScrollBar();
    auto expect = [&](int period, int level) {
        QCOMPARE(d.StartPeriod(), period);
        QCOMPARE(bar->value(), level);
        QCOMPARE(d.LevelLabel()->text(), QStringLiteral("Starting level: %1   ").arg(level));
    };
    expect(5, 5);
    // Arrows and pages move one level and stop at 9 and 0; "to the end" does nothing.
    for (int i = 0; i < 3; ++i) bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    for (int i = 0; i < 3; ++i) bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    expect(1, 9);
    for (int i = 0; i < 12; ++i) bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    expect(10, 0);
    // A drag changes the level and its label only when it ends.
    bar->setSliderDown(true);
    bar->setSliderPosition(8);
    QCOMPARE(d.StartPeriod(), 10);
    QCOMPARE(d.LevelLabel()->text(), QStringLiteral("Starting level: 0   "));
    bar->setSliderDown(false);
    expect(2, 8);
}

void GameOptionsDialogTest::heightValidation() {
    const QString range = QStringLiteral("Value must be between 18 and 24");
    const std::pair<QString, QString> cases[] = {  // height text, refusal (none: accepted)
        {"17", range}, {"25", range}, {"18", {}}, {" 24 ", {}},
        {"2x", kNotWholeNumberText}, {"99999999999", kNotWholeNumberText}};
    for (const auto& [text, message] : cases) {
        FakePrompts prompts;
        GameOptionsDialog d({5, true, true, 24}, prompts);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        d.OkButton()->setFocus();
        d.HeightEdit()->setText(text);
        d.accept();
        QCOMPARE(prompts.MessageTexts(), message.isEmpty() ? QStringList() : QStringList({message}));
        QCOMPARE(d.result() == QDialog::Accepted, message.isEmpty());
        if (message.isEmpty()) {
            QCOMPARE(d.Values().height, text.trimmed().toInt());
        } else {
            QVERIFY(d.isVisible());
            QCOMPARE(prompts.messages[0].caption, QStringLiteral("Vexari"));
            QCOMPARE(QApplication::focusWidget(), d.HeightEdit());
        }
    }
}

void GameOptionsDialogTest::storesOnOkOnly() {
    FakePrompts prompts;
    Settings s;
    s.botLines = 0;
    for (bool ok : {false, true}) {
        prompts.On<GameOptionsDialog>([ok](GameOptionsDialog& d) {
            QCOMPARE(d.HeightEdit()->text(), QStringLiteral("24"));
            d.LevelScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            d.IncreaseLevelBox()->setChecked(false);
            d.PopInLinesBox()->setChecked(true);
            d.HeightEdit()->setText("18");
            ok ? d.accept() : d.reject();
        });
        QCOMPARE(RunGameOptionsDialog(nullptr, s, prompts), ok);
        QCOMPARE(s.level, ok ? 4 : 5);
        QCOMPARE(s.incLevel, std::int16_t(ok ? 0 : 1));
        QCOMPARE(s.botLines, ok ? 1 : 0);
        QCOMPARE(s.height, ok ? 19 : 25);
    }
}

QTEST_MAIN(GameOptionsDialogTest)
#include "tst_gameoptionsdialog.moc"
