// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace vexari {

// A server as one entry names it: "HOST", "HOST:PORT", "[IPV6]:PORT" or an
// IPv6 address alone.
struct ServerAddress {
    std::string host;
    int port = 0;
    friend bool operator==(const ServerAddress&, const ServerAddress&) = default;
};

// Nothing for an empty host, a port that is not a whole number from 1 to
// 65535, or text around the brackets; `defaultPort` when none is given.
std::optional<ServerAddress> ParseServerAddress(std::string_view text, int defaultPort);
// The entry back: "HOST:PORT", an IPv6 host in brackets.
std::string FormatServerAddress(const ServerAddress& address);

}  // namespace vexari
