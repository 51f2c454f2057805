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

// Answers the next network game dialog with these entries.
static void AnswerJoin(FakePrompts& prompts, const QString& name, const QString& server, int port) {
    prompts.On<JoinDialog>([=](JoinDialog& d) {
        d.NameEdit()->setText(name);
        d.TeamEdit()->setText(name == "Ann" ? "Red" : "Blue");
        if (!d.ServerEdit()->isReadOnly()) d.ServerEdit()->setText(server);
        d.PortEdit()->setText(QString::number(port));
        d.accept();
    });
}

class NetworkGameTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    FakePrompts hostPrompts_, joinPrompts_;
    std::unique_ptr<CMainFrame> host_, joiner_;

    std::unique_ptr<CMainFrame> MakeFrame(FakePrompts& prompts) {
        auto frame = std::make_unique<CMainFrame>(ProgramVersion{1, 0, 0, 5}, prompts);
        frame->settings().animate = 0;  // no end-of-game animation holding the thread
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
        AnswerJoin(hostPrompts_, "Ann", {}, 0);  // port 0: any free port
        host_->Command(kCmdCreateNetwork);
        QVERIFY(host_->game().record().networkGame);
        QCOMPARE(host_->settings().server, std::string("127.0.0.1"));
        QTRY_VERIFY(host_->networkWindow() != nullptr);
        NetworkGameWindow& hostWindow = *host_->networkWindow();

        // A second Ann is refused with the server's own words, and the joiner's network game ends.
        AnswerJoin(joinPrompts_, "Ann", "127.0.0.1", HostPort());
        joiner_->Command(kCmdJoinNetwork);
        QTRY_COMPARE(joinPrompts_.MessageTexts(), QStringList{"Player with the same name already exists"});
        QVERIFY(!joiner_->game().record().networkGame && joiner_->networkWindow() == nullptr);

        AnswerJoin(joinPrompts_, "Bob", "127.0.0.1", HostPort());
        joiner_->Command(kCmdJoinNetwork);
        QTRY_VERIFY(joiner_->networkWindow() != nullptr);
        QTRY_COMPARE(hostWindow.playerList()->topLevelItemCount(), 2);

        // A chat line goes round through the server.
        joiner_->networkWindow()->chatInput()->setText("hello");
        joiner_->networkWindow()->sendButton()->click();
        QTRY_VERIFY(hostWindow.chatLog()->toPlainText().contains("Bob: hello"));

        // The round starts on both with the host's seed. (Both windows live in this one process:
        // the round's start brings each to the front in turn, and the one left behind pauses
        // everyone, so the games may be paused by now.)
        hostWindow.startButton()->click();
        QTRY_VERIFY(!host_->game().record().waitingForStart && !joiner_->game().record().waitingForStart);
        QCOMPARE(joiner_->game().record().networkSeed, host_->game().record().networkSeed);

        // The host's double row rises as a present in the joiner's well.
        const int stackTop = joiner_->game().record().stackTop;
        host_->client().SendLanded(3, 0, 2);
        QTRY_COMPARE(joiner_->game().record().stackTop, stackTop - 1);

        // The joiner leaves mid-round: Ann's team is the last one left, so the round ends.
        joiner_->networkWindow()->closeButton()->click();
        QVERIFY(!joiner_->game().record().networkGame && joiner_->networkWindow() == nullptr);
        QTRY_VERIFY(hostWindow.chatLog()->toPlainText().contains("Red won this round."));
        QTRY_VERIFY(hostWindow.startButton()->isEnabled());
        QVERIFY(host_->game().record().waitingForStart);

        // The host closes: the server stops listening.
        hostWindow.closeButton()->click();
        QVERIFY(!host_->game().record().networkGame && !host_->serverTransport().Listening());
    }

    void joiningNowhereSaysSoAndKeepsTheNetworkFlag() {
        // A port nobody listens on: the listener is opened and closed again.
        AnswerJoin(hostPrompts_, "Ann", {}, 0);
        host_->Command(kCmdCreateNetwork);
        const int port = HostPort();
        host_->Command(kCmdJoinNetwork);  // ends the hosted game first; the dialog is cancelled

        AnswerJoin(joinPrompts_, "Comp7", "127.0.0.1", port);
        joiner_->Command(kCmdJoinNetwork);
        QVERIFY(joiner_->game().record().computerPlays);
        QTRY_COMPARE(joinPrompts_.MessageTexts(), QStringList{"Error connecting to server"});
        QVERIFY(joiner_->game().record().networkGame);
        joiner_->Command(kCmdNewGame);  // New Game waits until the network game is left
        QVERIFY(!joiner_->game().record().running);
    }
};

QTEST_MAIN(NetworkGameTest)
#include "tst_networkgame.moc"
