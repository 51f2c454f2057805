// SPDX-License-Identifier: GPL-3.0-or-later
// Settings reader: any file loads without harm, and saving what was loaded
// then loading again gives the same settings (save rewrites INSTALLED as 1
// and the high-score path in its absolute form).
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzSupport.h"
#include "settings/Paths.h"
#include "settings/SettingsFile.h"

namespace {

namespace fs = std::filesystem;

// Points both XDG folders into a fresh temporary folder.
void UseTempHome() {
    static const vexari::fuzz::TempDir home;
    static const bool set = [] {
        setenv("XDG_CONFIG_HOME", (home.Path() / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (home.Path() / "data").c_str(), 1);
        return true;
    }();
    (void)set;
}

// Text values are shown with their bytes, others by name only.
std::string Show(const std::string& text) {
    std::string out = "\"";
    for (const unsigned char c : text) {
        char hex[8];
        std::snprintf(hex, sizeof hex, c < 0x20 || c >= 0x7F || c == '"' ? "\\x%02X" : "%c", c);
        out += hex;
    }
    return out + "\"";
}
template <class T>
std::string Show(const T&) {
    return "";
}

// Describes the first field that differs, or returns "".
std::string Difference(const vexari::Settings& a, const vexari::Settings& b) {
#define FIELD(f) \
    if (!(a.f == b.f)) return #f " " + Show(a.f) + " reads back as " + Show(b.f)
    FIELD(keys);
    FIELD(fallPeriod);
    FIELD(next);
    FIELD(incLevel);
    FIELD(botLines);
    FIELD(height);
    FIELD(weights);
    FIELD(sound);
    FIELD(animate);
    FIELD(color);
    FIELD(dots);
    FIELD(dotInterval);
    FIELD(playerName);
    FIELD(server);
    FIELD(team);
    FIELD(port);
    FIELD(netFallPeriod);
    FIELD(teamThrow);
    FIELD(playerThrow);
    FIELD(pendLines);
    FIELD(countOnlyWinScores);
    FIELD(playerWinScores);
    FIELD(teamWinScores);
    FIELD(playTill);
    FIELD(countdownSeconds);
    FIELD(traceMessages);
    FIELD(highScore);
    FIELD(help);
    FIELD(bitmap);
    FIELD(left);
    FIELD(right);
    FIELD(top);
    FIELD(bottom);
    FIELD(installed);
#undef FIELD
    return "";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    UseTempHome();
    const fs::path file = vexari::SettingsFilePath();
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const vexari::ScreenMetrics metrics;
    vexari::Settings loaded;
    vexari::LoadSettings(loaded, metrics);
    FUZZ_CHECK(vexari::SaveSettings(loaded), "cannot save %s", file.c_str());
    vexari::Settings reloaded;
    FUZZ_CHECK(!vexari::LoadSettings(reloaded, metrics), "a saved file reads as a first run");

    vexari::Settings expected = loaded;
    expected.installed = 1;
    expected.highScore = vexari::AbsoluteHighScorePath(loaded.highScore);
    const std::string difference = Difference(expected, reloaded);
    FUZZ_CHECK(difference.empty(), "save and reload: %s", difference.c_str());
    return 0;
}
