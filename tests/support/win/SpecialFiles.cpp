#include "support/SpecialFiles.h"

namespace tuvako::test {

bool FolderPermissionsBind() {
    return false;
}

bool MakePipe(const std::filesystem::path&) {
    return false;
}

}  // namespace tuvako::test
