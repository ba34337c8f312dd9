#include "platform/SocketReset.h"

#include <sys/socket.h>

namespace tuvako {

bool SetResetOnClose(std::intptr_t descriptor) {
    const linger immediate{1, 0};
    return ::setsockopt(int(descriptor), SOL_SOCKET, SO_LINGER, &immediate, sizeof immediate) == 0;
}

}  // namespace tuvako
