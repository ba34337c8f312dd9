#include "platform/SocketReset.h"

#include "platform/win/WindowsHeaders.h"

namespace tuvako {

bool SetResetOnClose(std::intptr_t descriptor) {
    const linger immediate{1, 0};
    return ::setsockopt(SOCKET(descriptor), SOL_SOCKET, SO_LINGER,
                        reinterpret_cast<const char*>(&immediate), sizeof immediate) == 0;
}

}  // namespace tuvako
