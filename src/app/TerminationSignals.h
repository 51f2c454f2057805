// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>

#include "base/TerminationSignalWake.h"

class QSocketNotifier;

namespace vexari {

// SIGTERM, SIGINT and SIGHUP (logout, shutdown, Ctrl+C, a closed terminal)
// end the program as Game > Exit does: woken by TerminationSignalWake, the
// event loop closes the window (saving the settings and the window's place)
// and leaves every running loop, modal dialogs' included, so that the
// program exits with 0. A second signal of the same kind ends the program at
// once. One object at a time.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // The window to close; none while it is being created.
    void SetWindow(QWidget* window) { window_ = window; }
    // A signal came (perhaps before there was a window to close).
    bool Received() const { return received_; }

signals:
    // A signal came; the window closes next.
    void terminating();

private:
    void OnSignal();

    TerminationSignalWake wake_;
    QSocketNotifier* notifier_ = nullptr;
    QPointer<QWidget> window_;
    bool received_ = false;
};

}  // namespace vexari
