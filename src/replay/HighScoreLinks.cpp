// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay/HighScoreLinks.h"

#include <fstream>
#include <sstream>

#include "replay/ReplayCodec.h"

namespace vexari {

std::filesystem::path LinksPathFor(const std::filesystem::path& highScoreFile) {
    std::filesystem::path path = highScoreFile;
    path += ".replays";
    return path;
}

HighScoreLinks ReadHighScoreLinks(const std::filesystem::path& highScoreFile) {
    HighScoreLinks links{};
    std::ifstream in(LinksPathFor(highScoreFile), std::ios::binary);
    std::string line;
    for (HighScoreLink& link : links) {
        if (!std::getline(in, line)) break;
        if (line.size() > 256) continue;
        std::istringstream fields(line);
        HighScoreLink read;
        if (!(fields >> read.score >> read.file) || fields.get() != ' ') continue;
        std::getline(fields, read.name);
        if (read.file.find('/') == std::string::npos && read.file.ends_with(kReplayExtension)) link = read;
    }
    return links;
}

SaveResult WriteHighScoreLinks(const std::filesystem::path& highScoreFile, const HighScoreLinks& links) {
    std::string text;
    for (const HighScoreLink& link : links) {
        if (!link.file.empty()) text += std::to_string(link.score) + " " + link.file + " " + link.name;
        text += '\n';
    }
    return WriteFileSafely(LinksPathFor(highScoreFile), text);
}

void EnterLink(HighScoreLinks& links, int rank, const HighScoreEntry& entry, const std::string& file) {
    if (rank < 0 || rank >= HighScoreTable::kEntries) return;
    for (int k = HighScoreTable::kEntries - 1; k > rank; --k)
        links[static_cast<std::size_t>(k)] = links[static_cast<std::size_t>(k - 1)];
    links[static_cast<std::size_t>(rank)] = {entry.score, file, entry.name};
}

std::optional<std::string> LinkedReplay(const HighScoreLinks& links, const HighScoreTable& table, int k) {
    if (k < 0 || k >= HighScoreTable::kEntries) return std::nullopt;
    const HighScoreLink& link = links[static_cast<std::size_t>(k)];
    const HighScoreEntry& entry = table.entries[static_cast<std::size_t>(k)];
    if (link.file.empty() || link.score != entry.score || link.name != entry.name) return std::nullopt;
    return link.file;
}

}  // namespace vexari
