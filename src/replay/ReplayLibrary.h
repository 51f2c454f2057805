// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "replay/Replay.h"
#include "settings/SafeFile.h"

namespace vexari {

// The file name of a replay: its date (UTC), score and player, e.g.
// "20240501-120301_000123456_Ann.vxr". Characters other than letters,
// digits, '-' and '_' in the name become '_'.
std::string ReplayFileName(const Replay& replay);

// One line of the Replays dialog.
struct ReplayListing {
    std::filesystem::path path;
    bool readable = false;
    std::string error;  // why not, when not readable
    std::int64_t recordedAt = 0;
    std::string player;
    std::int32_t score = 0;
    std::int32_t lines = 0;
    int height = 0;
    ReplayKind kind = ReplayKind::Single;
};

// The folder of recorded games: each game is saved under a name of its
// own with the safe file writer; the newest kKeptNewest are kept, and every
// one a top-ten entry of `highScoreFile` links to.
class ReplayLibrary {
public:
    static constexpr std::size_t kKeptNewest = 50;

    explicit ReplayLibrary(std::filesystem::path dir, std::filesystem::path highScoreFile = {});
    // $XDG_DATA_HOME/vexari/replays.
    static std::filesystem::path DefaultDir();
    const std::filesystem::path& dir() const { return dir_; }

    // Saves the replay (the folder is made when missing) and then prunes the
    // folder; `savedAs` gets the file's path.
    SaveResult Save(const Replay& replay, std::filesystem::path* savedAs = nullptr);
    // The replay files, newest first.
    std::vector<std::filesystem::path> Files() const;
    std::vector<ReplayListing> List() const;
    // Removes what is neither among the newest nor linked.
    void Prune() const;

private:
    std::filesystem::path dir_;
    std::filesystem::path highScoreFile_;
};

}  // namespace vexari
