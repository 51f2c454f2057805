// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay/ReplayLibrary.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <set>
#include <system_error>

#include "replay/HighScoreLinks.h"
#include "replay/ReplayCodec.h"
#include "settings/Paths.h"

namespace vexari {
namespace fs = std::filesystem;

std::string ReplayFileName(const Replay& replay) {
    const auto seconds = static_cast<std::time_t>(replay.recordedAt);
    std::tm utc{};
    char date[32] = "00000000-000000";
    if (gmtime_r(&seconds, &utc)) std::strftime(date, sizeof date, "%Y%m%d-%H%M%S", &utc);
    char score[16];
    std::snprintf(score, sizeof score, "%09ld", static_cast<long>(std::max(replay.claims.score, 0)));
    std::string player;
    for (const char c : replay.player.substr(0, 20)) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
        player += plain ? c : '_';
    }
    if (player.empty()) player = "player";
    return std::string(date) + "_" + score + "_" + player + kReplayExtension;
}

ReplayLibrary::ReplayLibrary(fs::path dir, fs::path highScoreFile)
    : dir_(std::move(dir)), highScoreFile_(std::move(highScoreFile)) {}

fs::path ReplayLibrary::DefaultDir() { return DataDir() / "replays"; }

SaveResult ReplayLibrary::Save(const Replay& replay, fs::path* savedAs) {
    if (SaveResult made = CreateFolder(dir_); !made) return made;
    const std::string name = ReplayFileName(replay);
    fs::path path = dir_ / name;
    std::error_code ec;
    for (int n = 2; fs::exists(path, ec) && n < 1000; ++n) {
        std::string numbered = name;
        numbered.insert(numbered.size() - std::string_view(kReplayExtension).size(), "-" + std::to_string(n));
        path = dir_ / numbered;
    }
    SaveResult saved = WriteFileSafely(path, EncodeReplay(replay));
    if (saved && savedAs) *savedAs = path;
    if (saved) Prune();
    return saved;
}

std::vector<fs::path> ReplayLibrary::Files() const {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(dir_, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& path = it->path();
        const std::string name = path.filename().string();
        if (name.ends_with(kReplayExtension) && name.front() != '.' && it->is_regular_file(ec)) files.push_back(path);
    }
    // The names begin with the date.
    std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) { return a.filename() > b.filename(); });
    return files;
}

std::vector<ReplayListing> ReplayLibrary::List() const {
    std::vector<ReplayListing> listings;
    for (const fs::path& path : Files()) {
        ReplayListing l;
        l.path = path;
        const ReplayReadResult read = ReadReplayFile(path);
        l.readable = read.replay.has_value();
        l.error = read.error;
        if (const auto& r = read.replay) {
            std::tie(l.recordedAt, l.player, l.score, l.lines, l.height) =
                std::tie(r->recordedAt, r->player, r->claims.score, r->claims.lines, r->claims.height);
            l.kind = KindOf(*r);
        }
        listings.push_back(std::move(l));
    }
    return listings;
}

void ReplayLibrary::Prune() const {
    std::set<std::string> linked;
    if (!highScoreFile_.empty())
        for (const HighScoreLink& link : ReadHighScoreLinks(highScoreFile_)) linked.insert(link.file);
    const std::vector<fs::path> files = Files();
    for (std::size_t i = kKeptNewest; i < files.size(); ++i) {
        if (linked.count(files[i].filename().string())) continue;
        std::error_code ec;
        fs::remove(files[i], ec);
    }
}

}  // namespace vexari
