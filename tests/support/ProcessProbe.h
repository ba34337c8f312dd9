// What a long test measures of its own process to show that nothing is left behind.
#pragma once

#include <cstddef>

namespace tuvako::test {

// Open descriptors (POSIX) or handles (Windows) of this process.
std::ptrdiff_t OpenHandleCount();

// Bytes of heap memory in use by this process's allocations.
std::size_t HeapInUse();

}  // namespace tuvako::test
