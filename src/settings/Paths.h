// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>

namespace vexari {

// Where the program keeps its files. Each call looks at the environment
// again and creates the directory when it is missing (a failure to create it
// shows later, when a file in it cannot be written).
//
// Configuration: $XDG_CONFIG_HOME/vexari/, by default ~/.config/vexari/.
// Data (high scores and other files named without a directory):
// $XDG_DATA_HOME/vexari/, by default ~/.local/share/vexari/.
// A relative XDG value is ignored; without $HOME the current directory
// stands in for the home directory.
std::filesystem::path ConfigDir();
std::filesystem::path DataDir();

// The settings file, "vexari.ini" in the configuration directory.
std::filesystem::path SettingsFilePath();

}  // namespace vexari
