#include "platform/Folders.h"

#include "platform/win/WideText.h"
#include "platform/win/WindowsHeaders.h"

#include <filesystem>
#include <system_error>

namespace tuvako {
namespace {

std::filesystem::path PathOf(const AnsiString& utf8) {
    return std::filesystem::path(Widen(utf8));
}

}  // namespace

AnsiString EnvironmentValue(const char* name) {
    const std::wstring wideName = Widen(name);
    const DWORD size = ::GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
    value.resize(length < size ? length : 0);
    return Narrow(value);
}

// The roaming application data folder, where Windows programs keep a user's settings.
AnsiString UserConfigHome() {
    return EnvironmentValue("APPDATA");
}

AnsiString CanonicalFolder(const AnsiString& path) {
    std::error_code error;
    const auto canonical = std::filesystem::weakly_canonical(PathOf(path), error);
    return error ? path : Narrow(canonical.wstring());
}

bool FileExists(const AnsiString& path) {
    const DWORD attributes = ::GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeFolder(const AnsiString& path) {
    std::error_code error;
    std::filesystem::create_directories(PathOf(path), error);
    return std::filesystem::is_directory(PathOf(path), error);
}

}  // namespace tuvako
