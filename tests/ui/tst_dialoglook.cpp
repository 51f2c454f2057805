#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QtTest>
#include <functional>

#include "ui/AboutDialog.h"
#include "ui/DialogCommon.h"
#include "ui/PixelImageQt.h"
#include "ui/ProgramIcon.h"

using namespace vexari;

class DialogLookTest : public QObject {
    Q_OBJECT

private slots:
    void messageBoxesAndFileDialogsLookLikeTheGamesDialogs() {
        const AboutDialog gameDialog({1, 0, 0, 5});
        QtPrompts prompts;
        const FileDialogRequest request{QString(), QStringLiteral("dem"), {QStringLiteral("All files (*.*)")}};
        const std::pair<const char*, std::function<void()>> cases[] = {
            {"message", [&] { prompts.Message(nullptr, QStringLiteral("text")); }},
            {"yes/no", [&] { prompts.AskYesNo(nullptr, QStringLiteral("text"), kProgramTitle, PromptIcon::Question, true); }},
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
            QVERIFY2(window == QColor(192, 192, 192), what);
            QVERIFY2(font == gameDialog.font(), what);
        }
    }

    void aboutBoxShowsTheProgramsOwnIcon() {
        const AboutDialog about({1, 0, 0, 5});
        const QPixmap shown = about.IconLabel()->pixmap();
        QCOMPARE(shown.size(), QSize(48, 48));
        QVERIFY(ToPixelImage(shown.toImage()) == DrawProgramIcon(48));
    }
};

QTEST_MAIN(DialogLookTest)
#include "tst_dialoglook.moc"
