// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "settings/HighScoreTable.h"
#include "settings/SafeFile.h"

namespace vexari {

// Which replay proves which top-ten entry. The 160-byte high-score file
// stays as other programs read it; the links live beside it in
// "<high-score file>.replays", one line per entry: its score, the replay's
// file name and the entry's name, or an empty line. A link counts only
// while the table still has that name and score in that place, so a table
// changed by another program shows no wrong replay.
struct HighScoreLink {
    std::int32_t score = 0;
    std::string file;  // a file name in the replay folder
    std::string name;
    friend bool operator==(const HighScoreLink&, const HighScoreLink&) = default;
};
using HighScoreLinks = std::array<HighScoreLink, HighScoreTable::kEntries>;

std::filesystem::path LinksPathFor(const std::filesystem::path& highScoreFile);
// A missing or unreadable file gives no links; lines that do not read are empty.
HighScoreLinks ReadHighScoreLinks(const std::filesystem::path& highScoreFile);
SaveResult WriteHighScoreLinks(const std::filesystem::path& highScoreFile, const HighScoreLinks& links);

// The entry EnterScore put at `rank` is proved by `file`; the links below
// move down with their entries. A rank outside 0..9 changes nothing.
void EnterLink(HighScoreLinks& links, int rank, const HighScoreEntry& entry, const std::string& file);
// The replay of entry k, while the link belongs to it.
std::optional<std::string> LinkedReplay(const HighScoreLinks& links, const HighScoreTable& table, int k);

}  // namespace vexari
