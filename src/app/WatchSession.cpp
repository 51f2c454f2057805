// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WatchSession.h"

#include <QCoreApplication>

#include "netqt/QtClientTransport.h"
#include "ui/NetworkGameWindow.h"
#include "ui/SpectatorWindow.h"

namespace vexari {

WatchSession::WatchSession(const VersionQuad& version, Prompts& prompts, QObject* parent)
    : QObject(parent), prompts_(prompts), client_(game_, settings_, version) {
    welcomeTimer_.setSingleShot(true);
    connect(&welcomeTimer_, &QTimer::timeout, this, [this] {
        if (client_.ExtensionVersion() == 0)
            EndWith(tr("This server cannot be watched: it does not take spectators."));
    });
}

WatchSession::~WatchSession() {
    ended_ = true;
    client_.End();
    delete window_;
}

void WatchSession::Open(const ServerAddress& server, const QString& name, const QPoint& near) {
    const QString shown = QString::fromStdString(FormatServerAddress(server));
    window_ = new SpectatorWindow(client_, settings_, shown, prompts_);
    window_->SetNotice(tr("Connecting to %1...").arg(shown));
    client_.Room().SetObserver(window_);
    connect(window_, &SpectatorWindow::leaveRequested, this, &WatchSession::Leave);
    connect(window_, &SpectatorWindow::chatArrived, this, &WatchSession::chatArrived);
    window_->PlaceOnScreen(near);
    window_->show();

    transport_ = new QtClientTransport(this);
    transport_->onBytes = [this](std::string_view bytes) {
        if (!client_.Received(bytes)) EndWith(QString::fromStdString(GameClient::kServerClosed));
    };
    connect(transport_, &QtClientTransport::connected, this, [this, name] {
        client_.BeginWatching(*transport_, window_, name.toStdString());
        welcomeTimer_.start(GameClient::kWelcomeTimeoutMs);
    });
    connect(transport_, &QtClientTransport::connectFailed, this, [this] {
        EndWith(QCoreApplication::translate("vexari::NetworkSession", "Error connecting to server"));
    });
    // The refusal ("Too many spectators") comes before the close.
    connect(transport_, &QtClientTransport::closed, this,
            [this] { EndWith(QString::fromStdString(client_.DisconnectText())); });
    transport_->Connect(QString::fromStdString(server.host), static_cast<std::uint16_t>(server.port));
}

void WatchSession::EndWith(const QString& reason) {
    if (ended_) return;
    ended_ = true;
    welcomeTimer_.stop();
    client_.End();
    client_.Room().SetObserver(nullptr);
    if (transport_) {
        transport_->onBytes = nullptr;
        transport_->disconnect(this);
        transport_->Close();
    }
    if (window_) {
        // The window may be the one asking to leave: it goes once its own handler has returned.
        window_->hide();
        window_->deleteLater();
        window_ = nullptr;
    }
    emit ended(reason);
}

}  // namespace vexari
