// Where the program is: the folder it was started from, a symbolic link's folder included.
#include "platform/ExecutableFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tuvako {
namespace {

TEST(ExecutableFile, IsThePathAsStartedWhenItNamesAFolderOtherwiseTheResolvedFile) {
    const AnsiString shared = "/opt/tuvako/bin/tuvako";
    const AnsiString here = std::filesystem::current_path().string();
    const std::pair<AnsiString, AnsiString> cases[] = {
        {"/srv/kiosk/t1/tuvako", "/srv/kiosk/t1/tuvako"},  // a link to the shared binary
        {"t1/../t2/tuvako", here + "/t2/tuvako"},
        {"./tuvako", here + "/tuvako"},
        {"tuvako", shared},  // found on the search path
        {"", shared},
    };
    for (const auto& [startedAs, expected] : cases)
        EXPECT_EQ(ExecutableFileAsStarted(startedAs, shared), expected) << startedAs;
}

}  // namespace
}  // namespace tuvako
