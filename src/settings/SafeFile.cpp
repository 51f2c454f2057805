// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <random>
#include <system_error>

namespace vexari {

namespace {

namespace fs = std::filesystem;

std::atomic<bool> foldersRefuse{false};

// Follows `path` through symlinks to the file they name (which need not
// exist yet). Returns 0 or the error.
int FollowLinks(fs::path& path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return 0;
        std::error_code ec;
        const fs::path link = fs::read_symlink(path, ec);
        if (ec) return ec.value();
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return ELOOP;
}

int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

// Creates a new file of a unique name ".<name>.<random>" in `dir`, with the
// usual mode (0666 less the umask). Returns 0 or the error.
int CreateTemporary(const fs::path& dir, const fs::path& name, int& fd, fs::path& temp) {
    if (foldersRefuse) return EACCES;
    static std::atomic<unsigned> counter{0};
    std::minstd_rand random(static_cast<unsigned>(::getpid()) * 7919u + counter++ +
                            static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix(8, '0');
        for (char& c : suffix) c = kDigits[random() % 36];
        temp = dir / ("." + name.string() + "." + suffix);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return 0;
        if (errno != EEXIST && errno != EINTR) return errno;
    }
    return EEXIST;
}

// Errors that say the folder will not take or rename a file, while the file
// itself may still be writable.
bool RefusedByFolder(int error) { return error == EACCES || error == EPERM || error == EROFS || error == EBUSY; }

// Writes the file where it is. The new bytes go over the old ones and the
// rest is cut off afterwards, so a file of the same size (a high-score table)
// is never empty or short on the way.
int WriteInPlace(const fs::path& target, std::string_view bytes) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    int error = WriteAll(fd, bytes);
    if (!error && ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) error = errno;
    if (!error && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && !error) error = errno;
    return error;
}

// Makes a rename in `dir` durable; file systems that cannot sync a folder
// are no reason to fail.
void SyncFolder(const fs::path& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

}  // namespace

std::string SaveResult::Message() const {
    if (ok) return {};
    return (folder ? "Cannot create folder " : "Cannot save ") + path.string() + ": " + reason;
}

SaveResult SaveResult::Failed(std::filesystem::path path, int error, bool folder) {
    return {false, std::move(path), std::generic_category().message(error), folder};
}

SaveResult WriteFileSafely(const std::filesystem::path& path, std::string_view bytes) {
    if (path.empty() || !path.has_filename()) return SaveResult::Failed(path, EISDIR);
    fs::path target = path;
    if (const int error = FollowLinks(target)) return SaveResult::Failed(path, error);
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) return SaveResult::Failed(path, EISDIR);

    int fd = -1;
    fs::path temp;
    int error = CreateTemporary(dir, target.filename(), fd, temp);
    if (!error) {
        if (exists) {
            // Owner first: a change of owner can clear the set-id bits.
            // Without the right to give the file away, the group is kept at least.
            if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
            }
            (void)::fchmod(fd, old.st_mode & 07777);
        }
        error = WriteAll(fd, bytes);
        if (!error && ::fsync(fd) != 0) error = errno;
        if (::close(fd) != 0 && !error) error = errno;
        if (error) {
            ::unlink(temp.c_str());
            return SaveResult::Failed(path, error);
        }
        if (::rename(temp.c_str(), target.c_str()) == 0) {
            SyncFolder(dir);
            return {};
        }
        error = errno;
        ::unlink(temp.c_str());
    }
    if (!exists || !RefusedByFolder(error)) return SaveResult::Failed(path, error);
    if (const int inPlace = WriteInPlace(target, bytes)) return SaveResult::Failed(path, inPlace);
    return {};
}

SaveResult CreateFolder(const std::filesystem::path& dir) {
    std::error_code ec;
    if (dir.empty() || fs::is_directory(dir, ec)) return {};
    fs::create_directories(dir, ec);
    if (ec) return SaveResult::Failed(dir, ec.value(), true);
    return {};
}

void SimulateFoldersRefuseNewFiles(bool refuse) { foldersRefuse = refuse; }

}  // namespace vexari
