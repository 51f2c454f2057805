// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/ServerAddress.h"

#include <algorithm>

#include "base/CommandLine.h"

namespace vexari {

std::optional<ServerAddress> ParseServerAddress(std::string_view text, int defaultPort) {
    std::string_view host = text, port;
    if (text.starts_with('[')) {
        const auto close = text.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        host = text.substr(1, close - 1);
        const std::string_view rest = text.substr(close + 1);
        if (!rest.empty()) {
            if (!rest.starts_with(':')) return std::nullopt;
            port = rest.substr(1);
            if (port.empty()) return std::nullopt;
        }
    } else if (std::count(text.begin(), text.end(), ':') == 1) {
        const auto colon = text.find(':');
        host = text.substr(0, colon);
        port = text.substr(colon + 1);
        if (port.empty()) return std::nullopt;
    }
    ServerAddress address{std::string(host), defaultPort};
    if (address.host.empty() || address.host.find_first_of(" \t[]") != std::string::npos) return std::nullopt;
    if (!port.empty() && (!ParseWhole(port, address.port) || address.port < 1 || address.port > 65535))
        return std::nullopt;
    return address;
}

std::string FormatServerAddress(const ServerAddress& address) {
    const bool v6 = address.host.find(':') != std::string::npos;
    return (v6 ? "[" + address.host + "]" : address.host) + ":" + std::to_string(address.port);
}

}  // namespace vexari
