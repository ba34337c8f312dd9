#include "platform/ProcessStart.h"

#include <algorithm>

namespace tuvako {

std::vector<AnsiString> ProgramArguments(int argc, char** argv) {
    return std::vector<AnsiString>(argv + std::min(argc, 1), argv + argc);
}

void UseStartingConsole() {}

}  // namespace tuvako
