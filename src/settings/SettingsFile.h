// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <filesystem>
#include <string>

#include "settings/SafeFile.h"
#include "settings/Settings.h"

namespace vexari {

// Buffer sizes of the text values; a text keeps at most size - 1 bytes.
inline constexpr std::size_t kPlayerNameSize = 20;
inline constexpr std::size_t kServerSize = 100;
inline constexpr std::size_t kTeamSize = 20;
inline constexpr std::size_t kFileNameSize = 100;
inline constexpr const char* kDefaultHighScoreFile = "vexari.his";

// Window rectangle in screen pixels.
struct WindowRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// The window's default place for a well of `wellHeight` rows (clamped to the
// accepted range): as high as a maximised window, 15 cells plus 20 pixels
// wide, centred across the screen, its top edge the sizing frame above the
// screen's top, all offset by the screen's origin. Used for the SIZE
// defaults and for the maximised window. The window passes its screen's
// available area with no sizing frame, so that the rectangle is the outer
// frame, title bar included, and the whole window fits that area.
WindowRect DefaultGeometry(const ScreenMetrics& metrics, int wellHeight);

// Reads every value from the settings file (missing keys take their
// defaults) and returns true when this is the first run, i.e. INSTALLED is 0
// or missing. The caller then asks the first-run question, may open the
// option dialogs, and calls FinishFirstRun.
//
// Values that only a hand-edited file can hold are brought into the ranges
// the dialogs keep them in, so that every value reads back as it is saved and
// nothing downstream indexes or divides with them: HEIGHT 19..25, both LEVELs
// 1..10, DOT_INTERVAL 1..3, SEC_BEFORE_START 0..10, the throw modes 0..4,
// the score counts at least 0; key codes outside 1..254, DOTS outside 0..3 and
// PORT outside 0..65535 take their defaults; the on/off values (NEXT,
// INCLEVEL, BOTLINES, ANIMATE, COLOR, TRACE_MESSAGES) are 1 when not 0; the
// window's place is held within +-2^24. SOUND, PEND_LINES and
// COUNT_ONLY_EXIT_SCORES, which nothing uses, are kept as read. A number
// beyond the range of int reads as the nearest end of it first.
bool LoadSettings(Settings& settings, const ScreenMetrics& metrics);
bool LoadSettings(Settings& settings, const ScreenMetrics& metrics, const std::filesystem::path& file);

// Brings out-of-range values into range as LoadSettings does.
void SanitizeSettings(Settings& settings);

// Writes every value to the settings file, keeping whatever else the file
// holds (creating its folder when missing). Weights are written truncated
// towards zero, INSTALLED as 1, and the high-score path in its absolute form.
// A failure names the file, or the folder that could not be created.
SaveResult SaveSettings(const Settings& settings);
SaveResult SaveSettings(const Settings& settings, const std::filesystem::path& file);
// Saves what changed from `loaded` (the settings as this copy of the game
// read or last saved them) to `now`, and any value the file lacks; every
// other value stays as the file holds it, so what another copy of the game
// saved meanwhile is not lost. Otherwise as SaveSettings.
SaveResult SaveSettingsChanges(const Settings& loaded, const Settings& now);
SaveResult SaveSettingsChanges(const Settings& loaded, const Settings& now, const std::filesystem::path& file);

// End of the first run: makes the high-score path absolute, marks the
// program installed and saves. Returns the result of the save.
SaveResult FinishFirstRun(Settings& settings);

// The form of a HIGH_SCORE value that is stored: a relative path is taken
// against the data directory (it stands in for the Windows directory; Linux
// has no network-path form, so a path is never redirected for that reason).
// An empty value means "vexari.his". If the result does not fit in the
// 99 bytes the settings file keeps, the data directory's "vexari.his" is used
// instead, and if even that does not fit, the plain "vexari.his", which
// ResolveHighScorePath places in the data directory when the file is opened.
std::string AbsoluteHighScorePath(const std::string& value);

// The file to open for a HIGH_SCORE value, relative paths taken against the
// data directory (no length limit).
std::filesystem::path ResolveHighScorePath(const std::string& value);

}  // namespace vexari
