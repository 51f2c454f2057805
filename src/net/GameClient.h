// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/Game.h"
#include "game/GameHooks.h"
#include "net/RoomView.h"
#include "net/Wire.h"
#include "net/WireExtension.h"
#include "settings/Settings.h"

namespace vexari {

// The client's socket.
class ClientConnection {
public:
    virtual ~ClientConnection() = default;
    virtual void Send(std::string_view bytes) = 0;  // queues; never blocks
};

// The network game window and the message window, as the client feeds them.
// Texts are UTF-8.
class ClientDisplay {
public:
    virtual ~ClientDisplay() = default;
    virtual void ShowTables(const Tables& tables) = 0;
    virtual void AppendText(const std::string& text) = 0;   // the chat log
    virtual void ShowMessage(const std::string& text) = 0;  // the Message window
    virtual void SetStartEnabled(bool enabled) = 0;         // the "Start game" button
    virtual void CannotPlayAlone() = 0;                     // "You cannot play with yourself!"
    // The server took the join.
    virtual void JoinAccepted() {}
    // A present arrived (before it rises).
    virtual void PresentArrived(int rows) { (void)rows; }
    // A player's chat line arrived (after AppendText); the round ended.
    virtual void ChatLineArrived() {}
    virtual void RoundEnded() {}
};

// Ties the local game to a network game: reports landings, pauses, resumes
// and the end of the well to the server and carries out the server's orders
// on the game, in the order received. While the computer player is pressing
// its keys (its hooks report Busy) or the end-of-game animation runs,
// messages are held; ProcessPending() acts on them once that is over.
//
// The extension (WireExtension.h): right behind its join the client
// announces it; once the server answers, the client reports its well
// whenever it changes and gets the wells it asks for (Room()). A server that
// never answers gets nothing more than before.
class GameClient final : public NetworkLink, public GameEvents {
public:
    static constexpr const char* kServerClosed = "Server closed connection";
    // How long a spectator waits for the server to answer its announcement
    // before it gives up: a server without the extension never does.
    static constexpr int kWelcomeTimeoutMs = 5000;

    GameClient(Game& game, Settings& settings, const VersionQuad& version);

    // A connection is open: sends the join (and the host's options).
    void Begin(ClientConnection& connection, ClientDisplay* display, bool isHost);
    // A connection is open to watch: announces the extension and, once the
    // server answers, joins as a spectator with this name (UTF-8). The local
    // game is left alone.
    void BeginWatching(ClientConnection& connection, ClientDisplay* display, const std::string& name);
    // The connection is gone; nothing more is sent or shown.
    void End();
    // Off: the client never announces the extension and speaks the base
    // protocol alone, as a client from before it did.
    void SetAnnounce(bool announce) { announce_ = announce; }
    // The server's extension version once it answered the announcement, else 0.
    std::int32_t ExtensionVersion() const { return serverVersion_; }
    bool Watching() const { return watching_; }
    // The wells this client wants (none until asked; a spectator gets all).
    // Sent at once when the server has answered, else when it does.
    void SetSubscription(const Subscription& subscription);
    // The room as the extension shows it: roster and wells.
    RoomView& Room() { return room_; }
    const RoomView& Room() const { return room_; }
    bool Connected() const { return connection_ != nullptr; }
    bool IsHost() const { return isHost_; }
    // "Server closed connection", or the text of the refusal that came before.
    const std::string& DisconnectText() const { return disconnectText_; }

    // The connection closed (or broke): the messages the server sent before
    // it are acted on first, a refusal among them, once the caller has ended
    // the game's pending work. `serverClosed`: the server closed a
    // connection whose join it had accepted, without a refusal.
    struct Ending {
        std::string text;
        bool serverClosed = false;
    };
    Ending Closed();

    // Bytes from the server. Returns false when the stream is broken and the
    // connection must be closed (then handled as closed by the server).
    bool Received(std::string_view bytes);
    // Acts on held messages once the computer's key sequence or the
    // end-of-game animation is over.
    bool ProcessPending();

    // The window's commands.
    void StartGame();                       // "Start game" and the host's Enter
    void SendText(std::string_view utf8);   // a chat line; an empty one sends nothing
    void SendOptions();                     // the nine values of the settings
    void RequestPause();                    // Esc on a countdown in the Message window

    // NetworkLink: reports from the local game.
    void SendPause() override;
    void SendResume() override;
    void SendLanded(int stackHeight, int score, int removed) override;
    void SendFilled() override;
    bool MayStart() override { return Connected() && isHost_; }
    void RequestStart() override { StartGame(); }

    // GameEvents: the well is reported after each landing.
    void FigureLanded(const Landing& landing) override;

    // The last tables received (wire bytes).
    const Tables& LastTables() const { return tables_; }
    // Rounds that ended since Begin().
    int RoundsEnded() const { return roundsEnded_; }

private:
    void Open(ClientConnection& connection, ClientDisplay* display, bool isHost, bool watching);
    void Handle(const ServerMessage& message);
    void HandleExtension(const ServerMessage& message);
    void Send(const std::string& bytes);
    bool Held() const;
    // Sends the well when the server reads it and it changed since the last report.
    void ReportWell();

    Game& game_;
    Settings& settings_;
    VersionQuad version_;
    ClientConnection* connection_ = nullptr;
    ClientDisplay* display_ = nullptr;
    bool isHost_ = false;
    std::string disconnectText_ = kServerClosed;
    bool joined_ = false;
    ServerMessageStream input_;
    Tables tables_;
    int roundsEnded_ = 0;
    bool handling_ = false;  // a message is being acted on
    // The extension.
    bool announce_ = true;
    bool watching_ = false;
    std::string spectatorName_;     // wire bytes
    std::int32_t serverVersion_ = 0;
    std::optional<Subscription> subscription_;
    std::optional<WellRows> reported_;  // the well as last reported
    bool inPresent_ = false;            // a present's rows are rising: report once they are all up
    RoomView room_;
};

// The resting cells of the game's well as they travel (not the falling figure).
WellRows PackWell(const GameRecord& record);

// The nine options as the settings hold them, and back.
NetOptions OptionsFromSettings(const Settings& settings);
void StoreOptions(Settings& settings, const NetOptions& options);

// Taking the entries of the network game dialog on OK: PLAYER_NAME, PORT,
// TEAM (the name when left empty), SERVER; a name beginning with "comp" makes
// the computer play at the speed its fifth character gives, which is returned
// (none: the player plays).
std::optional<int> TakeJoinEntries(Settings& settings, const std::string& name, const std::string& team,
                                   const std::string& server, int port);

}  // namespace vexari
