// What a program takes from the system at its start: its arguments, and for the console
// commands of a windowed program (--help, --version, --check) the console it was started from.
#pragma once

#include "platform/AnsiString.h"

#include <vector>

namespace tuvako {

// The arguments after the program's name. On Windows they are read as the system holds them,
// in Unicode, and handed over in UTF-8, so that a folder of any name can be given; elsewhere
// they are `argv` as it is.
std::vector<AnsiString> ProgramArguments(int argc, char** argv);

// A windowed Windows program has no standard output or error unless they were redirected (to
// a file, a pipe): this connects the missing ones to the console of the process that started
// it, if there is one, so that a report reaches the person who typed the command, and has the
// console show UTF-8 while the program runs. Elsewhere there is nothing to do.
void UseStartingConsole();

}  // namespace tuvako
