#include "support/StopRequests.h"

#include "support/win/WindowsHeaders.h"

namespace tuvako::test {
namespace {

// Windows asks every top-level window of the session whether it may end, then tells it that
// it ends; windows of this thread get the messages from here just the same.
BOOL CALLBACK EndSessionOf(HWND window, LPARAM) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId()) return TRUE;
    if (::SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF))
        ::SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    return TRUE;
}

BOOL CALLBACK EndSessionOfProcess(HWND window, LPARAM processId) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != DWORD(processId)) return TRUE;
    DWORD_PTR answer = 0;
    if (::SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000,
                              &answer) &&
        answer)
        ::SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000,
                              &answer);
    return TRUE;
}

BOOL CALLBACK CloseOf(HWND window, LPARAM) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == ::GetCurrentProcessId()) ::PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

}  // namespace

std::vector<StopRequest> StopRequests() {
    std::vector<StopRequest> requests{
        {"the end of the session", [] { ::EnumWindows(EndSessionOf, 0); }},
        {"WM_CLOSE, as taskkill sends it", [] { ::EnumWindows(CloseOf, 0); }}};
    if (::GetConsoleWindow() != nullptr)
        requests.push_back({"Ctrl-C", [] { ::GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0); }});
    return requests;
}

void EndSessionOf(long long processId) {
    ::EnumWindows(EndSessionOfProcess, LPARAM(processId));
}

}  // namespace tuvako::test
