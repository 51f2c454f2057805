// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>

#include "net/ServerSockets.h"

class QSocketNotifier;
class QTimer;

namespace vexari {

// The server's sockets on the game's own thread: ServerSockets driven by
// Qt's event loop, which watches one descriptor for all the connections.
class QtServerTransport : public QObject, public ServerSockets {
    Q_OBJECT
public:
    explicit QtServerTransport(QObject* parent = nullptr);
    ~QtServerTransport() override;

signals:
    // A pending connection could not be accepted ("Error accepting socket").
    void acceptFailed();

protected:
    void WantBeforeSleep() override;
    void WantWakeAt(std::int64_t ms) override;
    void AcceptFailed() override { emit acceptFailed(); }

private:
    QSocketNotifier* ready_ = nullptr;
    QTimer* beforeSleepTimer_ = nullptr;
    QTimer* wakeTimer_ = nullptr;
    std::int64_t wakeAt_ = 0;
};

}  // namespace vexari
