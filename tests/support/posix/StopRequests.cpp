#include "support/StopRequests.h"

#include <csignal>

#include <sys/types.h>

namespace tuvako::test {

std::vector<StopRequest> StopRequests() {
    return {{"SIGTERM", [] { std::raise(SIGTERM); }},
            {"SIGINT", [] { std::raise(SIGINT); }},
            {"SIGHUP", [] { std::raise(SIGHUP); }}};
}

void EndSessionOf(long long processId) {
    ::kill(pid_t(processId), SIGHUP);
}

}  // namespace tuvako::test
