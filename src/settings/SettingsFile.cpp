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
    IniFile ini(file);
    const Settings d;
    // The 16-bit values: anything outside 16 bits is out of their range too.
    auto flag = [&](const char* sec, const char* key, int def) {
        return static_cast<std::int16_t>(ClampInt(ini.ReadInt(sec, key, def), INT16_MIN, INT16_MAX));
    };

    s.keys.left = KeyCodeFromStored(ini.ReadInt("KEYS", "LEFT", StoredKeyCode(d.keys.left)));
    s.keys.right = KeyCodeFromStored(ini.ReadInt("KEYS", "RIGHT", StoredKeyCode(d.keys.right)));
    s.keys.rotate = KeyCodeFromStored(ini.ReadInt("KEYS", "ROTATE", StoredKeyCode(d.keys.rotate)));
    s.keys.drop = KeyCodeFromStored(ini.ReadInt("KEYS", "DROP", StoredKeyCode(d.keys.drop)));
    s.keys.accelerate = KeyCodeFromStored(ini.ReadInt("KEYS", "ACCELERATE", StoredKeyCode(d.keys.accelerate)));
    s.keys.rotate2 = KeyCodeFromStored(ini.ReadInt("KEYS", "ROTATE2", StoredKeyCode(d.keys.rotate2)));
    s.pad.delay = ini.ReadInt("KEYS", "PAD_DELAY", d.pad.delay);
    s.pad.rate = ini.ReadInt("KEYS", "PAD_RATE", d.pad.rate);
    for (int b = 0; b < PadSettings::kButtonCount; ++b)
        s.pad.buttons[b] = ini.ReadInt("KEYS", kPadButtonKeys[b], d.pad.buttons[b]);

    s.fallPeriod = ClampFallPeriod(ini.ReadInt("SKILL", "LEVEL", d.fallPeriod));
    s.next = flag("SKILL", "NEXT", d.next);
    s.incLevel = flag("SKILL", "INCLEVEL", d.incLevel);
    s.botLines = ini.ReadInt("SKILL", "BOTLINES", d.botLines);
    s.height = ClampWellHeight(ini.ReadInt("SKILL", "HEIGHT", d.height));

    s.weights = ComputerWeights{};
    for (int i = 0; i < ComputerWeights::kCriteria; ++i)
        s.weights[i] = ini.ReadInt("DEMO", kDemoKeys[i], static_cast<int>(d.weights[i]));

    s.sound = ini.ReadInt("DESIGN", "SOUND", d.sound);
    s.animate = ini.ReadInt("DESIGN", "ANIMATE", d.animate);
    s.color = ini.ReadInt("DESIGN", "COLOR", d.color);
    s.dots = flag("DESIGN", "DOTS", d.dots);
    s.dotInterval = ini.ReadInt("DESIGN", "DOT_INTERVAL", d.dotInterval);
    s.palette = ini.ReadInt("DESIGN", "PALETTE", d.palette);
    s.marks = ini.ReadInt("DESIGN", "MARKS", d.marks);
    s.landing = ini.ReadInt("DESIGN", "LANDING", d.landing);
    s.soundVolume = ini.ReadInt("DESIGN", "SOUND_VOLUME", d.soundVolume);
    s.soundClicks = ini.ReadInt("DESIGN", "SOUND_CLICKS", d.soundClicks);

    s.playerName = ini.ReadString("NET", "PLAYER_NAME", d.playerName, kPlayerNameSize);
    s.server = ini.ReadString("NET", "SERVER", d.server, kServerSize);
    s.team = ini.ReadString("NET", "TEAM", d.team, kTeamSize);
    s.port = ini.ReadInt("NET", "PORT", d.port);
    s.netFallPeriod = ini.ReadInt("NET", "LEVEL", s.fallPeriod);
    s.teamThrow = ini.ReadInt("NET", "COMMAND_TO_THROW", d.teamThrow);
    s.playerThrow = ini.ReadInt("NET", "PLAYER_TO_THROW", d.playerThrow);
    s.pendLines = ini.ReadInt("NET", "PEND_LINES", d.pendLines);
    s.countOnlyWinScores = ini.ReadInt("NET", "COUNT_ONLY_EXIT_SCORES", d.countOnlyWinScores);
    s.playerWinScores = ini.ReadInt("NET", "PLAYER_EXIT_SCORES", d.playerWinScores);
    s.teamWinScores = ini.ReadInt("NET", "COMMAND_EXIT_SCORES", d.teamWinScores);
    s.playTill = ini.ReadInt("NET", "MAX_SCORES", d.playTill);
    s.countdownSeconds = ini.ReadInt("NET", "SEC_BEFORE_START", d.countdownSeconds);
    s.traceMessages = ini.ReadInt("NET", "TRACE_MESSAGES", d.traceMessages);

    s.highScore = ini.ReadString("FILES", "HIGH_SCORE", d.highScore, kFileNameSize);
    s.help = ini.ReadString("FILES", "HELP", d.help, kFileNameSize);
    s.bitmap = ini.ReadString("FILES", "BITMAP", d.bitmap, kFileNameSize);

    const WindowRect g = DefaultGeometry(metrics, s.height);
    s.left = ini.ReadInt("SIZE", "LEFT", g.left);
    s.right = ini.ReadInt("SIZE", "RIGHT", g.right);
    s.top = ini.ReadInt("SIZE", "TOP", g.top);
    s.bottom = ini.ReadInt("SIZE", "BOTTOM", g.bottom);

    s.installed = ini.ReadInt("INSTALLED", "INSTALLED", 0);

    SanitizeSettings(s);
    return s.installed == 0;
}

SaveResult SaveSettings(const Settings& settings) { return SaveSettings(settings, SettingsFilePath()); }

namespace {

// Every value as the file stores it, in the order a new file lists them. The
// values are plain texts: IniFile::WriteString quotes what needs quoting.
std::vector<IniFile::Entry> SettingsEntries(const Settings& s) {
    std::vector<IniFile::Entry> out;
    struct Writer {
        std::vector<IniFile::Entry>& out;
        void WriteString(const char* section, const char* key, std::string value) {
            out.push_back({section, key, std::move(value)});
        }
        void WriteInt(const char* section, const char* key, long long value) {
            WriteString(section, key, std::to_string(value));
        }
    } ini{out};

    ini.WriteInt("KEYS", "LEFT", StoredKeyCode(s.keys.left));
    ini.WriteInt("KEYS", "RIGHT", StoredKeyCode(s.keys.right));
    ini.WriteInt("KEYS", "ROTATE", StoredKeyCode(s.keys.rotate));
    ini.WriteInt("KEYS", "ROTATE2", StoredKeyCode(s.keys.rotate2));
    ini.WriteInt("KEYS", "DROP", StoredKeyCode(s.keys.drop));
    ini.WriteInt("KEYS", "ACCELERATE", StoredKeyCode(s.keys.accelerate));
    ini.WriteInt("KEYS", "PAD_DELAY", s.pad.delay);
    ini.WriteInt("KEYS", "PAD_RATE", s.pad.rate);
    for (int b = 0; b < PadSettings::kButtonCount; ++b) ini.WriteInt("KEYS", kPadButtonKeys[b], s.pad.buttons[b]);

    ini.WriteInt("SKILL", "LEVEL", s.fallPeriod);
    ini.WriteInt("SKILL", "INCLEVEL", s.incLevel);
    ini.WriteInt("SKILL", "NEXT", s.next);
    ini.WriteInt("SKILL", "BOTLINES", s.botLines);
    ini.WriteInt("SKILL", "HEIGHT", s.height);

    for (int i = 0; i < ComputerWeights::kCriteria; ++i) ini.WriteInt("DEMO", kDemoKeys[i], TruncatedWeight(s.weights[i]));

    ini.WriteInt("DESIGN", "SOUND", s.sound);
    ini.WriteInt("DESIGN", "ANIMATE", s.animate);
    ini.WriteInt("DESIGN", "COLOR", s.color);
    ini.WriteInt("DESIGN", "DOTS", s.dots);
    ini.WriteInt("DESIGN", "DOT_INTERVAL", s.dotInterval);
    ini.WriteInt("DESIGN", "PALETTE", s.palette);
    ini.WriteInt("DESIGN", "MARKS", s.marks);
    ini.WriteInt("DESIGN", "LANDING", s.landing);
    ini.WriteInt("DESIGN", "SOUND_VOLUME", s.soundVolume);
    ini.WriteInt("DESIGN", "SOUND_CLICKS", s.soundClicks);

    ini.WriteString("NET", "PLAYER_NAME", s.playerName);
    ini.WriteString("NET", "SERVER", s.server);
    ini.WriteString("NET", "TEAM", s.team);
    ini.WriteInt("NET", "PORT", s.port);
    ini.WriteInt("NET", "LEVEL", s.netFallPeriod);
    ini.WriteInt("NET", "COMMAND_TO_THROW", s.teamThrow);
    ini.WriteInt("NET", "PLAYER_TO_THROW", s.playerThrow);
    ini.WriteInt("NET", "PEND_LINES", s.pendLines);
    ini.WriteInt("NET", "COUNT_ONLY_EXIT_SCORES", s.countOnlyWinScores);
    ini.WriteInt("NET", "PLAYER_EXIT_SCORES", s.playerWinScores);
    ini.WriteInt("NET", "COMMAND_EXIT_SCORES", s.teamWinScores);
    ini.WriteInt("NET", "MAX_SCORES", s.playTill);
    ini.WriteInt("NET", "SEC_BEFORE_START", s.countdownSeconds);
    ini.WriteInt("NET", "TRACE_MESSAGES", s.traceMessages);

    ini.WriteString("FILES", "HIGH_SCORE", AbsoluteHighScorePath(s.highScore));
    ini.WriteString("FILES", "HELP", s.help);
    ini.WriteString("FILES", "BITMAP", s.bitmap);

    ini.WriteInt("SIZE", "LEFT", s.left);
    ini.WriteInt("SIZE", "RIGHT", s.right);
    ini.WriteInt("SIZE", "TOP", s.top);
    ini.WriteInt("SIZE", "BOTTOM", s.bottom);

    ini.WriteString("INSTALLED", "INSTALLED", "1");
    return out;
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
