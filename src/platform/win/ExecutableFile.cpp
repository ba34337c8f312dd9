#include "platform/ExecutableFile.h"

#include "platform/win/WideText.h"
#include "platform/win/WindowsHeaders.h"

#include <string>

namespace tuvako {

// The module's own path: exact whatever the current folder or the way the program was started,
// and in Unicode, so that a folder with any name works.
AnsiString ExecutableFile() {
    constexpr std::size_t kLongestPath = 32768;
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return Narrow(path);
        }
        if (path.size() >= kLongestPath) return {};
        path.resize(path.size() * 2);  // cut short: try again with room enough
    }
}

}  // namespace tuvako
