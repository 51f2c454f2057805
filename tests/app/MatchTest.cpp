// SPDX-License-Identifier: GPL-3.0-or-later
// A match against the computer from the Game menu: the private server, the
// vexari-bot players beside the test program, a whole round with its
// statistics and replay, and the players' end with the match.
#include <QtTest>
#include <QtWidgets>
#include <csignal>

#include "../game/Fakes.h"
#include "MainWindowFixture.h"
#include "ui/MenuActions.h"
#include "app/ComputerMatch.h"
#include "app/NetworkSession.h"
#include "ui/MatchDialog.h"
#include "ui/NetworkGameWindow.h"
#include "ui/OthersWells.h"

using namespace vexari;

namespace {

// The computers join and play in real time, on a machine that may be busy.
constexpr int kWaitMs = 45000;

// The address the socket listening at `port` is bound to, as the system's table of IPv4 sockets shows it.
QString ListeningAddress(int port) {
    QFile table(QStringLiteral("/proc/net/tcp"));
    const QString end = QStringLiteral(":%1").arg(port, 4, 16, QLatin1Char('0')).toUpper();
    if (table.open(QIODevice::ReadOnly))
        for (const QByteArray& line : table.readAll().split('\n')) {
            const QStringList fields = QString::fromLatin1(line).simplified().split(QLatin1Char(' '));
            if (fields.size() > 3 && fields[3] == QLatin1String("0A") && fields[1].endsWith(end)) return fields[1];
        }
    return {};
}

bool Gone(qint64 pid) { return ::kill(static_cast<pid_t>(pid), 0) != 0; }

}  // namespace

class MatchTest : public QObject {
    Q_OBJECT

    TestHome home_;
    FakePrompts prompts_;
    std::unique_ptr<CMainFrame> frame_;

    // Answers the match dialog with these choices; `teams` names the button: "aloneAgainstAll",
    // "withTeamMate", "eachForHimself".
    void AnswerMatch(int opponents, int speed, const char* teams, bool strong) {
        prompts_.On<MatchDialog>([=](MatchDialog& d) {
            Child<QSpinBox>(&d, "opponentsBox")->setValue(opponents);
            Child<QSpinBox>(&d, "speedBox")->setValue(speed);
            Child<QRadioButton>(&d, teams)->setChecked(true);
            auto* weights = Child<QComboBox>(&d, "weightsBox");
            QVERIFY(weights->isEnabled());  // the build tree holds strong.dem where the installed one does
            weights->setCurrentIndex(strong ? 1 : 0);
            d.accept();
        });
    }
    // The player's name and team; rounds start at once, fast, in the lowest well.
    void PlayAs(const std::string& name) {
        Settings& s = frame_->settings();
        s.playerName = name;
        s.team = "Home";
        NetOptions options = OptionsFromSettings(s);
        std::tie(options.countdownSeconds, options.fallPeriod, options.height) = std::tuple(0, 1, kMinWellHeight);
        StoreOptions(s, options);
        s.animate = 0;
    }

private slots:
    void init() {
        home_.Enter();
        prompts_ = FakePrompts();
        frame_ = OpenMainWindow(prompts_);
        QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
        frame_->activateWindow();  // the reason of an ended match is told at once to a player in the window
        QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
    }
    void cleanup() {
        frame_.reset();
        TestHome::Clear();
    }

    // Three computers join a game that only this machine can reach; the round starts by
    // itself, and once the player's well is full it ends with everyone's statistics and
    // leaves a replay; the match's end ends the computer players.
    void aMatchPlaysARoundToItsStatisticsAndEndsItsPlayers() {
        PlayAs("Ann");
        AnswerMatch(3, 9, "aloneAgainstAll", true);
        const int aloneWidth = frame_->width(), aloneFrame = frame_->frameGeometry().width();
        frame_->RunAction(MenuAction::PlayComputer);
        NetworkSession& session = frame_->session();
        QVERIFY(session.match() != nullptr);
        QCOMPARE(ListeningAddress(session.serverTransport().Port()).left(8), QStringLiteral("0100007F"));  // 127.0.0.1
        QVERIFY(frame_->settings().server.empty());  // the private address is not stored

        QTRY_COMPARE_WITH_TIMEOUT(session.server().JoinedCount(), std::size_t(4), kWaitMs);
        const auto& teams = session.server().Teams();
        QCOMPARE(teams.size(), std::size_t(2));
        QCOMPARE(teams.at("Home")->members.size(), std::size_t(1));
        QCOMPARE(teams.at(ComputerMatch::kComputersTeam)->members.size(), std::size_t(3));
        const std::vector<qint64> pids = session.match()->ProcessIds();
        QCOMPARE(pids.size(), std::size_t(3));

        QTRY_VERIFY_WITH_TIMEOUT(session.server().RoundRunning(), kWaitMs);  // nobody pressed Start
        QPlainTextEdit* log = Child<QPlainTextEdit>(session.networkWindow(), "chatLog");
        GameRecord& r = GameAccess::Record(frame_->game());
        QTRY_VERIFY_WITH_TIMEOUT(r.running, kWaitMs);
        // The computers' wells beside the player's, the window wider for them.
        const OthersWells* wells = Child<OthersWells>(frame_.get(), "othersWells");
        QTRY_COMPARE_WITH_TIMEOUT(wells->Tiles().size(), std::size_t(3), kWaitMs);
        QVERIFY(wells->isVisible() && frame_->width() > aloneWidth);
        QCOMPARE(frame_->settings().right - frame_->settings().left, aloneFrame);  // stored as without them
        // The player drops every figure straight down until the well is full.
        QVERIFY(QTest::qWaitFor(
            [&] {
                if (r.running) QTest::keyClick(View(*frame_), Qt::Key_Space);
                return log->toPlainText().contains("Player statistics:");
            },
            kWaitMs));
        for (const char* name : {"Ann:", "Computer1:", "Computer2:", "Computer3:"})
            QVERIFY2(log->toPlainText().contains(name), name);
        QTRY_VERIFY(!frame_->lastReplay().empty());

        session.networkWindow()->closeButton()->click();
        QVERIFY(session.match() == nullptr && !session.serverTransport().Listening());
        QTRY_VERIFY_WITH_TIMEOUT(std::all_of(pids.begin(), pids.end(), Gone), kWaitMs);
        QVERIFY(!frame_->game().record().networkGame);
        QVERIFY(!wells->isVisible() && frame_->width() == aloneWidth);
    }

    // A computer player that cannot join (its name is the player's) ends the match with the reason.
    void aComputerThatCannotJoinEndsTheMatch() {
        PlayAs("Computer2");
        AnswerMatch(2, 5, "eachForHimself", false);
        frame_->RunAction(MenuAction::PlayComputer);
        QTRY_COMPARE_WITH_TIMEOUT(prompts_.MessageTexts(), QStringList{"A computer player could not join the game."},
                                  kWaitMs);
        QVERIFY(frame_->session().match() == nullptr && !frame_->game().record().networkGame);
    }
};

QTEST_MAIN(MatchTest)
#include "MatchTest.moc"
