#include "platform/ProcessStart.h"

#include "platform/win/WideText.h"
#include "platform/win/WindowsHeaders.h"

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace tuvako {
namespace {

bool IsConnected(DWORD standardHandle) {
    const HANDLE handle = ::GetStdHandle(standardHandle);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

UINT g_consoleCodePage = 0;

// The reports are UTF-8 (as on Linux), which the console shows as such only in its UTF-8 code
// page; the console's own is put back when the program ends, for the prompt that started it.
void ShowUtf8OnTheConsole() {
    g_consoleCodePage = ::GetConsoleOutputCP();
    if (g_consoleCodePage == 0 || g_consoleCodePage == CP_UTF8) return;
    ::SetConsoleOutputCP(CP_UTF8);
    std::atexit([] { ::SetConsoleOutputCP(g_consoleCodePage); });
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
    ShowUtf8OnTheConsole();
}

}  // namespace tuvako
