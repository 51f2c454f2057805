// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>

namespace vexari {

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (!wake_.Installed()) return;  // the signals keep their default action
    notifier_ = new QSocketNotifier(wake_.WakeFd(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::OnSignal);
}

TerminationSignals::~TerminationSignals() { delete notifier_; }

void TerminationSignals::OnSignal() {
    wake_.Drain();
    received_ = true;
    emit terminating();
    if (window_) window_->close();
    // Leave the main loop and any modal dialog's loop above it; the program
    // returns 0 from its main loop.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

}  // namespace vexari
