#include <QtTest>
#include <QtWidgets>

#include "FakePrompts.h"
#include "settings/HighScoreTable.h"
#include "ui/HighScoreDialog.h"
#include "ui/NameEntryDialog.h"

using namespace vexari;

namespace {

// ShowHighScores for a new score, the name dialog (if asked for) answered by
// name. Returns what the High Score dialog shows: its ten rows
// ("01.Ann        |000500"), then its message line.
QStringList Show(FakePrompts& prompts, const std::string& file, int score, std::string& player,
                 std::function<void(NameEntryDialog&)> name = {}) {
    QStringList shown;
    if (name) prompts.On<NameEntryDialog>(name);
    prompts.On<HighScoreDialog>([&shown](HighScoreDialog& d) {
        for (int k = 0; k < 10; ++k) shown << d.RowLabel(k)->text() + '|' + d.ScoreLabel(k)->text();
        shown << d.MessageLabel()->text();
        d.accept();
    });
    ShowHighScores(nullptr, true, score, player, file, prompts);
    return shown;
}

void Type(NameEntryDialog& d, const QString& keys, int backspaces = 0) {
    d.show();
    d.Edit()->setFocus();
    d.Edit()->end(false);
    for (int i = 0; i < backspaces; ++i) QTest::keyClick(d.Edit(), Qt::Key_Backspace);
    QTest::keyClicks(d.Edit(), keys);
}

}  // namespace

// The table's rules themselves (ranks, ties, cutting, the file) are tested
// with HighScoreTable; here: what the two dialogs show and how the name
// dialog's answer decides the entry.
class HighScoreDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() { file_ = dir_.filePath(QString(QTest::currentTestFunction()) + ".his").toStdString(); }

    void nameDialogDecidesTheEntry() {
        HighScoreTable t;
        t.entries[0] = {"Ann", 500};
        t.entries[1] = {"Bob", 50};
        WriteHighScores(file_, t);
        FakePrompts prompts;
        std::string player = "ABCDEFGHIJKLMNOPQRS";
        // Cancel makes no entry and keeps the name.
        QStringList shown = Show(prompts, file_, 50, player, [](NameEntryDialog& d) {
            QCOMPARE(d.Edit()->text(), QStringLiteral("ABCDEFGHIJKLMNOPQRS"));
            d.Edit()->setText("Other");
            d.reject();
        });
        QCOMPARE(player, std::string("ABCDEFGHIJKLMNOPQRS"));
        QCOMPARE(shown[2], QStringLiteral("03.           |000000"));

        // Shortened it enters below the equal score, cut to 10 characters; typing stops at 18.
        shown = Show(prompts, file_, 50, player, [](NameEntryDialog& d) {
            Type(d, "xyz", 2);
            QTest::keyClick(d.Edit(), Qt::Key_Return);
        });
        QCOMPARE(player, std::string("ABCDEFGHIJKLMNOPQx"));
        QCOMPARE(shown.mid(1, 2), QStringList({"02.Bob        |000050", "03.ABCDEFGHIJ |000050"}));
        QCOMPARE(shown[10], QStringLiteral("ABCDEFGHIJKLMNOPQx: 000050 score,congratulations"));

        // A score that beats no entry asks for no name.
        shown = Show(prompts, file_, 0, player);
        QCOMPARE(prompts.execTitles.size(), size_t(5));
        QCOMPARE(shown[10], QStringLiteral("000000 score"));
    }

    void resetAsksAndEmptiesFile() {
        HighScoreTable t;
        t.entries[0] = {"Ann", 500};
        WriteHighScores(file_, t);
        FakePrompts prompts;
        std::string player;
        prompts.answers = {false, true};
        prompts.On<HighScoreDialog>([&](HighScoreDialog& d) {
            d.ResetScores();  // No
            QCOMPARE(ReadHighScores(file_).entries[0].score, 500);
            d.ResetScores();  // Yes
            QCOMPARE(d.RowLabel(0)->text(), QStringLiteral("01.           "));
            QCOMPARE(d.ScoreLabel(0)->text(), QStringLiteral("000000"));
            d.accept();
        });
        ShowHighScores(nullptr, false, 0, player, file_, prompts);
        QCOMPARE(prompts.questions.size(), size_t(2));
        QCOMPARE(prompts.questions[0].text, QStringLiteral("Do you really want to reset high score table"));
        QVERIFY(prompts.questions[0].defaultNo);
        QCOMPARE(ReadHighScores(file_), HighScoreTable{});

        // Only viewing the table with no file makes one of ten empty entries.
        ShowHighScores(nullptr, false, 0, player, file_ + ".new", prompts);
        QCOMPARE(QFileInfo(QString::fromStdString(file_ + ".new")).size(), qint64(160));

        // A file that cannot be written is told at each save, with its path and the reason.
        const std::string lost = file_ + ".d/x.his";
        prompts.answers = {true};
        prompts.On<HighScoreDialog>([](HighScoreDialog& d) { d.ResetScores(), d.accept(); });
        ShowHighScores(nullptr, false, 0, player, lost, prompts);
        const QString told = QString::fromStdString("Cannot save " + lost + ": No such file or directory");
        QCOMPARE(prompts.MessageTexts(), QStringList({told, told}));
    }

private:
    QTemporaryDir dir_;
    std::string file_;
};

QTEST_MAIN(HighScoreDialogTest)
#include "tst_highscoredialog.moc"
