// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace vexari {

// What became of a save. A failure names the file given to the writer (or
// the folder that could not be made for it) and the system's reason.
struct SaveResult {
    bool ok = true;
    std::filesystem::path path;
    std::string reason;   // the system's words for the error
    bool folder = false;  // `path` is a folder that could not be created

    explicit operator bool() const { return ok; }
    // "Cannot save <path>: <reason>" ("Cannot create folder <path>: <reason>"
    // for a folder); empty for a success.
    std::string Message() const;

    static SaveResult Failed(std::filesystem::path path, int error, bool folder = false);
};

// The one way this program replaces a file it owns (settings, high scores,
// demo parameters):
// - A symlink is followed (through a chain of links) and the file it points
//   to is replaced; the link stays a link.
// - The bytes go to a new file of a unique name beside that file, are synced
//   to disk, and the new file is renamed over the old one; the folder is
//   synced after. A kill or crash at any moment leaves the old file or the
//   whole new one. The new file keeps the old one's permission bits (and its
//   owner and group as far as the system allows).
// - Where the folder will not take a new file (or will not let one replace
//   the old) but the file itself may be written, the file is written where
//   it is instead: a shared high-score file in a folder the player cannot
//   write to is still saved, at the price of that one write not being
//   atomic.
// On failure nothing is left behind and the old file is as it was.
SaveResult WriteFileSafely(const std::filesystem::path& path, std::string_view bytes);

// Creates `dir` and its missing parents; a failure names the folder.
SaveResult CreateFolder(const std::filesystem::path& dir);

// Tests only: with `refuse` set, every folder refuses new files as a folder
// without write permission does for a user who is not root.
void SimulateFoldersRefuseNewFiles(bool refuse);

}  // namespace vexari
