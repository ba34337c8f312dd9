// File-system situations that only some systems can make: a folder whose permissions refuse
// new files, a named pipe where a file should be.
#pragma once

#include <filesystem>

namespace tuvako::test {

// Whether taking the write permission from a folder stops this process from writing there
// (not for the superuser on POSIX; on Windows a folder's read-only flag stops nobody).
bool FolderPermissionsBind();

// Makes a named pipe at `path` that nobody writes to; false where the system has none.
bool MakePipe(const std::filesystem::path& path);

}  // namespace tuvako::test
