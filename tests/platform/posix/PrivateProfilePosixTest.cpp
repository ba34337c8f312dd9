// What the ini writer does with the POSIX file system: permissions, symbolic links, folders
// that take no new file, and files that are not regular files.
#include "platform/PrivateProfile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tuvako {
namespace {

namespace fs = std::filesystem;

TEST(PrivateProfilePosix, AWriteKeepsTheFilesPermissionsAndItsSymbolicLink) {
    test::TempDir dir;
    const fs::path real = dir.Write("real.ini", "[A]\nKey=old\n");
    const AnsiString link = dir.File("Test.ini").string();
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(real, perms);
    fs::create_symlink(real, link);
    ASSERT_TRUE(PrivateProfile::WriteString("A", "Key", "new", link));
    EXPECT_EQ(test::TempDir::Read(real), "[A]\nKey=new\n");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, perms);
}

TEST(PrivateProfilePosix, AFileWithoutWritePermissionIsNotWrittenUnlessNothingChanges) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    test::TempDir dir;
    const AnsiString file = dir.Write("Test.ini", "[A]\na=1\n").string();
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(PrivateProfile::WriteString("A", "a", "2", file));
    EXPECT_TRUE(PrivateProfile::WriteString("A", "a", "1", file));
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(test::TempDir::Read(file), "[A]\na=1\n");
}

TEST(PrivateProfilePosix, PipesAndDevicesAreNeitherReadNorWrittenNorWaitedFor) {
    test::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("fifo.ini").c_str(), 0600), 0);
    const AnsiString fifo = dir.File("fifo.ini").string();
    EXPECT_EQ(PrivateProfile::GetString("A", "k", "d", fifo), "d");
    EXPECT_FALSE(PrivateProfile::WriteString("A", "k", "v", fifo));
    EXPECT_EQ(PrivateProfile::GetString("A", "k", "d", "/dev/zero"), "d");
}

// Runs `write` as an unprivileged user (permissions do not bind the superuser); its result.
bool AsUnprivileged(const std::function<bool()>& write) {
    if (::geteuid() != 0) return write();
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
        ::_exit(dropped && write() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// Kiosk installs often leave only the state file writable: it is then written in place.
TEST(PrivateProfilePosix, AWritableFileInAFolderThatTakesNoNewFileIsWrittenInPlace) {
    test::TempDir dir;
    const fs::path folder = dir.File("kiosk");
    fs::create_directory(folder);
    const AnsiString state = dir.Write("kiosk/Selwi.ini", "[A]\r\na=1\r\n").string();
    fs::permissions(state, fs::perms::all & ~fs::perms::owner_exec & ~fs::perms::group_exec &
                               ~fs::perms::others_exec);
    fs::permissions(dir.Path(), fs::perms::others_read | fs::perms::others_exec,
                    fs::perm_options::add);
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);
    fs::permissions(folder, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
    EXPECT_TRUE(AsUnprivileged([&] {
        return PrivateProfile::WriteString("A", "a", "2", state) &&
               PrivateProfile::WriteString("B", "b", "3", state);
    }));
    EXPECT_FALSE(AsUnprivileged([&] {  // no new file where the folder takes none
        return PrivateProfile::WriteString("A", "a", "2", (folder / "New.ini").string());
    }));
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(test::TempDir::Read(state), "[A]\r\na=2\r\n[B]\r\nb=3\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);
}

}  // namespace
}  // namespace tuvako
