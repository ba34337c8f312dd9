// The ways in which the system asks this process to stop, each made as the system makes it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tuvako::test {

struct StopRequest {
    std::string name;
    std::function<void()> make;  // asks; the stop then arrives on the event loop
};

// POSIX: SIGTERM, SIGINT and SIGHUP raised. Windows: the session's end, as sent to every
// top-level window, WM_CLOSE posted to them (taskkill), and Ctrl-C where there is a console.
std::vector<StopRequest> StopRequests();

// Tells another process that the session ends, as a logout or shutdown tells it: SIGHUP on
// POSIX; on Windows WM_QUERYENDSESSION, then WM_ENDSESSION, to each of its top-level windows.
void EndSessionOf(long long processId);

}  // namespace tuvako::test
