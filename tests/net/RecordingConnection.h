// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

#include "net/GameClient.h"

namespace vexari::test {

// A client's connection that keeps every byte the client sends.
struct RecordingConnection : ClientConnection {
    std::string sent;
    void Send(std::string_view bytes) override { sent.append(bytes); }
};

}  // namespace vexari::test
