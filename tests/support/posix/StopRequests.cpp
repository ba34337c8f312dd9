#include "support/StopRequests.h"

#include <csignal>

namespace tuvako::test {

std::vector<StopRequest> StopRequests() {
    return {{"SIGTERM", [] { std::raise(SIGTERM); }},
            {"SIGINT", [] { std::raise(SIGINT); }},
            {"SIGHUP", [] { std::raise(SIGHUP); }}};
}

}  // namespace tuvako::test
