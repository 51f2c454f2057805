// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Paths.h"

#include <cstdlib>
#include <system_error>

namespace vexari {

namespace {

std::filesystem::path HomeDir() {
    const char* home = std::getenv("HOME");
    if (home && *home) return home;
    std::error_code ec;
    std::filesystem::path cwd = std::filesystem::current_path(ec);
    return ec ? std::filesystem::path(".") : cwd;
}

std::filesystem::path XdgDir(const char* variable, const char* fallbackUnderHome) {
    std::filesystem::path base;
    const char* value = std::getenv(variable);
    if (value && *value && std::filesystem::path(value).is_absolute())
        base = value;
    else
        base = HomeDir() / fallbackUnderHome;
    std::filesystem::path dir = base / "vexari";
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    return dir;
}

}  // namespace

std::filesystem::path ConfigDir() { return XdgDir("XDG_CONFIG_HOME", ".config"); }

std::filesystem::path DataDir() { return XdgDir("XDG_DATA_HOME", ".local/share"); }

std::filesystem::path SettingsFilePath() { return ConfigDir() / "vexari.ini"; }

}  // namespace vexari
