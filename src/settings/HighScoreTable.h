// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "settings/SafeFile.h"

namespace vexari {

// One line of the table; an empty entry has an empty name and score 0.
struct HighScoreEntry {
    std::string name;
    std::int32_t score = 0;
    friend bool operator==(const HighScoreEntry&, const HighScoreEntry&) = default;
};

// The ten best results, best first.
struct HighScoreTable {
    static constexpr int kEntries = 10;
    std::array<HighScoreEntry, kEntries> entries{};
    friend bool operator==(const HighScoreTable&, const HighScoreTable&) = default;
};

// File layout: ten records of 16 bytes, no header. A record is a name of at
// most 11 bytes ended by a zero byte within its first 12 bytes (the bytes
// after the zero mean nothing), then the score as a little-endian int32.
inline constexpr std::size_t kHighScoreNameBytes = 12;
inline constexpr std::size_t kHighScoreRecordBytes = 16;
inline constexpr std::size_t kHighScoreFileBytes = kHighScoreRecordBytes * HighScoreTable::kEntries;
// A name entered for a new high score keeps its first 10 bytes.
inline constexpr std::size_t kHighScoreNameKept = 10;
// Buffer size the name dialog works with (18 characters can be typed).
inline constexpr std::size_t kAskNameSize = 19;

// Reads the table. A missing or unreadable file gives ten empty entries; the
// records a short file lacks are empty; bytes past the 160th are ignored. A
// name with no zero byte in its 12 bytes is taken as its first 11 bytes.
HighScoreTable ReadHighScores(const std::filesystem::path& path);
// The same from bytes in memory.
HighScoreTable DecodeHighScores(const std::string& bytes);

// Writes exactly 160 bytes through WriteFileSafely. Names longer than 11
// bytes are cut; every byte after a name's end is 0.
SaveResult WriteHighScores(const std::filesystem::path& path, const HighScoreTable& table);
std::string EncodeHighScores(const HighScoreTable& table);

// Place (0..9) where `score` enters: the first entry whose score is strictly
// lower, or -1 when there is none. Equal scores keep the older entry above.
int FindRank(const HighScoreTable& table, std::int32_t score);
// Entries rank..8 move down one place (entry 9 drops out) and entry `rank`
// gets the name, cut to its first 10 bytes, and the score. A rank outside
// 0..9 changes nothing.
void EnterScore(HighScoreTable& table, int rank, const std::string& name, std::int32_t score);
// Ten empty entries.
void ResetTable(HighScoreTable& table);

// Texts of the High Score dialog.
std::string FormatCongratulation(const std::string& name, std::int32_t score);  // "%-11s: %.6ld score,congratulations"
std::string FormatScoreOnly(std::int32_t score);                                // "%.6ld score"
std::string FormatRow(int k, const std::string& name);                          // "%.2d.%-11s" with k + 1
std::string FormatScore(std::int32_t score);                                    // "%.6ld"

// The name dialog's rule for OK: a text longer than size - 1 bytes is refused
// (as if cancelled) and the caller's buffer keeps its old text.
bool AcceptAskedText(const std::string& text, std::size_t size);

// Shows the name dialog. Gets the current text and the buffer size, may change
// the text, and returns true for OK.
using AskNameFn = std::function<bool(std::string& text, std::size_t size)>;

// What the High Score dialog shows.
struct HighScoreView {
    HighScoreTable table;
    std::string message;  // the message line
    int enteredRank = -1;  // where the new score went, or -1
    SaveResult saved;      // what became of writing the file
};

// Everything of the High Score command except the dialog itself: reads the
// table from `path`; with `newScore` set, finds the score's place and, when
// there is one, asks for the name (size 19, pre-filled with `playerName`); an
// accepted name replaces `playerName` and enters the table. The message line
// is the congratulation (whether or not a name was given) or the bare score;
// empty in view mode. The table is then written back, whatever happened.
HighScoreView PrepareHighScores(const std::filesystem::path& path, bool newScore, std::int32_t score,
                                std::string& playerName, const AskNameFn& askName);

// Reset button: empties the table and writes it to `path`.
SaveResult ResetHighScores(const std::filesystem::path& path, HighScoreTable& table);

}  // namespace vexari
