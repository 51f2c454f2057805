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
        t.players.resize(static_cast<std::size_t>(count));
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
    void joinDialog() {
        Settings s;
        std::tie(s.playerName, s.team, s.server, s.port) =
            std::tuple(std::string(25, 'n'), "Blue", std::string(120, 's'), 7100);
        for (bool host : {true, false}) {
            FakePrompts prompts;
            prompts.On<JoinDialog>([host](JoinDialog& d) {
                QCOMPARE(d.NameEdit()->text(), QString(19, 'n'));
                QCOMPARE(d.ServerEdit()->isReadOnly(), host);
                QTest::keyClicks(d.TeamEdit(), QString(30, 'x'));
                d.accept();
            });
            const std::optional<JoinEntries> e = RunJoinDialog(nullptr, host, s, prompts);
            QVERIFY(e && e->team == QStringLiteral("Blue") + QString(15, 'x') && e->port == 7100);
            QCOMPARE(e->server, host ? QStringLiteral("127.0.0.1") : QString(99, 's'));
        }
        FakePrompts cancelled;
        QVERIFY(!RunJoinDialog(nullptr, false, s, cancelled));

        // A port that is not a whole number keeps the dialog open on its field.
        FakePrompts prompts;
        JoinDialog d({"me", "", "host", 7000}, false, prompts);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        d.PortEdit()->setText("7x");
        d.OkButton()->click();
        QCOMPARE(prompts.MessageTexts(), QStringList{kNotWholeNumberText});
        QVERIFY(d.isVisible());
        QCOMPARE(QApplication::focusWidget(), d.PortEdit());
        d.PortEdit()->setText(" 7001 ");
        d.OkButton()->click();
        QVERIFY(!d.isVisible() && d.Entries().port == 7001);
    }

    void optionsValidationInOrder() {
        using D = NetworkOptionsDialog;
        using Edit = QLineEdit* (D::*)() const;
        struct Case {
            std::vector<std::pair<Edit, QString>> texts;
            Edit refused;  // nullptr: accepted
            QString message;
        } cases[] = {
            {{{&D::HeightEdit, "17"}}, &D::HeightEdit, RangeMessage(18, 24)},
            {{{&D::StartInEdit, "0"}, {&D::PlayTillEdit, "2147483647"}}, nullptr, {}},
            // The first field in order is refused; a negative count is no count.
            {{{&D::HeightEdit, "x"}, {&D::TeamWinScoresEdit, "-1"}}, &D::TeamWinScoresEdit, kNotCountText},
            {{{&D::PlayTillEdit, "2.5"}, {&D::PlayerWinScoresEdit, "1"}}, &D::PlayTillEdit, kNotWholeNumberText},
        };
        for (const Case& c : cases) {
            FakePrompts prompts;
            D d(NetOptions{}, prompts);
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            d.OkButton()->setFocus();
            for (const auto& [edit, text] : c.texts) (d.*edit)()->setText(text);
            d.accept();
            QCOMPARE(prompts.MessageTexts(), c.refused ? QStringList{c.message} : QStringList());
            QCOMPARE(d.result() == QDialog::Accepted, c.refused == nullptr);
            if (c.refused) QCOMPARE(QApplication::focusWidget(), (d.*c.refused)());
        }
    }

    void optionsLevelScrollBar() {
        FakePrompts prompts;
        NetworkOptionsDialog d(NetOptions{.levelCode = 3}, prompts);
        QCOMPARE(d.LevelScrollBar()->value(), 7);
        DriveLevelBar(d.LevelScrollBar(), d.LevelLabel(), [&d] { return d.Level(); });
    }

    void windowButtonsChatAndClose() {
        for (bool host : {true, false}) {
            NetFixture f(host);
            QVERIFY(QTest::qWaitForWindowActive(&f.window));
            QCOMPARE(f.window.windowTitle(), QStringLiteral("Network Game"));
            QCOMPARE(f.window.startButton()->isEnabled(), host);
            QCOMPARE(f.window.optionsButton()->isEnabled(), host);
            // The round's end enables "Start game" again on the host only.
            QVERIFY(f.client.Received(EncodeKind(MSG_FILLED)));
            QCOMPARE(f.window.startButton()->isEnabled(), host);

            // Enter sends the chat line, an empty one nothing; the input keeps the keys.
            QCOMPARE(QApplication::focusWidget(), f.window.chatInput());
            QTest::keyClick(f.window.chatInput(), Qt::Key_Return);
            f.window.chatInput()->setText(QStringLiteral("h\u00E9"));
            QTest::keyClick(f.window.chatInput(), Qt::Key_Return);
            QCOMPARE(f.connection.sent, EncodeText("h\xE9"));
            QVERIFY(f.window.chatInput()->text().isEmpty() && QApplication::focusWidget() == f.window.chatInput());

            // Esc does not close it; Close and the close box ask the owner to leave.
            QSignalSpy leave(&f.window, &NetworkGameWindow::leaveRequested);
            QTest::keyClick(f.window.chatInput(), Qt::Key_Escape);
            QCOMPARE(leave.count(), 0);
            f.window.closeButton()->click();
            f.window.close();
            QVERIFY(leave.count() == 2 && f.window.isVisible());
        }
    }

    void windowTables() {
        NetFixture f(false);
        f.window.ShowTables(
            {{{"Ann", "Red", "7", 3, 12}, {"Bob", "Blue", "-", 0, -4}}, {{"Red", "1/1", 2, 9}, {"Blue", "-/1", 0, 1}}});
        QCOMPARE(Row(f.window.playerList(), 1), (QStringList{"Bob", "Blue", "-", "0", "-4"}));
        QCOMPARE(Row(f.window.teamList(), 0), (QStringList{"Red", "1/1", "2", "9"}));
        f.window.ShowTables({{{"Bj\xC3\xB6rn", "Blue", "-", 0, 0}}, {}});  // replaces the rows
        QVERIFY(f.window.playerList()->topLevelItemCount() == 1 && f.window.teamList()->topLevelItemCount() == 0);
        QCOMPARE(Row(f.window.playerList(), 0)[0], QStringLiteral("Bj\u00F6rn"));
    }

    void windowStartAndOptionsGoThroughTheClient() {
        NetFixture f(true);
        f.ReceivePlayers(1);
        f.window.startButton()->click();
        QCOMPARE(f.prompts.MessageTexts(), QStringList{kCannotPlayAloneText});
        QCOMPARE(f.connection.sent, std::string());

        f.ReceivePlayers(2);
        f.settings.netLevel = 6;
        f.window.startButton()->click();
        QCOMPARE(f.connection.sent, EncodeStartRequest(6));
        QVERIFY(!f.window.startButton()->isEnabled());

        // The options are stored and sent on OK only.
        f.settings.netLevel = 3;  // level 7; the height 25 shows as 24
        const NetOptions before = OptionsFromSettings(f.settings);
        for (bool ok : {false, true}) {
            f.connection.sent.clear();
            f.prompts.On<NetworkOptionsDialog>([ok](NetworkOptionsDialog& d) {
                QCOMPARE(d.HeightEdit()->text(), QStringLiteral("24"));
                QVERIFY(d.PlayerThrowButton(0)->isChecked() && d.TeamThrowButton(0)->isChecked());
                d.LevelScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);  // level 8
                d.PlayerThrowButton(4)->setChecked(true);
                d.TeamThrowButton(2)->setChecked(true);
                d.PlayerWinScoresEdit()->setText("3");
                d.TeamWinScoresEdit()->setText("4");
                d.PlayTillEdit()->setText("50");
                d.StartInEdit()->setText("10");
                d.TraceBox()->setChecked(false);
                ok ? d.accept() : d.reject();
            });
            f.window.optionsButton()->click();
            QVERIFY(OptionsFromSettings(f.settings) == (ok ? NetOptions{50, 4, 3, 2, 4, 2, 10, 25, 0} : before));
            QCOMPARE(f.connection.sent, ok ? EncodeOptions(OptionsFromSettings(f.settings)) : std::string());
        }
    }

    // What the widget test below does not show: a selection ending at the end
    // is kept, a place cut off goes to the start, a caret at the end follows past the cut.
    void chatLogRule() {
        const std::u16string big(31990, u'a'), twenty(20, u'b'), cut = big.substr(10) + twenty;
        const std::tuple<std::u16string, std::size_t, std::size_t, std::u16string, ChatLog> cases[] = {
            {u"abcd", 1, 4, u"e", {u"abcde", 1, 4, false}},
            {big, 5, 7, twenty, {cut, 0, 0, false}},
            {big, big.size(), big.size(), twenty, {cut, 32000, 32000, true}},
        };
        for (const auto& [text, selStart, selEnd, added, expected] : cases) {
            const ChatLog got = AppendToChatLog(text, selStart, selEnd, added);
            QVERIFY(std::tie(got.text, got.selStart, got.selEnd, got.followEnd) ==
                    std::tie(expected.text, expected.selStart, expected.selEnd, expected.followEnd));
        }
    }

    void chatLogWidgetKeepsThePlace() {
        NetFixture f(false);
        QPlainTextEdit* log = f.window.chatLog();
        f.window.AppendText("Ann: one\r\n");
        f.window.AppendText("Bob: two\r\n");
        QCOMPARE(log->toPlainText(), QStringLiteral("Ann: one\nBob: two\n"));
        QCOMPARE(log->textCursor().position(), log->toPlainText().size());  // it follows the end
        // The reader selects "two"; new lines keep it, also when the front is cut.
        QTextCursor c = log->textCursor();
        c.setPosition(14);
        c.setPosition(17, QTextCursor::KeepAnchor);
        log->setTextCursor(c);
        f.window.AppendText("Cid: three\r\n");
        QCOMPARE(log->textCursor().selectedText(), QStringLiteral("two"));
        f.window.AppendText(std::string(31980, 'x'));
        QVERIFY(log->toPlainText().startsWith(QStringLiteral("b: two\nCid")));
        QCOMPARE(log->toPlainText().size(), 32000 - 2);  // each "\r\n" kept shows as one line break
        QCOMPARE(log->textCursor().selectedText(), QStringLiteral("two"));
        f.window.ShowMessage("Starting in 3\r\nPress ESC to pause.");
        QVERIFY(f.messages.isVisible());
        QCOMPARE(f.messages.Text(), QStringLiteral("Starting in 3\nPress ESC to pause."));
    }

    void messageWindowEsc() {
        // Esc hides it, and asks for a pause during a countdown; "&Close" only hides.
        for (const auto& [text, pauses] : {std::pair{"Starting in 5 seconds.\nPress ESC to pause.", 1}, {"Pause", 0}}) {
            MessageWindow w(nullptr);
            QSignalSpy pause(&w, &MessageWindow::pauseRequested);
            for (bool esc : {true, false}) {
                w.ShowText(QString::fromLatin1(text));
                QVERIFY(QTest::qWaitForWindowExposed(&w));
                esc ? QTest::keyClick(&w, Qt::Key_Escape) : w.findChild<QPushButton*>()->click();
                QVERIFY(!w.isVisible());
            }
            QCOMPARE(pause.count(), pauses);
        }
    }
};

QTEST_MAIN(NetworkWindowsTest)
#include "tst_networkwindows.moc"
