#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <sstream>

#include "FakePrompts.h"
#include "settings/HighScoreTable.h"
#include "ui/HighScoreDialog.h"
#include "ui/NameEntryDialog.h"

using namespace vexari;

namespace {

NameEntryDialog& AsName(QDialog& d) { return static_cast<NameEntryDialog&>(d); }

// Records what the High Score dialog shows, then closes it.
struct Capture {
    QStringList rows, scores;
    QString message;
    FakePrompts::Handler Handler() {
        return [this](QDialog& dlg) {
            auto& d = static_cast<HighScoreDialog&>(dlg);
            rows.clear();
            scores.clear();
            for (int k = 0; k < 10; ++k) rows << d.RowLabel(k)->text(), scores << d.ScoreLabel(k)->text();
            message = d.MessageLabel()->text();
            d.accept();
        };
    }
};

}  // namespace

class HighScoreDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() { file_ = dir_.filePath(QString(QTest::currentTestFunction()) + ".his").toStdString(); }
    void tieEntersBelowAndNameIsCut();
    void lowScoreAsksNoName();
    void nineteenCharacterName();
    void cancelledNameMakesNoEntry();
    void resetAsksAndEmptiesFile();
    void nameEditLimitsTyping();

private:
    QTemporaryDir dir_;
    std::string file_;
};

void HighScoreDialogTest::tieEntersBelowAndNameIsCut() {
    HighScoreTable t;
    t.entries[0] = {"Ann", 500};
    t.entries[1] = {"Bob", 400};
    t.entries[2] = {"Cid", 400};
    WriteHighScores(file_, t);
    FakePrompts prompts;
    Capture shown;
    std::string player = "Dan";
    prompts.handlers.push_back([](QDialog& dlg) {
        QCOMPARE(dlg.windowTitle(), QStringLiteral("New High Score"));
        QCOMPARE(AsName(dlg).Prompt()->text(), QStringLiteral("Enter your name:"));
        QCOMPARE(AsName(dlg).Edit()->text(), QStringLiteral("Dan"));
        AsName(dlg).Edit()->setText("Maximilianus");
        dlg.accept();
    });
    prompts.handlers.push_back(shown.Handler());
    ShowHighScores(nullptr, true, 400, player, file_, prompts);
    QCOMPARE(player, std::string("Maximilianus"));
    QCOMPARE(shown.rows.mid(2, 2), QStringList({"03.Cid        ", "04.Maximilian "}));
    QCOMPARE(shown.scores.mid(3, 2), QStringList({"000400", "000000"}));
    QCOMPARE(shown.message, QStringLiteral("Maximilianus: 000400 score,congratulations"));
    QCOMPARE(ReadHighScores(file_).entries[3], (HighScoreEntry{"Maximilian", 400}));
}

void HighScoreDialogTest::lowScoreAsksNoName() {
    FakePrompts prompts;
    Capture shown;
    std::string player = "Dan";
    prompts.handlers.push_back(shown.Handler());
    ShowHighScores(nullptr, true, 0, player, file_, prompts);  // 0 never enters
    QCOMPARE(prompts.execTitles, std::vector<QString>({"High Score"}));
    QCOMPARE(shown.message, QStringLiteral("000000 score"));
}

void HighScoreDialogTest::nineteenCharacterName() {
    const std::string nineteen = "ABCDEFGHIJKLMNOPQRS";
    FakePrompts prompts;
    Capture shown;
    std::string player = nineteen;
    // Offered in full; confirmed unchanged (Enter) it makes no entry.
    prompts.handlers.push_back([&](QDialog& dlg) {
        dlg.show();
        QCOMPARE(AsName(dlg).Edit()->text(), QString::fromStdString(nineteen));
        QTest::keyClick(AsName(dlg).Edit(), Qt::Key_Return);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    });
    prompts.handlers.push_back(shown.Handler());
    ShowHighScores(nullptr, true, 50, player, file_, prompts);
    QCOMPARE(player, nineteen);
    QCOMPARE(shown.rows[0], QStringLiteral("01.           "));
    QCOMPARE(shown.message, QString::fromStdString(nineteen + ": 000050 score,congratulations"));

    // Shortened to 18 it enters.
    prompts.handlers.push_back([&](QDialog& dlg) {
        dlg.show();
        AsName(dlg).Edit()->setFocus();
        AsName(dlg).Edit()->end(false);
        QTest::keyClick(AsName(dlg).Edit(), Qt::Key_Backspace);
        QTest::keyClick(AsName(dlg).Edit(), Qt::Key_Return);
    });
    prompts.handlers.push_back(shown.Handler());
    ShowHighScores(nullptr, true, 50, player, file_, prompts);
    QCOMPARE(player, nineteen.substr(0, 18));
    QCOMPARE(shown.rows[0], QStringLiteral("01.ABCDEFGHIJ "));
}

void HighScoreDialogTest::cancelledNameMakesNoEntry() {
    FakePrompts prompts;
    Capture shown;
    std::string player = "Zed";
    prompts.handlers.push_back([](QDialog& dlg) {
        AsName(dlg).Edit()->setText("Other");
        dlg.reject();
    });
    prompts.handlers.push_back(shown.Handler());
    ShowHighScores(nullptr, true, 99, player, file_, prompts);
    QCOMPARE(player, std::string("Zed"));
    QCOMPARE(shown.rows[0], QStringLiteral("01.           "));
    QCOMPARE(shown.message, QStringLiteral("Zed        : 000099 score,congratulations"));
}

void HighScoreDialogTest::resetAsksAndEmptiesFile() {
    HighScoreTable t;
    t.entries[0] = {"Ann", 500};
    WriteHighScores(file_, t);
    FakePrompts prompts;
    std::string player;
    prompts.answers = {false, true};
    prompts.handlers.push_back([&](QDialog& dlg) {
        auto& d = static_cast<HighScoreDialog&>(dlg);
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
    QCOMPARE(prompts.questions[0].caption, QStringLiteral("Reseting table"));
    QVERIFY(prompts.questions[0].defaultNo);
    std::ifstream in(file_, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    QCOMPARE(bytes.str(), std::string(160, '\0'));
}

void HighScoreDialogTest::nameEditLimitsTyping() {
    NameEntryDialog d("t", "p", "", 18);
    d.show();
    d.Edit()->setFocus();
    QTest::keyClicks(d.Edit(), "abcdefghijklmnopqrstuvwxyz");
    QCOMPARE(d.Edit()->text(), QStringLiteral("abcdefghijklmnopqr"));

    // A longer text may shrink but not grow.
    NameEntryDialog longer("t", "p", "ABCDEFGHIJKLMNOPQRS", 18);
    longer.show();
    longer.Edit()->setFocus();
    longer.Edit()->end(false);
    QTest::keyClick(longer.Edit(), Qt::Key_T);
    QCOMPARE(longer.Edit()->text(), QStringLiteral("ABCDEFGHIJKLMNOPQRS"));
    QTest::keyClick(longer.Edit(), Qt::Key_Backspace);
    QTest::keyClick(longer.Edit(), Qt::Key_Backspace);
    QTest::keyClicks(longer.Edit(), "xyz");
    QCOMPARE(longer.Edit()->text(), QStringLiteral("ABCDEFGHIJKLMNOPQx"));
}

QTEST_MAIN(HighScoreDialogTest)
#include "tst_highscoredialog.moc"
