#include "support/ProcessProbe.h"

#include <malloc.h>

#include <filesystem>
#include <iterator>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime; g++ ships no header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace tuvako::test {

std::ptrdiff_t OpenHandleCount() {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
}

std::size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

}  // namespace tuvako::test
