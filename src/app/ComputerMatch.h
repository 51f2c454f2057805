// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>
#include <QStringList>
#include <vector>

#include "net/GameServer.h"
#include "ui/MatchDialog.h"

class QProcess;

namespace vexari {

// The computer players of a match against the computer, each a vexari-bot
// process joining the game this program hosts on the loopback address. As
// processes they think on other cores than the game's thread, a crash of one
// costs the match one player and not the program, and they make no sound.
// They end with the match: the server's close ends them, and they are sent
// SIGTERM; should this program die first, the closed connection and the
// parent's death signal end them too.
class ComputerMatch : public QObject, public ServerObserver {
    Q_OBJECT
public:
    static constexpr const char* kBotProgram = "vexari-bot";
    static constexpr const char* kStrongWeights = "strong.dem";
    // The computers' team when the player plays against all of them.
    static constexpr const char* kComputersTeam = "Computers";

    // Watches `server` for the joins; the players start with Start().
    ComputerMatch(GameServer& server, const MatchPlan& plan, QObject* parent = nullptr);
    ~ComputerMatch() override;

    // vexari-bot beside this program (the build tree's bin folder, or the
    // installed one); empty when it is not there.
    static QString BotProgram(const QString& programFolder);
    // The command line of computer player `index` (1 to the opponents) for
    // a game on 127.0.0.1 at `port`: its name, team, speed and weights.
    static QStringList BotArguments(const MatchPlan& plan, int index, const QString& playerTeam, int port,
                                    const QString& weightsFile);

    // Starts the computer players once the player's own join is accepted.
    void SetGame(int port, const QString& playerTeam, const QString& weightsFile);
    // Ends the computer players that still run; nothing is reported any more.
    void Stop();
    int Running() const;
    // The computer players' process ids, as started.
    std::vector<qint64> ProcessIds() const;

    // ServerObserver
    void PlayerJoined() override;

signals:
    // Everybody has joined: the first round may start.
    void allJoined();
    // A computer player could not be started or could not join.
    void failed(const QString& reason);

private:
    void StartPlayers();

    GameServer& server_;
    MatchPlan plan_;
    int port_ = 0;
    QString playerTeam_;
    QString weightsFile_;
    std::vector<QProcess*> players_;
    bool started_ = false;
    bool allJoined_ = false;
};

}  // namespace vexari
