// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ComputerMatch.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <csignal>
#include <sys/prctl.h>

namespace vexari {

ComputerMatch::ComputerMatch(GameServer& server, const MatchPlan& plan, QObject* parent)
    : QObject(parent), server_(server), plan_(plan) {}

ComputerMatch::~ComputerMatch() { Stop(); }

QString ComputerMatch::BotProgram(const QString& programFolder) {
    const QFileInfo program(programFolder + QLatin1Char('/') + QLatin1String(kBotProgram));
    return program.isFile() && program.isExecutable() ? program.absoluteFilePath() : QString();
}

QStringList ComputerMatch::BotArguments(const MatchPlan& plan, int index, const QString& playerTeam, int port,
                                        const QString& weightsFile) {
    const QString name = QStringLiteral("Computer%1").arg(index);
    QStringList arguments{QStringLiteral("--server"), QStringLiteral("127.0.0.1"), QStringLiteral("--port"),
                          QString::number(port),      QStringLiteral("--name"),    name,
                          QStringLiteral("--speed"),  QString::number(plan.speed)};
    QString team;  // empty: its own name
    if (plan.teams == MatchTeams::WithTeamMate && index == 1)
        team = playerTeam;
    else if (plan.teams != MatchTeams::EachForHimself)
        team = QLatin1String(kComputersTeam);
    if (!team.isEmpty()) arguments << QStringLiteral("--team") << team;
    if (!weightsFile.isEmpty()) arguments << QStringLiteral("--weights") << weightsFile;
    return arguments;
}

void ComputerMatch::SetGame(int port, const QString& playerTeam, const QString& weightsFile) {
    port_ = port;
    playerTeam_ = playerTeam;
    weightsFile_ = weightsFile;
}

void ComputerMatch::PlayerJoined() {
    const int joined = static_cast<int>(server_.JoinedCount());
    if (!started_ && joined >= 1) StartPlayers();
    if (!allJoined_ && joined >= 1 + plan_.opponents) {
        allJoined_ = true;
        emit allJoined();
    }
}

void ComputerMatch::StartPlayers() {
    started_ = true;
    const QString program = BotProgram(QCoreApplication::applicationDirPath());
    if (program.isEmpty()) {
        emit failed(tr("The computer players cannot start: %1 is not installed beside this program.")
                        .arg(QLatin1String(kBotProgram)));
        return;
    }
    for (int index = 1; index <= plan_.opponents; ++index) {
        auto* process = new QProcess(this);
        process->setProgram(program);
        process->setArguments(BotArguments(plan_, index, playerTeam_, port_, weightsFile_));
        // What a bot prints is the chat this window already shows; its
        // complaints go where this program's own go.
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        connect(process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart) emit failed(tr("The computer players cannot start."));
        });
        connect(process, &QProcess::finished, this, [this](int status, QProcess::ExitStatus how) {
            if (!allJoined_ && (status != 0 || how != QProcess::NormalExit))
                emit failed(tr("A computer player could not join the game."));
        });
        players_.push_back(process);
        process->start();
    }
}

void ComputerMatch::Stop() {
    for (QProcess* process : players_) {
        process->disconnect(this);
        if (process->state() == QProcess::NotRunning) {
            delete process;
            continue;
        }
        // Gone once it has ended; nothing waits for it here. The application
        // keeps it meanwhile, so one still ending at exit is cleaned up too.
        process->setParent(QCoreApplication::instance());
        connect(process, &QProcess::finished, process, &QObject::deleteLater);
        process->terminate();
    }
    players_.clear();
}

int ComputerMatch::Running() const {
    int running = 0;
    for (const QProcess* process : players_) running += process->state() != QProcess::NotRunning ? 1 : 0;
    return running;
}

std::vector<qint64> ComputerMatch::ProcessIds() const {
    std::vector<qint64> ids;
    for (const QProcess* process : players_) ids.push_back(process->processId());
    return ids;
}

}  // namespace vexari
