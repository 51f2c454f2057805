#include <QtTest>
#include <QtWidgets>

#include "FakePrompts.h"
#include "game/Game.h"
#include "net/GameClient.h"
#include "ui/ChatLog.h"
#include "ui/JoinDialog.h"
#include "ui/MessageWindow.h"
#include "ui/NetworkGameWindow.h"
#include "ui/NetworkOptionsDialog.h"

using namespace vexari;

namespace {

struct RecordingConnection : ClientConnection {
    std::string sent;
    void Send(std::string_view bytes) override { sent.append(bytes); }
};

// A window over a real client, connected as host or joiner the way the main
// window does it: made first, then the connection begins, then it shows.
struct NetFixture {
    Settings settings;
    Game game{settings};
    GameClient client{game, settings, {1, 0, 0, 5}};
    RecordingConnection connection;
    FakePrompts prompts;
    MessageWindow messages{nullptr};
    NetworkGameWindow window{nullptr, client, settings, messages, prompts};

    explicit NetFixture(bool host) {
        game.ResetGame();
        client.Begin(connection, &window, host);
        connection.sent.clear();  // the join
        window.show();
        window.activateWindow();
    }
    void ReceivePlayers(int count) {
        Tables t;
        for (int i = 0; i < count; ++i) t.players.push_back({"p" + std::to_string(i), "t", "0", 0, 0});
        QVERIFY(client.Received(EncodeTables(t)));
    }
};

QStringList Row(const QTreeWidget* list, int row) {
    QStringList out;
    for (int c = 0; c < list->columnCount(); ++c) out << list->topLevelItem(row)->text(c);
    return out;
}

}  // namespace

class NetworkWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void joinDialogFieldsFromSettings();
    void joinDialogRefusesBadPort();
    void optionsStoredOnOkOnly();
    void optionsValidationInOrder();
    void optionsLevelScrollBar();
    void windowHostAndJoinerButtons();
    void windowTablesRefill();
    void windowChatSend();
    void windowEscAndClose();
    void windowPlacedBesideTheGame();
    void windowStartAndOptionsGoThroughTheClient();
    void chatLogRule();
    void chatLogWidgetKeepsThePlace();
    void messageWindowEsc();
};

void NetworkWindowsTest::joinDialogFieldsFromSettings() {
    Settings s;
    s.playerName = std::string(25, 'n');
    s.team = "Blue";
    s.server = std::string(120, 's');
    s.port = 7100;
    for (bool host : {true, false}) {
        FakePrompts prompts;
        prompts.On<JoinDialog>([host](JoinDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Network game"));
            QCOMPARE(d.NoteLabel()->text(),
                     QStringLiteral("Attention! If you start \"Your name\" with \"Comp\", then the computer will play "
                                    "for you. Digit right after \"Comp\" will be computer speed."));
            QCOMPARE(d.NameEdit()->text(), QString(19, 'n'));
            QCOMPARE(d.ServerEdit()->isReadOnly(), host);
            QCOMPARE(d.ServerEdit()->text(), host ? QStringLiteral("127.0.0.1") : QString(99, 's'));
            QTest::keyClicks(d.TeamEdit(), QString(30, 'x'));
            d.accept();
        });
        const std::optional<JoinEntries> e = RunJoinDialog(nullptr, host, s, prompts);
        QVERIFY(e);
        QCOMPARE(e->team, QStringLiteral("Blue") + QString(15, 'x'));
        QCOMPARE(e->server, host ? QStringLiteral("127.0.0.1") : QString(99, 's'));
        QCOMPARE(e->port, 7100);
    }
    FakePrompts cancelled;
    QVERIFY(!RunJoinDialog(nullptr, false, s, cancelled));
}

void NetworkWindowsTest::joinDialogRefusesBadPort() {
    const std::pair<QString, bool> cases[] = {{"7x", false}, {"", false}, {" 7001 ", true}};
    for (const auto& [port, accepted] : cases) {
        FakePrompts prompts;
        JoinDialog d({"me", "", "host", 7000}, false, prompts);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        d.PortEdit()->setText(port);
        d.OkButton()->click();
        QCOMPARE(d.result() == QDialog::Accepted, accepted);
        QCOMPARE(prompts.MessageTexts(), accepted ? QStringList() : QStringList{kNotWholeNumberText});
        if (accepted) {
            QCOMPARE(d.Entries().port, 7001);
        } else {
            QVERIFY(d.isVisible());
            QCOMPARE(QApplication::focusWidget(), d.PortEdit());
        }
    }
}

void NetworkWindowsTest::optionsStoredOnOkOnly() {
    // (moves of the level bar from 5, LEVEL stored)
    const std::pair<int, int> levels[] = {{-5, 10}, {4, 1}};
    for (const auto& [moves, levelCode] : levels) {
        for (bool ok : {false, true}) {
            Settings s;  // LEVEL 5: level 5 shown
            FakePrompts prompts;
            prompts.On<NetworkOptionsDialog>([&, moves = moves, ok](NetworkOptionsDialog& d) {
                QCOMPARE(d.HeightEdit()->text(), QStringLiteral("24"));
                QVERIFY(d.PlayerThrowButton(0)->isChecked() && d.TeamThrowButton(0)->isChecked());
                for (int i = 0; i < std::abs(moves); ++i)
                    d.LevelScrollBar()->triggerAction(moves < 0 ? QAbstractSlider::SliderSingleStepSub
                                                                : QAbstractSlider::SliderPageStepAdd);
                d.PlayerThrowButton(4)->setChecked(true);
                d.TeamThrowButton(2)->setChecked(true);
                d.PlayerWinScoresEdit()->setText("3");
                d.TeamWinScoresEdit()->setText("4");
                d.PlayTillEdit()->setText("50");
                d.StartInEdit()->setText("10");
                d.HeightEdit()->setText("24");
                d.TraceBox()->setChecked(false);
                ok ? d.accept() : d.reject();
            });
            QCOMPARE(RunNetworkOptionsDialog(nullptr, s, prompts), ok);
            const Settings d;
            QCOMPARE(s.netLevel, ok ? levelCode : d.netLevel);
            QCOMPARE(s.height, ok ? 25 : d.height);
            QCOMPARE(s.playerToThrow, ok ? 4 : 0);
            QCOMPARE(s.commandToThrow, ok ? 2 : 0);
            QCOMPARE(s.playerExitScores, ok ? 3 : d.playerExitScores);
            QCOMPARE(s.commandExitScores, ok ? 4 : d.commandExitScores);
            QCOMPARE(s.maxScores, ok ? 50 : d.maxScores);
            QCOMPARE(s.secBeforeStart, ok ? 10 : d.secBeforeStart);
            QCOMPARE(s.traceMessages, ok ? 0 : 1);
        }
    }
}

void NetworkWindowsTest::optionsValidationInOrder() {
    using Edit = QLineEdit* (NetworkOptionsDialog::*)() const;
    struct Case {
        std::vector<std::pair<Edit, QString>> texts;
        Edit refused;  // nullptr: accepted
        QString message;
    };
    const QString height = RangeMessage(18, 24);
    const Case cases[] = {
        {{{&NetworkOptionsDialog::HeightEdit, "17"}}, &NetworkOptionsDialog::HeightEdit, height},
        {{{&NetworkOptionsDialog::HeightEdit, "25"}}, &NetworkOptionsDialog::HeightEdit, height},
        {{{&NetworkOptionsDialog::HeightEdit, "18"}}, nullptr, {}},
        {{{&NetworkOptionsDialog::StartInEdit, "11"}}, &NetworkOptionsDialog::StartInEdit, RangeMessage(0, 10)},
        {{{&NetworkOptionsDialog::StartInEdit, "0"}, {&NetworkOptionsDialog::PlayTillEdit, "2147483647"}},
         nullptr,
         {}},
        // The first field in order is refused; a negative count is no count.
        {{{&NetworkOptionsDialog::HeightEdit, "x"}, {&NetworkOptionsDialog::TeamWinScoresEdit, "-1"}},
         &NetworkOptionsDialog::TeamWinScoresEdit,
         kNotCountText},
        {{{&NetworkOptionsDialog::PlayTillEdit, "2.5"}, {&NetworkOptionsDialog::PlayerWinScoresEdit, "1"}},
         &NetworkOptionsDialog::PlayTillEdit,
         kNotWholeNumberText},
    };
    for (const Case& c : cases) {
        FakePrompts prompts;
        NetworkOptionsDialog d(NetOptions{}, prompts);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        d.OkButton()->setFocus();
        for (const auto& [edit, text] : c.texts) (d.*edit)()->setText(text);
        d.accept();
        QCOMPARE(prompts.MessageTexts(), c.refused ? QStringList{c.message} : QStringList());
        QCOMPARE(d.result() == QDialog::Accepted, c.refused == nullptr);
        if (c.refused) {
            QVERIFY(d.isVisible());
            QCOMPARE(QApplication::focusWidget(), (d.*c.refused)());
        }
    }
}

void NetworkWindowsTest::optionsLevelScrollBar() {
    FakePrompts prompts;
    NetOptions v;
    v.levelCode = 3;
    NetworkOptionsDialog d(v, prompts);
    QScrollBar* bar = d.LevelScrollBar();
    QCOMPARE(d.LevelLabel()->text(), QStringLiteral("Starting level: 7"));
    QCOMPARE(bar->value(), 7);
    auto expect = [&](int level) {
        QCOMPARE(d.Level(), level);
        QCOMPARE(bar->value(), level);
        QCOMPARE(d.LevelLabel()->text(), QStringLiteral("Starting level: %1   ").arg(level));
    };
    // Steps and pages move one level and stop at 9 and 0; "to the end" changes nothing.
    for (int i = 0; i < 2; ++i) bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    for (int i = 0; i < 2; ++i) bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    expect(9);
    for (int i = 0; i < 12; ++i) bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    expect(0);
    // A drag sets the level where the thumb is released.
    bar->setSliderDown(true);
    bar->setSliderPosition(6);
    QCOMPARE(d.Level(), 0);
    bar->setSliderDown(false);
    expect(6);
}

void NetworkWindowsTest::windowHostAndJoinerButtons() {
    for (bool host : {true, false}) {
        NetFixture f(host);
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Network Game"));
        QCOMPARE(f.window.startButton()->isEnabled(), host);
        QCOMPARE(f.window.optionsButton()->isEnabled(), host);
        QCOMPARE(QApplication::focusWidget(), f.window.chatInput());
        // The round's end enables "Start game" again on the host only.
        QVERIFY(f.client.Received(EncodeKind(MSG_FILLED)));
        QCOMPARE(f.window.startButton()->isEnabled(), host);
    }
}

void NetworkWindowsTest::windowTablesRefill() {
    NetFixture f(false);
    Tables t;
    t.players = {{"Ann", "Red", "7", 3, 12}, {"Bob", "Blue", "-", 0, -4}};
    t.teams = {{"Red", "1/1", 2, 9}, {"Blue", "-/1", 0, 1}};
    f.window.ShowTables(t);
    QCOMPARE(Row(f.window.playerList(), 1), (QStringList{"Bob", "Blue", "-", "0", "-4"}));
    QCOMPARE(Row(f.window.teamList(), 0), (QStringList{"Red", "1/1", "2", "9"}));
    t.players.erase(t.players.begin());
    t.players[0].name = "Bj\xC3\xB6rn";
    t.teams.clear();
    f.window.ShowTables(t);
    QCOMPARE(f.window.playerList()->topLevelItemCount(), 1);
    QCOMPARE(Row(f.window.playerList(), 0)[0], QStringLiteral("Bj\u00F6rn"));
    QCOMPARE(f.window.teamList()->topLevelItemCount(), 0);
    const QHeaderView* header = f.window.playerList()->header();
    QCOMPARE(header->count(), 5);
    for (int c = 0; c < header->count(); ++c) QCOMPARE(header->sectionSize(c), 50);
}

void NetworkWindowsTest::windowChatSend() {
    NetFixture f(false);
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QTest::keyClick(f.window.chatInput(), Qt::Key_Return);
    QCOMPARE(f.connection.sent, std::string());
    f.window.chatInput()->setText(QStringLiteral("h\u00E9"));
    QTest::keyClick(f.window.chatInput(), Qt::Key_Return);
    QCOMPARE(f.connection.sent, EncodeText("h\xE9"));
    QVERIFY(f.window.chatInput()->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), f.window.chatInput());
}

void NetworkWindowsTest::windowEscAndClose() {
    NetFixture f(true);
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QSignalSpy leave(&f.window, &NetworkGameWindow::leaveRequested);
    QTest::keyClick(f.window.chatInput(), Qt::Key_Escape);
    QVERIFY(f.window.isVisible());
    QCOMPARE(leave.count(), 0);
    f.window.closeButton()->click();
    QCOMPARE(leave.count(), 1);
    f.window.close();  // the close box: the owner destroys the window
    QCOMPARE(leave.count(), 2);
    QVERIFY(f.window.isVisible());
}

void NetworkWindowsTest::windowPlacedBesideTheGame() {
    NetFixture f(false);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize offset = DialogUnits(&f.window, 210, 28);
    f.window.PlaceBeside(screen.topLeft() + QPoint(0, 100));
    QCOMPARE(f.window.pos(), screen.topLeft() + QPoint(offset.width(), 100 - offset.height()));
    // Near the corner of the screen the window stays on it.
    for (const QPoint corner : {screen.topLeft(), screen.bottomRight()}) {
        f.window.PlaceBeside(corner);
        QVERIFY2(screen.contains(f.window.frameGeometry()), qPrintable(QString::number(f.window.y())));
    }
}

void NetworkWindowsTest::windowStartAndOptionsGoThroughTheClient() {
    NetFixture f(true);
    f.ReceivePlayers(1);
    f.window.startButton()->click();
    QCOMPARE(f.prompts.MessageTexts(), QStringList{kCannotPlayAloneText});
    QCOMPARE(f.prompts.messages[0].caption, QStringLiteral("Vexari"));
    QVERIFY(f.window.startButton()->isEnabled());
    QCOMPARE(f.connection.sent, std::string());

    f.ReceivePlayers(2);
    f.window.startButton()->click();
    QCOMPARE(f.connection.sent, EncodeStartRequest(f.settings.netLevel));
    QVERIFY(!f.window.startButton()->isEnabled());

    for (bool ok : {false, true}) {
        f.connection.sent.clear();
        f.prompts.On<NetworkOptionsDialog>([ok](NetworkOptionsDialog& d) {
            d.StartInEdit()->setText("3");
            ok ? d.accept() : d.reject();
        });
        f.window.optionsButton()->click();
        QCOMPARE(f.settings.secBeforeStart, ok ? 3 : 0);
        QCOMPARE(f.connection.sent, ok ? EncodeOptions(OptionsFromSettings(f.settings)) : std::string());
    }
}

void NetworkWindowsTest::chatLogRule() {
    const std::u16string big(31990, u'a');
    const std::u16string twenty(20, u'b');
    struct Case {
        const char* what;
        std::u16string text;
        std::size_t selStart, selEnd;
        std::u16string added;
        ChatLog expected;
    };
    const Case cases[] = {
        {"empty log follows", u"", 0, 0, u"hi\r\n", {u"hi\r\n", 4, 4, true}},
        {"caret at the end follows", u"ab", 2, 2, u"c", {u"abc", 3, 3, true}},
        {"selection ending at the end is kept", u"abcd", 1, 4, u"e", {u"abcde", 1, 4, false}},
        {"just under the limit keeps the last 32000", big, 5, 7, twenty,
         {big.substr(10) + twenty, 0, 0, false}},
        {"a place past the cut moves back", big, 100, 120, twenty, {big.substr(10) + twenty, 90, 110, false}},
        {"following past the cut", big, big.size(), big.size(), twenty, {big.substr(10) + twenty, 32000, 32000, true}},
    };
    for (const Case& c : cases) {
        const ChatLog got = AppendToChatLog(c.text, c.selStart, c.selEnd, c.added);
        QVERIFY2(got.text == c.expected.text, c.what);
        QVERIFY2(got.selStart == c.expected.selStart && got.selEnd == c.expected.selEnd, c.what);
        QVERIFY2(got.followEnd == c.expected.followEnd, c.what);
    }
    // Shown without carriage returns; positions map both ways.
    const std::u16string stored = u"ab\r\ncd\r\n";
    QVERIFY(ShownChatText(stored) == u"ab\ncd\n");
    const std::pair<std::size_t, std::size_t> positions[] = {{0, 0}, {2, 2}, {3, 4}, {5, 6}, {6, 8}};  // shown, stored
    for (const auto& [shown, storedPos] : positions) {
        QCOMPARE(StoredChatPosition(stored, shown), storedPos);
        QCOMPARE(ShownChatPosition(stored, storedPos), shown);
    }
}

void NetworkWindowsTest::chatLogWidgetKeepsThePlace() {
    NetFixture f(false);
    QPlainTextEdit* log = f.window.chatLog();
    f.window.AppendText("Ann: one\r\n");
    f.window.AppendText("Bob: two\r\n");
    QCOMPARE(log->toPlainText(), QStringLiteral("Ann: one\nBob: two\n"));
    QCOMPARE(log->textCursor().position(), log->toPlainText().size());
    // The reader puts the caret on "two"; new lines keep it there.
    QTextCursor c = log->textCursor();
    c.setPosition(14);
    c.setPosition(17, QTextCursor::KeepAnchor);
    log->setTextCursor(c);
    f.window.AppendText("Cid: three\r\n");
    QCOMPARE(log->textCursor().selectedText(), QStringLiteral("two"));
    // A log taken past its limit is cut at the front, the place moved with it.
    f.window.AppendText(std::string(31980, 'x'));
    QVERIFY(log->toPlainText().startsWith(QStringLiteral("b: two\nCid")));
    QCOMPARE(log->toPlainText().size(), 32000 - 2);  // each "\r\n" kept shows as one line break
    QCOMPARE(log->textCursor().selectedText(), QStringLiteral("two"));
    f.window.ShowMessage("Starting in 3\r\nPress ESC to pause.");
    QVERIFY(f.messages.isVisible());
    QCOMPARE(f.messages.Text(), QStringLiteral("Starting in 3\nPress ESC to pause."));
}

void NetworkWindowsTest::messageWindowEsc() {
    const std::pair<QString, int> cases[] = {{"Starting in 5 seconds.\nPress ESC to pause.", 1},
                                             {"Game paused by Ann", 0}};
    for (const auto& [text, pauses] : cases) {
        MessageWindow w(nullptr);
        QSignalSpy pause(&w, &MessageWindow::pauseRequested);
        w.ShowText(text);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QCOMPARE(pause.count(), pauses);
        w.ShowText(text);
        w.findChild<QPushButton*>()->click();  // "&Close" only hides
        QVERIFY(!w.isVisible());
        QCOMPARE(pause.count(), pauses);
    }
}

QTEST_MAIN(NetworkWindowsTest)
#include "tst_networkwindows.moc"
