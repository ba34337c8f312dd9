// The one folder that holds both ini files, chosen before the window reads them.
#pragma once

#include "platform/AnsiString.h"

#include <functional>
#include <optional>

namespace tuvako {

// What the choice depends on, gathered from the command line and the system.
struct ConfigFolderFacts {
    std::optional<AnsiString> option;     // --config-dir
    AnsiString environment;               // $TUVAKO_CONFIG_DIR; empty when unset
    AnsiString executableFolder;          // empty when the platform cannot tell
    bool configBesideExecutable = false;  // "Selvaro.ini" is in executableFolder
    AnsiString userConfigHome;            // $XDG_CONFIG_HOME or ~/.config; may be empty
    // True for the folders that installed programs live in, which are never written to.
    std::function<bool(const AnsiString& folder)> isSystemFolder;
};

struct ConfigFolder {
    enum class Source { Option, Environment, BesideExecutable, UserConfig };

    AnsiString path;  // without a trailing "/"; empty means the current folder
    Source source = Source::BesideExecutable;
    // False in a system folder: the window state is then not saved there, even by root.
    bool writable = true;

    // In this order: --config-dir, $TUVAKO_CONFIG_DIR, the executable's folder; but an
    // installed executable (in a system folder) without "Selvaro.ini" beside it uses
    // "tuvako" in the user's configuration home.
    static ConfigFolder Choose(const ConfigFolderFacts& facts);

    // Gathers the facts from the system, chooses, and creates the user's folder when it is the
    // one chosen.
    static ConfigFolder Find(const std::optional<AnsiString>& option);

    // Creates this folder when it is the user's configuration folder, which may not exist yet;
    // the others are used as they are. A folder that cannot be made shows up later as a missing
    // "Selvaro.ini" in the log.
    void CreateUserFolder() const;

    // The full name of `file` in this folder.
    AnsiString File(const AnsiString& file) const;
    // "set by --config-dir" and the like, for the log and the check's report.
    const char* Describe() const;
};

// The folders that installed programs live in: the install prefix's "bin", /usr/bin,
// /usr/local/bin and their kin, compared after symbolic links are resolved.
bool IsSystemFolder(const AnsiString& folder);

}  // namespace tuvako
