#include "support/SpecialFiles.h"

#include <sys/stat.h>
#include <unistd.h>

namespace tuvako::test {

bool FolderPermissionsBind() {
    return ::geteuid() != 0;
}

bool MakePipe(const std::filesystem::path& path) {
    return ::mkfifo(path.c_str(), 0600) == 0;
}

}  // namespace tuvako::test
