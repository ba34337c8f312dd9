// A temporary "executable directory" for a test, so the window's ini files land there.
#pragma once

#include "platform/ExecutableFile.h"
#include "support/TempDir.h"

namespace tuvako {

// While it lives, the settings stores look for "Selvaro.ini" and write "Selwi.ini" in a fresh
// temporary directory instead of beside the test program.
class ScratchExecutableDir {
public:
    ScratchExecutableDir() { SetExecutableFileForTesting((dir_.Path() / "tuvako").string()); }
    ~ScratchExecutableDir() { SetExecutableFileForTesting({}); }

    ScratchExecutableDir(const ScratchExecutableDir&) = delete;
    ScratchExecutableDir& operator=(const ScratchExecutableDir&) = delete;

    const test::TempDir& Dir() const { return dir_; }

private:
    test::TempDir dir_;
};

}  // namespace tuvako
