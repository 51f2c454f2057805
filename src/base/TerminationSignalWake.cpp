// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TerminationSignalWake.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iterator>

namespace vexari {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int wakeFds[2] = {-1, -1};  // [0] written by the handlers, [1] watched by the loop
struct sigaction previous[std::size(kSignals)];

extern "C" void OnTerminationSignal(int number) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t written = ::write(wakeFds[0], &byte, 1);  // async-signal-safe
    errno = savedErrno;
}

}  // namespace

TerminationSignalWake::TerminationSignalWake() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, wakeFds) != 0) {
        wakeFds[0] = wakeFds[1] = -1;
        return;
    }
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;  // a second signal is not caught
    installed_ = true;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        installed_ = ::sigaction(kSignals[i], &action, &previous[i]) == 0 && installed_;
}

TerminationSignalWake::~TerminationSignalWake() {
    if (wakeFds[0] < 0) return;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) ::sigaction(kSignals[i], &previous[i], nullptr);
    ::close(wakeFds[0]);
    ::close(wakeFds[1]);
    wakeFds[0] = wakeFds[1] = -1;
}

int TerminationSignalWake::WakeFd() const { return installed_ ? wakeFds[1] : -1; }

void TerminationSignalWake::Drain() const {
    char bytes[16];
    while (installed_ && ::read(wakeFds[1], bytes, sizeof bytes) > 0) {
    }
}

}  // namespace vexari
