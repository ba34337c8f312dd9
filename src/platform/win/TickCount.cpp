#include "platform/TickCount.h"

#include "platform/win/WindowsHeaders.h"

namespace tuvako {

// Milliseconds since Windows started, wrapping after 49.7 days as the terminal expects.
std::uint32_t SystemTickCount() {
    return ::GetTickCount();
}

}  // namespace tuvako
