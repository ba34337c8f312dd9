#include "support/ProcessProbe.h"

#include "support/win/WindowsHeaders.h"

#include <vector>

namespace tuvako::test {

std::ptrdiff_t OpenHandleCount() {
    DWORD count = 0;
    return ::GetProcessHandleCount(::GetCurrentProcess(), &count) ? std::ptrdiff_t(count) : -1;
}

// The busy blocks of every heap of the process (the C runtime's among them).
std::size_t HeapInUse() {
    std::vector<HANDLE> heaps(::GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(::GetProcessHeaps(DWORD(heaps.size()), heaps.data()));
    std::size_t busy = 0;
    for (const HANDLE heap : heaps) {
        if (!::HeapLock(heap)) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (::HeapWalk(heap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) busy += entry.cbData;
        ::HeapUnlock(heap);
    }
    return busy;
}

}  // namespace tuvako::test
