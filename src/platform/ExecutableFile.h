// The running program's own file: where the settings files beside it are looked for.
#pragma once

#include "platform/AnsiString.h"

namespace tuvako {

// The separator between directory and file name in the platform's paths.
constexpr char PathDelimiter = '/';

// The full path of the running executable (on Linux read from /proc/self/exe), or the path set
// with SetExecutableFileForTesting. Empty when the platform cannot tell.
AnsiString ExecutableFile();

// Makes ExecutableFile() return `path` so a test can put "the executable's directory" in a
// temporary directory; an empty path goes back to the real executable.
void SetExecutableFileForTesting(AnsiString path);

}  // namespace tuvako
