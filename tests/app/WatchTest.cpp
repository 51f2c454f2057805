// SPDX-License-Identifier: GPL-3.0-or-later
// Watching a network game from the window: a spectator joins a round under
// way on a real server over loopback, sees every well, chats and leaves
// without touching the round; servers that cannot be watched send it back
// to the player's game; --watch on the command line.
#include <QtNetwork>
#include <QtTest>
#include <QtWidgets>

#include "MainWindowFixture.h"
#include "ui/MenuActions.h"
#include "app/NetworkSession.h"
#include "app/StartArgs.h"
#include "app/WatchSession.h"
#include "ui/JoinDialog.h"
#include "ui/NetworkGameWindow.h"
#include "ui/SpectatorWindow.h"
#include "ui/WatchDialog.h"
#include "ui/WellGrid.h"
#include "ui/WellTile.h"

using namespace vexari;

namespace {

void AnswerWatch(FakePrompts& prompts, const QString& name, const QString& server) {
    prompts.On<WatchDialog>([=](WatchDialog& d) {
        Child<QLineEdit>(&d, "nameEdit")->setText(name);
        Child<QLineEdit>(&d, "serverEdit")->setText(server);
        Child<QPushButton>(&d, "ok")->click();  // the OK of every OK/Cancel dialog
    });
}

}  // namespace

class WatchTest : public QObject {
    Q_OBJECT

    TestHome home_;
    FakePrompts hostPrompts_, prompts_;
    std::unique_ptr<CMainFrame> host_;     // Ann, who hosts and plays
    std::unique_ptr<CMainFrame> watcher_;  // the spectator's copy

    // Ann hosts; Bob joins from a bare socket and announces the extension.
    void HostWithBob(QTcpSocket& bob) {
        hostPrompts_.On<JoinDialog>([](JoinDialog& d) {
            for (auto [edit, text] : {std::pair{"nameEdit", "Ann"}, {"teamEdit", "Red"}, {"portEdit", "0"}})
                Child<QLineEdit>(&d, edit)->setText(text);
            d.accept();
        });
        host_->RunAction(MenuAction::CreateNetwork);
        QTRY_VERIFY(host_->session().networkWindow() != nullptr);
        bob.connectToHost(QHostAddress::LocalHost, host_->session().serverTransport().Port());
        QVERIFY(bob.waitForConnected(5000));
        bob.write(QByteArray::fromStdString(EncodeJoin("Bob", "Blue", kVersion) + EncodeHello()));
        QTRY_COMPARE(Child<QTreeWidget>(host_->session().networkWindow(), "playerList")->topLevelItemCount(), 2);
    }
    QString Address() { return QStringLiteral("127.0.0.1:%1").arg(host_->session().serverTransport().Port()); }
    QString HostLog() { return Child<QPlainTextEdit>(host_->session().networkWindow(), "chatLog")->toPlainText(); }

private slots:
    void init() {
        home_.Enter();
        if (QString(QTest::currentTestFunction()).startsWith("watchOnTheCommandLine")) return;
        hostPrompts_ = prompts_ = FakePrompts();
        host_ = OpenMainWindow(hostPrompts_);
        watcher_ = OpenMainWindow(prompts_);
        for (CMainFrame* f : {host_.get(), watcher_.get()}) f->settings().animate = 0, f->settings().countdownSeconds = 0;
        QVERIFY(QTest::qWaitForWindowExposed(watcher_.get()));
    }
    void cleanup() {
        watcher_.reset();
        host_.reset();
        TestHome::Clear();
    }

    // Sam comes while Ann and Bob play: the window shows both wells as their games left them,
    // Sam's line reaches the players marked as watching, and Sam's leaving ends nothing.
    void aSpectatorWatchesARoundUnderWayChatsAndLeavesItAlone() {
        QTcpSocket bob;
        HostWithBob(bob);
        host_->session().client().StartGame();
        const GameRecord& ann = host_->game().record();
        QTRY_VERIFY(ann.running);
        QTest::keyClick(View(*host_), Qt::Key_Space);  // Ann's first figure lands
        WellRows bobs{ann.height, {}};
        bobs.SetCell(0, 0, 3), bobs.SetCell(9, 0, 5), bobs.SetCell(4, 1, 1);
        bob.write(QByteArray::fromStdString(EncodeReport(bobs)));

        AnswerWatch(prompts_, "Sam", Address());
        const QList<QAction*> actions = watcher_->menuBar()->findChildren<QAction*>();
        const auto item = std::find_if(actions.begin(), actions.end(),
                                       [](QAction* a) { return a->text() == "&Watch network game..."; });
        QVERIFY(item != actions.end());
        (*item)->trigger();  // from the Network menu
        WatchSession* watch = watcher_->watchSession();
        QVERIFY(watch && watch->window()->isVisible() && !watcher_->isVisible());
        QCOMPARE(watcher_->settings().playerName, "Sam");
        WellGrid* grid = watch->window()->grid();
        QTRY_COMPARE(grid->Tiles().size(), std::size_t(2));
        const WellRows anns = PackWell(ann);
        QVERIFY(anns.RowCount() > 0);
        // Team by team: Bob's Blue before Ann's Red.
        QTRY_VERIFY(grid->Tiles()[0]->Well() == bobs && grid->Tiles()[1]->Well() == anns);
        QCOMPARE(grid->Tiles()[1]->Member().name, "Ann");
        QCOMPARE(watch->window()->Notice(), QString());  // "Connecting..." went with the join
        for (WellTile* tile : grid->Tiles())
            QVERIFY(tile->isVisible() && grid->rect().contains(tile->geometry()) && tile->height() > 150);
        QVERIFY(!grid->Tiles()[0]->geometry().intersects(grid->Tiles()[1]->geometry()));

        NetworkGameWindow* tables = Child<NetworkGameWindow>(watch->window(), "networkWindow");
        Child<QLineEdit>(tables, "chatInput")->setText("hi");
        Child<QPushButton>(tables, "sendButton")->click();
        QTRY_VERIFY(HostLog().contains("Sam (watching): hi"));
        QTRY_COMPARE(Child<QTreeWidget>(tables, "playerList")->topLevelItemCount(), 2);

        tables->closeButton()->click();
        QVERIFY(watcher_->watchSession() == nullptr && watcher_->isVisible());
        QTRY_VERIFY(HostLog().contains("Sam stopped watching."));
        // (Ann's game may be paused: her window lost the focus to Sam's in this one process.)
        QVERIFY(!ann.waitingForStart && host_->session().server().RoundRunning() && !watcher_->game().record().running);
        QCOMPARE(host_->session().server().JoinedCount(), std::size_t(2));
        QVERIFY(prompts_.messages.empty());
    }

    // An address that cannot be read keeps the dialog open; a server that never answers the
    // announcement and a full one send the spectator back, with the reason, to the game it left.
    void aServerThatCannotBeWatchedSaysWhy() {
        AnswerWatch(prompts_, "Sam", "127.0.0.1:0");  // the dialog stays open: Cancel
        watcher_->RunAction(MenuAction::WatchNetwork);
        QCOMPARE(prompts_.MessageTexts(), QStringList{"Please enter the server as HOST or HOST:PORT."});
        QVERIFY(watcher_->watchSession() == nullptr && watcher_->isVisible());
        prompts_.messages.clear();

        QTcpServer old;
        QVERIFY(old.listen(QHostAddress::LocalHost));
        AnswerWatch(prompts_, "Sam", QStringLiteral("127.0.0.1:%1").arg(old.serverPort()));
        watcher_->RunAction(MenuAction::WatchNetwork);
        QTRY_VERIFY(watcher_->watchSession()->client().Connected());
        watcher_->watchSession()->welcomeTimer().start(0);  // the server's time to answer is up
        QTRY_COMPARE(prompts_.MessageTexts(), QStringList{"This server cannot be watched: it does not take spectators."});
        QVERIFY(watcher_->watchSession() == nullptr && watcher_->isVisible());

        QTcpSocket bob;
        HostWithBob(bob);
        host_->session().server().SetMaxSpectators(0);
        AnswerWatch(prompts_, "Sam", Address());
        watcher_->RunAction(MenuAction::WatchNetwork);
        QTRY_COMPARE(prompts_.MessageTexts().size(), 2);
        QCOMPARE(prompts_.MessageTexts().back(), "Too many spectators");
        QVERIFY(watcher_->watchSession() == nullptr && watcher_->isVisible());
    }

    void watchOnTheCommandLine_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("watched");  // "HOST PORT", or "error" when refused
        QTest::newRow("host") << QStringList{"--watch", "example.org"} << "example.org 7000";
        QTest::newRow("port") << QStringList{"--watch=127.0.0.1:7010"} << "127.0.0.1 7010";
        QTest::newRow("v6") << QStringList{"--watch", "[::1]:7011"} << "::1 7011";
        QTest::newRow("v6 alone") << QStringList{"--watch", "::1"} << "::1 7000";
        QTest::newRow("replay") << QStringList{"game.vxr"} << "";
        QTest::newRow("port 0") << QStringList{"--watch", "h:0"} << "error";
        QTest::newRow("no port") << QStringList{"--watch", "h:"} << "error";
        QTest::newRow("no value") << QStringList{"--watch"} << "error";
        QTest::newRow("and replay") << QStringList{"--watch", "h", "game.vxr"} << "error";
        QTest::newRow("two files") << QStringList{"a.vxr", "b.vxr"} << "error";
    }
    void watchOnTheCommandLine() {
        QFETCH(QStringList, args);
        QFETCH(QString, watched);
        std::vector<std::string> list;
        for (const QString& a : args) list.push_back(a.toStdString());
        std::string error;
        const auto start = ParseStartArgs(list, 7000, error);
        QCOMPARE(!start, watched == "error");
        QCOMPARE(error.empty(), bool(start));
        if (!start) return;
        QCOMPARE(start->watch ? QString::fromStdString(start->watch->host + " " + std::to_string(start->watch->port))
                              : QString(),
                 watched);
        QCOMPARE(start->replayFile.empty(), !watched.isEmpty());
    }
};

QTEST_MAIN(WatchTest)
#include "WatchTest.moc"
