// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "settings/IniFile.h"
#include "settings/Paths.h"

namespace vexari {

namespace {

constexpr const char* kPadButtonKeys[PadSettings::kButtonCount] = {"PAD_A", "PAD_B",  "PAD_X",
                                                                  "PAD_Y", "PAD_LB", "PAD_RB"};
constexpr const char* kDemoKeys[ComputerWeights::kCriteria] = {"HOLE",    "MINHOLE", "HEIGHT",  "ILLLINE",
                                                           "ILL2LINE", "SURFACE", "YFIGURE", "GREED"};

int ClampInt(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

// A value outside lo..hi takes its default.
void InRangeOr(int& v, int lo, int hi, int def) {
    if (v < lo || v > hi) v = def;
}

void FixKey(KeyCode& key, KeyCode def) {
    int code = StoredKeyCode(key);
    InRangeOr(code, 1, 254, StoredKeyCode(def));
    key = KeyCodeFromStored(code);
}

template <class T>
void FixFlag(T& flag) {
    flag = flag != 0 ? 1 : 0;
}

// Ranges of the values the option dialogs edit.
constexpr int kMaxDotInterval = 3;
// Window coordinates beyond the largest window Qt makes mean nothing; held
// there, their differences stay within int.
constexpr int kMaxWindowCoordinate = 1 << 24;

long long TruncatedWeight(double w) {
    if (std::isnan(w)) return 0;
    double t = std::trunc(w);
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (t < lo) t = lo;
    if (t > hi) t = hi;
    return static_cast<long long>(t);
}

// Every value the settings file stores, once: its section, its key, the field
// that holds it and the default a missing key reads as. `Visit` is the reader
// or the writer below; `S` is Settings or const Settings. The order is the
// order in which a new file lists them; a default may depend on a value
// listed before it (the network fall period on the fall period, the window's
// size on the well's height).
template <class Visit, class S>
void EachStoredValue(Visit& v, S& s, const Settings& d) {
    v.Key("KEYS", "LEFT", s.keys.left, d.keys.left);
    v.Key("KEYS", "RIGHT", s.keys.right, d.keys.right);
    v.Key("KEYS", "ROTATE", s.keys.rotate, d.keys.rotate);
    v.Key("KEYS", "ROTATE2", s.keys.rotate2, d.keys.rotate2);
    v.Key("KEYS", "DROP", s.keys.drop, d.keys.drop);
    v.Key("KEYS", "ACCELERATE", s.keys.accelerate, d.keys.accelerate);
    v.Int("KEYS", "PAD_DELAY", s.pad.delay, d.pad.delay);
    v.Int("KEYS", "PAD_RATE", s.pad.rate, d.pad.rate);
    for (int b = 0; b < PadSettings::kButtonCount; ++b)
        v.Int("KEYS", kPadButtonKeys[b], s.pad.buttons[b], d.pad.buttons[b]);

    v.Int("SKILL", "LEVEL", s.fallPeriod, d.fallPeriod);
    v.Int("SKILL", "INCLEVEL", s.incLevel, d.incLevel);
    v.Int("SKILL", "NEXT", s.next, d.next);
    v.Int("SKILL", "BOTLINES", s.botLines, d.botLines);
    v.Int("SKILL", "HEIGHT", s.height, d.height);

    for (int i = 0; i < ComputerWeights::kCriteria; ++i) v.Weight("DEMO", kDemoKeys[i], s.weights[i], d.weights[i]);

    v.Int("DESIGN", "SOUND", s.sound, d.sound);
    v.Int("DESIGN", "ANIMATE", s.animate, d.animate);
    v.Int("DESIGN", "COLOR", s.color, d.color);
    v.Int("DESIGN", "DOTS", s.dots, d.dots);
    v.Int("DESIGN", "DOT_INTERVAL", s.dotInterval, d.dotInterval);
    v.Int("DESIGN", "PALETTE", s.palette, d.palette);
    v.Int("DESIGN", "MARKS", s.marks, d.marks);
    v.Int("DESIGN", "LANDING", s.landing, d.landing);
    v.Int("DESIGN", "SOUND_VOLUME", s.soundVolume, d.soundVolume);
    v.Int("DESIGN", "SOUND_CLICKS", s.soundClicks, d.soundClicks);

    v.Text("NET", "PLAYER_NAME", s.playerName, d.playerName, kPlayerNameSize);
    v.Text("NET", "SERVER", s.server, d.server, kServerSize);
    v.Text("NET", "TEAM", s.team, d.team, kTeamSize);
    v.Int("NET", "PORT", s.port, d.port);
    v.Int("NET", "LEVEL", s.netFallPeriod, s.fallPeriod);
    v.Int("NET", "COMMAND_TO_THROW", s.teamThrow, d.teamThrow);
    v.Int("NET", "PLAYER_TO_THROW", s.playerThrow, d.playerThrow);
    v.Int("NET", "PEND_LINES", s.pendLines, d.pendLines);
    v.Int("NET", "COUNT_ONLY_EXIT_SCORES", s.countOnlyWinScores, d.countOnlyWinScores);
    v.Int("NET", "PLAYER_EXIT_SCORES", s.playerWinScores, d.playerWinScores);
    v.Int("NET", "COMMAND_EXIT_SCORES", s.teamWinScores, d.teamWinScores);
    v.Int("NET", "MAX_SCORES", s.playTill, d.playTill);
    v.Int("NET", "SEC_BEFORE_START", s.countdownSeconds, d.countdownSeconds);
    v.Int("NET", "TRACE_MESSAGES", s.traceMessages, d.traceMessages);

    v.HighScorePath("FILES", "HIGH_SCORE", s.highScore, d.highScore);
    v.Text("FILES", "HELP", s.help, d.help, kFileNameSize);
    v.Text("FILES", "BITMAP", s.bitmap, d.bitmap, kFileNameSize);

    v.Geometry("SIZE", s.left, s.right, s.top, s.bottom, s.height);

    v.Installed("INSTALLED", "INSTALLED", s.installed);
}

// Reads the values: a missing key or one that is not a number takes its
// default; SanitizeSettings puts the rest in range afterwards.
struct StoredValueReader {
    const IniFile& ini;
    const ScreenMetrics& metrics;

    void Int(const char* section, const char* key, int& field, int def) { field = ini.ReadInt(section, key, def); }
    // The 16-bit values: anything outside 16 bits is out of their range too.
    void Int(const char* section, const char* key, std::int16_t& field, int def) {
        field = static_cast<std::int16_t>(ClampInt(ini.ReadInt(section, key, def), INT16_MIN, INT16_MAX));
    }
    void Key(const char* section, const char* key, KeyCode& field, KeyCode def) {
        field = KeyCodeFromStored(ini.ReadInt(section, key, StoredKeyCode(def)));
    }
    void Weight(const char* section, const char* key, double& field, double def) {
        field = ini.ReadInt(section, key, static_cast<int>(def));
    }
    void Text(const char* section, const char* key, std::string& field, const std::string& def, std::size_t size) {
        field = ini.ReadString(section, key, def, size);
    }
    void HighScorePath(const char* section, const char* key, std::string& field, const std::string& def) {
        Text(section, key, field, def, kFileNameSize);
    }
    // Without a stored size the window is centred on the screen, as tall as
    // a maximised window.
    void Geometry(const char* section, int& left, int& right, int& top, int& bottom, int wellHeight) {
        const WindowRect g = DefaultGeometry(metrics, wellHeight);
        Int(section, "LEFT", left, g.left);
        Int(section, "RIGHT", right, g.right);
        Int(section, "TOP", top, g.top);
        Int(section, "BOTTOM", bottom, g.bottom);
    }
    void Installed(const char* section, const char* key, int& field) { Int(section, key, field, 0); }
};

// Lists the values as plain texts.
struct StoredValueWriter {
    std::vector<IniFile::Entry> out;

    void Put(const char* section, const char* key, std::string value) { out.push_back({section, key, std::move(value)}); }
    void Int(const char* section, const char* key, long long field, long long) { Put(section, key, std::to_string(field)); }
    void Key(const char* section, const char* key, KeyCode field, KeyCode) {
        Int(section, key, StoredKeyCode(field), 0);
    }
    void Weight(const char* section, const char* key, double field, double) {
        Int(section, key, TruncatedWeight(field), 0);
    }
    void Text(const char* section, const char* key, const std::string& field, const std::string&, std::size_t) {
        Put(section, key, field);
    }
    // Stored absolute, so that the file stays found from any working folder.
    void HighScorePath(const char* section, const char* key, const std::string& field, const std::string&) {
        Put(section, key, AbsoluteHighScorePath(field));
    }
    void Geometry(const char* section, int left, int right, int top, int bottom, int) {
        Int(section, "LEFT", left, 0);
        Int(section, "RIGHT", right, 0);
        Int(section, "TOP", top, 0);
        Int(section, "BOTTOM", bottom, 0);
    }
    // A written file is an installed one.
    void Installed(const char* section, const char* key, int) { Put(section, key, "1"); }
};

}  // namespace

WindowRect DefaultGeometry(const ScreenMetrics& metrics, int wellHeight) {
    int h = ClampWellHeight(wellHeight);
    int height = metrics.maximizedHeight;
    int width = 15 * ((height - 70) / h) + 20;
    WindowRect r;
    r.left = metrics.originX + (metrics.fullScreenWidth - width) / 2;
    r.top = metrics.originY - metrics.sizingFrame;
    r.right = r.left + width;
    r.bottom = r.top + height;
    return r;
}

void SanitizeSettings(Settings& s) {
    const KeyBindings defKeys;
    FixKey(s.keys.left, defKeys.left);
    FixKey(s.keys.right, defKeys.right);
    FixKey(s.keys.rotate, defKeys.rotate);
    FixKey(s.keys.rotate2, defKeys.rotate2);
    FixKey(s.keys.drop, defKeys.drop);
    FixKey(s.keys.accelerate, defKeys.accelerate);
    const PadSettings defPad;
    InRangeOr(s.pad.delay, PadSettings::kMinDelay, PadSettings::kMaxDelay, defPad.delay);
    InRangeOr(s.pad.rate, PadSettings::kMinRate, PadSettings::kMaxRate, defPad.rate);
    for (std::size_t b = 0; b < s.pad.buttons.size(); ++b)
        InRangeOr(s.pad.buttons[b], kPadNone, kPadActionCount - 1, defPad.buttons[b]);
    s.fallPeriod = ClampFallPeriod(s.fallPeriod);
    s.netFallPeriod = ClampFallPeriod(s.netFallPeriod);
    s.height = ClampWellHeight(s.height);
    // The values the dialogs show as check boxes are 0 or 1.
    FixFlag(s.next);
    FixFlag(s.incLevel);
    FixFlag(s.botLines);
    FixFlag(s.animate);
    FixFlag(s.color);
    FixFlag(s.traceMessages);
    FixFlag(s.marks);
    FixFlag(s.landing);
    InRangeOr(s.palette, kPaletteClassic, kPaletteDistinct, kPaletteClassic);
    if (s.dots < 0 || s.dots > 3) s.dots = 1;
    s.dotInterval = ClampInt(s.dotInterval, 1, kMaxDotInterval);
    s.soundVolume = ClampInt(s.soundVolume, 0, 100);
    FixFlag(s.soundClicks);
    InRangeOr(s.port, 0, kMaxPort, Settings{}.port);
    s.teamThrow = ClampThrowMode(s.teamThrow);
    s.playerThrow = ClampThrowMode(s.playerThrow);
    s.playerWinScores = std::max(s.playerWinScores, 0);
    s.teamWinScores = std::max(s.teamWinScores, 0);
    s.playTill = std::max(s.playTill, 0);
    s.countdownSeconds = ClampInt(s.countdownSeconds, 0, kMaxCountdownSeconds);
    for (int* v : {&s.left, &s.right, &s.top, &s.bottom})
        *v = ClampInt(*v, -kMaxWindowCoordinate, kMaxWindowCoordinate);
}

bool LoadSettings(Settings& settings, const ScreenMetrics& metrics) {
    return LoadSettings(settings, metrics, SettingsFilePath());
}

bool LoadSettings(Settings& s, const ScreenMetrics& metrics, const std::filesystem::path& file) {
    const IniFile ini(file);
    s.weights = ComputerWeights{};
    StoredValueReader reader{ini, metrics};
    EachStoredValue(reader, s, Settings{});
    SanitizeSettings(s);
    return s.installed == 0;
}

SaveResult SaveSettings(const Settings& settings) { return SaveSettings(settings, SettingsFilePath()); }

namespace {

// Every value as the file stores it, in the order a new file lists them. The
// values are plain texts: IniFile::WriteString quotes what needs quoting.
std::vector<IniFile::Entry> SettingsEntries(const Settings& s) {
    StoredValueWriter writer;
    EachStoredValue(writer, s, s);
    return std::move(writer.out);
}

}  // namespace

SaveResult SaveSettings(const Settings& s, const std::filesystem::path& file) {
    if (SaveResult folder = CreateFolder(file.parent_path()); !folder) return folder;
    IniFile ini(file);
    for (const IniFile::Entry& e : SettingsEntries(s)) ini.WriteString(e.section, e.key, e.value);
    return ini.Save();
}

SaveResult SaveSettingsChanges(const Settings& loaded, const Settings& now) {
    return SaveSettingsChanges(loaded, now, SettingsFilePath());
}

SaveResult SaveSettingsChanges(const Settings& loaded, const Settings& now, const std::filesystem::path& file) {
    if (SaveResult folder = CreateFolder(file.parent_path()); !folder) return folder;
    const std::vector<IniFile::Entry> old = SettingsEntries(loaded), changed = SettingsEntries(now);
    IniFile ini(file);
    for (std::size_t k = 0; k < changed.size(); ++k) {
        const IniFile::Entry& e = changed[k];
        if (e.value != old[k].value || !ini.HasKey(e.section, e.key)) ini.WriteString(e.section, e.key, e.value);
    }
    return ini.Save();
}

SaveResult FinishFirstRun(Settings& settings) {
    settings.highScore = AbsoluteHighScorePath(settings.highScore);
    settings.installed = 1;
    return SaveSettings(settings);
}

std::string AbsoluteHighScorePath(const std::string& value) {
    constexpr std::size_t kMax = kFileNameSize - 1;
    std::filesystem::path p = ResolveHighScorePath(value).lexically_normal();
    std::string s = p.string();
    if (s.size() <= kMax) return s;
    std::string fallback = (DataDir() / kDefaultHighScoreFile).lexically_normal().string();
    if (fallback.size() <= kMax) return fallback;
    return kDefaultHighScoreFile;
}

std::filesystem::path ResolveHighScorePath(const std::string& value) {
    std::filesystem::path p = value.empty() ? std::filesystem::path(kDefaultHighScoreFile) : std::filesystem::path(value);
    if (p.is_relative()) p = DataDir() / p;
    return p;
}

}  // namespace vexari
