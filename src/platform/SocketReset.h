// Aborting a connection that another library's socket holds (the simulator's and the tests'
// Qt sockets) with a reset, as a crashed or unplugged peer would.
#pragma once

#include <cstdint>

namespace tuvako {

// Makes the next close of the system's socket `descriptor` send a reset instead of an orderly
// end (lingering on, for no time). False when the system refuses.
bool SetResetOnClose(std::intptr_t descriptor);

}  // namespace tuvako
