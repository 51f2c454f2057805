// SPDX-License-Identifier: GPL-3.0-or-later
#include "netqt/QtServerTransport.h"

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>

namespace vexari {

QtServerTransport::QtServerTransport(QObject* parent)
    : QObject(parent), beforeSleepTimer_(new QTimer(this)), wakeTimer_(new QTimer(this)) {
    if (PollFd() >= 0) {
        ready_ = new QSocketNotifier(PollFd(), QSocketNotifier::Read, this);
        connect(ready_, &QSocketNotifier::activated, this, [this] { OnReady(); });
    }
    // BeforeSleep() runs when the event loop is about to wait for more
    // events, so the output costs no round of the loop of its own. A zero
    // timer stands in where the loop never waits (busy, or processEvents
    // calls without WaitForMoreEvents) and for the rest of a large broadcast.
    beforeSleepTimer_->setSingleShot(true);
    beforeSleepTimer_->setInterval(0);
    connect(beforeSleepTimer_, &QTimer::timeout, this, [this] { BeforeSleep(); });
    if (QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance(thread()))
        connect(loop, &QAbstractEventDispatcher::aboutToBlock, this, [this] { BeforeSleep(); });
    wakeTimer_->setSingleShot(true);
    wakeTimer_->setTimerType(Qt::PreciseTimer);
    connect(wakeTimer_, &QTimer::timeout, this, [this] { OnTimers(); });
}

// The notifier goes before the descriptor it watches.
QtServerTransport::~QtServerTransport() { delete ready_; }

void QtServerTransport::WantBeforeSleep() { beforeSleepTimer_->start(); }

void QtServerTransport::WantWakeAt(std::int64_t ms) {
    if (wakeTimer_->isActive() && wakeAt_ <= ms) return;
    wakeAt_ = ms;
    wakeTimer_->start(static_cast<int>(std::clamp<std::int64_t>(ms - NowMs(), 0, 60000)));
}

}  // namespace vexari
