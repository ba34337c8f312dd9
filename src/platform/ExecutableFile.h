// The running program's own file: where the settings files beside it are looked for.
#pragma once

#include "platform/AnsiString.h"

namespace tuvako {

// The separator between directory and file name in the platform's paths.
#ifdef _WIN32
constexpr char PathDelimiter = '\\';
#else
constexpr char PathDelimiter = '/';
#endif

// Whether `c` separates folders in a path: PathDelimiter, and on Windows "/" as well, which
// Windows takes just the same.
constexpr bool IsPathDelimiter(char c) {
    return c == PathDelimiter || c == '/';
}

// The full path of the running executable.
// It is the path the program was started as when that names a folder, so that a symbolic link
// in a terminal's own folder finds that folder's settings; otherwise (a program found on the
// search path) the resolved executable. Empty when the platform cannot tell.
AnsiString ExecutableFile();

// The rule above (POSIX only; Windows knows the module's own path): `startedAs` (the program's
// first argument) when it holds a path delimiter, made absolute against the working directory;
// otherwise `resolved`.
AnsiString ExecutableFileAsStarted(const AnsiString& startedAs, const AnsiString& resolved);

}  // namespace tuvako
