#include "settings/SafeFile.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <map>
#include <thread>

#include "TempHome.h"

using namespace vexari;
namespace fs = std::filesystem;

namespace {

class SafeFileTest : public TempHomeTest {
protected:
    // Every entry under root_: a file's bytes, "-> target" for a link, "/" for a folder.
    std::map<std::string, std::string> Tree() const {
        std::map<std::string, std::string> tree;
        for (const auto& e : fs::recursive_directory_iterator(root_)) {
            const std::string name = e.path().lexically_relative(root_).string();
            tree[name] = e.is_symlink() ? "-> " + fs::read_symlink(e.path()).string()
                         : e.is_directory() ? "/"
                                            : Slurp(e.path());
        }
        return tree;
    }
};

TEST_F(SafeFileTest, ReplacesFollowsLinksFallsBackInPlaceAndReportsFailures) {
    // Root writes into any folder, so there the folder's refusal is simulated.
    const bool root = geteuid() == 0;
    const auto readOnlyFolder = [&](const std::string& file) {
        fs::create_directory(root_ / "ro");
        if (!file.empty()) Spit(root_ / "ro" / file, "old file");
        fs::permissions(root_ / "ro", fs::perms::owner_read | fs::perms::owner_exec);
        SimulateFoldersRefuseNewFiles(root);
    };
    const struct {
        const char* what;
        std::function<void()> setUp;
        const char* file;
        const char* error;  // nullptr: saved
        std::map<std::string, std::string> after;
    } cases[] = {
        {"new file", [] {}, "f", nullptr, {{"f", "new"}}},
        {"replaced", [&] { Spit(root_ / "f", "old file"); }, "f", nullptr, {{"f", "new"}}},
        {"a chain of links is followed to its file",
         [&] {
             Spit(root_ / "real", "old file");
             fs::create_symlink("real", root_ / "l1");
             fs::create_symlink(root_ / "l1", root_ / "l2");
         },
         "l2", nullptr, {{"real", "new"}, {"l1", "-> real"}, {"l2", "-> " + (root_ / "l1").string()}}},
        {"a dangling link makes its file",
         [&] { fs::create_directory(root_ / "d"), fs::create_symlink("d/t", root_ / "l"); },
         "l", nullptr, {{"d", "/"}, {"d/t", "new"}, {"l", "-> d/t"}}},
        {"read-only folder, writable file: written in place", [&] { readOnlyFolder("f"); }, "ro/f", nullptr,
         {{"ro", "/"}, {"ro/f", "new"}}},
        {"read-only folder, no file", [&] { readOnlyFolder(""); }, "ro/f", "Permission denied", {{"ro", "/"}}},
        {"missing folder", [] {}, "none/f", "No such file or directory", {}},
        {"a folder in the way", [&] { fs::create_directory(root_ / "f"); }, "f", "Is a directory", {{"f", "/"}}},
        {"a write that fails keeps the old file",
         [&] {
             Spit(root_ / "f", "old file");
             const rlimit tiny{1, RLIM_INFINITY};
             setrlimit(RLIMIT_FSIZE, &tiny);
         },
         "f", "File too large", {{"f", "old file"}}},
    };
    signal(SIGXFSZ, SIG_IGN);
    rlimit unlimited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.setUp();
        const SaveResult r = WriteFileSafely(root_ / c.file, "new");
        SimulateFoldersRefuseNewFiles(false);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        EXPECT_EQ(r.Message(), c.error ? "Cannot save " + (root_ / c.file).string() + ": " + c.error : "");
        EXPECT_EQ(Tree(), c.after);  // nothing else: no temporary file is left
        fs::permissions(root_, fs::perms::owner_all);
        if (fs::exists(root_ / "ro")) fs::permissions(root_ / "ro", fs::perms::owner_all);
        for (const auto& e : fs::directory_iterator(root_)) fs::remove_all(e.path());
    }

    // The new file keeps the old one's permission bits.
    constexpr fs::perms kMode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    Spit(root_ / "f", "old");
    fs::permissions(root_ / "f", kMode);
    ASSERT_TRUE(WriteFileSafely(root_ / "f", "new"));
    EXPECT_EQ(fs::status(root_ / "f").permissions(), kMode);
}

TEST_F(SafeFileTest, AKilledWriterLeavesTheOldOrTheNewFileWhole) {
    // A kill cannot undo what reached the page cache, so syncing plays no part
    // here: on tmpfs, where it costs nothing, the kills land in every step.
    const fs::path shm = "/dev/shm";
    const fs::path file = (fs::is_directory(shm) ? shm : root_) / ("vexari-kill-" + std::to_string(getpid()));
    const std::string a(1 << 20, 'a'), b((1 << 20) + 4321, 'b');
    ASSERT_TRUE(WriteFileSafely(file, a));
    std::minstd_rand random(std::random_device{}());
    int changes = 0;
    std::string last = a;
    for (int round = 0; round < 200; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            for (bool flip = last == a;; flip = !flip) WriteFileSafely(file, flip ? b : a);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 8000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string now = Slurp(file);
        ASSERT_TRUE(now == a || now == b) << "round " << round << ": " << now.size() << " bytes";
        changes += now != last;
        last = now;
    }
    EXPECT_GT(changes, 10);  // the kills did land during and between writes
    for (const auto& e : fs::directory_iterator(file.parent_path()))  // temporaries the kills left behind
        if (e.path().filename().string().rfind("." + file.filename().string() + ".", 0) == 0) fs::remove(e.path());
    fs::remove(file);
}

}  // namespace
