// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace vexari::sim {

// vexari-sim verify FILE...: 0 when every file replays as it claims, 1 when
// one does not (or cannot be read), 2 for a usage error.
int Verify(const std::vector<std::string>& args);
// vexari-sim replay FILE [--trace]: the game figure by figure.
int ReplayFile(const std::vector<std::string>& args);

}  // namespace vexari::sim
