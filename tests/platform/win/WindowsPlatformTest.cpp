// The Windows half of the platform layer: the program's own path, Unicode folders, read-only
// files, the session's end and stale socket notifications.
#include "platform/ExecutableFile.h"
#include "platform/Folders.h"
#include "platform/MessageWindow.h"
#include "platform/PrivateProfile.h"
#include "platform/ProcessStart.h"
#include "platform/SocketsApi.h"
#include "platform/TerminationSignals.h"
#include "platform/TickCount.h"
#include "platform/win/WideText.h"
#include "platform/win/WindowsHeaders.h"
#include "support/TempDir.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace tuvako {
namespace {

namespace fs = std::filesystem;

// A folder name that no single code page holds: Finnish, Greek and Japanese letters.
const std::wstring kUnicodeName = L"Kassa \u00C4\u00D6 \u03A9 \u65E5\u672C";

TEST(WindowsPaths, TheExecutableIsTheModulesOwnFullPathWhateverTheCurrentFolder) {
    const AnsiString file = ExecutableFile();
    EXPECT_TRUE(file.ends_with("\\platform_tests.exe")) << file;
    EXPECT_EQ(file[1], ':') << "a full path with its drive";
    EXPECT_TRUE(FileExists(file));
    const test::TempDir elsewhere;
    const fs::path before = fs::current_path();
    fs::current_path(elsewhere.Path());
    EXPECT_EQ(ExecutableFile(), file);
    fs::current_path(before);
}

TEST(WindowsTickCount, IsTheSystemsOwnCount) {
    const DWORD before = ::GetTickCount();
    const std::uint32_t tick = TickCount();
    EXPECT_LE(tick - before, 100u) << "the same clock, read moments apart";
}

TEST(WindowsPaths, UnicodeTextGoesBothWaysAndArgumentsArriveInUtf8) {
    EXPECT_EQ(Widen(Narrow(kUnicodeName)), kUnicodeName);
    EXPECT_EQ(Narrow(L"\u00E4"), "\xC3\xA4");
    EXPECT_EQ(Narrow(std::wstring(1, wchar_t(0xD800))), "\xEF\xBF\xBD");  // a lone surrogate
    EXPECT_FALSE(ProgramArguments(0, nullptr).empty()) << "the test runner's own arguments";
}

TEST(WindowsPaths, IniFilesInAFolderOfAnyNameAreReadWrittenAndReplaced) {
    const test::TempDir dir;
    const fs::path folder = dir.Path() / kUnicodeName;
    const AnsiString utf8Folder = Narrow(folder.wstring());
    ASSERT_TRUE(MakeFolder(utf8Folder));
    const AnsiString file = utf8Folder + PathDelimiter + "Selwi.ini";
    ASSERT_TRUE(PrivateProfile::WriteString("TfrmTuvakoMain", "ShowCmd", "3", file));
    ASSERT_TRUE(PrivateProfile::WriteString("TfrmTuvakoMain", "Flags", "0", file));
    EXPECT_TRUE(FileExists(file));
    EXPECT_EQ(PrivateProfile::GetString("TfrmTuvakoMain", "ShowCmd", "", file), "3");
    EXPECT_EQ(test::TempDir::Read(folder / L"Selwi.ini"),
              "[TfrmTuvakoMain]\r\nShowCmd=3\r\nFlags=0\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1) << "no temporary file left";
}

TEST(WindowsPaths, AReadOnlyFileIsNotWrittenUnlessNothingChanges) {
    const test::TempDir dir;
    const fs::path path = dir.Write("Selwi.ini", "[A]\r\na=1\r\n");
    const AnsiString file = Narrow(path.wstring());
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(PrivateProfile::WriteString("A", "a", "2", file));
    EXPECT_TRUE(PrivateProfile::WriteString("A", "a", "1", file));
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(test::TempDir::Read(path), "[A]\r\na=1\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 1);
}

TEST(WindowsStopRequests, TheSessionsEndIsAStopOnlyWhenItReallyEndsAndSoIsAPoliteClose) {
    int stops = 0;
    const TerminationSignals watcher([&stops] { ++stops; });
    ASSERT_TRUE(watcher.IsActive());
    const HWND window = ::FindWindowW(L"TuvakoHiddenWindow", nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(::SendMessageW(window, WM_QUERYENDSESSION, 0, 0), TRUE);
    ::SendMessageW(window, WM_ENDSESSION, FALSE, 0);  // another program refused: it goes on
    EXPECT_EQ(stops, 0);
    ::SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(stops, 1) << "saved before the answer, after which Windows may end the process";
    ::SendMessageW(window, WM_CLOSE, 0, 0);  // taskkill without /F
    EXPECT_EQ(stops, 2);
    EXPECT_TRUE(::IsWindow(window)) << "the watch goes on until the program ends";
    const TerminationSignals second([&stops] { ++stops; });
    EXPECT_FALSE(second.IsActive()) << "one watcher at a time";
}

// Each selection has a message number of its own: what is still queued for an earlier socket
// (whose SOCKET value Windows may give the next one) never reaches the new one's window.
TEST(WindowsSockets, ANotificationForAnEarlierSelectionIsDropped) {
    const std::unique_ptr<SocketsApi> api(NewSystemSocketsApi());
    ASSERT_EQ(api->Startup(0x0101), 0);
    int seen = 0;
    MessageWindow window([&seen](std::uint32_t, std::uintptr_t, std::intptr_t) { ++seen; });
    const TSocket first = api->Socket(SockStream, IpProtoTcp);
    ASSERT_EQ(api->AsyncSelect(first, &window, WM_USER, FdEvent::Write), 0);
    ASSERT_EQ(api->CloseSocket(first), 0);
    const TSocket second = api->Socket(SockStream, IpProtoTcp);
    ASSERT_EQ(api->AsyncSelect(second, &window, WM_USER, FdEvent::Read), 0);
    EXPECT_NE(second, first);
    const HWND hidden = ::FindWindowExW(HWND_MESSAGE, nullptr, L"TuvakoHiddenWindow", nullptr);
    ASSERT_NE(hidden, nullptr);
    for (UINT number = WM_APP; number < WM_APP + 4; ++number)
        ::SendMessageW(hidden, number, 0, FD_WRITE);  // no SOCKET has the value 0
    test::WaitUntil([] { return false; }, 50);
    EXPECT_EQ(seen, 0);
    api->CloseSocket(second);
    api->Cleanup();
}

}  // namespace
}  // namespace tuvako
