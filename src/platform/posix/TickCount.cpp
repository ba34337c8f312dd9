#include "platform/TickCount.h"

#include <chrono>

namespace tuvako {

std::uint32_t SystemTickCount() {
    using namespace std::chrono;
    const auto now = duration_cast<milliseconds>(steady_clock::now().time_since_epoch());
    return static_cast<std::uint32_t>(now.count());
}

}  // namespace tuvako
