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

HighScoreTable Table(std::initializer_list<std::pair<const char*, int>> entries) {
    HighScoreTable t;
    std::size_t i = 0;
    for (const auto& [name, score] : entries) t.entries[i++] = {name, score};
    return t;
}

// Types into the name dialog and confirms with Enter.
FakePrompts::Handler TypeName(QString expectPrefill, QString finalText) {
    return [=](QDialog& dlg) {
        auto& d = static_cast<NameEntryDialog&>(dlg);
        QCOMPARE(d.windowTitle(), QStringLiteral("New High Score"));
        QCOMPARE(d.Prompt()->text(), QStringLiteral("Enter your name:"));
        QCOMPARE(d.Edit()->text(), expectPrefill);
        d.Edit()->setText(finalText);
        d.accept();
    };
}

// Records what the High Score dialog shows, then closes it.
struct Capture {
    QStringList rows, scores;
    QString message;
    FakePrompts::Handler Handler() {
        return [this](QDialog& dlg) {
            auto& d = static_cast<HighScoreDialog&>(dlg);
            QCOMPARE(d.windowTitle(), QStringLiteral("High Score"));
            for (int k = 0; k < 10; ++k) {
                rows << d.RowLabel(k)->text();
                scores << d.ScoreLabel(k)->text();
            }
            message = d.MessageLabel()->text();
            d.accept();
        };
    }
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

class HighScoreDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() { file_ = dir_.filePath(QString(QTest::currentTestFunction()) + ".his").toStdString(); }
    void tieEntersBelowOlderEntries();
    void higherScoreMovesOthersDown();
    void lowScoreAsksNoName();
    void longNameIsCut();
    void nineteenCharacterName();
    void cancelledNameMakesNoEntry();
    void viewingCreatesEmptyFile();
    void resetAsksAndEmptiesFile();
    void nameEditLimitsTyping();

private:
    QTemporaryDir dir_;
    std::string file_;
};

void HighScoreDialogTest::tieEntersBelowOlderEntries() {
    WriteHighScores(file_, Table({{"Ann", 500}, {"Bob", 400}, {"Cid", 400}}));
    FakePrompts prompts;
    Capture shown;
    std::string player = "Dan";
    prompts.handlers.push_back(TypeName("Dan", "Dora"));
    prompts.handlers.push_back(shown.Handler());
    ShowHighScores(nullptr, true, 400, player, file_, prompts);
    QCOMPARE(player, std::string("Dora"));
    QCOMPARE(shown.rows.mid(0, 4),
             QStringList({"01.Ann        ", "02.Bob        ", "03.Cid        ", "04.Dora       "}));
    QCOMPARE(shown.scores.mid(0, 5), QStringList({"000500", "000400", "000400", "000400", "000000"}));
    QCOMPARE(shown.message, QStringLiteral("Dora       : 000400 score,congratulations"));
    QCOMPARE(ReadHighScores(file_).entries[3], (HighScoreEntry{"Dora", 400}));
}

void HighScoreDialogTest::higherScoreMovesOthersDown() {
    HighScoreTable full;
    for (int k = 0; k < 10; ++k) full.entries[static_cast<std::size_t>(k)] = {"P" + std::to_string(k), 1000 - 100 * k};
    WriteHighScores(file_, full);
    FakePrompts prompts;
    Capture shown;
    std::string player = "Eve";
    prompts.handlers.push_back(TypeName("Eve", "Eve"));
    prompts.handlers.push_back(shown.Handler());
    ShowHighScores(nullptr, true, 801, player, file_, prompts);
    const HighScoreTable t = ReadHighScores(file_);
    QCOMPARE(t.entries[2], (HighScoreEntry{"Eve", 801}));
    QCOMPARE(t.entries[3], (HighScoreEntry{"P2", 800}));
    QCOMPARE(t.entries[9], (HighScoreEntry{"P8", 200}));  // P9 dropped out
}

void HighScoreDialogTest::lowScoreAsksNoName() {
    WriteHighScores(file_, Table({{"Ann", 5000}, {"Bob", 1234}, {"a", 1}, {"b", 1}, {"c", 1}, {"d", 1}, {"e", 1},
                                  {"f", 1}, {"g", 1}, {"h", 1}}));
    FakePrompts prompts;
    Capture shown;
    std::string player = "Dan";
    prompts.handlers.push_back(shown.Handler());
    ShowHighScores(nullptr, true, 1, player, file_, prompts);
    QCOMPARE(prompts.execTitles, std::vector<QString>({"High Score"}));
    QCOMPARE(shown.message, QStringLiteral("000001 score"));

    // Zero never enters, even into an empty table.
    std::filesystem::remove(file_);
    prompts.handlers.push_back(shown.Handler());
    ShowHighScores(nullptr, true, 0, player, file_, prompts);
    QCOMPARE(prompts.execTitles.size(), size_t(2));
    QCOMPARE(shown.message, QStringLiteral("000000 score"));
}

void HighScoreDialogTest::longNameIsCut() {
    FakePrompts prompts;
    Capture shown;
    std::string player;
    prompts.handlers.push_back(TypeName("", "Maximilianus"));
    prompts.handlers.push_back(shown.Handler());
    ShowHighScores(nullptr, true, 1234, player, file_, prompts);
    QCOMPARE(player, std::string("Maximilianus"));
    QCOMPARE(shown.rows[0], QStringLiteral("01.Maximilian "));
    QCOMPARE(shown.scores[0], QStringLiteral("001234"));
    QCOMPARE(shown.message, QStringLiteral("Maximilianus: 001234 score,congratulations"));
}

void HighScoreDialogTest::nineteenCharacterName() {
    const std::string nineteen = "ABCDEFGHIJKLMNOPQRS";
    FakePrompts prompts;
    Capture shown;
    std::string player = nineteen;
    // Offered in full; confirmed unchanged it makes no entry.
    prompts.handlers.push_back([&](QDialog& dlg) {
        auto& d = static_cast<NameEntryDialog&>(dlg);
        d.show();
        QCOMPARE(d.Edit()->text(), QString::fromStdString(nineteen));
        QTest::keyClick(d.Edit(), Qt::Key_Return);
        QCOMPARE(d.result(), int(QDialog::Accepted));
    });
    prompts.handlers.push_back(shown.Handler());
    ShowHighScores(nullptr, true, 50, player, file_, prompts);
    QCOMPARE(player, nineteen);
    QCOMPARE(ReadHighScores(file_).entries[0], HighScoreEntry{});
    QCOMPARE(shown.message, QString::fromStdString(nineteen + ": 000050 score,congratulations"));

    // Shortened to 18 it enters.
    prompts.handlers.push_back([&](QDialog& dlg) {
        auto& d = static_cast<NameEntryDialog&>(dlg);
        d.show();
        d.Edit()->setFocus();
        d.Edit()->end(false);
        QTest::keyClick(d.Edit(), Qt::Key_Backspace);
        QTest::keyClick(d.Edit(), Qt::Key_Return);
    });
    prompts.handlers.push_back(shown.Handler());
    ShowHighScores(nullptr, true, 50, player, file_, prompts);
    QCOMPARE(player, nineteen.substr(0, 18));
    QCOMPARE(ReadHighScores(file_).entries[0], (HighScoreEntry{"ABCDEFGHIJ", 50}));
}

void HighScoreDialogTest::cancelledNameMakesNoEntry() {
    FakePrompts prompts;
    Capture shown;
    std::string player = "Zed";
    prompts.handlers.push_back([](QDialog& dlg) {
        static_cast<NameEntryDialog&>(dlg).Edit()->setText("Other");
        dlg.reject();
    });
    prompts.handlers.push_back(shown.Handler());
    ShowHighScores(nullptr, true, 99, player, file_, prompts);
    QCOMPARE(player, std::string("Zed"));
    QCOMPARE(shown.rows[0], QStringLiteral("01.           "));
    QCOMPARE(shown.message, QStringLiteral("Zed        : 000099 score,congratulations"));
}

void HighScoreDialogTest::viewingCreatesEmptyFile() {
    FakePrompts prompts;
    Capture shown;
    std::string player = "Ann";
    prompts.handlers.push_back(shown.Handler());
    ShowHighScores(nullptr, false, 777, player, file_, prompts);
    QCOMPARE(shown.message, QString());
    QCOMPARE(Slurp(file_), std::string(160, '\0'));
    QCOMPARE(prompts.execTitles.size(), size_t(1));
}

void HighScoreDialogTest::resetAsksAndEmptiesFile() {
    WriteHighScores(file_, Table({{"Ann", 500}, {"Bob", 400}}));
    FakePrompts prompts;
    std::string player;
    prompts.answers = {false, true};
    prompts.handlers.push_back([&](QDialog& dlg) {
        auto& d = static_cast<HighScoreDialog&>(dlg);
        d.ResetScores();  // No
        QCOMPARE(d.RowLabel(0)->text(), QStringLiteral("01.Ann        "));
        QCOMPARE(ReadHighScores(file_).entries[0].score, 500);
        d.ResetScores();  // Yes
        QCOMPARE(d.RowLabel(0)->text(), QStringLiteral("01.           "));
        QCOMPARE(d.ScoreLabel(1)->text(), QStringLiteral("000000"));
        d.accept();
    });
    ShowHighScores(nullptr, false, 0, player, file_, prompts);
    QCOMPARE(prompts.questions.size(), size_t(2));
    QCOMPARE(prompts.questions[0].text, QStringLiteral("Do you really want to reset high score table"));
    QCOMPARE(prompts.questions[0].caption, QStringLiteral("Reseting table"));
    QVERIFY(prompts.questions[0].defaultNo);
    QVERIFY(prompts.questions[0].icon == PromptIcon::Question);
    const std::string bytes = Slurp(file_);
    QCOMPARE(bytes.size(), size_t(160));
    for (int k = 0; k < 10; ++k) {
        QCOMPARE(bytes[static_cast<std::size_t>(16 * k)], '\0');
        QCOMPARE(bytes.substr(static_cast<std::size_t>(16 * k + 12), 4), std::string(4, '\0'));
    }
}

void HighScoreDialogTest::nameEditLimitsTyping() {
    NameEntryDialog d("t", "p", "", 18);
    d.show();
    d.Edit()->setFocus();
    QTest::keyClicks(d.Edit(), "abcdefghijklmnopqrstuvwxyz");
    QCOMPARE(d.Edit()->text(), QStringLiteral("abcdefghijklmnopqr"));

    NameEntryDialog longer("t", "p", "ABCDEFGHIJKLMNOPQRS", 18);
    longer.show();
    longer.Edit()->setFocus();
    longer.Edit()->end(false);
    QTest::keyClick(longer.Edit(), Qt::Key_T);
    QCOMPARE(longer.Edit()->text(), QStringLiteral("ABCDEFGHIJKLMNOPQRS"));
    QTest::keyClick(longer.Edit(), Qt::Key_Backspace);
    QTest::keyClick(longer.Edit(), Qt::Key_Backspace);
    QTest::keyClick(longer.Edit(), Qt::Key_X);
    QTest::keyClick(longer.Edit(), Qt::Key_Y);
    QCOMPARE(longer.Edit()->text(), QStringLiteral("ABCDEFGHIJKLMNOPQx"));

    // AskText on its own: OK with a text that fits replaces the buffer.
    FakePrompts prompts;
    std::string buffer = "old";
    prompts.handlers.push_back([](QDialog& dlg) {
        static_cast<NameEntryDialog&>(dlg).Edit()->setText("new");
        dlg.accept();
    });
    QVERIFY(AskText(nullptr, "Title", "Prompt", buffer, 19, prompts));
    QCOMPARE(buffer, std::string("new"));
}

QTEST_MAIN(HighScoreDialogTest)
#include "tst_highscoredialog.moc"
