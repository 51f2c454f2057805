// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DisplayCheck.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace vexari {
namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The value of a Qt option given as "-name value" or "--name value".
std::string Option(int argc, char** argv, std::string_view name) {
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg.starts_with("--")) arg.remove_prefix(1);
        if (arg.size() == name.size() + 1 && arg[0] == '-' && arg.substr(1) == name) return argv[i + 1];
    }
    return {};
}

bool Connects(const std::string& path, bool abstract) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t offset = abstract ? 1 : 0;  // an abstract name starts with a zero byte
    if (path.size() + offset >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path + offset, path.data(), path.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size() + (abstract ? 0 : 1));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return true;  // cannot tell; let Qt try
    const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    ::close(fd);
    return connected;
}

// An X display "[host]:number[.screen]" whose server answers. Local
// servers listen on /tmp/.X11-unix/X<number>, on Linux also under that
// abstract name.
bool XServerAnswers(const std::string& display) {
    const std::size_t colon = display.rfind(':');
    if (colon == std::string::npos) return false;
    const std::string host = display.substr(0, colon);
    if (!host.empty() && host != "unix") return true;  // another host: not probed
    std::string number = display.substr(colon + 1);
    number.resize(std::min(number.size(), number.find('.')));
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return false;
    const std::string socket = "/tmp/.X11-unix/X" + number;
    return Connects(socket, true) || Connects(socket, false);
}

}  // namespace

std::optional<std::string> DisplayProblem(int argc, char** argv) {
    std::string platforms = Option(argc, argv, "platform");
    if (platforms.empty()) platforms = Env("QT_QPA_PLATFORM");
    if (platforms.empty()) platforms = "xcb;wayland";
    std::string display = Option(argc, argv, "display");
    if (display.empty()) display = Env("DISPLAY");
    const std::string wayland = Env("WAYLAND_DISPLAY");

    // Qt tries the platforms of a ";" list in turn; "name:options" passes
    // options to one.
    std::size_t start = 0;
    while (start <= platforms.size()) {
        std::size_t end = platforms.find(';', start);
        if (end == std::string::npos) end = platforms.size();
        std::string name = platforms.substr(start, end - start);
        name.resize(std::min(name.size(), name.find(':')));
        start = end + 1;
        if (name == "xcb") {
            if (!display.empty() && XServerAnswers(display)) return std::nullopt;
        } else if (name.starts_with("wayland")) {
            if (!wayland.empty()) return std::nullopt;
        } else if (!name.empty()) {
            return std::nullopt;
        }
    }
    if (!display.empty()) return "vexari: cannot open display " + display;
    if (!wayland.empty()) return "vexari: cannot open display " + wayland;
    return std::string("vexari: cannot open display (DISPLAY is not set)");
}

}  // namespace vexari
