#include "app/ConfigFolder.h"

#include "app/Texts.h"
#include "platform/ExecutableFile.h"
#include "platform/Folders.h"

#include <algorithm>
#include <array>

namespace tuvako {
namespace {

constexpr char kEnvironmentVariable[] = "TUVAKO_CONFIG_DIR";
constexpr char kUserFolderName[] = "tuvako";

AnsiString WithoutTrailingSlash(AnsiString path) {
    while (path.size() > 1 && IsPathDelimiter(path.back())) path.pop_back();
    return path;
}

AnsiString FolderOf(const AnsiString& file) {
    const auto last = std::find_if(file.rbegin(), file.rend(), IsPathDelimiter);
    if (last == file.rend()) return {};
    const std::size_t separator = std::size_t(file.rend() - last - 1);
    return separator == 0 ? AnsiString(1, PathDelimiter) : file.substr(0, separator);
}

}  // namespace

ConfigFolder ConfigFolder::Choose(const ConfigFolderFacts& facts) {
    ConfigFolder chosen;
    if (facts.option) {
        chosen = {WithoutTrailingSlash(*facts.option), Source::Option};
    } else if (!facts.environment.empty()) {
        chosen = {WithoutTrailingSlash(facts.environment), Source::Environment};
    } else {
        chosen = {facts.executableFolder, Source::BesideExecutable};
        const bool installed = facts.isSystemFolder && facts.isSystemFolder(facts.executableFolder);
        if (installed && !facts.configBesideExecutable && !facts.userConfigHome.empty())
            chosen = {facts.userConfigHome + PathDelimiter + kUserFolderName, Source::UserConfig};
    }
    chosen.writable = !(facts.isSystemFolder && facts.isSystemFolder(chosen.path));
    return chosen;
}

ConfigFolder ConfigFolder::Find(const std::optional<AnsiString>& option) {
    ConfigFolderFacts facts;
    facts.option = option;
    facts.environment = EnvironmentValue(kEnvironmentVariable);
    facts.executableFolder = FolderOf(ExecutableFile());
    facts.configBesideExecutable =
        FileExists(facts.executableFolder + PathDelimiter + texts::kConfigFile);
    facts.userConfigHome = UserConfigHome();
    facts.isSystemFolder = IsSystemFolder;
    ConfigFolder chosen = Choose(facts);
    chosen.CreateUserFolder();
    return chosen;
}

void ConfigFolder::CreateUserFolder() const {
    if (source == Source::UserConfig) MakeFolder(path);
}

AnsiString ConfigFolder::File(const AnsiString& file) const {
    if (path.empty()) return file;
    if (IsPathDelimiter(path.back())) return path + file;
    return path + PathDelimiter + file;
}

const char* ConfigFolder::Describe() const {
    switch (source) {
        case Source::Option:
            return "set by --config-dir";
        case Source::Environment:
            return "set by TUVAKO_CONFIG_DIR";
        case Source::BesideExecutable:
            return "beside the program";
        case Source::UserConfig:
            return "the user's configuration folder";
    }
    return "";
}

bool IsSystemFolder(const AnsiString& folder) {
    static const std::array<const char*, 7> kSystemFolders = {
        TUVAKO_INSTALL_BINDIR, "/usr/bin",        "/usr/local/bin", "/bin",
        "/usr/sbin",           "/usr/local/sbin", "/sbin"};
    if (folder.empty()) return false;
    const AnsiString canonical = CanonicalFolder(folder);
    for (const char* system : kSystemFolders)
        if (canonical == CanonicalFolder(system)) return true;
    return false;
}

}  // namespace tuvako
