// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>
#include <string>

#include "net/GameClient.h"
#include "net/RoomView.h"
#include "settings/Settings.h"
#include "ui/DialogCommon.h"

class QLabel;
class QSplitter;

namespace vexari {

class MessageWindow;
class NetworkGameWindow;
class WellGrid;

// The spectator's window: every player's well in a grid, the server's
// notices above it, and beside it the Network Game window's tables and chat
// (its Close button leaves). A window of its own, never a game: no key of it
// reaches a game.
class SpectatorWindow : public QWidget, public ClientDisplay, public RoomObserver {
    Q_OBJECT
public:
    SpectatorWindow(GameClient& client, Settings& settings, const QString& server, Prompts& prompts = DefaultPrompts());
    ~SpectatorWindow() override;

    // The line above the wells ("Connecting to ...", the server's notices).
    void SetNotice(const QString& text);
    QString Notice() const;
    WellGrid* grid() const { return grid_; }
    // A size that shows the wells well on the screen that holds `near`.
    void PlaceOnScreen(const QPoint& near);

    // ClientDisplay (texts UTF-8).
    void ShowTables(const Tables& tables) override;
    void AppendText(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    void SetStartEnabled(bool) override {}
    void CannotPlayAlone() override {}
    void JoinAccepted() override;
    void ChatLineArrived() override;
    // RoomObserver
    void RosterChanged(const std::vector<RoomMember>& members, bool roundRunning) override;
    void WellChanged(std::int32_t number, const WellRows& well) override;

signals:
    // Leave or the close box: the owner ends the watching (and destroys this window).
    void leaveRequested();
    // A chat line came while this window was not the active one.
    void chatArrived();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QSplitter* splitter_ = nullptr;
    QLabel* notice_ = nullptr;
    WellGrid* grid_ = nullptr;
    MessageWindow* messages_ = nullptr;  // what the tables' window needs; the notices show above the wells
    NetworkGameWindow* netWindow_ = nullptr;
    bool noticeUntilPlay_ = false;  // the notice goes once a well changes in a running round
    bool roundRunning_ = false;
};

}  // namespace vexari
