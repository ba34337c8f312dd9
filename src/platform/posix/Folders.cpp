#include "platform/Folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace tuvako {
namespace {

// The home folder from $HOME, or from the password database when it is not set (as under a
// service manager that starts programs with a bare environment).
AnsiString HomeFolder() {
    if (AnsiString home = EnvironmentValue("HOME"); !home.empty()) return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return {};
}

}  // namespace

AnsiString EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? AnsiString(value) : AnsiString();
}

AnsiString UserConfigHome() {
    // The base directory rules ignore a relative $XDG_CONFIG_HOME.
    if (AnsiString configured = EnvironmentValue("XDG_CONFIG_HOME");
        !configured.empty() && configured.front() == '/')
        return configured;
    const AnsiString home = HomeFolder();
    return home.empty() ? AnsiString() : home + "/.config";
}

AnsiString CanonicalFolder(const AnsiString& path) {
    std::error_code error;
    const auto canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path : canonical.string();
}

bool FileExists(const AnsiString& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool MakeFolder(const AnsiString& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error);
}

}  // namespace tuvako
