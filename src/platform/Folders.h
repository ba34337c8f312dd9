// Folders and files as the operating system knows them: the user's configuration home, the
// environment, existence checks and creation.
#pragma once

#include "platform/AnsiString.h"

namespace tuvako {

// The value of an environment variable; empty when it is not set.
AnsiString EnvironmentValue(const char* name);

// Where the user's configuration files live: $XDG_CONFIG_HOME when it is an absolute path,
// otherwise the home folder's ".config". Empty when there is no home folder to be found.
AnsiString UserConfigHome();

// The absolute path with symbolic links, "." and ".." resolved as far as the path exists; the
// path unchanged when it cannot be made absolute.
AnsiString CanonicalFolder(const AnsiString& path);

bool FileExists(const AnsiString& path);

// Creates the folder and any missing parents; true when it exists afterwards.
bool MakeFolder(const AnsiString& path);

}  // namespace tuvako
