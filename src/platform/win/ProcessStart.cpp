#include "platform/ProcessStart.h"

#include "platform/win/WideText.h"
#include "platform/win/WindowsHeaders.h"

#include <shellapi.h>

#include <cstdio>
#include <iostream>

namespace tuvako {
namespace {

bool IsConnected(DWORD standardHandle) {
    const HANDLE handle = ::GetStdHandle(standardHandle);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

}  // namespace

std::vector<AnsiString> ProgramArguments(int, char**) {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!arguments) return {};
    std::vector<AnsiString> result;
    for (int i = 1; i < count; ++i) result.push_back(Narrow(arguments[i]));
    ::LocalFree(arguments);
    return result;
}

void UseStartingConsole() {
    const bool output = IsConnected(STD_OUTPUT_HANDLE);
    const bool error = IsConnected(STD_ERROR_HANDLE);
    if (output && error) return;  // redirected, or a console program: nothing is missing
    if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return;
    if (!output && std::freopen("CONOUT$", "w", stdout)) std::cout.clear();
    if (!error && std::freopen("CONOUT$", "w", stderr)) std::cerr.clear();
}

}  // namespace tuvako
