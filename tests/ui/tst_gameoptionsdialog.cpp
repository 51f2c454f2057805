#include <QtTest>
#include <QtWidgets>
#include <functional>

#include "FakePrompts.h"
#include "ui/AboutDialog.h"
#include "ui/GameOptionsDialog.h"
#include "ui/PixelImageQt.h"
#include "ui/ProgramIcon.h"

using namespace vexari;

class GameOptionsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void scrollBar() {
        FakePrompts prompts;
        GameOptionsDialog d({5, true, false, 20}, prompts);
        DriveLevelBar(d.LevelScrollBar(), d.LevelLabel(), [&d] { return 10 - d.StartPeriod(); });
    }

    void heightValidation() {
        const QString range = QStringLiteral("Value must be between 18 and 24");
        const std::pair<QString, QString> cases[] = {  // height text, refusal (none: accepted)
            {"17", range}, {"25", range}, {" 24 ", {}}, {"2x", kNotWholeNumberText},
            {"99999999999", kNotWholeNumberText}};
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
                QCOMPARE(QApplication::focusWidget(), d.HeightEdit());
            }
        }
    }

    void storesOnOkOnly() {
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

    void aboutShowsVersionAndIcon() {
        const AboutDialog about({1, 0, 0, 5});
        QCOMPARE(about.VersionLabel()->text(), QStringLiteral("Vexari version 1.0.0.5"));
        QVERIFY(ToPixelImage(about.IconLabel()->pixmap().toImage()) == DrawProgramIcon(48));
    }

    void messageBoxesAndFileDialogsLookLikeTheGamesDialogs() {
        const AboutDialog gameDialog({1, 0, 0, 5});
        QtPrompts prompts;
        const FileDialogRequest request{QString(), QStringLiteral("dem"), {QStringLiteral("All files (*.*)")}};
        const std::pair<const char*, std::function<void()>> cases[] = {
            {"message", [&] { prompts.Message(nullptr, QStringLiteral("text")); }},
            {"yes/no", [&] { prompts.AskYesNo(nullptr, "text", kProgramTitle, PromptIcon::Question, true); }},
            {"open", [&] { prompts.OpenFile(nullptr, request); }},
            {"save", [&] { prompts.SaveFile(nullptr, request); }},
        };
        for (const auto& [what, open] : cases) {
            QColor window;
            QFont font;
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (!dialog) return;
                window = dialog->palette().color(QPalette::Window);
                font = dialog->font();
                dialog->reject();
            });
            open();
            QVERIFY2(window == QColor(192, 192, 192) && font == gameDialog.font(), what);
        }
    }
};

QTEST_MAIN(GameOptionsDialogTest)
#include "tst_gameoptionsdialog.moc"
