// The program's command line: the "--" options, read before any window or display exists.
#pragma once

#include "platform/AnsiString.h"

#include <optional>
#include <vector>

namespace tuvako {

struct CommandLine {
    // What the program is asked to do.
    enum class Action { Run, Help, Version, Check, Fail };

    Action action = Action::Run;
    std::optional<AnsiString> configDir;  // --config-dir DIR (or --config-dir=DIR)
    bool hideCursor = false;              // --hide-cursor
    AnsiString error;                     // with Action::Fail: what was wrong, one line
    // Every argument that does not start with "--", in order: the window reads "/SRVNO="
    // among them and ignores the rest.
    std::vector<AnsiString> windowArguments;

    // Reads the arguments after the program name. "--help" and "--version" win over anything
    // else; an unknown "--" option or a --config-dir without a folder gives Action::Fail.
    // Everything after a lone "--" is passed to the window unread.
    static CommandLine Parse(const std::vector<AnsiString>& arguments);
    static const char* HelpText();
};

// The exit status of a command line that cannot be understood.
constexpr int kUsageExitStatus = 2;

}  // namespace tuvako
