// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vexari {

// SIGTERM, SIGINT and SIGHUP (shutdown, Ctrl+C, logout or a closed terminal)
// turned into a readable descriptor for an event loop. The handlers only
// write a byte to one end of a socket pair (non-blocking, closed on exec);
// the loop watches WakeFd(), calls Drain() and ends the program its own way.
// A second signal of the same kind ends the program at once: the handlers
// are reset as they run. One object at a time; it restores the previous
// handlers when it goes.
class TerminationSignalWake {
public:
    TerminationSignalWake();
    ~TerminationSignalWake();
    TerminationSignalWake(const TerminationSignalWake&) = delete;
    TerminationSignalWake& operator=(const TerminationSignalWake&) = delete;

    // False when the socket pair or a handler could not be set up; the
    // signals then keep their default action.
    bool Installed() const { return installed_; }
    // Readable once a signal came; -1 when not installed.
    int WakeFd() const;
    // Reads what the handlers wrote, so that the descriptor waits again.
    void Drain() const;

private:
    bool installed_ = false;
};

}  // namespace vexari
