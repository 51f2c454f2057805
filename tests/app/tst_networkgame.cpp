// Two main windows in one process, host and joiner, play a network game over
// the loopback address.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "../ui/FakePrompts.h"
#include "app/CMainFrame.h"
#include "app/Commands.h"
#include "ui/JoinDialog.h"
#include "ui/NetworkGameWindow.h"

using namespace vexari;

namespace {

// Answers the next network game dialog with these entries.
void AnswerJoin(FakePrompts& prompts, const QString& name, const QString& team, const QString& server, int port) {
    prompts.On<JoinDialog>([=](JoinDialog& d) {
        d.NameEdit()->setText(name);
        d.TeamEdit()->setText(team);
        if (!d.ServerEdit()->isReadOnly()) d.ServerEdit()->setText(server);
        d.PortEdit()->setText(QString::number(port));
        d.accept();
    });
}

int Rows(QTreeWidget* list) { return list->topLevelItemCount(); }

}  // namespace

class NetworkGameTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    FakePrompts hostPrompts_, joinPrompts_;
    std::unique_ptr<CMainFrame> host_, joiner_;

    std::unique_ptr<CMainFrame> MakeFrame(FakePrompts& prompts) {
        auto frame = std::make_unique<CMainFrame>(ProgramVersion{1, 0, 0, 5}, prompts);
        frame->settings().animate = 0;  // no end-of-game animation holding the thread
        frame->resize(320, 600);
        frame->show();
        return frame;
    }

    int HostPort() { return host_->serverTransport().Port(); }

private slots:
    void init() {
        qputenv("XDG_CONFIG_HOME", (dir_.path() + "/config").toUtf8());
        qputenv("XDG_DATA_HOME", (dir_.path() + "/data").toUtf8());
        host_ = MakeFrame(hostPrompts_);
        joiner_ = MakeFrame(joinPrompts_);
    }
    void cleanup() {
        joiner_.reset();
        host_.reset();
        hostPrompts_ = FakePrompts();
        joinPrompts_ = FakePrompts();
    }

    void hostAndJoinerPlayARound() {
        AnswerJoin(hostPrompts_, "Ann", "Red", {}, 0);  // port 0: any free port
        host_->Command(kCmdCreateNetwork);
        QVERIFY(host_->game().record().networkGame);
        QCOMPARE(host_->settings().server, std::string("127.0.0.1"));
        QTRY_VERIFY(host_->networkWindow() != nullptr);
        NetworkGameWindow& hostWindow = *host_->networkWindow();
        QTRY_COMPARE(Rows(hostWindow.playerList()), 1);

        // A second Ann is refused with the server's own words, and the
        // joiner's network game ends.
        AnswerJoin(joinPrompts_, "Ann", "Blue", "127.0.0.1", HostPort());
        joiner_->Command(kCmdJoinNetwork);
        QTRY_COMPARE(joinPrompts_.MessageTexts(), QStringList{"Player with the same name already exists"});
        QVERIFY(!joiner_->game().record().networkGame);
        QVERIFY(joiner_->networkWindow() == nullptr);

        AnswerJoin(joinPrompts_, "Bob", "Blue", "127.0.0.1", HostPort());
        joiner_->Command(kCmdJoinNetwork);
        QTRY_VERIFY(joiner_->networkWindow() != nullptr);
        NetworkGameWindow& joinWindow = *joiner_->networkWindow();
        QTRY_COMPARE(Rows(hostWindow.playerList()), 2);
        QTRY_COMPARE(Rows(joinWindow.teamList()), 2);

        // Chat reaches both logs through the server.
        joinWindow.chatInput()->setText("hello");
        joinWindow.sendButton()->click();
        QTRY_VERIFY(hostWindow.chatLog()->toPlainText().contains("Bob: hello"));
        QTRY_VERIFY(joinWindow.chatLog()->toPlainText().contains("Bob: hello"));

        // The round starts on both with the host's seed. (Both windows live
        // in this one process: the round's start brings each to the front in
        // turn, and the one left behind pauses everyone, so the games may be
        // paused by now.)
        hostWindow.startButton()->click();
        QVERIFY(!hostWindow.startButton()->isEnabled());
        QTRY_VERIFY(!host_->game().record().waitingForStart);
        QTRY_VERIFY(!joiner_->game().record().waitingForStart);
        QCOMPARE(joiner_->game().record().networkSeed, host_->game().record().networkSeed);

        // The host's double row sends the joiner a present: a row rises.
        const int before = joiner_->game().record().stackTop;
        host_->client().SendLanded(3, 0, 2);
        QTRY_COMPARE(joiner_->game().record().stackTop, before - 1);

        // The joiner leaves mid-round: Ann's team is the last one left, so the
        // round ends and the host may start the next.
        joinWindow.closeButton()->click();
        QVERIFY(!joiner_->game().record().networkGame);
        QVERIFY(joiner_->networkWindow() == nullptr);
        QTRY_COMPARE(Rows(hostWindow.playerList()), 1);
        QTRY_VERIFY(hostWindow.chatLog()->toPlainText().contains("Red won this round."));
        QTRY_VERIFY(hostWindow.startButton()->isEnabled());
        QVERIFY(host_->game().record().waitingForStart);

        // The host closes: the server stops listening.
        hostWindow.closeButton()->click();
        QVERIFY(!host_->game().record().networkGame);
        QVERIFY(!host_->serverTransport().Listening());
    }

    void joiningNowhereSaysSoAndKeepsTheNetworkFlag() {
        // A port nobody listens on: the listener is opened and closed again.
        AnswerJoin(hostPrompts_, "Ann", "", {}, 0);
        host_->Command(kCmdCreateNetwork);
        const int port = HostPort();
        host_->Command(kCmdJoinNetwork);  // ends the hosted game first; the dialog is cancelled

        AnswerJoin(joinPrompts_, "Comp7", "", "127.0.0.1", port);
        joiner_->Command(kCmdJoinNetwork);
        QCOMPARE(joiner_->settings().team, std::string("Comp7"));
        QVERIFY(joiner_->game().record().computerPlays);
        QCOMPARE(joiner_->game().record().computerSpeed, 7);
        QTRY_COMPARE(joinPrompts_.MessageTexts(), QStringList{"Error connecting to server"});
        QVERIFY(joiner_->game().record().networkGame);
        joiner_->Command(kCmdNewGame);  // New Game waits until the network game is left
        QVERIFY(!joiner_->game().record().running);
    }
};

QTEST_MAIN(NetworkGameTest)
#include "tst_networkgame.moc"
