// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <string>

#include "net/GameClient.h"
#include "settings/Settings.h"
#include "ui/DialogCommon.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace vexari {

class MessageWindow;

// "Network Game": the modeless window beside the game that lists the players
// and teams, holds the chat and the server's texts, and gives the host the
// buttons to start rounds and set the options.
class NetworkGameWindow : public QDialog, public ClientDisplay {
    Q_OBJECT
public:
    NetworkGameWindow(QWidget* owner, GameClient& client, Settings& settings, MessageWindow& messages,
                      Prompts& prompts = DefaultPrompts());

    // Places the window beside the main window's frame `mainFrame`, on the
    // side with room for it (the right one when both or neither have), top
    // edges level, kept on the screen that holds the main window.
    void PlaceBeside(const QRect& mainFrame);

    // ClientDisplay (texts UTF-8).
    void ShowTables(const Tables& tables) override;
    void AppendText(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    void SetStartEnabled(bool enabled) override;
    void CannotPlayAlone() override;
    void ChatLineArrived() override;
    void RoundEnded() override { emit roundEnded(); }

    QPushButton* startButton() const { return start_; }
    QPushButton* optionsButton() const { return options_; }
    QPushButton* closeButton() const { return close_; }

public slots:
    // Esc does nothing in this window.
    void reject() override {}

signals:
    // "Close" or the close box: the main window leaves the network game (and
    // destroys this window).
    void leaveRequested();
    // For the sounds: a second of the countdown before a round; a chat line
    // came while this window was not the active one; the round ended.
    void countdownSecond();
    void chatArrived();
    void roundEnded();
    // The tables as shown (texts UTF-8).
    void tablesShown(const Tables& tables);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void StartGame();
    void EditOptions();
    void SendChat();
    // Start and Options belong to the host only.
    void EnableHostButtons();

    GameClient& client_;
    Settings& settings_;
    MessageWindow& messages_;
    Prompts& prompts_;
    bool opened_ = false;
    std::u16string logText_;  // the log as received, with its "\r\n"
    QPushButton* start_ = nullptr;
    QPushButton* options_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* send_ = nullptr;
    QTreeWidget* players_ = nullptr;
    QTreeWidget* teams_ = nullptr;
    QPlainTextEdit* log_ = nullptr;
    QLineEdit* input_ = nullptr;
};

// The text of the message box when the host starts without opponents.
extern const char* const kCannotPlayAloneText;

}  // namespace vexari
