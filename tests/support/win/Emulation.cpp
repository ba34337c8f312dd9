#include "support/Emulation.h"

#include "support/win/WindowsHeaders.h"

namespace tuvako::test {

// Wine's ntdll exports its version; Windows' does not.
bool RunsUnderWine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace tuvako::test
